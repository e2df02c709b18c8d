// Menu helpers: item texts, deep copies and the system menu.
#include "skin/engine/menus/MenuTools.h"

#include "skin/engine/toolkit/SkinnerServices.h"

namespace {

const UINT kTextSize = 400;
const int kMaxMenuDepth = 16;

void CopyMenuLevel(HMENU source, HMENU target, int depth)
{
    const int count = GetMenuItemCount(source);
    for (int i = 0; i < count; ++i) {
        char text[kTextSize] = "";
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_DATA | MIIM_TYPE;
        item.dwTypeData = text;
        item.cch = kTextSize;
        if (!GetMenuItemInfoA(source, i, TRUE, &item))
            continue;
        text[kTextSize - 1] = '\0';
        if ((item.fType & (MFT_BITMAP | MFT_SEPARATOR | MFT_OWNERDRAW)) == 0)
            item.dwTypeData = text;
        if (item.hSubMenu) {
            HMENU copy = CreatePopupMenu();
            if (copy && depth < kMaxMenuDepth)
                CopyMenuLevel(item.hSubMenu, copy, depth + 1);
            item.hSubMenu = copy;
        }
        InsertMenuItemA(target, i, TRUE, &item);
    }
}

} // namespace

const char* GetMenuItemText(HMENU menu, UINT item, BOOL byPosition)
{
    static char text[kTextSize];
    text[0] = '\0';
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE;
    info.dwTypeData = text;
    info.cch = kTextSize;
    if (!GetMenuItemInfoA(menu, item, byPosition, &info) || (info.fType & (MFT_BITMAP | MFT_OWNERDRAW)))
        text[0] = '\0';
    text[kTextSize - 1] = '\0';
    return text;
}

void CopyMenu(HMENU source, HMENU target)
{
    if (source && target)
        CopyMenuLevel(source, target, 0);
}

int ShowSystemMenu(HWND hwnd)
{
    HMENU system = GetSystemMenu(hwnd, FALSE);
    if (!system)
        return 0;
    HMENU copy = CreatePopupMenu();
    if (!copy)
        return 0;
    CopyMenu(system, copy);
    const bool sized = IsZoomed(hwnd) || IsIconic(hwnd);
    const UINT on = MF_BYCOMMAND | MF_ENABLED, off = MF_BYCOMMAND | MF_DISABLED;
    EnableMenuItem(copy, SC_RESTORE, sized ? on : off);
    EnableMenuItem(copy, SC_SIZE, sized ? off : on);
    EnableMenuItem(copy, SC_MOVE, sized ? off : on);
    EnableMenuItem(copy, SC_MINIMIZE, IsIconic(hwnd) ? off : on);
    EnableMenuItem(copy, SC_MAXIMIZE, IsZoomed(hwnd) ? off : on);
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    const int command = TrackPopupWindowMenu(copy, 0, cursor.x + 2, cursor.y, hwnd, TRUE);
    DestroyMenu(copy);
    return command;
}
