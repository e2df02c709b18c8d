// Exit record, heartbeat, autostart, the crash notice, and the settings' export and import.
#include <gtest/gtest.h>

#include <functional>

#include "station/config/queries/FileQueryRules.h"
#include "station/config/system/StartSchedule.h"
#include "station/ui/mainwindow/ExitRecord.h"
#include "station/ui/mainwindow/SettingsTransfer.h"
#include "station/ui/mainwindow/WatchdogNotice.h"
#include "tests/station/mainwindow/MainTestSupport.h"
#include "tests/support/TestSupport.h"

TEST(ExitRecord, FirstStartLogsNothingAndLeavesRunning)
{
    TempDir dir;
    CSystemLog log;
    log.SetBaseDir(dir.Path().c_str());
    EXPECT_EQ(0, CheckLastExit(dir.Path().c_str(), &log));
    EXPECT_TRUE(ReadLogRecords(dir.Path()).empty());
    EXPECT_EQ("0", ReadIni(dir.File("exit.ini"), "EXIT", "EXITCODE"));
}

TEST(ExitRecord, UncleanExitIsLoggedWithTheLastHeartbeat)
{
    TempDir dir;
    CSystemLog log;
    log.SetBaseDir(dir.Path().c_str());
    WriteExitCode(dir.Path().c_str(), "0");
    EXPECT_EQ(1, CheckLastExit(dir.Path().c_str(), &log));
    SYSTEMTIME beat = {};
    beat.wYear = 2026, beat.wMonth = 12, beat.wDay = 7, beat.wHour = 21, beat.wMinute = 5, beat.wSecond = 33;
    WriteHeartbeat(dir.Path().c_str(), beat);
    EXPECT_EQ("2026", ReadIni(dir.File("exit.ini"), "EXITTIME", "YEAR"));
    EXPECT_EQ("5", ReadIni(dir.File("exit.ini"), "EXITTIME", "MINUTE"));
    EXPECT_EQ(1, CheckLastExit(dir.Path().c_str(), &log));
    std::vector<SysLogRecord> records = ReadLogRecords(dir.Path());
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ(SYSLOG_ABNORMAL, records[0].type);
    EXPECT_STREQ("0000-00-00 00-00-00", records[0].time) << "no heartbeat section yet";
    EXPECT_STREQ("2026-12-07 21-05-33", records[1].time);
    EXPECT_STREQ("程序异常退出", records[1].text);
    WriteExitCode(dir.Path().c_str(), "1");
    EXPECT_EQ(0, CheckLastExit(dir.Path().c_str(), &log));
}

TEST(ExitRecord, RunValueQuotesPathsWithBlanks)
{
    EXPECT_EQ(std::string("\"C:\\Program Files\\Warden\\Pellinor.exe\" \"C:\\Program Files\\Warden\""),
              std::string(WatchdogRunCommand("C:\\Program Files\\Warden")));
}

TEST(ExitRecord, StartIniAndTempVideoFiles)
{
    TempDir dir;
    WriteStartIni(dir.Path().c_str(), "Warden", "Quillmoor");
    EXPECT_EQ(dir.Path() + "\\Warden.exe", ReadIni(dir.File("start.ini"), "PROGRAMNAME", "NAME"));
    EXPECT_EQ(dir.Path(), ReadIni(dir.File("start.ini"), "PROGRAMNAME", "CURDIRECTORY"));
    EXPECT_EQ("Quillmoor", ReadIni(dir.File("start.ini"), "PROGRAMNAME", "WINDOWNAME"));

    DeleteTempVideoFiles(dir.Path().c_str()); // no folder: nothing happens
    CreateDirectoryA(dir.File("Temp Video").c_str(), nullptr);
    WriteFile(dir.File("Temp Video\\a.asf"), "x");
    WriteFile(dir.File("Temp Video\\b.asf"), "y");
    DeleteTempVideoFiles(dir.Path().c_str());
    EXPECT_FALSE(FileExists(dir.File("Temp Video\\a.asf")));
    EXPECT_FALSE(FileExists(dir.File("Temp Video\\b.asf")));
}

TEST(ExitRecord, EveryProfileWriteReplacesItsFileWholeOrNotAtAll)
{
    TempDir dir;
    const std::string start = dir.Path();
    const struct Case {
        const char* file;
        const char* section; // one of the keys the write sets
        const char* key;
        std::function<void()> write;
    } cases[] = {
        {"exit.ini", "EXITTIME", "YEAR",
         [&] {
             SYSTEMTIME beat = {2026, 12, 5, 7, 21, 5, 33, 0};
             WriteHeartbeat(start.c_str(), beat);
         }},
        {"exit.ini", "EXIT", "EXITCODE", [&] { WriteExitCode(start.c_str(), "1"); }},
        {"start.ini", "PROGRAMNAME", "WINDOWNAME", [&] { WriteStartIni(start.c_str(), "Warden", "Quillmoor"); }},
        {"start.ini", "STOPTIME", "ENABLE",
         [&] {
             StartSchedule schedule = {};
             WriteStartSchedule((start + "\\start.ini").c_str(), schedule, start.c_str(), "Warden");
         }},
        {"PlayUsrParam.ini", "USERINFO", "PORT",
         [&] {
             PlayUserParams params = {"10.0.0.9", "op", "pw", 3100};
             WritePlayUserParams(start.c_str(), params);
         }},
    };
    for (const Case& c : cases) {
        const std::string path = dir.File(c.file);
        // Another program's section, and the key with a value no write here gives it.
        const std::string before = "[OTHER]\r\nkeep=1\r\n[" + std::string(c.section) + "]\r\n" + c.key + "=old\r\n";
        WriteFile(path, before);
        // The new file cannot be made: the write changes nothing, not even one key.
        ASSERT_TRUE(CreateDirectoryA((path + ".tmp").c_str(), nullptr));
        c.write();
        RemoveDirectoryA((path + ".tmp").c_str());
        EXPECT_EQ(before, FileBytes(path)) << c.file << " " << c.key;

        c.write();
        EXPECT_NE("old", ReadIni(path, c.section, c.key)) << c.file << " " << c.key;
        EXPECT_EQ("1", ReadIni(path, "OTHER", "keep")) << c.file << " " << c.key;
        EXPECT_FALSE(FileExists(path + ".tmp")) << c.file << " " << c.key;
    }
}

namespace {

struct ReceivedNotice {
    HWND sender = nullptr;
    ULONG_PTR dwData = 99;
    DWORD size = 0;
    WatchdogCrashNotice notice = {};
} g_received;

LRESULT CALLBACK WatchdogWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const COPYDATASTRUCT* data = (const COPYDATASTRUCT*)lParam;
        g_received.sender = (HWND)wParam;
        g_received.dwData = data->dwData;
        g_received.size = data->cbData;
        if (data->cbData == sizeof g_received.notice)
            memcpy(&g_received.notice, data->lpData, data->cbData);
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

TEST(WatchdogNotice, Sends524BytesWithTheMainWindowAndCutsLongPaths)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WatchdogWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MainTestWatchdog";
    RegisterClassA(&wc);
    HWND watchdog = CreateWindowA("MainTestWatchdog", "watchdog under test", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, watchdog);
    WatchdogCrashNotice notice;
    std::string longDir = "C:\\" + std::string(300, 'd');
    FillCrashNotice(notice, longDir.c_str(), "Warden", 4321);
    EXPECT_EQ(259u, strlen(notice.startDir));
    EXPECT_EQ(259u, strlen(notice.exePath));
    FillCrashNotice(notice, "C:\\Station", "Warden", 4321);
    HWND sender = (HWND)(LONG_PTR)0x1234;
    EXPECT_EQ(1, SendCrashNotice(watchdog, sender, notice, 2000));
    EXPECT_EQ(524u, g_received.size);
    EXPECT_EQ(0u, g_received.dwData);
    EXPECT_EQ(sender, g_received.sender);
    EXPECT_STREQ("C:\\Station\\Warden.exe", g_received.notice.exePath);
    EXPECT_STREQ("C:\\Station", g_received.notice.startDir);
    EXPECT_EQ(4321u, g_received.notice.processId);
    DestroyWindow(watchdog);
}

TEST(SettingsTransfer, ExportReportsFailureWhenAFileIsMissingButCopiesTheRest)
{
    TempDir start, folder;
    for (const char* name : kExportOrder)
        WriteFile(start.File(name), name);
    WriteFile(folder.File("servertree.cfg"), "old");
    EXPECT_EQ(0, ExportSettingsFiles(start.Path().c_str(), folder.Path().c_str()));
    for (const char* name : kExportOrder)
        EXPECT_TRUE(FileExists(folder.File(name))) << name;
    DeleteFileA(start.File("broadcast.cfg").c_str());
    TempDir second;
    EXPECT_EQ(1, ExportSettingsFiles(start.Path().c_str(), second.Path().c_str()));
    EXPECT_TRUE(FileExists(second.File("loopview.cfg")));
}

TEST(SettingsTransfer, ImportReportsEachMissingFileOnItsOwnLine)
{
    TempDir start, folder;
    for (const char* name : kImportOrder) {
        if (strcmp(name, "pageview.cfg") != 0 && strcmp(name, "loopview.cfg") != 0)
            WriteFile(folder.File(name), name);
    }
    int copied = 0;
    CString report = ImportSettingsFiles(start.Path().c_str(), folder.Path().c_str(), &copied);
    EXPECT_EQ(6, copied);
    EXPECT_EQ(std::string("导入pageview.cfg文件失败!\t\r\n导入loopview.cfg文件失败!\t\r\n导入参数需重启后生效!"),
              std::string(report));
}

TEST(SettingsTransfer, StorageRootsFromWholeRecordsOnly)
{
    TempDir start;
    StoragePathEntry table[kMaxStoragePaths];
    EXPECT_EQ(1, LoadStorageRoots(start.Path().c_str(), table)) << "missing file";
    EXPECT_STREQ("D:", table[0].root);
    EXPECT_EQ(500, table[0].reserve);
    EXPECT_STREQ("", table[0].dir);
    EXPECT_TRUE(FileExists(start.File("sysrecord.dat"))) << "created when missing";

    // One whole record, then a short one; the texts unterminated in the file.
    std::string bytes(276 + 100, 'E');
    memcpy(&bytes[12], "\x10\x00\x00\x00", 4);
    WriteFile(start.File("sysrecord.dat"), bytes);
    EXPECT_EQ(1, LoadStorageRoots(start.Path().c_str(), table));
    EXPECT_EQ(11u, strlen(table[0].root));
    EXPECT_EQ(16, table[0].reserve);
    EXPECT_EQ(259u, strlen(table[0].dir));

    WriteFile(start.File("sysrecord.dat"), std::string(276 * 41, '\0'));
    EXPECT_EQ(kMaxStoragePaths, LoadStorageRoots(start.Path().c_str(), table));
}
