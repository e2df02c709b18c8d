// The paged record stores: scratch files, appends, pages, reads by row and sorting.
#include <gtest/gtest.h>

#include "station/core/storage/LogFile.h"
#include "station/core/storage/LogPageStore.h"
#include "station/core/storage/QueryResultStore.h"
#include "tests/station/core/storage/StorageTestHelpers.h"
#include "tests/support/TestSupport.h"

#include <string.h>

namespace {

QueryResultRecord Hit(const char* name, int channel, int start, int end, int size, const char* path)
{
    QueryResultRecord r;
    memset(&r, 0, sizeof(r));
    strncpy(r.name, name, sizeof(r.name) - 1);
    r.channel = channel;
    r.start = start;
    r.end = end;
    r.size = size;
    strncpy(r.path, path, sizeof(r.path) - 1);
    return r;
}

std::string PathOf(int i)
{
    char path[32];
    snprintf(path, sizeof(path), "file%03d", i);
    return path;
}

class PagedStoreTest : public ::testing::Test {
protected:
    PagedStoreTest() : temp(true) {}

    // A store in reading state with count records whose path is file000, file001...
    void Fill(CQueryResultStore& store, int count)
    {
        ASSERT_EQ(store.Create(0, 1, nullptr, 0, nullptr, nullptr), 1);
        for (int i = 0; i < count; ++i) {
            QueryResultRecord r = Hit("srv", i % 4, 1000 + i, 2000 + i, i * 10, PathOf(i).c_str());
            ASSERT_EQ(store.Append(&r), 1);
        }
        ASSERT_EQ(store.OpenForRead(), 1);
    }

    std::vector<std::string> Page(CQueryResultStore& store, UINT page)
    {
        std::vector<std::string> paths;
        if (!store.SeekPage(page))
            return paths;
        QueryResultRecord r;
        for (int i = 0; i < store.GetPageSize() && store.ReadNext(&r); ++i)
            paths.push_back(r.path);
        return paths;
    }

    TempDir temp;
};

TEST_F(PagedStoreTest, QueryStorePagesTwentyAtATimeWithAPartialLastPage)
{
    CQueryResultStore store;
    ASSERT_EQ(store.Create(1, 4, "192.168.1.9", 0x12345, "user", "secret"), 1);
    EXPECT_STREQ(store.GetPath(), "fileindex0");
    EXPECT_EQ(store.m_remote, 1);
    EXPECT_EQ(store.m_kind, 4);
    EXPECT_STREQ(store.m_address, "192.168.1.9");
    EXPECT_EQ(store.m_port, 0x2345);
    EXPECT_STREQ(store.m_user, "user");
    EXPECT_STREQ(store.m_password, "secret");
    for (int i = 0; i < 45; ++i) {
        QueryResultRecord r = Hit("srv", 0, i, i, i, PathOf(i).c_str());
        ASSERT_EQ(store.Append(&r), 1);
    }
    ASSERT_EQ(store.OpenForRead(), 1);
    EXPECT_EQ(ReadBytes("fileindex0").size(), 45u * 316);
    EXPECT_EQ(store.OpenForRead(), 0); // no writer any more
    QueryResultRecord late = Hit("x", 0, 0, 0, 0, "x");
    EXPECT_EQ(store.Append(&late), 0);

    store.SetPageSize(20);
    EXPECT_EQ(store.GetPageCount(), 3u);
    EXPECT_EQ(Page(store, 0).front(), "file000");
    EXPECT_EQ(Page(store, 1).size(), 20u);
    std::vector<std::string> last = Page(store, 2);
    ASSERT_EQ(last.size(), 5u);
    EXPECT_EQ(last.back(), "file044");
    EXPECT_FALSE(store.SeekPage(3));
    EXPECT_FALSE(store.SeekPage((UINT)-1));
    EXPECT_EQ(store.GetCurrentPage(), 2);

    // Rows of the current page, read through a handle of their own.
    char path[MAX_PATH] = "untouched";
    EXPECT_EQ(store.ReadPath(4, path), 1);
    EXPECT_STREQ(path, "file044");
    strcpy(path, "untouched");
    EXPECT_EQ(store.ReadPath(5, path), 0);
    EXPECT_STREQ(path, "untouched");
    EXPECT_EQ(store.ReadPath(-40, path), 1); // index -40 of page 2 is record 0; one before is refused
    EXPECT_STREQ(path, "file000");
    EXPECT_EQ(store.ReadPath(-41, path), 0);
    QueryResultRecord r;
    EXPECT_EQ(store.ReadRecord(0, &r), 1);
    EXPECT_STREQ(r.path, "file040");
}

TEST_F(PagedStoreTest, PageArithmetic)
{
    struct Case {
        int count, pageSize;
        UINT pages;
    } cases[] = {{0, 20, 0}, {20, 20, 1}, {21, 20, 2}, {1, 30, 1}, {7, 0, 7}, {7, -3, 7}, {-5, 20, 0}};
    for (const Case& c : cases) {
        CLogPageStore store;
        store.SetCount(c.count);
        store.SetPageSize(c.pageSize);
        EXPECT_EQ(store.GetPageCount(), c.pages) << c.count << "/" << c.pageSize;
    }
    CQueryResultStore empty;
    Fill(empty, 0);
    empty.SetPageSize(20);
    EXPECT_FALSE(empty.SeekPage(0));
}

TEST_F(PagedStoreTest, StoresNeverShareAScratchFile)
{
    WriteBytes("fileindex0", "stale", 5); // left behind by an earlier run
    CQueryResultStore first, second;
    Fill(first, 3);
    Fill(second, 2);
    EXPECT_STREQ(first.GetPath(), "fileindex1");
    EXPECT_STREQ(second.GetPath(), "fileindex2");
    EXPECT_EQ(ReadBytes("fileindex0"), std::vector<char>({'s', 't', 'a', 'l', 'e'}));
    EXPECT_EQ(Page(first, 0).size(), 3u);
    EXPECT_EQ(Page(second, 0).size(), 2u);

    // A closed store deletes its own file once; the name it keeps is not its file any more.
    first.Close();
    EXPECT_FALSE(Exists("fileindex1"));
    CQueryResultStore third;
    Fill(third, 1);
    EXPECT_STREQ(third.GetPath(), "fileindex1");
    first.Close();
    EXPECT_TRUE(Exists("fileindex1"));

    CLogPageStore logs;
    ASSERT_EQ(logs.Create(), 1);
    EXPECT_STREQ(logs.GetPath(), "logindex0");
    CQueryResultStore neverCreated;
    neverCreated.Close();
    EXPECT_TRUE(Exists("fileindex0") && Exists("fileindex1") && Exists("fileindex2") && Exists("logindex0"));

    // Create deletes the previous scratch file before taking a new one.
    ASSERT_EQ(second.Create(0, 1, nullptr, 0, nullptr, nullptr), 1);
    EXPECT_STREQ(second.GetPath(), "fileindex2");
    EXPECT_EQ(second.GetCount(), 0);
}

TEST_F(PagedStoreTest, QueryStoreSortsStablyByEachColumn)
{
    CQueryResultStore store;
    ASSERT_EQ(store.Create(0, 1, nullptr, 0, nullptr, nullptr), 1);
    // path tells the original position.
    QueryResultRecord records[] = {
        Hit("beta", 2, 300, 40, 5, "0"),   Hit("alpha", 1, 100, 10, 7, "1"),   Hit("Beta", 2, 200, 30, 5, "2"),
        Hit("alpha", 0, 100, 20, -1, "3"), Hit("\xb1\xa8", 1, 50, 50, 9, "4"), // a double-byte name sorts last
    };
    for (QueryResultRecord& r : records)
        store.Append(&r);
    ASSERT_EQ(store.OpenForRead(), 1);
    store.SetPageSize(20);

    struct Case {
        int column, ascending;
        const char* order;
    } cases[] = {
        {1, 1, "21304"}, {1, 0, "40132"}, {2, 1, "31402"}, {2, 0, "02143"}, {3, 1, "30214"},
        {3, 0, "41023"}, {4, 1, "41320"}, {4, 0, "02134"}, {5, 1, "13204"}, {0, 0, "40231"},
    };
    for (const Case& c : cases) {
        // From the same starting order each time, so stability shows.
        store.Close();
        ASSERT_EQ(store.Create(0, 1, nullptr, 0, nullptr, nullptr), 1);
        for (QueryResultRecord& r : records)
            store.Append(&r);
        ASSERT_EQ(store.OpenForRead(), 1);
        store.SetPageSize(20);
        ASSERT_EQ(store.Sort(c.column, c.ascending), 1);
        std::string order;
        for (const std::string& p : Page(store, 0))
            order += p;
        EXPECT_EQ(order, c.order) << "column " << c.column << " ascending " << c.ascending;
    }

    // From the order 40231, descending then ascending by channel: the records of equal channel
    // (0 and 2, 4 and 1) keep their relative order both times.
    ASSERT_EQ(store.Sort(2, 0), 1);
    ASSERT_EQ(store.Sort(2, 1), 1);
    std::string order;
    for (const std::string& p : Page(store, 0))
        order += p;
    EXPECT_EQ(order, "34102");

    CQueryResultStore unopened;
    EXPECT_EQ(unopened.Sort(1, 1), 0);
}

TEST_F(PagedStoreTest, LogStorePagesTheViewersCopy)
{
    // A day's log with 70 records, every third one an alarm.
    std::vector<SysLogRecord> day(70);
    for (size_t i = 0; i < day.size(); ++i) {
        memset(&day[i], 0, sizeof(SysLogRecord));
        day[i].type = i % 3 == 0 ? 1 : 0;
        day[i].subType = (BYTE)(i % 5 == 0 ? 200 : i % 5);
        snprintf(day[i].time, sizeof(day[i].time), "2026-12-07 10-%02u-00", (unsigned)(59 - i % 60));
        snprintf(day[i].text, sizeof(day[i].text), "%03u", (unsigned)i);
    }
    WriteBytes("2026_12_07.log", day.data(), day.size() * sizeof(SysLogRecord));
    CLogFile file;
    ASSERT_EQ(file.Open("2026_12_07.log"), 1);

    CLogPageStore store;
    EXPECT_EQ(store.OpenForRead(), 0); // nothing created yet
    ASSERT_EQ(store.Create(), 1);
    EXPECT_TRUE(Exists(store.GetPath()));
    store.SetCount(file.CopyRecords(store.GetPath(), 2));
    EXPECT_EQ(store.GetCount(), 24);
    store.SetPageSize(30);
    ASSERT_EQ(store.OpenForRead(), 1);
    ASSERT_EQ(store.OpenForRead(), 1); // may be repeated
    EXPECT_EQ(store.GetPageCount(), 1u);
    ASSERT_TRUE(store.SeekPage(0));
    SysLogRecord r;
    int read = 0;
    while (store.ReadNext(&r))
        ++read;
    EXPECT_EQ(read, 24);

    // A subType of 200 counts as -56 and so comes before 0.
    ASSERT_EQ(store.Sort(2, 1), 1);
    ASSERT_TRUE(store.SeekPage(0));
    ASSERT_TRUE(store.ReadNext(&r));
    EXPECT_EQ(r.subType, 200);
    EXPECT_STREQ(r.text, "000"); // the first of the equal keys stays first

    // The time text sorts chronologically.
    ASSERT_EQ(store.Sort(0, 1), 1);
    ASSERT_TRUE(store.SeekPage(0));
    std::string previous;
    while (store.ReadNext(&r)) {
        EXPECT_LE(previous, std::string(r.time));
        previous = r.time;
    }
    std::string path = store.GetPath();
    store.Close();
    EXPECT_FALSE(Exists(path));
}

} // namespace
