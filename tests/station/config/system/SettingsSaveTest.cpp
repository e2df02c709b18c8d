// The settings files the dialogs save ("sysrecord.dat", "serverinfo.dat", "start.ini"): a save
// that cannot replace its file tells the operator and the system log and leaves the file as it
// was, and a station stopped at any moment of a save leaves the old file or the new one, never a
// mix of both or an empty file.
#include <gtest/gtest.h>

#include <random>

#include "station/config/servers/DlgServerList.h"
#include "station/config/servers/DlgServerParam.h"
#include "station/config/servers/ServerInfoFile.h"
#include "station/config/system/StartSchedule.h"
#include "station/core/datamodel/SaveLeftovers.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/core/storage/StoragePathFile.h"
#include "station/core/storage/SystemLog.h"
#include "tests/station/config/system/SysSettingTestSupport.h"
#include "tests/station/mainwindow/MainTestSupport.h"

namespace {

// The system log of the station, kept in the test's start directory.
class LoggingStationWindows : public CNullStationWindows {
public:
    CSystemLog* GetSystemLog() override { return &log; }
    CSystemLog log;
};

std::string Bytes(const void* data, size_t size)
{
    return std::string(static_cast<const char*>(data), size);
}

// Two versions of each file's content, different in every value, none of them what a missing or
// empty file reads as.
StartSchedule Schedule(int version)
{
    StartSchedule schedule = {};
    for (TimedSwitch* timed : {&schedule.start, &schedule.stop}) {
        timed->enabled = version == 0 ? 1 : 0;
        for (TimedEntry& entry : timed->entries)
            entry = {version + 1, 10 * (version + 1), version == 0 ? 1 : 0};
    }
    schedule.autorun = version == 0 ? 1 : 0;
    return schedule;
}

std::vector<StoragePathEntry> Roots(int version)
{
    if (version == 0)
        return {MakeStorageEntry("C:", 700, "C:\\rec"), MakeStorageEntry("F:", 300, "F:\\cams")};
    return {MakeStorageEntry("D:", 900, ""), MakeStorageEntry("E:", 100, "E:\\录像"), MakeStorageEntry("G:", 5, "")};
}

std::vector<ServerInfoRecord> ServerRecords(int version)
{
    ServerInfoRecord a = {};
    CopyText(a.name, version == 0 ? "总部" : "分部");
    CopyText(a.address, version == 0 ? "10.0.0.1" : "10.0.0.2");
    CopyText(a.user, "admin");
    a.port = 3000 + version;
    std::vector<ServerInfoRecord> records(1 + version, a);
    return records;
}

// What the named file's save writes: version 0 or 1 of its content, into the start directory.
bool SaveVersion(const std::string& file, int version)
{
    if (file == "start.ini")
        return WriteStartSchedule(StationFilePath("start.ini"), Schedule(version), GetStartDirectory(), "Warden");
    if (file == "sysrecord.dat") {
        std::vector<StoragePathEntry> roots = Roots(version);
        return SaveStorageRoots(GetStartDirectory(), roots.data(), (int)roots.size());
    }
    std::vector<ServerInfoRecord> records = ServerRecords(version);
    CServerInfoArray array;
    for (ServerInfoRecord& record : records)
        array.Add(&record);
    return SaveServerInfo(ServerInfoPath(), array);
}

// The version the file on disk holds, as its readers see it; -1 for anything else.
int VersionOnDisk(const std::string& startDir, const std::string& file)
{
    if (file == "start.ini") {
        const std::string ini = startDir + "\\start.ini";
        char title[64] = "";
        GetPrivateProfileStringA("PROGRAMNAME", "WINDOWNAME", "", title, sizeof title, ini.c_str());
        if (std::string(title) != "监控中心") // the watchdog's key, which no schedule save writes
            return -1;
        StartSchedule read = {};
        ReadStartSchedule(ini.c_str(), read);
        for (int version : {0, 1}) {
            StartSchedule expected = Schedule(version);
            if (memcmp(&read, &expected, sizeof read) == 0)
                return version;
        }
        return -1;
    }
    FILE* in = fopen((startDir + "\\" + file).c_str(), "rb");
    std::string bytes;
    char buffer[4096];
    for (size_t n; in != nullptr && (n = fread(buffer, 1, sizeof buffer, in)) > 0;)
        bytes.append(buffer, n);
    if (in != nullptr)
        fclose(in);
    for (int version : {0, 1}) {
        if (file == "sysrecord.dat") {
            std::vector<StoragePathEntry> roots = Roots(version);
            if (bytes == Bytes(roots.data(), roots.size() * sizeof roots[0]))
                return version;
        } else {
            std::vector<ServerInfoRecord> records = ServerRecords(version);
            if (bytes == Bytes(records.data(), records.size() * sizeof records[0]))
                return version;
        }
    }
    return -1;
}

// The child of the kill test: the environment names its start directory, the file it saves and
// the semaphore it releases after each whole save.
const char kChildDirVariable[] = "WARDEN_SAVE_KILL_DIR";
const char kChildFileVariable[] = "WARDEN_SAVE_KILL_FILE";
const char kChildSavedVariable[] = "WARDEN_SAVE_KILL_SAVED";

std::string Environment(const char* name)
{
    char value[MAX_PATH] = "";
    GetEnvironmentVariableA(name, value, sizeof value);
    return value;
}

class SettingsSaveTest : public SysSettingTest {
protected:
    void SetUp() override
    {
        SysSettingTest::SetUp();
        previousWindows_ = SetStationWindows(&logging_);
        logging_.log.SetBaseDir(dir_->Path().c_str());
    }
    void TearDown() override
    {
        SetStationWindows(previousWindows_);
        SysSettingTest::TearDown();
    }

    LoggingStationWindows logging_;
    IStationWindows* previousWindows_ = nullptr;
};

} // namespace

TEST_F(SettingsSaveTest, ASaveThatCannotReplaceItsFileIsReportedAndTheFileStays)
{
    const struct Case {
        const char* file;
        std::function<void()> save; // the operator's action that saves the file
    } cases[] = {
        {"sysrecord.dat",
         [] {
             CDlgSysSetting dialog;
             RunModal(dialog, {OnTab(tabDrives,
                                     [](CDlgSysSetting* d, CWnd*) {
                                         d->m_drives.m_list.SetCheckbox(1, 0, 1); // D: as well
                                     }),
                               PressOk()});
         }},
        {"start.ini",
         [] {
             CDlgSysSetting dialog;
             RunModal(dialog, {OnTab(tabSoftware, [](CDlgSysSetting*,
                                                     CWnd* page) { SetCheckBox(page, IDC_SYSTIMER_AUTORUN, false); }),
                               PressOk()});
         }},
        {"serverinfo.dat",
         [] {
             CDlgServerList dialog;
             RunModal(dialog, {[](CWnd* modal) {
                                   if (dynamic_cast<CDlgServerList*>(modal) == nullptr)
                                       return false;
                                   ClickButton(modal, IDC_SRVLIST_ADD);
                                   return true;
                               },
                               [](CWnd* modal) {
                                   if (dynamic_cast<CDlgServerParam*>(modal) == nullptr)
                                       return false;
                                   SetText(modal, IDC_SRVPARAM_NAME, "新站");
                                   SetText(modal, IDC_SRVPARAM_PORT, "3300");
                                   ClickButton(modal, IDOK);
                                   return true;
                               },
                               [](CWnd* modal) {
                                   if (dynamic_cast<CDlgServerList*>(modal) == nullptr)
                                       return false;
                                   ClickButton(modal, IDCANCEL); // the list is saved however it closes
                                   return true;
                               }});
         }},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(SaveVersion(c.file, 0)) << c.file;
        if (std::string(c.file) == "start.ini")
            WritePrivateProfileStringA("PROGRAMNAME", "WINDOWNAME", "监控中心", StartPath("start.ini").c_str());
        const std::string before = FileBytes(c.file);
        const size_t logged = ReadLogRecords(dir_->Path()).size();
        // Where the save writes its new file first, a folder stands.
        ASSERT_TRUE(CreateDirectoryA(StartPath(std::string(c.file) + ".tmp").c_str(), nullptr));
        MessageBoxRecorder boxes;
        c.save();
        RemoveDirectoryA(StartPath(std::string(c.file) + ".tmp").c_str());

        EXPECT_EQ(before, FileBytes(c.file)) << c.file;
        std::vector<std::string> reports;
        for (const RecordedBox& box : boxes.Boxes()) {
            if (box.text.find("保存文件") != std::string::npos)
                reports.push_back(box.text);
        }
        EXPECT_EQ(std::vector<std::string>{"保存文件" + std::string(c.file) + "失败，文件保持原来的内容!"}, reports)
            << c.file;
        std::vector<SysLogRecord> records = ReadLogRecords(dir_->Path());
        ASSERT_EQ(logged + 1, records.size()) << c.file;
        EXPECT_EQ(SYSLOG_ALARM, records.back().type) << c.file;
        EXPECT_STREQ("保存文件失败", records.back().text) << c.file;
        EXPECT_STREQ(c.file, records.back().detail) << c.file;
    }
}

TEST_F(SettingsSaveTest, AFileThatCanOnlyBeReadIsReadNotTakenForAMissingOne)
{
    // Left read-only by a copy from a disc, or held by a program that lets others read it only: the
    // station must still record where the file says, and the pick list must still be there.
    std::vector<HANDLE> held;
    const struct Case {
        const char* what;
        std::function<void(const std::string& path)> hold;
    } cases[] = {
        {"read-only", [](const std::string& path) { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY); }},
        {"shared for reading only",
         [&](const std::string& path) {
             held.push_back(
                 CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
         }},
    };
    for (const Case& c : cases) {
        for (const char* file : {"sysrecord.dat", "serverinfo.dat"}) {
            ASSERT_TRUE(SaveVersion(file, 0)) << file;
            c.hold(StartPath(file));
        }
        StoragePathEntry roots[kMaxStoragePaths] = {};
        EXPECT_EQ(2, LoadStorageRoots(GetStartDirectory(), roots)) << c.what;
        EXPECT_STREQ("C:", roots[0].root) << c.what;
        CServerInfoArray servers;
        EXPECT_TRUE(LoadServerInfo(ServerInfoPath(), servers)) << c.what;
        EXPECT_EQ(1, servers.GetSize()) << c.what;
        FreeServerInfo(servers);
        for (HANDLE handle : held)
            CloseHandle(handle);
        held.clear();
        for (const char* file : {"sysrecord.dat", "serverinfo.dat"})
            SetFileAttributesA(StartPath(file).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// Runs only as the child of the kill test below: saves the two versions in turn until stopped.
TEST(SettingsSaveChild, SavesUntilStopped)
{
    const std::string dir = Environment(kChildDirVariable);
    if (dir.empty())
        GTEST_SKIP() << "the child of SettingsSaveTest.AStopAtAnyMomentOfASaveLeavesTheOldOrTheNewFile";
    SetStartDirectory(dir.c_str());
    HANDLE saved = OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, Environment(kChildSavedVariable).c_str());
    ASSERT_NE(nullptr, saved);
    const std::string file = Environment(kChildFileVariable);
    // Stopped by the parent long before this runs out; bounded so that a lost child still ends.
    for (int i = 1; i < 100000; ++i) {
        SaveVersion(file, i % 2);
        ReleaseSemaphore(saved, 1, nullptr);
    }
    FAIL() << "the saves were not stopped";
}

TEST_F(SettingsSaveTest, AStopAtAnyMomentOfASaveLeavesTheOldOrTheNewFile)
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    const unsigned seed = GetTickCount();
    std::mt19937 random(seed);
    const int kStops = 6;
    for (const char* file : {"start.ini", "sysrecord.dat", "serverinfo.dat"}) {
        int seen[2] = {};
        for (int stop = 0; stop < kStops; ++stop) {
            SetStartDirectory(dir_->Path().c_str());
            ASSERT_TRUE(SaveVersion(file, 0));
            // The watchdog's key, written at the station's start, beside the schedule.
            WritePrivateProfileStringA("PROGRAMNAME", "WINDOWNAME", "监控中心", StartPath("start.ini").c_str());
            std::string semaphoreName =
                "warden-save-kill-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(stop);
            HANDLE saved = CreateSemaphoreA(nullptr, 0, 0x7FFFFFFF, semaphoreName.c_str());
            ASSERT_NE(nullptr, saved);
            // The child inherits the variables; this process forgets them at once.
            SetEnvironmentVariableA(kChildDirVariable, dir_->Path().c_str());
            SetEnvironmentVariableA(kChildFileVariable, file);
            SetEnvironmentVariableA(kChildSavedVariable, semaphoreName.c_str());
            ChildProcess child;
            bool started = child.Start(self, "--gtest_filter=SettingsSaveChild.SavesUntilStopped", dir_->Path());
            SetEnvironmentVariableA(kChildDirVariable, nullptr);
            SetEnvironmentVariableA(kChildFileVariable, nullptr);
            SetEnvironmentVariableA(kChildSavedVariable, nullptr);
            ASSERT_TRUE(started);
            // A few whole saves, then the stop lands somewhere in a later one.
            for (int whole = (int)(random() % 4) + 1; whole > 0; --whole)
                ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(saved, 60000)) << file << ": the child saves nothing";
            for (volatile unsigned spin = random() % 400000; spin > 0; --spin) {
            }
            child.Kill();
            CloseHandle(saved);
            ASSERT_FALSE(child.Running());

            int version = VersionOnDisk(dir_->Path(), file);
            ASSERT_NE(-1, version) << file << ", stop " << stop << " (seed " << seed << ")";
            ++seen[version];
            // The next start removes what the stopped save left beside the file.
            RemoveInterruptedSaveLeftovers();
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(StartPath(std::string(file) + ".tmp").c_str()))
                << file;
        }
        RecordProperty(std::string(file) + " old/new", std::to_string(seen[0]) + "/" + std::to_string(seen[1]));
    }
}
