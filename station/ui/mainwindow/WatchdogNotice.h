// The hand-over of a crashed station to the watchdog "Pellinor": the process ends without the
// system's error box, and the watchdog is told which program to start again.
#pragma once

#include <windows.h>

#pragma pack(push, 1)
struct WatchdogCrashNotice {
    char exePath[260];  // "<start directory>\<module name>.exe"
    char startDir[260]; // the start directory
    DWORD processId;    // taken when the main dialog was constructed
};
#pragma pack(pop)
static_assert(sizeof(WatchdogCrashNotice) == 524, "the watchdog reads 524 bytes");

// Fills the notice; both paths are cut to their fields.
void FillCrashNotice(WatchdogCrashNotice& notice, LPCSTR startDir, LPCSTR moduleName, DWORD processId);

// Sends the notice with WM_COPYDATA (wParam = sender) to the window titled "Pellinor", waiting at
// most timeoutMs for a hung watchdog. Returns 1 when it was delivered.
int SendCrashNotice(HWND watchdog, HWND sender, const WatchdogCrashNotice& notice, UINT timeoutMs);

// What the unhandled-exception filter needs, fixed after start-up.
void SetCrashContext(LPCSTR startDir, LPCSTR moduleName, DWORD processId, HWND mainWindow);

// The unhandled-exception filter: hands the crash to the watchdog and ends the process.
LONG WINAPI WatchdogExceptionFilter(EXCEPTION_POINTERS* pointers);
