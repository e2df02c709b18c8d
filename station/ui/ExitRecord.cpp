// Exit record, heartbeat, autostart and the temporary video folder.
#include "station/ui/ExitRecord.h"

#include "resources/warden/resource.h"
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
    ::WritePrivateProfileStringA(kExitSection, kExitKey, code, ExitIni(startDir));
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
    CString ini = ExitIni(startDir);
    const int values[6] = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    for (int i = 0; i < 6; ++i) {
        char text[16];
        wsprintfA(text, "%d", values[i]);
        ::WritePrivateProfileStringA(kTimeSection, kTimeKeys[i], text, ini);
    }
}

CString WatchdogRunCommand(LPCSTR startDir)
{
    CString command;
    command.Format("\"%s\\%s.exe\" \"%s\"", startDir, kWatchdogName, startDir);
    return command;
}

void WriteStartIni(LPCSTR startDir, LPCSTR exeName, LPCSTR windowTitle)
{
    CString ini = JoinPath(startDir, "start.ini");
    CString exe;
    exe.Format("%s\\%s.exe", startDir, exeName);
    ::WritePrivateProfileStringA("PROGRAMNAME", "NAME", exe, ini);
    ::WritePrivateProfileStringA("PROGRAMNAME", "CURDIRECTORY", startDir, ini);
    ::WritePrivateProfileStringA("PROGRAMNAME", "WINDOWNAME", windowTitle, ini);
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
