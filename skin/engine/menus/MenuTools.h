// Menu helpers: an item's text, a deep copy of a menu, and the skinned system menu of a window.
#pragma once
#include <windows.h>

// The item's text ("&" marks included) in a 400-byte buffer of the toolkit's own, which the next call
// overwrites; empty for items without text.
const char* GetMenuItemText(HMENU menu, UINT item, BOOL byPosition);
// Inserts a copy of every item of the source into the target by position; submenus are copied into new
// popup menus (no deeper than a fixed depth, so that a menu that contains itself ends).
void CopyMenu(HMENU source, HMENU target);
// Tracks a copy of the window's system menu, its items enabled as the window's state allows, as a
// skinned popup menu at the cursor; the command chosen, 0 when the window has no system menu.
int ShowSystemMenu(HWND hwnd);
