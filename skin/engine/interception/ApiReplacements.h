// The functions that take the place of the platform's scroll-bar and system-colour functions while the
// interception is in force. System colours and their brushes come from the current skin's SysColorTable
// object when the skin has one. A window with skin scroll bars answers the scroll-bar functions from
// them; every other call goes on to the platform's own function.
#pragma once
#include <windows.h>

BOOL WINAPI SkinEnableScrollBar(HWND hwnd, UINT bar, UINT arrows);
BOOL WINAPI SkinGetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info);
int WINAPI SkinGetScrollPos(HWND hwnd, int bar);
BOOL WINAPI SkinGetScrollRange(HWND hwnd, int bar, LPINT minimum, LPINT maximum);
int WINAPI SkinSetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw);
int WINAPI SkinSetScrollPos(HWND hwnd, int bar, int position, BOOL redraw);
BOOL WINAPI SkinSetScrollRange(HWND hwnd, int bar, int minimum, int maximum, BOOL redraw);
BOOL WINAPI SkinShowScrollBar(HWND hwnd, int bar, BOOL show);
// Index 0 to 30: the table's colour (brush); any other index: the one at 0.
DWORD WINAPI SkinGetSysColor(int index);
HBRUSH WINAPI SkinGetSysColorBrush(int index);
// Deletes the brushes SkinGetSysColorBrush handed out; only once the interception is gone.
void ReleaseSysColorBrushes();
