// The recording storage: day directories, file names of each kind, collisions, index entries.
#include <gtest/gtest.h>

#include "station/core/storage/RecordStore.h"
#include "station/core/storage/StorageFiles.h"
#include "tests/station/core/storage/StorageTestHelpers.h"
#include "tests/support/TestSupport.h"

#include <string.h>

#include <set>
#include <thread>

namespace {

std::vector<RecordIndexEntry> Entries(const std::string& path)
{
    std::vector<char> bytes = ReadBytes(path);
    std::vector<RecordIndexEntry> entries(bytes.size() / sizeof(RecordIndexEntry));
    if (!entries.empty())
        memcpy(entries.data(), bytes.data(), entries.size() * sizeof(RecordIndexEntry));
    return entries;
}

std::string TimeOf(const RecordIndexEntry& e)
{
    char text[32];
    snprintf(text, sizeof(text), "%04d%02d%02d %02d%02d%02d", e.year, e.month, e.day, e.hour, e.minute, e.second);
    return text;
}

class RecordStoreTest : public ::testing::Test {
protected:
    RecordStoreTest() : temp(true), clock(2026, 12, 7, 10, 15, 0)
    {
        StoragePathEntry table[1] = {MakeEntry("D:", 500, temp.Path())};
        store.SetStoragePaths(table, 1);
        store.SetOwner(&owner);
        day = temp.File("20261207");
    }

    TempDir temp;
    ScopedClock clock;
    TestOwner owner;
    CRecordStore store;
    std::string day;
};

TEST_F(RecordStoreTest, NamesEachKindInTheDayDirectoryWithItsIndexEntry)
{
    char path[MAX_PATH];
    ASSERT_EQ(store.BeginRecordFile("Gate", 0, path, 1 | 4), 1);
    EXPECT_EQ(std::string(path), day + "\\Gate_1_101500.mp4");
    EXPECT_TRUE(Exists(path));
    EXPECT_EQ(ReadBytes(path).size(), 0u);

    owner.format = 1;
    clock.Set(2026, 12, 7, 10, 16, 5);
    ASSERT_EQ(store.BeginRecordFile("Gate", 3, path, 8), 1);
    EXPECT_EQ(std::string(path), day + "\\Gate_4_101605.asf");

    const char jpeg[] = "\xff\xd8picture\xff\xd9";
    ASSERT_EQ(store.SaveJpegSnapshot("Gate", 1, jpeg, sizeof(jpeg)), 1);
    std::vector<char> saved = ReadBytes(day + "\\Gate_2_101605.jpg");
    EXPECT_EQ(std::string(saved.begin(), saved.end()), std::string(jpeg, sizeof(jpeg)));

    int index = -1;
    RecordIndexEntry bmp;
    ASSERT_EQ(store.MakeBmpSnapshotPath("Gate", 2, path, &index, &bmp), 1);
    EXPECT_EQ(std::string(path), day + "\\Gate_3_101605.bmp");
    EXPECT_FALSE(Exists(path)); // only named; the caller writes the picture
    EXPECT_EQ(index, 0);
    EXPECT_EQ(TimeOf(bmp), "20261207 101605");
    WriteBytes(path, "BM", 2);
    ASSERT_EQ(store.AppendBmpIndex(index, &bmp), 1);

    std::vector<RecordIndexEntry> records = Entries(day + "\\index");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(ReadBytes(day + "\\index").size(), 120u);
    EXPECT_STREQ(records[0].name, "Gate");
    EXPECT_EQ(records[0].channel, 0);
    EXPECT_EQ(TimeOf(records[0]), "20261207 101500");
    EXPECT_EQ(records[0].typeBits, 5);
    EXPECT_EQ(records[1].channel, 3);
    EXPECT_EQ(records[1].typeBits, 8);
    // The padding is written as zero.
    for (const RecordIndexEntry& e : records)
        EXPECT_TRUE(e.pad1[0] == 0 && e.pad1[2] == 0 && e.pad2[0] == 0 && e.pad2[2] == 0);

    std::vector<RecordIndexEntry> jpegs = Entries(day + "\\jpegindex");
    ASSERT_EQ(jpegs.size(), 1u);
    EXPECT_EQ(jpegs[0].channel, 1);
    EXPECT_EQ(jpegs[0].typeBits, 0);
    std::vector<RecordIndexEntry> bmps = Entries(day + "\\bmpindex");
    ASSERT_EQ(bmps.size(), 1u);
    EXPECT_EQ(bmps[0].channel, 2);
}

// A recording closed before its first picture leaves no file (its writer removes it): when that camera
// records again, the entry of the file that is not there goes from the index; other entries stay.
TEST_F(RecordStoreTest, ARecordingThatLeftNoFileLosesItsEntryWhenTheCameraRecordsAgain)
{
    char gate[MAX_PATH], yard[MAX_PATH], next[MAX_PATH];
    ASSERT_EQ(store.BeginRecordFile("Gate", 0, gate, 1), 1);
    WriteBytes(gate, "picture", 7);
    ASSERT_EQ(store.BeginRecordFile("Yard", 1, yard, 4), 1);
    ASSERT_TRUE(DeleteFileA(yard));
    ASSERT_EQ(Entries(day + "\\index").size(), 2u);

    clock.Set(2026, 12, 7, 10, 20, 0);
    ASSERT_EQ(store.BeginRecordFile("Gate", 0, next, 1), 1);
    EXPECT_EQ(Entries(day + "\\index").size(), 3u) << "Gate's first recording holds a picture";
    ASSERT_EQ(store.BeginRecordFile("Yard", 1, next, 4), 1);
    std::vector<RecordIndexEntry> records = Entries(day + "\\index");
    ASSERT_EQ(records.size(), 3u);
    std::vector<std::string> left;
    for (const RecordIndexEntry& e : records)
        left.push_back(std::string(e.name) + " " + TimeOf(e));
    EXPECT_EQ(left, (std::vector<std::string>{"Gate 20261207 101500", "Gate 20261207 102000", "Yard 20261207 102000"}));
}

TEST_F(RecordStoreTest, CollidingNamesMoveOnBySecondsAndTheEntryFollows)
{
    char first[MAX_PATH], second[MAX_PATH];
    ASSERT_EQ(store.BeginRecordFile("Gate", 0, first, 1), 1);
    ASSERT_EQ(store.BeginRecordFile("Gate", 0, second, 1), 1);
    EXPECT_EQ(std::string(first), day + "\\Gate_1_101500.mp4");
    EXPECT_EQ(std::string(second), day + "\\Gate_1_101501.mp4");
    std::vector<RecordIndexEntry> records = Entries(day + "\\index");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(TimeOf(records[1]), "20261207 101501");

    // 23:59:59 taken: the next name wraps to 00:00:00 in the same day directory.
    clock.Set(2026, 12, 7, 23, 59, 59);
    char path[MAX_PATH];
    const char picture[] = "jpeg";
    ASSERT_EQ(store.SaveJpegSnapshot("Gate", 0, picture, 4), 1);
    ASSERT_EQ(store.SaveJpegSnapshot("Gate", 0, picture, 4), 1);
    EXPECT_TRUE(Exists(day + "\\Gate_1_235959.jpg"));
    EXPECT_TRUE(Exists(day + "\\Gate_1_000000.jpg"));
    EXPECT_EQ(TimeOf(Entries(day + "\\jpegindex").at(1)), "20261207 000000");

    int index;
    RecordIndexEntry entry;
    WriteBytes(day + "\\Gate_1_235959.bmp", "BM", 2);
    ASSERT_EQ(store.MakeBmpSnapshotPath("Gate", 0, path, &index, &entry), 1);
    EXPECT_EQ(std::string(path), day + "\\Gate_1_000000.bmp");
    EXPECT_EQ(TimeOf(entry), "20261207 000000");
}

TEST_F(RecordStoreTest, ConcurrentCallersNeverShareANameOrLoseAnEntry)
{
    const int kThreads = 4;
    const int kEach = 25;
    std::vector<std::string> names[kThreads];
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this, t, &names] {
            for (int i = 0; i < kEach; ++i) {
                char path[MAX_PATH];
                if (store.BeginRecordFile("Gate", 0, path, 2))
                    names[t].push_back(path);
            }
        });
    }
    for (std::thread& t : threads)
        t.join();

    std::set<std::string> all;
    for (const std::vector<std::string>& n : names)
        all.insert(n.begin(), n.end());
    EXPECT_EQ(all.size(), (size_t)(kThreads * kEach));
    // Each entry names one of the files, so the index lists every recording exactly once.
    std::set<std::string> indexed;
    for (const RecordIndexEntry& e : Entries(day + "\\index")) {
        char path[MAX_PATH];
        snprintf(path, sizeof(path), "%s\\%s_%d_%02d%02d%02d.mp4", day.c_str(), e.name, e.channel + 1, e.hour, e.minute,
                 e.second);
        indexed.insert(path);
    }
    EXPECT_EQ(indexed, all);
}

TEST_F(RecordStoreTest, AFileHeldOpenByAnotherIsNeverTruncated)
{
    MakeDir(day);
    std::string held = day + "\\Gate_1_101500.mp4";
    WriteBytes(held, "recording", 9);
    HANDLE h = CreateFileA(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    char path[MAX_PATH];
    ASSERT_EQ(store.BeginRecordFile("Gate", 0, path, 1), 1);
    EXPECT_EQ(std::string(path), day + "\\Gate_1_101501.mp4");
    CloseHandle(h);
    EXPECT_EQ(ReadBytes(held).size(), 9u);
}

TEST_F(RecordStoreTest, NamesThatWouldNotFitAreRefused)
{
    // A base of 240 characters: the day directory fits, a file name in it does not.
    std::string base = temp.Path() + "\\";
    base += std::string(240 - base.size(), 'b');
    StoragePathEntry table[1] = {MakeEntry("D:", 0, base)};
    store.SetStoragePaths(table, 1);
    char path[MAX_PATH] = "unchanged";
    EXPECT_EQ(store.BeginRecordFile("A-long-server-name", 0, path, 1), 0);
    EXPECT_STREQ(path, "");
    EXPECT_EQ(store.SaveJpegSnapshot("A-long-server-name", 0, "x", 1), 0);
    int index;
    RecordIndexEntry entry;
    EXPECT_EQ(store.MakeBmpSnapshotPath("A-long-server-name", 0, path, &index, &entry), 0);

    store.SetStoragePaths(nullptr, 0);
    EXPECT_EQ(store.BeginRecordFile("Gate", 0, path, 1), 0);
    EXPECT_EQ(store.AppendBmpIndex(0, &entry), 0);
}

TEST_F(RecordStoreTest, ALongServerNameIsCutAlikeInTheFileAndItsEntry)
{
    std::string name(45, 'n');
    char path[MAX_PATH];
    ASSERT_EQ(store.BeginRecordFile(name.c_str(), 0, path, 1), 1);
    EXPECT_EQ(std::string(path), day + "\\" + std::string(39, 'n') + "_1_101500.mp4");
    EXPECT_EQ(std::string(Entries(day + "\\index").at(0).name), std::string(39, 'n'));
}

TEST_F(RecordStoreTest, IndexEntriesAfterACutOffWriteStayInStep)
{
    // Each index file ends in part of an entry (a write cut off); the next entry starts at the
    // next whole entry, the part one completed with zeros.
    const size_t kept = sizeof(RecordIndexEntry) + 25;
    MakeDir(day);
    for (const char* name : {"index", "jpegindex", "bmpindex"}) {
        std::vector<char> cut(kept, 'x');
        WriteBytes(day + "\\" + name, cut.data(), cut.size());
    }
    char path[MAX_PATH];
    ASSERT_EQ(store.BeginRecordFile("Gate", 2, path, 1), 1);
    const char jpeg[] = "\xff\xd8picture\xff\xd9";
    ASSERT_EQ(store.SaveJpegSnapshot("Gate", 2, jpeg, sizeof(jpeg)), 1);
    int index = -1;
    RecordIndexEntry bmp;
    ASSERT_EQ(store.MakeBmpSnapshotPath("Gate", 2, path, &index, &bmp), 1);
    ASSERT_EQ(store.AppendBmpIndex(index, &bmp), 1);

    for (const char* name : {"index", "jpegindex", "bmpindex"}) {
        SCOPED_TRACE(name);
        std::vector<char> bytes = ReadBytes(day + "\\" + name);
        ASSERT_EQ(bytes.size(), 3 * sizeof(RecordIndexEntry));
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + kept), std::string(kept, 'x'));
        EXPECT_EQ(std::string(bytes.begin() + kept, bytes.begin() + 2 * sizeof(RecordIndexEntry)),
                  std::string(2 * sizeof(RecordIndexEntry) - kept, '\0'));
        std::vector<RecordIndexEntry> entries = Entries(day + "\\" + name);
        EXPECT_STREQ(entries[2].name, "Gate");
        EXPECT_EQ(entries[2].channel, 2);
    }
}

TEST_F(RecordStoreTest, BmpIndexGoesToThePicturesOwnDay)
{
    char path[MAX_PATH];
    int index;
    RecordIndexEntry entry;
    clock.Set(2026, 12, 7, 23, 59, 59);
    ASSERT_EQ(store.MakeBmpSnapshotPath("Gate", 0, path, &index, &entry), 1);
    clock.Set(2026, 12, 8, 0, 0, 1);
    ASSERT_EQ(store.AppendBmpIndex(index, &entry), 1);
    EXPECT_EQ(Entries(day + "\\bmpindex").size(), 1u);
    EXPECT_FALSE(Exists(temp.File("20261208")));
}

TEST_F(RecordStoreTest, ThePathsBaseIsItsDirectoryOrElseItsRoot)
{
    // The working directory stands in for a drive root here.
    StoragePathEntry root[1] = {MakeEntry(".", 500, "")};
    store.SetStoragePaths(root, 1);
    char path[MAX_PATH];
    ASSERT_EQ(store.BeginRecordFile("Gate", 0, path, 1), 1);
    EXPECT_STREQ(path, ".\\20261207\\Gate_1_101500.mp4");
    EXPECT_TRUE(Exists(day + "\\Gate_1_101500.mp4"));

    // A directory three levels below anything that exists.
    StoragePathEntry table[1] = {MakeEntry("D:", 500, temp.File("x\\y\\rec"))};
    store.SetStoragePaths(table, 1);
    ASSERT_EQ(store.BeginRecordFile("Gate", 0, path, 1), 1);
    EXPECT_EQ(std::string(path), temp.File("x\\y\\rec\\20261207\\Gate_1_101500.mp4"));
    EXPECT_TRUE(Exists(path));

    CreateDirectoryPath(temp.File("p\\q\\r").c_str());
    EXPECT_TRUE(Exists(temp.File("p\\q\\r")));
}

} // namespace
