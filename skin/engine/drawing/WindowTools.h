// Small helpers the skinners share: the window icon, rectangle conversions, monitor rectangles, the
// month calendar's title buttons, resources written to files and temporary file names.
#pragma once
#include <windows.h>

#include <cstddef>

// The window's small icon, else its big one, else the class's small icon, else the first small icon of
// the module file that made the window, drawn 16 x 16 at the position; nothing when there is none.
void DrawWindowIcon(HWND hwnd, HDC dc, POINT position);

void ScreenToClientRect(HWND hwnd, RECT& rect);
void ClientToScreenRect(HWND hwnd, RECT& rect);
RECT MakeRect(int left, int top, int right, int bottom);
// x in the low word, y in the high word, as mouse messages carry a point.
DWORD PackPoint(int x, int y);

// The monitor nearest to the window, point or rectangle: its work area when workArea is set, else its
// whole rectangle. FALSE when no monitor answers.
BOOL GetMonitorRectForWindow(HWND hwnd, RECT& out, BOOL workArea);
BOOL GetMonitorRectForPoint(POINT point, RECT& out, BOOL workArea);
BOOL GetMonitorRectForRect(const RECT& rect, RECT& out, BOOL workArea);
// Moves the rectangle inside the outer one, keeping its size (its top-left corner wins when it is larger).
void ClampRectInside(const RECT& outer, RECT& rect);

// The rectangles of the month calendar's previous and next title buttons, found by hit-testing the upper
// half of its client area; empty when not found.
void FindMonthCalButtons(HWND monthCal, RECT& previous, RECT& next);

// Writes the resource's bytes to the file (created or truncated); FALSE when the resource cannot be found
// or loaded, or the file cannot be opened or written whole.
BOOL SaveResourceToFile(const char* path, HMODULE module, const char* name, const char* type);
// A unique temporary file name ("VL" prefix) in the temporary folder (dir when there is none); when no
// unique name can be made, the folder and the fallback name. ext, when given, is appended after a dot.
// The result is cut to fit out. TRUE when the system made the unique name, which it reserves by creating
// that file (the result without the extension): the caller removes it with its own file.
BOOL MakeTempFileName(char* out, size_t outSize, const char* fallbackName, const char* fallbackDir, const char* ext);

// SetWindowPos flags that only make the system recompute a window's frame.
const UINT kFrameChanged = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

// The point a mouse message carries, its coordinates signed (left of or above the origin on other monitors).
inline POINT PointFromLParam(LPARAM lParam)
{
    POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return p;
}
