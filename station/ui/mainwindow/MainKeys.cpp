// The main window's key table.
#include "station/ui/mainwindow/MainKeys.h"

KeyRoute RouteKeyMessage(int touring, int locked, int ptzRight, UINT message, WPARAM key)
{
    if (!touring && !locked) {
        if (message == WM_KEYDOWN)
            return KEY_ROUTE_KEYDOWN;
        if (message == WM_KEYUP && ptzRight)
            return KEY_ROUTE_PTZ_UP;
    }
    if (message == WM_KEYDOWN && (key == VK_RETURN || key == VK_ESCAPE))
        return KEY_ROUTE_SWALLOW;
    return KEY_ROUTE_DEFAULT;
}

int HotKeyPane(WPARAM key)
{
    if (key >= '1' && key <= '9')
        return (int)(key - '1');
    if (key == '0')
        return 9;
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD5)
        return 10 + (int)(key - VK_NUMPAD0);
    return -1;
}

int HotKeySplitMode(WPARAM key, int ctrlDown)
{
    static const int modes[6] = {1, 4, 6, 8, 9, 16};
    if (ctrlDown || key < VK_F1 || key > VK_F6)
        return 0;
    return modes[key - VK_F1];
}

int PtzDirectionCode(WPARAM key, int release)
{
    static const WPARAM keys[10] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, 'Q', 'W', 'A', 'S', 'X', 'Z'};
    for (int code = 0; code < 10; ++code) {
        if (keys[code] == key)
            return release ? code + 14 : code;
    }
    return -1;
}
