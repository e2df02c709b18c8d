// Window helpers: icons, rectangles, monitors, the month calendar's buttons, resource files, temp names.
#include "skin/engine/drawing/WindowTools.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "skin/engine/store/SkinRecords.h"

namespace {

HICON AskIcon(HWND hwnd, WPARAM kind)
{
    DWORD_PTR icon = 0;
    // A window that does not answer within a moment is drawn without its icon rather than waited for.
    if (!SendMessageTimeoutA(hwnd, WM_GETICON, kind, 0, SMTO_ABORTIFHUNG, 200, &icon))
        return NULL;
    return reinterpret_cast<HICON>(icon);
}

BOOL MonitorRect(HMONITOR monitor, RECT& out, BOOL workArea)
{
    MONITORINFO info;
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoA(monitor, &info))
        return FALSE;
    out = workArea ? info.rcWork : info.rcMonitor;
    return TRUE;
}

// Probes one half of the month calendar's upper half for a title button; step +1 scans left to right.
RECT ProbeButton(HWND monthCal, int fromX, int toX, int step, int rows, UINT hitCode)
{
    RECT found = {0, 0, 0, 0};
    bool any = false;
    int first = fromX, last = toX;
    for (int y = 0; y < rows; ++y) {
        bool rowHit = false;
        int rowFirst = 0, rowLast = 0;
        for (int x = first; step > 0 ? x <= last : x >= last; x += step) {
            MCHITTESTINFO info = {};
            info.cbSize = sizeof info;
            info.pt.x = x;
            info.pt.y = y;
            SendMessageA(monthCal, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
            if (info.uHit != hitCode)
                continue;
            if (!any) {
                SetRect(&found, x, y, x, y);
                any = true;
            } else {
                found.left = std::min<LONG>(found.left, x);
                found.right = std::max<LONG>(found.right, x);
                found.bottom = y;
            }
            if (!rowHit)
                rowFirst = x;
            rowLast = x;
            rowHit = true;
        }
        if (any && !rowHit)
            break;
        if (rowHit && y == found.top) {
            // Later rows look only between the first row's outermost hits.
            first = rowFirst;
            last = rowLast;
        }
    }
    if (any)
        InflateRect(&found, 2, 2);
    return found;
}

// Whether the last character is a backslash, and not the trail byte of a double-byte character.
bool EndsWithBackslash(const std::string& path)
{
    bool last = false;
    for (size_t i = 0; i < path.size(); ++i) {
        last = path[i] == '\\';
        if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
            ++i;
            last = false;
        }
    }
    return last;
}

} // namespace

void DrawWindowIcon(HWND hwnd, HDC dc, POINT position)
{
    HICON icon = AskIcon(hwnd, ICON_SMALL);
    if (!icon)
        icon = AskIcon(hwnd, ICON_BIG);
    if (!icon)
        icon = reinterpret_cast<HICON>(GetClassLongPtrA(hwnd, GCLP_HICONSM));
    HICON extracted = NULL;
    if (!icon) {
        char module[MAX_PATH] = "";
        if (GetWindowModuleFileNameA(hwnd, module, sizeof module) && ExtractIconExA(module, 0, NULL, &extracted, 1) &&
            extracted)
            icon = extracted;
    }
    if (icon)
        DrawIconEx(dc, position.x, position.y, icon, 16, 16, 0, NULL, DI_NORMAL);
    if (extracted)
        DestroyIcon(extracted);
}

void ScreenToClientRect(HWND hwnd, RECT& rect)
{
    ScreenToClient(hwnd, reinterpret_cast<POINT*>(&rect.left));
    ScreenToClient(hwnd, reinterpret_cast<POINT*>(&rect.right));
}

void ClientToScreenRect(HWND hwnd, RECT& rect)
{
    ClientToScreen(hwnd, reinterpret_cast<POINT*>(&rect.left));
    ClientToScreen(hwnd, reinterpret_cast<POINT*>(&rect.right));
}

RECT MakeRect(int left, int top, int right, int bottom)
{
    RECT r = {left, top, right, bottom};
    return r;
}

DWORD PackPoint(int x, int y)
{
    return MAKELONG(static_cast<WORD>(x), static_cast<WORD>(y));
}

BOOL GetMonitorRectForWindow(HWND hwnd, RECT& out, BOOL workArea)
{
    return MonitorRect(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), out, workArea);
}

BOOL GetMonitorRectForPoint(POINT point, RECT& out, BOOL workArea)
{
    return MonitorRect(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), out, workArea);
}

BOOL GetMonitorRectForRect(const RECT& rect, RECT& out, BOOL workArea)
{
    return MonitorRect(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), out, workArea);
}

void ClampRectInside(const RECT& outer, RECT& rect)
{
    const LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
    rect.left = std::max(outer.left, std::min(rect.left, outer.right - width));
    rect.top = std::max(outer.top, std::min(rect.top, outer.bottom - height));
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
}

void FindMonthCalButtons(HWND monthCal, RECT& previous, RECT& next)
{
    SetRectEmpty(&previous);
    SetRectEmpty(&next);
    RECT client;
    if (!monthCal || !GetClientRect(monthCal, &client) || client.right <= 1 || client.bottom <= 1)
        return;
    const int half = client.right / 2, rows = client.bottom / 2;
    previous = ProbeButton(monthCal, 0, half - 1, 1, rows, MCHT_TITLEBTNPREV);
    next = ProbeButton(monthCal, client.right - 1, half, -1, rows, MCHT_TITLEBTNNEXT);
}

BOOL SaveResourceToFile(const char* path, HMODULE module, const char* name, const char* type)
{
    HRSRC found = path ? FindResourceA(module, name, type) : NULL;
    HGLOBAL loaded = found ? LoadResource(module, found) : NULL;
    const void* bytes = loaded ? LockResource(loaded) : NULL;
    if (!bytes)
        return FALSE;
    const DWORD size = SizeofResource(module, found);
    FILE* file = std::fopen(path, "w+b");
    if (!file)
        return FALSE;
    const bool written = std::fwrite(bytes, 1, size, file) == size;
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

BOOL MakeTempFileName(char* out, size_t outSize, const char* fallbackName, const char* fallbackDir, const char* ext)
{
    if (!out || outSize == 0)
        return FALSE;
    char folder[MAX_PATH + 1] = "";
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length > MAX_PATH)
        tessarine::CopyText(folder, sizeof folder, fallbackDir ? fallbackDir : "");
    char unique[MAX_PATH] = "";
    std::string name;
    const BOOL made = GetTempFileNameA(folder, "VL", 0, unique) != 0;
    if (made) {
        name = unique;
    } else {
        name = folder;
        if (!name.empty() && !EndsWithBackslash(name))
            name += '\\';
        name += fallbackName ? fallbackName : "";
    }
    if (ext) {
        name += '.';
        name += ext;
    }
    tessarine::CopyText(out, outSize, name.c_str());
    return made;
}
