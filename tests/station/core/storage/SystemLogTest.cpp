// The system log: daily files of 202-byte records, their listing, copies, deletions and purge.
#include <gtest/gtest.h>

#include "station/core/storage/LogFile.h"
#include "tests/station/core/storage/StorageTestHelpers.h"
#include "station/core/storage/SystemLog.h"
#include "tests/support/TestSupport.h"

#include <string.h>

#include <algorithm>
#include <set>
#include <thread>

namespace {

class SystemLogTest : public ::testing::Test {
protected:
    SystemLogTest() : clock(2026, 12, 7, 10, 15, 30)
    {
        log.SetBaseDir(temp.Path().c_str());
        folder = temp.Path() + "\\Vusk";
    }

    std::vector<SysLogRecord> Records(const std::string& path)
    {
        std::vector<char> bytes = ReadBytes(path);
        std::vector<SysLogRecord> records(bytes.size() / sizeof(SysLogRecord));
        if (!records.empty())
            memcpy(records.data(), bytes.data(), records.size() * sizeof(SysLogRecord));
        return records;
    }

    // A daily file of records of the given types, written directly.
    void WriteDay(const std::string& name, const std::vector<int>& types, bool shortTail = false)
    {
        std::vector<SysLogRecord> records(types.size());
        for (size_t i = 0; i < types.size(); ++i) {
            memset(&records[i], 0, sizeof(SysLogRecord));
            records[i].type = (BYTE)types[i];
            snprintf(records[i].text, sizeof(records[i].text), "event %u", (unsigned)i);
        }
        std::vector<char> bytes((char*)records.data(), (char*)(records.data() + records.size()));
        if (shortTail)
            bytes.insert(bytes.end(), 50, 'x');
        MakeDir(folder);
        WriteBytes(folder + "\\" + name, bytes.data(), bytes.size());
    }

    TempDir temp;
    ScopedClock clock;
    CSystemLog log;
    std::string folder;
};

TEST_F(SystemLogTest, WriteAppendsZeroedRecordsToTheDailyFileOfItsOwnTime)
{
    log.SetCurrentUser("admin");
    log.Write(SYSLOG_ALARM, "Site\\Server\\摄像机1", 3, "视频移动报警", "");
    log.Write(SYSLOG_ABNORMAL, "", 0, "程序异常退出", "2026-12-06 23-59-59");
    log.Write(SYSLOG_LOGIN, "", 0, "登陆系统", "2020-01-01 00-00-00"); // the argument is ignored
    log.Write(SYSLOG_ABNORMAL, "", 0, "程序异常退出", "");

    std::vector<SysLogRecord> records = Records(folder + "\\2026_12_07.log");
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].type, 1);
    EXPECT_EQ(records[0].subType, 3);
    EXPECT_STREQ(records[0].time, "2026-12-07 10-15-30");
    EXPECT_STREQ(records[0].user, "admin");
    EXPECT_STREQ(records[0].text, "视频移动报警");
    EXPECT_STREQ(records[0].detail, "Site\\Server\\摄像机1");
    // Every byte behind a terminator is zero.
    const SysLogRecord& r = records[0];
    for (size_t i = strlen(r.user); i < sizeof(r.user); ++i)
        EXPECT_EQ(r.user[i], 0);
    for (size_t i = strlen(r.detail); i < sizeof(r.detail); ++i)
        EXPECT_EQ(r.detail[i], 0);

    EXPECT_STREQ(records[1].time, "2026-12-06 23-59-59");
    EXPECT_STREQ(records[2].time, "2026-12-07 10-15-30");
    EXPECT_STREQ(records[3].time, "");
}

TEST_F(SystemLogTest, TextsAreCutToTheirFieldOnACharacterBoundary)
{
    struct Case {
        std::string text;
        size_t stored;
    } cases[] = {
        {std::string(47, 'a'), 47},
        {std::string(48, 'a'), 47},
        {std::string(200, 'a'), 47},
        // 24 two-byte characters: the 24th would need bytes 46 and 47, so 23 are kept whole.
        {[] {
             std::string s;
             for (int i = 0; i < 24; ++i)
                 s += "报";
             return s;
         }(),
         46},
    };
    for (const Case& c : cases) {
        log.Write(SYSLOG_CONNECT, std::string(150, 'd').c_str(), 0, c.text.c_str(), "");
    }
    log.SetCurrentUser(std::string(40, 'u').c_str());
    log.Write(SYSLOG_CONNECT, "", 0, "", "");

    std::vector<SysLogRecord> records = Records(folder + "\\2026_12_07.log");
    ASSERT_EQ(records.size(), 5u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(strlen(records[i].text), cases[i].stored) << i;
        EXPECT_EQ(0, memcmp(records[i].text, cases[i].text.data(), cases[i].stored)) << i;
        EXPECT_EQ(strlen(records[i].detail), 99u);
    }
    EXPECT_EQ(strlen(records[4].user), 31u);
}

TEST_F(SystemLogTest, MissingFolderLevelsAreCreatedAndRecordsSplitAtMidnight)
{
    CSystemLog deep;
    deep.SetBaseDir((temp.Path() + "\\a\\b").c_str());
    EXPECT_EQ(std::string(deep.GetBaseDir()), temp.Path() + "\\a\\b\\Vusk\\");

    clock.Set(2026, 12, 7, 23, 59, 59);
    deep.Write(SYSLOG_LOGIN, "", 0, "登陆系统", "");
    clock.Set(2026, 12, 8, 0, 0, 0);
    deep.Write(SYSLOG_LOGIN, "", 0, "退出系统", "");

    std::string deepFolder = temp.Path() + "\\a\\b\\Vusk";
    EXPECT_EQ(ListNames(deepFolder), (std::vector<std::string>{"2026_12_07.log", "2026_12_08.log"}));
    EXPECT_STREQ(Records(deepFolder + "\\2026_12_07.log").at(0).time, "2026-12-07 23-59-59");
    EXPECT_STREQ(Records(deepFolder + "\\2026_12_08.log").at(0).time, "2026-12-08 00-00-00");
}

TEST_F(SystemLogTest, AppendAfterACutOffWriteStaysInStep)
{
    // The day's file ends in half a record: a write cut off by a crash or a full disk.
    WriteDay("2026_12_07.log", {0, 1});
    const std::string path = folder + "\\2026_12_07.log";
    std::vector<char> cut = ReadBytes(path);
    cut.insert(cut.end(), 101, 'x');
    WriteBytes(path, cut.data(), cut.size());

    log.Write(SYSLOG_LOGIN, "", 0, "登陆系统", "");
    log.Write(SYSLOG_LOGIN, "", 0, "退出系统", "");

    std::vector<char> bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 5 * sizeof(SysLogRecord));
    // Nothing written before is lost; the part record is completed with zeros.
    EXPECT_EQ(0, memcmp(bytes.data(), cut.data(), cut.size()));
    for (size_t i = cut.size(); i < 3 * sizeof(SysLogRecord); ++i)
        ASSERT_EQ(bytes[i], 0) << i;
    std::vector<SysLogRecord> records = Records(path);
    EXPECT_STREQ(records[3].text, "登陆系统");
    EXPECT_STREQ(records[4].text, "退出系统");
    EXPECT_EQ(records[4].type, SYSLOG_LOGIN);
    EXPECT_STREQ(records[4].time, "2026-12-07 10-15-30");
}

TEST_F(SystemLogTest, RecordsFromManyThreadsAllArriveWhole)
{
    const int kThreads = 8;
    const int kEach = 150;
    const char* users[] = {"operator-one", "a-much-longer-user-name-two"};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this, t] {
            for (int i = 0; i < kEach; ++i) {
                char text[48];
                snprintf(text, sizeof(text), "thread %d record %d", t, i);
                log.Write(t % 4, "detail", t, text, "");
            }
        });
    }
    // The user changes while the records are written; each record holds one whole name.
    std::thread switcher([&] {
        for (int i = 0; i < 2000; ++i)
            log.SetCurrentUser(users[i % 2]);
    });
    for (std::thread& t : threads)
        t.join();
    switcher.join();

    std::vector<SysLogRecord> records = Records(folder + "\\2026_12_07.log");
    ASSERT_EQ(records.size(), (size_t)(kThreads * kEach));
    std::set<std::string> texts;
    for (const SysLogRecord& r : records) {
        texts.insert(r.text);
        EXPECT_STREQ(r.time, "2026-12-07 10-15-30");
        std::string user = r.user;
        EXPECT_TRUE(user.empty() || user == users[0] || user == users[1]) << user;
    }
    EXPECT_EQ(texts.size(), records.size());
}

TEST_F(SystemLogTest, ListsReadableDailyFiles)
{
    WriteDay("2026_12_05.log", {0, 1});
    WriteDay("2026_12_06.log", {});        // no whole record
    WriteDay("2026_12_07.log", {2}, true); // a cut-off tail does not matter
    WriteDay("notes.txt", {1});

    CPtrArray files;
    log.ListFiles(files);
    std::set<std::string> dates;
    for (INT_PTR i = 0; i < files.GetSize(); ++i) {
        CLogFile* file = static_cast<CLogFile*>(files[i]);
        dates.insert((const char*)file->m_date);
        EXPECT_EQ(std::string(file->m_path), folder + "\\" + (const char*)file->m_date + ".log");
        delete file;
    }
    EXPECT_EQ(dates, (std::set<std::string>{"2026_12_05", "2026_12_07"}));
}

TEST_F(SystemLogTest, CopiesRecordsByCategory)
{
    WriteDay("2026_12_07.log", {0, 1, 1, 2, 4, 1}, true);
    CLogFile file;
    ASSERT_EQ(file.Open((folder + "\\2026_12_07.log").c_str()), 1);
    std::string target = temp.File("copy");

    EXPECT_EQ(file.CopyRecords(target.c_str(), 2), 3); // alarm records, type 1
    std::vector<SysLogRecord> copied = Records(target);
    ASSERT_EQ(copied.size(), 3u);
    EXPECT_STREQ(copied[0].text, "event 1");
    EXPECT_STREQ(copied[2].text, "event 5");

    EXPECT_EQ(file.CopyRecords(target.c_str(), 4), 0); // none of type 3: the target is emptied
    EXPECT_EQ(ReadBytes(target).size(), 0u);

    EXPECT_EQ(file.CopyRecords(target.c_str(), 0), 6); // the whole file, whole records counted
    EXPECT_EQ(ReadBytes(target), ReadBytes(folder + "\\2026_12_07.log"));

    CLogFile missing;
    EXPECT_EQ(missing.Open(temp.File("none.log").c_str()), 0);
    EXPECT_EQ(missing.CopyRecords(target.c_str(), 0), 0);
    EXPECT_EQ(missing.CopyRecords(target.c_str(), 2), 0);
}

TEST_F(SystemLogTest, AppendsDaysOneAfterAnotherWithWholeRecordsOnly)
{
    WriteDay("2026_12_06.log", {0, 1}, true); // a cut-off tail is left behind
    WriteDay("2026_12_07.log", {1, 2, 1});
    CLogFile first, second;
    ASSERT_EQ(first.Open((folder + "\\2026_12_06.log").c_str()), 1);
    ASSERT_EQ(second.Open((folder + "\\2026_12_07.log").c_str()), 1);
    std::string target = temp.File("gathered");
    EXPECT_EQ(first.AppendRecords(target.c_str(), 0), 2);
    EXPECT_EQ(second.AppendRecords(target.c_str(), 0), 3);
    EXPECT_EQ(second.AppendRecords(target.c_str(), 2), 2); // alarm records only
    std::vector<SysLogRecord> gathered = Records(target);
    ASSERT_EQ(gathered.size(), 7u);
    EXPECT_EQ(ReadBytes(target).size(), 7 * sizeof(SysLogRecord));
    EXPECT_STREQ(gathered[2].text, "event 0");
    EXPECT_STREQ(gathered[6].text, "event 2");

    CLogFile missing;
    missing.Open(temp.File("none.log").c_str());
    EXPECT_EQ(missing.AppendRecords(target.c_str(), 0), 0);
    EXPECT_EQ(Records(target).size(), 7u);
}

TEST_F(SystemLogTest, DeletesRecordsByCategory)
{
    std::string path = folder + "\\2026_12_07.log";
    WriteDay("2026_12_07.log", {0, 1, 2, 1, 3});
    log.DeleteRecords(path.c_str(), 2);
    std::vector<SysLogRecord> left = Records(path);
    ASSERT_EQ(left.size(), 3u);
    EXPECT_STREQ(left[0].text, "event 0");
    EXPECT_STREQ(left[1].text, "event 2");
    EXPECT_STREQ(left[2].text, "event 4");
    EXPECT_FALSE(Exists(path + ".bak"));

    std::vector<char> before = ReadBytes(path);
    log.DeleteRecords(path.c_str(), 5); // no record of type 4: unchanged
    EXPECT_EQ(ReadBytes(path), before);

    WriteDay("2026_12_06.log", {1, 1});
    log.DeleteRecords((folder + "\\2026_12_06.log").c_str(), 2); // every record: the file goes
    EXPECT_FALSE(Exists(folder + "\\2026_12_06.log"));

    log.DeleteRecords(path.c_str(), 0);
    EXPECT_FALSE(Exists(path));
}

TEST_F(SystemLogTest, DeleteAllRemovesOnlyLogFiles)
{
    WriteDay("2026_12_05.log", {0});
    WriteDay("2026_12_06.log", {0});
    WriteDay("keep.txt", {0});
    log.DeleteAll();
    EXPECT_EQ(ListNames(folder), std::vector<std::string>{"keep.txt"});
}

TEST_F(SystemLogTest, PurgeKeepsTheNewestDays)
{
    struct Case {
        int files;
        int keep;
        std::vector<std::string> gone;
    } cases[] = {
        {11, 10, {"2026_11_01.log"}},
        {10, 10, {}},
        {11, 0, {}},
        {5, 2, {"2026_11_01.log", "2026_11_02.log", "2026_11_03.log"}},
    };
    for (const Case& c : cases) {
        RemoveTree(folder);
        // Written newest first, so the listing order is not the date order.
        for (int day = c.files; day >= 1; --day) {
            char name[32];
            snprintf(name, sizeof(name), "2026_11_%02d.log", day);
            WriteDay(name, {0});
        }
        log.PurgeOld(c.keep);
        for (int day = 1; day <= c.files; ++day) {
            char name[32];
            snprintf(name, sizeof(name), "2026_11_%02d.log", day);
            bool gone = std::find(c.gone.begin(), c.gone.end(), name) != c.gone.end();
            EXPECT_EQ(Exists(folder + "\\" + name), !gone) << name << " keep " << c.keep;
        }
    }
}

TEST_F(SystemLogTest, PurgeCountsAndDeletesOnlyDailyFiles)
{
    // Other files of the folder neither count as days nor stand for one: purging
    // "2026_11_01_copy.log" as the oldest day would delete the real "2026_11_01.log".
    const std::vector<std::string> strangers = {"2026_11_01_copy.log", "2026_11_00x.log", "readme.log",
                                                "2026-11-01.log",      "2026_1a_01.log",  "0000_00_0.log"};
    for (int day = 1; day <= 3; ++day) {
        char name[32];
        snprintf(name, sizeof(name), "2026_11_%02d.log", day);
        WriteDay(name, {0});
    }
    for (const std::string& name : strangers)
        WriteDay(name, {0});

    log.PurgeOld(3); // three daily files: nothing to purge, whatever else lies there
    EXPECT_EQ(ListNames(folder).size(), 3 + strangers.size());

    log.PurgeOld(2);
    std::vector<std::string> left = strangers;
    left.push_back("2026_11_02.log");
    left.push_back("2026_11_03.log");
    std::sort(left.begin(), left.end());
    EXPECT_EQ(ListNames(folder), left);
}

} // namespace
