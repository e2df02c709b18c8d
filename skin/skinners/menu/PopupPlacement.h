// Where skinned popup menus go against the work area of their monitor. Free of window calls.
#pragma once
#include <windows.h>

// A tracked popup of the given size for the point and TPM_ alignment flags: centred, right- or
// left-aligned on x, bottom-, centre- or top-aligned on y; then a menu wider (taller) than the work area
// spans it, and any other is shifted inside it.
RECT PlaceTrackedPopup(SIZE size, POINT at, UINT flags, const RECT& work);
// A submenu beside its item band (screen): right of the parent popup, else left of it (never past the
// work area's left edge); raised to end 1 pixel above the bottom of the work area, not above its top + 1.
RECT PlaceSubmenu(SIZE size, const RECT& itemBand, const RECT& parent, const RECT& work);
// A menu-bar item's popup, under the item (screen): ending at the item's right edge when it would pass
// the work area's right edge, above the item when it would pass the bottom; then kept 1 pixel inside.
RECT PlaceMenuBarPopup(SIZE size, const RECT& item, const RECT& work);
