// Exit record, heartbeat, autostart and the temporary video folder.
#include "station/ui/mainwindow/ExitRecord.h"

#include "resources/warden/resource.h"
#include "station/core/datamodel/IniDocument.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/storage/SystemLog.h"

const char kWatchdogName[] = "Pellinor";
const char kRunValueName[] = "Quillmoor";

namespace {

const char kExitSection[] = "EXIT";
const char kExitKey[] = "EXITCODE";
const char kTimeSection[] = "EXITTIME";
const char* const kTimeKeys[6] = {"YEAR", "MONTH", "DAY", "HOUR", "MINUTE", "SECOND"};

CString ExitIni(LPCSTR startDir)
{
    return JoinPath(startDir, "exit.ini");
}

} // namespace

void WriteExitCode(LPCSTR startDir, LPCSTR code)
{
    // Saved whole like every other write of the file: a stop during an in-place rewrite would
    // empty it, and a missing code reads as a clean exit.
    CIniDocument ini;
    ini.Load(ExitIni(startDir));
    ini.SetString(kExitSection, kExitKey, code);
    ini.Save();
}

CString ReadExitCode(LPCSTR startDir)
{
    char code[4] = "";
    ::GetPrivateProfileStringA(kExitSection, kExitKey, "1", code, sizeof code, ExitIni(startDir));
    return code;
}

CString ReadHeartbeatText(LPCSTR startDir)
{
    CString ini = ExitIni(startDir);
    int values[6];
    for (int i = 0; i < 6; ++i) {
        char text[6] = "";
        ::GetPrivateProfileStringA(kTimeSection, kTimeKeys[i], "", text, i == 0 ? 5 : 3, ini);
        values[i] = atoi(text);
    }
    CString when;
    when.Format("%04d-%02d-%02d %02d-%02d-%02d", values[0], values[1], values[2], values[3], values[4], values[5]);
    return when;
}

int CheckLastExit(LPCSTR startDir, CSystemLog* log)
{
    int abnormal = ReadExitCode(startDir) == "0";
    if (abnormal && log != nullptr) {
        CString text;
        text.LoadString(IDS_LOG_ABNORMAL_EXIT);
        log->Write(SYSLOG_ABNORMAL, "", 0, text, ReadHeartbeatText(startDir));
    }
    WriteExitCode(startDir, "0");
    return abnormal;
}

void WriteHeartbeat(LPCSTR startDir, const SYSTEMTIME& now)
{
    // The six fields change together: a stop between two of them must not leave a time that never was.
    CIniDocument ini;
    ini.Load(ExitIni(startDir));
    const int values[6] = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    for (int i = 0; i < 6; ++i)
        ini.SetNumber(kTimeSection, kTimeKeys[i], values[i]);
    ini.Save();
}

CString WatchdogRunCommand(LPCSTR startDir)
{
    CString command;
    command.Format("\"%s\\%s.exe\" \"%s\"", startDir, kWatchdogName, startDir);
    return command;
}

void WriteStartIni(LPCSTR startDir, LPCSTR exeName, LPCSTR windowTitle)
{
    CIniDocument ini;
    ini.Load(JoinPath(startDir, "start.ini"));
    CString exe;
    exe.Format("%s\\%s.exe", startDir, exeName);
    ini.SetString("PROGRAMNAME", "NAME", exe);
    ini.SetString("PROGRAMNAME", "CURDIRECTORY", startDir);
    ini.SetString("PROGRAMNAME", "WINDOWNAME", windowTitle);
    ini.Save();
}

void RegisterAutoStart(LPCSTR startDir, LPCSTR exeName, LPCSTR windowTitle)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\", 0, KEY_WRITE,
                        &key) == ERROR_SUCCESS) {
        CString command = WatchdogRunCommand(startDir);
        ::RegSetValueExA(key, kRunValueName, 0, REG_SZ, (const BYTE*)(LPCSTR)command, command.GetLength() + 1);
        ::RegCloseKey(key);
    }
    WriteStartIni(startDir, exeName, windowTitle);
    if (::FindWindowA(nullptr, kWatchdogName) != nullptr)
        return;
    CString exe;
    exe.Format("%s\\%s.exe", startDir, kWatchdogName);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (::CreateProcessA(exe, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
}

void DeleteTempVideoFiles(LPCSTR startDir)
{
    CString folder = JoinPath(startDir, "Temp Video");
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(folder + "\\*.*", &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        ::DeleteFileA(JoinPath(folder, found.cFileName));
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
}
