// The tracking loop of skinned popup menus: the context menus of both programs and the system menu.
#pragma once
#include <windows.h>

// The command chosen for a system menu (posted as WM_SYSCOMMAND) or with TPM_RETURNCMD; else 1, or 0
// after Escape. 0 for a menu that is no menu, an owner that is no window or is destroyed while
// tracking, or a WM_QUIT met while tracking (posted again for the caller's loop).
int TrackSkinnedPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner, BOOL systemMenu);
// The point of a mouse message on the screen (non-client messages carry it so already).
POINT MessageScreenPoint(const MSG& msg);
