// The disk-space watcher: switching paths, deleting the oldest days, stopping, the events it
// reports and the log purge, driven pass by pass with a scripted free-space function.
#include <gtest/gtest.h>

#include "station/core/storage/DiskWatch.h"
#include "station/core/storage/RecordStore.h"
#include "tests/station/core/storage/StorageTestHelpers.h"
#include "station/core/storage/SystemLog.h"
#include "tests/support/TestSupport.h"

#include <map>
#include <mutex>

namespace {

// Free megabytes per root; a root missing from the map cannot be measured.
std::mutex freeLock;
std::map<std::string, long long> freeMb;

long long FreeOf(const std::string& root)
{
    std::lock_guard<std::mutex> lock(freeLock);
    auto it = freeMb.find(root);
    return it == freeMb.end() ? -1 : it->second;
}

void SetFree(const std::string& root, long long megabytes)
{
    std::lock_guard<std::mutex> lock(freeLock);
    if (megabytes < 0)
        freeMb.erase(root);
    else
        freeMb[root] = megabytes;
}

class DiskWatchTest : public ::testing::Test {
protected:
    DiskWatchTest() : clock(2026, 12, 7, 10, 0, 0), space(&FreeOf)
    {
        freeMb.clear();
        state.owner = &owner;
    }

    // Storage paths on roots "A:", "B:"... each into a folder of its own, with the given reserve.
    void SetPaths(std::vector<int> reserves)
    {
        state.count = (int)reserves.size();
        for (size_t i = 0; i < reserves.size(); ++i) {
            std::string root = std::string(1, (char)('A' + i)) + ":";
            std::string dir = temp.File(root.substr(0, 1));
            MakeDir(dir);
            state.table[i] = MakeEntry(root, reserves[i], dir);
        }
    }

    void MakeDays(int path, std::vector<std::string> days)
    {
        for (const std::string& day : days) {
            std::string dir = std::string(state.table[path].dir) + "\\" + day;
            MakeDir(dir);
            WriteBytes(dir + "\\Gate_1_101500.mp4", "data", 4);
            WriteBytes(dir + "\\index", "entry", 5);
        }
    }

    std::vector<std::string> Days(int path) { return ListNames(state.table[path].dir); }

    TempDir temp;
    ScopedClock clock;
    ScopedFreeSpace space;
    TestOwner owner;
    DiskWatchState state;
    int purgeDay = 0;
};

TEST_F(DiskWatchTest, MovesToTheFirstOtherPathWithRoom)
{
    SetPaths({500, 500, 500});
    SetFree("A:", 500); // at the reserve: full
    SetFree("B:", 100);
    SetFree("C:", 900);
    DiskWatchFirstPass(state, purgeDay);
    EXPECT_EQ(state.currentEntry, 2);
    EXPECT_EQ(state.spaceOk, 1);
    EXPECT_TRUE(owner.Take().empty()); // the first pass moves silently

    SetFree("C:", 400);
    SetFree("A:", 501);
    DiskWatchPass(state, purgeDay);
    EXPECT_EQ(state.currentEntry, 0);
    EXPECT_EQ(owner.Take(), std::vector<int>{DISK_EVENT_SWITCHED});

    // A path whose free space cannot be measured counts as full.
    SetFree("A:", -1);
    SetFree("C:", 2000);
    DiskWatchPass(state, purgeDay);
    EXPECT_EQ(state.currentEntry, 2);
    EXPECT_EQ(owner.Take(), std::vector<int>{DISK_EVENT_SWITCHED});
}

TEST_F(DiskWatchTest, ModeOneStopsRecordingAndReportsOncePerChange)
{
    SetPaths({500, 500});
    MakeDays(0, {"20261201"});
    state.fullDiskMode = 1;
    SetFree("A:", 100);
    SetFree("B:", 100);
    DiskWatchFirstPass(state, purgeDay);
    EXPECT_EQ(state.spaceOk, 0);
    EXPECT_EQ(owner.Take(), std::vector<int>{DISK_EVENT_FULL_STOPPED});
    DiskWatchPass(state, purgeDay);
    DiskWatchPass(state, purgeDay);
    EXPECT_TRUE(owner.Take().empty()); // still full: nothing new to say
    EXPECT_EQ(Days(0), std::vector<std::string>{"20261201"});

    // Between the reserve and twice the reserve the flag stays as it was, other paths or not.
    SetFree("A:", 999);
    SetFree("B:", 5000);
    DiskWatchPass(state, purgeDay);
    EXPECT_EQ(state.spaceOk, 0);
    SetFree("A:", 1000);
    DiskWatchPass(state, purgeDay);
    EXPECT_EQ(state.spaceOk, 1);
    SetFree("A:", 999);
    DiskWatchPass(state, purgeDay);
    EXPECT_EQ(state.spaceOk, 1);

    // Full again: reported again.
    SetFree("A:", 10);
    SetFree("B:", 10);
    DiskWatchPass(state, purgeDay);
    EXPECT_EQ(state.spaceOk, 0);
    EXPECT_EQ(owner.Take(), std::vector<int>{DISK_EVENT_FULL_STOPPED});
    EXPECT_EQ(state.currentEntry, 0);
}

TEST_F(DiskWatchTest, ModeZeroDeletesTheOldestDaysFromEveryPathButNeverToday)
{
    SetPaths({500, 500});
    MakeDays(0, {"20261203", "20261201", "20261207", "notaday", "2026120"});
    MakeDays(1, {"20261202", "20261201"});
    // Path A gains 60 MB for each day directory that goes; B stays full.
    space.SetRule([this](const std::string& root) -> long long {
        if (root != "A:")
            return 10;
        return 400 + 60 * (long long)(5 - Days(0).size());
    });
    DiskWatchFirstPass(state, purgeDay);
    // 20261201 went from both paths (460 MB), then 20261202 from B and nothing from A (460),
    // then 20261203 (520 > 500): recording continues on A.
    EXPECT_EQ(Days(0), (std::vector<std::string>{"2026120", "20261207", "notaday"}));
    EXPECT_TRUE(Days(1).empty());
    EXPECT_EQ(state.currentEntry, 0);
    EXPECT_EQ(state.spaceOk, 1);
    EXPECT_TRUE(owner.Take().empty());

    // Only today's directory left and still full: reported once, today untouched.
    space.SetRule([](const std::string&) -> long long { return 10; });
    DiskWatchPass(state, purgeDay);
    DiskWatchPass(state, purgeDay);
    EXPECT_EQ(owner.Take(), std::vector<int>{DISK_EVENT_FULL_NO_DELETE});
    EXPECT_EQ(state.spaceOk, 0);
    EXPECT_TRUE(Exists(std::string(state.table[0].dir) + "\\20261207\\Gate_1_101500.mp4"));
}

TEST_F(DiskWatchTest, ModeZeroMovesToWhicheverPathFreesFirst)
{
    SetPaths({500, 500});
    MakeDays(0, {"20261205"});
    MakeDays(1, {"20261201"});
    space.SetRule([this](const std::string& root) -> long long { return root == "B:" && Days(1).empty() ? 800 : 100; });
    DiskWatchPass(state, purgeDay);
    EXPECT_EQ(state.currentEntry, 1);
    EXPECT_EQ(state.spaceOk, 1);
    EXPECT_EQ(owner.Take(), std::vector<int>{DISK_EVENT_SWITCHED});
    EXPECT_EQ(Days(0), std::vector<std::string>{"20261205"});
}

TEST_F(DiskWatchTest, ARecoveredPathStartsRecordingAgain)
{
    SetPaths({500});
    MakeDays(0, {"20261201"});
    SetFree("A:", 100);
    state.fullDiskMode = 1;
    DiskWatchFirstPass(state, purgeDay);
    ASSERT_EQ(state.spaceOk, 0);
    // Mode 0 now frees the current path itself: recording goes on there.
    state.fullDiskMode = 0;
    space.SetRule([this](const std::string&) -> long long { return Days(0).empty() ? 600 : 100; });
    DiskWatchPass(state, purgeDay);
    EXPECT_EQ(state.spaceOk, 1);
    EXPECT_EQ(state.currentEntry, 0);
}

TEST_F(DiskWatchTest, ReserveZeroIsFullOnlyBelowOneMegabyte)
{
    SetPaths({0});
    state.fullDiskMode = 1;
    SetFree("A:", 1);
    DiskWatchFirstPass(state, purgeDay);
    EXPECT_EQ(state.spaceOk, 1);
    SetFree("A:", 0);
    DiskWatchPass(state, purgeDay);
    EXPECT_EQ(state.spaceOk, 0);
}

TEST_F(DiskWatchTest, PurgesTheLogAtStartAndAtEachNewDay)
{
    CSystemLog log;
    log.SetBaseDir(temp.Path().c_str());
    std::string folder = temp.File("Vusk");
    MakeDir(folder);
    auto makeLogs = [&](int month) {
        for (int day = 1; day <= 4; ++day) {
            char name[32];
            snprintf(name, sizeof(name), "\\2026_%02d_%02d.log", month, day);
            WriteBytes(folder + name, "x", 1);
        }
    };
    makeLogs(10);
    owner.log = &log;
    owner.keep = 2;
    SetPaths({500});
    SetFree("A:", 5000);

    DiskWatchFirstPass(state, purgeDay);
    EXPECT_EQ(ListNames(folder).size(), 2u);
    makeLogs(9);
    DiskWatchPass(state, purgeDay);
    EXPECT_EQ(ListNames(folder).size(), 6u); // the same day: no purge
    clock.Set(2026, 12, 8, 0, 0, 5);
    DiskWatchPass(state, purgeDay);
    EXPECT_EQ(ListNames(folder), (std::vector<std::string>{"2026_10_03.log", "2026_10_04.log"}));
}

TEST_F(DiskWatchTest, TheWatcherThreadRunsAPassWhenWokenAndStops)
{
    CRecordStore store;
    SetPaths({500, 500});
    store.SetStoragePaths(state.table, 2);
    store.SetOwner(&owner);
    store.SetFullDiskMode(1);
    SetFree("A:", 100);
    SetFree("B:", 100);
    store.StartDiskWatch();
    ASSERT_EQ(WaitForSingleObject(owner.posted, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(owner.Take(), std::vector<int>{DISK_EVENT_FULL_STOPPED});
    EXPECT_EQ(store.IsSpaceOk(), 0);

    SetFree("B:", 900);
    store.WakeDiskWatch();
    ASSERT_EQ(WaitForSingleObject(owner.posted, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(owner.Take(), std::vector<int>{DISK_EVENT_SWITCHED});
    EXPECT_EQ(store.GetCurrentEntry(), 1);
    EXPECT_EQ(store.IsSpaceOk(), 1);

    store.StopDiskWatch();
    store.StopDiskWatch(); // a second stop finds no thread
    store.StartDiskWatch();
    store.StopDiskWatch();
}

} // namespace
