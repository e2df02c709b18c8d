// Interception of system functions: the platform's scroll-bar functions and, where the system allows,
// its system-colour functions are redirected inside this process to the toolkit's replacements. How
// depends on the kind of operating system: import-table patches on Windows 98 and Me, inline patches on
// NT 4, 2000 and XP, nothing elsewhere. Installed once when the toolkit sets the process up, removed when
// it tears it down.
#pragma once
#include <windows.h>

enum OSKind {
    OSKindOld = 0,   // 16-bit-based, before version 4
    OSKindOther = 1, // any NT-family system not named below
    OSKindWin95 = 2,
    OSKindWin98 = 3,
    OSKindWinMe = 4,
    OSKindNT4 = 5,
    OSKindWin2000 = 6,
    OSKindWinXP = 7,
};

int GetOSKind();
// The kind for a GetVersion value and the version record GetVersionEx filled (NULL: it could not be had).
int OSKindFromVersion(DWORD version, const OSVERSIONINFOA* info);

// 1 when interception was installed, 0 for kinds below 3 (nothing to do).
int InstallApiHooks();
// 1 when removed, 0 for kinds below 3 or when nothing is installed.
int RemoveApiHooks();

// Whether the scroll-bar functions (all eight, or none) and the colour functions are redirected now.
bool ScrollBarFunctionsIntercepted();
bool ColorFunctionsIntercepted();

// The platform's own functions, whichever way they are intercepted; the replacements call these.
struct RealApiFunctions {
    BOOL(WINAPI* enableScrollBar)(HWND, UINT, UINT);
    BOOL(WINAPI* getScrollInfo)(HWND, int, LPSCROLLINFO);
    int(WINAPI* getScrollPos)(HWND, int);
    BOOL(WINAPI* getScrollRange)(HWND, int, LPINT, LPINT);
    int(WINAPI* setScrollInfo)(HWND, int, LPCSCROLLINFO, BOOL);
    int(WINAPI* setScrollPos)(HWND, int, int, BOOL);
    BOOL(WINAPI* setScrollRange)(HWND, int, int, int, BOOL);
    BOOL(WINAPI* showScrollBar)(HWND, int, BOOL);
    DWORD(WINAPI* getSysColor)(int);
    HBRUSH(WINAPI* getSysColorBrush)(int);
};
const RealApiFunctions& RealApi();
