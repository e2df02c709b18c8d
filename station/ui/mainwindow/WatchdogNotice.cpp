// The crash notice to the watchdog.
#include "station/ui/mainwindow/WatchdogNotice.h"

#include <afxstr.h>
#include <stdio.h>

namespace {

// Fixed once the main dialog exists; the filter runs on whatever thread crashed.
struct CrashContext {
    char startDir[MAX_PATH];
    char moduleName[MAX_PATH];
    DWORD processId;
    HWND mainWindow;
};
CrashContext g_context;

const UINT kCrashNoticeWaitMs = 5000;

} // namespace

void FillCrashNotice(WatchdogCrashNotice& notice, LPCSTR startDir, LPCSTR moduleName, DWORD processId)
{
    memset(&notice, 0, sizeof notice);
    char path[2 * MAX_PATH + 8];
    snprintf(path, sizeof path, "%s\\%s.exe", startDir, moduleName);
    CopyText(notice.exePath, path);
    CopyText(notice.startDir, startDir);
    notice.processId = processId;
}

int SendCrashNotice(HWND watchdog, HWND sender, const WatchdogCrashNotice& notice, UINT timeoutMs)
{
    COPYDATASTRUCT data = {};
    data.dwData = 0;
    data.cbData = sizeof notice;
    data.lpData = (void*)&notice;
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(watchdog, WM_COPYDATA, (WPARAM)sender, (LPARAM)&data, SMTO_ABORTIFHUNG, timeoutMs,
                                 &result) != 0;
}

void SetCrashContext(LPCSTR startDir, LPCSTR moduleName, DWORD processId, HWND mainWindow)
{
    CopyText(g_context.startDir, startDir);
    CopyText(g_context.moduleName, moduleName);
    g_context.processId = processId;
    g_context.mainWindow = mainWindow;
}

LONG WINAPI WatchdogExceptionFilter(EXCEPTION_POINTERS*)
{
    HWND watchdog = ::FindWindowA(nullptr, "Pellinor");
    if (watchdog == nullptr)
        return EXCEPTION_EXECUTE_HANDLER;
    WatchdogCrashNotice notice;
    FillCrashNotice(notice, g_context.startDir, g_context.moduleName, g_context.processId);
    SendCrashNotice(watchdog, g_context.mainWindow, notice, kCrashNoticeWaitMs);
    return EXCEPTION_EXECUTE_HANDLER;
}
