// The file-service bridge, driven through its callback entry with request records built here,
// against the program's recording store.
#include <gtest/gtest.h>

#include "station/core/storage/FileServiceBridge.h"
#include "station/core/storage/RecordStore.h"
#include "tests/station/core/storage/StorageTestHelpers.h"
#include "tests/support/TestSupport.h"

#include <string.h>

namespace {

struct Result {
    std::string name;
    int channel;
    std::string path;
    FileServiceDateTime start;
    FileServiceDateTime end;
    int size;
    int userValue;
};

std::vector<Result> results;

int CALLBACK CollectResult(const char* name, int channel, const char* path, const FileServiceDateTime* start,
                           const FileServiceDateTime* end, int size, int userValue)
{
    results.push_back({name, channel, path, *start, *end, size, userValue});
    return 1;
}

FileServiceRequest AnyMp4()
{
    FileServiceRequest request;
    memset(&request, 0xCD, sizeof(request)); // what is not set must not matter
    memset(request.name, 0, sizeof(request.name));
    request.channel = -1;
    request.kind = 1;
    request.typeSelector = 0;
    request.rangeFlag = 0;
    request.resultCallback = &CollectResult;
    return request;
}

FileServiceDateTime At(int day, int hour, int minute, int second)
{
    FileServiceDateTime t = {};
    t.year = 2026;
    t.month = 12;
    t.day = (BYTE)day;
    t.hour = (BYTE)hour;
    t.minute = (BYTE)minute;
    t.second = (BYTE)second;
    return t;
}

class FileServiceBridgeTest : public ::testing::Test {
protected:
    FileServiceBridgeTest() : clock(2026, 12, 7, 2, 0, 0)
    {
        results.clear();
        StoragePathEntry table[2] = {MakeEntry("D:", 500, temp.File("one")), MakeEntry("E:", 500, temp.File("two"))};
        theRecordStore.SetStoragePaths(table, 2);
        // 02:00 local in Asia/Shanghai is 18:00 of the day before in UTC.
        Record("Gate", 0);
        clock.Set(2026, 12, 7, 23, 59, 30);
        Record("Gate", 1);
        clock.Set(2026, 12, 8, 12, 0, 0);
        char jpeg[] = "jpeg";
        theRecordStore.SaveJpegSnapshot("Gate", 0, jpeg, 4);
    }
    ~FileServiceBridgeTest() override { theRecordStore.SetStoragePaths(nullptr, 0); }

    void Record(const char* name, int channel)
    {
        char path[MAX_PATH];
        ASSERT_EQ(theRecordStore.BeginRecordFile(name, channel, path, 1), 1);
        WriteBytes(path, "123456", 6);
        // A known end: the file was last written at 03:00:00 local on 8 December.
        HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        LONGLONG t = CTime(2026, 12, 8, 3, 0, 0).GetTime() * 10000000LL + 116444736000000000LL;
        FILETIME ft = {(DWORD)t, (DWORD)(t >> 32)};
        SetFileTime(h, nullptr, nullptr, &ft);
        CloseHandle(h);
    }

    TempDir temp;
    ScopedClock clock;
};

TEST_F(FileServiceBridgeTest, ReportsEveryHitWithLocalTimes)
{
    FileServiceRequest request = AnyMp4();
    EXPECT_EQ(FileServiceQueryCallback(&request, 77), 0);
    ASSERT_EQ(results.size(), 2u);
    const Result& first = results[0].channel == 0 ? results[0] : results[1];
    const Result& late = results[0].channel == 0 ? results[1] : results[0];

    EXPECT_EQ(first.name, "Gate");
    EXPECT_EQ(first.path, temp.File("one\\20261207\\Gate_1_020000.mp4"));
    EXPECT_EQ(first.size, 6);
    EXPECT_EQ(first.userValue, 77);
    EXPECT_EQ(first.start.year, 2026);
    EXPECT_EQ(first.start.month, 12);
    EXPECT_EQ(first.start.day, 7);
    EXPECT_EQ(first.start.hour, 2);
    EXPECT_EQ(first.start.minute, 0);
    EXPECT_EQ(first.end.day, 8);
    EXPECT_EQ(first.end.hour, 3);
    EXPECT_EQ(first.end.second, 0);
    EXPECT_EQ(first.start.fill[0] | first.start.fill[1] | first.start.fill[2], 0);

    EXPECT_EQ(late.start.day, 7);
    EXPECT_EQ(late.start.hour, 23);
    EXPECT_EQ(late.start.minute, 59);
    EXPECT_EQ(late.start.second, 30);
}

TEST_F(FileServiceBridgeTest, RangeNameChannelAndKindAreApplied)
{
    struct Case {
        const char* what;
        FileServiceRequest request;
        size_t hits;
    } cases[] = {
        {"range around 02:00",
         [] {
             FileServiceRequest r = AnyMp4();
             r.rangeFlag = 1;
             r.from = At(7, 1, 0, 0);
             r.to = At(7, 3, 0, 0);
             return r;
         }(),
         1},
        {"range excluding all",
         [] {
             FileServiceRequest r = AnyMp4();
             r.rangeFlag = 1;
             r.from = At(9, 0, 0, 0);
             r.to = At(10, 0, 0, 0);
             return r;
         }(),
         0},
        {"name",
         [] {
             FileServiceRequest r = AnyMp4();
             strcpy(r.name, "Gate");
             return r;
         }(),
         2},
        {"other name",
         [] {
             FileServiceRequest r = AnyMp4();
             strcpy(r.name, "Door");
             return r;
         }(),
         0},
        {"channel",
         [] {
             FileServiceRequest r = AnyMp4();
             r.channel = 1;
             return r;
         }(),
         1},
        {"JPEG",
         [] {
             FileServiceRequest r = AnyMp4();
             r.kind = 2;
             return r;
         }(),
         1},
        {"unterminated name",
         [] {
             FileServiceRequest r = AnyMp4();
             memset(r.name, 'G', 40);
             return r;
         }(),
         0},
        {"no result function",
         [] {
             FileServiceRequest r = AnyMp4();
             r.resultCallback = nullptr;
             return r;
         }(),
         0},
    };
    for (Case& c : cases) {
        results.clear();
        EXPECT_EQ(FileServiceQueryCallback(&c.request, 1), 0) << c.what;
        EXPECT_EQ(results.size(), c.hits) << c.what;
    }
    EXPECT_EQ(FileServiceQueryCallback(nullptr, 1), 0);
}

TEST(FileServiceBridgeHitTest, ATimeThatCannotBeConvertedSkipsTheHit)
{
    results.clear();
    FileServiceRequest request = AnyMp4();
    FileServiceSearch pending = {&request, 5};
    EXPECT_EQ(FileServiceQueryHit("Gate", 0, -1, 100, 1, "p", &pending), 0);
    EXPECT_EQ(FileServiceQueryHit("Gate", 0, 100, INT_MIN, 1, "p", &pending), 0);
    EXPECT_TRUE(results.empty());
    EXPECT_EQ(FileServiceQueryHit("Gate", 0, 100, 200, 1, "p", &pending), 0);
    EXPECT_EQ(results.size(), 1u);
}

} // namespace
