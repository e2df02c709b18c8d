// The recording search over the day directories and index files of every storage path.
#include <gtest/gtest.h>

#include "station/core/storage/RecordStore.h"
#include "tests/station/core/storage/StorageTestHelpers.h"
#include "tests/support/TestSupport.h"

#include <limits.h>
#include <string.h>

#include <set>

namespace {

struct Hit {
    std::string name;
    int channel;
    int start;
    int end;
    int size;
    std::string path;
};

int Collect(const char* name, int channel, int start, int end, int size, const char* path, void* user)
{
    static_cast<std::vector<Hit>*>(user)->push_back({name, channel, start, end, size, path});
    return 0;
}

RecordQuery AnyOf(int kind)
{
    RecordQuery q;
    memset(&q, 0, sizeof(q));
    q.channel = -1;
    q.kind = kind;
    return q;
}

RecordQuery Range(int kind, int fromDay, int fromHour, int fromMinute, int toDay, int toHour, int toMinute)
{
    RecordQuery q = AnyOf(kind);
    q.rangeFlag = 1;
    q.fromYear = q.toYear = 2026;
    q.fromMonth = q.toMonth = 12;
    q.fromDay = fromDay;
    q.toDay = toDay;
    q.fromHour = fromHour;
    q.fromMinute = fromMinute;
    q.toHour = toHour;
    q.toMinute = toMinute;
    q.toSecond = 59;
    return q;
}

// Recordings on two storage paths, over several days, made through the store itself.
class RecordSearchTest : public ::testing::Test {
protected:
    RecordSearchTest() : clock(2026, 12, 5, 9, 59, 0)
    {
        MakeDir(temp.File("one"));
        MakeDir(temp.File("two"));
        StoragePathEntry table[2] = {MakeEntry("D:", 500, temp.File("one")), MakeEntry("E:", 500, temp.File("two"))};
        store.SetStoragePaths(table, 2);
        store.SetOwner(&owner);

        Record("Alpha", 0, 1); // 12-05 09:59:00 manual
        clock.Set(2026, 12, 6, 10, 30, 0);
        Record("Alpha", 1, 4 | 8); // 12-06 10:30:00 schedule and motion
        clock.Set(2026, 12, 7, 9, 59, 0);
        Record("Beta", 0, 2); // 12-07 09:59:00 alarm
        clock.Set(2026, 12, 7, 10, 15, 0);
        Record("Beta", 0, 4); // 12-07 10:15:00 schedule
        Record("Beta", 0, 4); // collided: named and indexed 10:15:01
        clock.Set(2026, 12, 7, 10, 0, 0);
        owner.format = 1;
        Record("Beta", 2, 1); // 12-07 10:00:00 ASF
        owner.format = 0;
        store.SaveJpegSnapshot("Alpha", 0, "jpeg", 4);
        char bmp[MAX_PATH];
        int index;
        RecordIndexEntry entry;
        store.MakeBmpSnapshotPath("Alpha", 0, bmp, &index, &entry);
        WriteBytes(bmp, "BM", 2);
        store.AppendBmpIndex(index, &entry);
        Record("Gone", 0, 1); // deleted afterwards
        DeleteFileA(paths.back().c_str());

        // The second path got one recording while it was the current one.
        CRecordStore second;
        second.SetStoragePaths(&table[1], 1);
        clock.Set(2026, 12, 6, 8, 0, 0);
        Record("Gamma", 0, 1, &second);
    }

    void Record(const char* name, int channel, int bits, CRecordStore* into = nullptr)
    {
        char path[MAX_PATH];
        ASSERT_EQ((into != nullptr ? into : &store)->BeginRecordFile(name, channel, path, bits), 1);
        WriteBytes(path, "0123456789", 10);
        paths.push_back(path);
    }

    // The hits' file names, without their folders, as a set.
    std::set<std::string> Find(const RecordQuery& query)
    {
        std::vector<Hit> hits;
        store.SearchRecords(&Collect, &query, &hits);
        std::set<std::string> names;
        for (const Hit& h : hits)
            names.insert(h.path.substr(h.path.find_last_of('\\') + 1));
        EXPECT_EQ(names.size(), hits.size());
        return names;
    }

    TempDir temp;
    ScopedClock clock;
    TestOwner owner;
    CRecordStore store;
    std::vector<std::string> paths;
};

TEST_F(RecordSearchTest, FiltersByNameChannelKindTypeAndTime)
{
    typedef std::set<std::string> S;
    struct Case {
        const char* what;
        RecordQuery query;
        S expected;
    } cases[] = {
        {"every MP4 of both paths", AnyOf(1),
         S{"Alpha_1_095900.mp4", "Alpha_2_103000.mp4", "Beta_1_095900.mp4", "Beta_1_101500.mp4", "Beta_1_101501.mp4",
           "Gamma_1_080000.mp4"}},
        {"ASF only", AnyOf(4), S{"Beta_3_100000.asf"}},
        {"JPEG", AnyOf(2), S{"Alpha_1_100000.jpg"}},
        {"BMP", AnyOf(3), S{"Alpha_1_100000.bmp"}},
        {"name",
         [] {
             RecordQuery q = AnyOf(1);
             strcpy(q.name, "Alpha");
             return q;
         }(),
         S{"Alpha_1_095900.mp4", "Alpha_2_103000.mp4"}},
        {"name is exact",
         [] {
             RecordQuery q = AnyOf(1);
             strcpy(q.name, "alpha");
             return q;
         }(),
         S{}},
        {"channel",
         [] {
             RecordQuery q = AnyOf(1);
             q.channel = 1;
             return q;
         }(),
         S{"Alpha_2_103000.mp4"}},
        {"manual",
         [] {
             RecordQuery q = AnyOf(1);
             q.typeSelector = 1;
             return q;
         }(),
         S{"Alpha_1_095900.mp4", "Gamma_1_080000.mp4"}},
        {"schedule, also with other bits",
         [] {
             RecordQuery q = AnyOf(1);
             q.typeSelector = 2;
             return q;
         }(),
         S{"Alpha_2_103000.mp4", "Beta_1_101500.mp4", "Beta_1_101501.mp4"}},
        {"motion",
         [] {
             RecordQuery q = AnyOf(1);
             q.typeSelector = 3;
             return q;
         }(),
         S{"Alpha_2_103000.mp4"}},
        {"alarm",
         [] {
             RecordQuery q = AnyOf(1);
             q.typeSelector = 4;
             return q;
         }(),
         S{"Beta_1_095900.mp4"}},
        {"unknown selector filters nothing",
         [] {
             RecordQuery q = AnyOf(1);
             q.typeSelector = 9;
             return q;
         }(),
         S{"Alpha_1_095900.mp4", "Alpha_2_103000.mp4", "Beta_1_095900.mp4", "Beta_1_101500.mp4", "Beta_1_101501.mp4",
           "Gamma_1_080000.mp4"}},
        {"10:00 to 11:00 leaves out 09:59 of the same day", Range(1, 7, 10, 0, 7, 11, 0),
         S{"Beta_1_101500.mp4", "Beta_1_101501.mp4"}},
        {"days 5 to 6", Range(1, 5, 0, 0, 6, 23, 59),
         S{"Alpha_1_095900.mp4", "Alpha_2_103000.mp4", "Gamma_1_080000.mp4"}},
        {"channel 0 from 6 at 09:00",
         [] {
             RecordQuery q = Range(1, 6, 9, 0, 6, 23, 59);
             q.channel = 0;
             return q;
         }(),
         S{}},
        {"a range with nothing in it", Range(1, 8, 0, 0, 9, 23, 59), S{}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Find(c.query), c.expected) << c.what;
}

TEST_F(RecordSearchTest, HitsCarryTheEntrysStartAndTheFilesStatus)
{
    RecordQuery query = AnyOf(1);
    strcpy(query.name, "Beta");
    query.channel = 0;
    query.typeSelector = 2;
    std::vector<Hit> hits;
    store.SearchRecords(&Collect, &query, &hits);
    ASSERT_EQ(hits.size(), 2u);
    for (const Hit& h : hits) {
        EXPECT_EQ(h.name, "Beta");
        EXPECT_EQ(h.channel, 0);
        EXPECT_EQ(h.size, 10);
        EXPECT_GT(h.end, 1700000000);
        int second = h.path.back() == '4' && h.path.find("101501") != std::string::npos ? 1 : 0;
        EXPECT_EQ(h.start, (int)CTime(2026, 12, 7, 10, 15, second, 0).GetTime()) << h.path;
        EXPECT_EQ(h.path.substr(0, temp.File("one").size()), temp.File("one"));
    }
}

TEST_F(RecordSearchTest, ABusyDayIsFoundTheSameWayAsAQuietOne)
{
    // Enough recordings in one day that the search lists the day instead of asking file by file.
    clock.Set(2026, 12, 9, 8, 0, 0);
    std::vector<std::string> busy;
    for (int i = 0; i < 60; ++i) {
        char path[MAX_PATH];
        ASSERT_EQ(store.BeginRecordFile("Busy", 0, path, 1), 1);
        WriteBytes(path, "x", (size_t)(i % 7));
        busy.push_back(path);
    }
    for (int i = 0; i < 60; i += 6)
        DeleteFileA(busy[i].c_str());
    // A name whose case differs from its entry's is still the same file.
    size_t at = busy[1].find_last_of('\\') + 1;
    std::string upper = busy[1].substr(0, at) + "BUSY" + busy[1].substr(at + 4);
    ASSERT_TRUE(MoveFileA(busy[1].c_str(), upper.c_str()));
    WriteBytes(temp.File("one\\20261209\\Busy_1_080001.asf"), "a", 1); // another kind, same name

    RecordQuery query = Range(1, 9, 0, 0, 9, 23, 59);
    std::vector<Hit> hits;
    store.SearchRecords(&Collect, &query, &hits);
    ASSERT_EQ(hits.size(), 50u);
    size_t next = 0;
    for (int i = 0; i < 60; ++i) {
        if (i % 6 == 0)
            continue;
        ASSERT_LT(next, hits.size());
        EXPECT_EQ(hits[next].path, busy[i]); // in index order, each by its entry's name
        EXPECT_EQ(hits[next].size, i % 7);
        EXPECT_EQ(hits[next].start, (int)CTime(2026, 12, 9, 8, 0, i, 0).GetTime());
        ++next;
    }
}

TEST_F(RecordSearchTest, TwoEntriesWithOneBaseReportItsFilesTwice)
{
    StoragePathEntry table[3] = {MakeEntry("D:", 500, temp.File("one")), MakeEntry("E:", 500, temp.File("two")),
                                 MakeEntry("F:", 500, temp.File("one"))};
    store.SetStoragePaths(table, 3);
    std::vector<Hit> hits;
    RecordQuery query = AnyOf(4);
    store.SearchRecords(&Collect, &query, &hits);
    EXPECT_EQ(hits.size(), 2u);
}

TEST_F(RecordSearchTest, DamagedIndexEntriesAreSkippedOrTerminated)
{
    std::string day = temp.File("two\\20261201");
    MakeDir(day);
    RecordIndexEntry entries[3];
    memset(entries, 0, sizeof(entries));
    memset(entries[0].name, 'N', sizeof(entries[0].name)); // no terminator
    entries[0].year = 2026;
    entries[0].month = 12;
    entries[0].day = 1;
    entries[0].hour = 8;
    entries[1] = entries[0];
    entries[1].month = 13; // no such month...
    entries[1].year = -5;  // ...nor year: not a time the callback can carry
    strcpy(entries[1].name, "Bad");
    entries[2] = entries[1];
    std::vector<char> bytes((char*)entries, (char*)entries + sizeof(entries) - 7); // the last one cut short
    WriteBytes(day + "\\index", bytes.data(), bytes.size());
    std::string kept = day + "\\" + std::string(39, 'N') + "_1_080000.mp4";
    WriteBytes(kept, "x", 1);
    WriteBytes(day + "\\Bad_1_080000.mp4", "x", 1);

    std::vector<Hit> hits;
    RecordQuery query = AnyOf(1);
    query.fromYear = INT_MIN; // not read without the range flag
    query.toYear = INT_MAX;
    strcpy(query.name, std::string(39, 'N').c_str());
    store.SearchRecords(&Collect, &query, &hits);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].name, std::string(39, 'N'));
    EXPECT_EQ(hits[0].path, kept);

    query.name[0] = '\0';
    query.rangeFlag = 1; // a range of nonsense dates finds nothing and breaks nothing
    hits.clear();
    store.SearchRecords(&Collect, &query, &hits);
    EXPECT_TRUE(hits.empty());
}

TEST_F(RecordSearchTest, FilesOverTwoGigabytesKeepAUsableSize)
{
    std::string path = paths[1];
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = 3LL << 30;
    bool grown = SetFilePointerEx(h, size, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    if (!grown)
        GTEST_SKIP() << "the file system cannot hold a 3 GB file here";
    RecordQuery query = AnyOf(1);
    query.channel = 1;
    std::vector<Hit> hits;
    store.SearchRecords(&Collect, &query, &hits);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].size, INT_MAX);
    DeleteFileA(path.c_str());
}

} // namespace
