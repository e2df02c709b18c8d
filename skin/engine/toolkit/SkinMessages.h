// The toolkit's private window messages: the toolkit's windows talk to each other in 6024-6042, and an
// application window may answer WM_SKIN_QUERYCONTROLSKIN to keep one of its controls unskinned.
#pragma once
#include <windows.h>

enum SkinMessage : UINT {
    WM_SKIN_MENULBUTTONDOWN = 6024,
    WM_SKIN_MENURBUTTONDOWN = 6025,
    WM_SKIN_MENUEND = 6027,
    WM_SKIN_MDICHILDCLOSED = 6028,
    WM_SKIN_INITSCROLLBARS = 6029,
    WM_SKIN_COLORSCHANGED = 6030,
    WM_SKIN_PROGRESSUPDATE = 6031,
    WM_SKIN_FORGETCHILD = 6035,
    WM_SKIN_MENUKEY = 6036, // wParam: virtual key, or -1 for Alt alone; lParam: the key data
    WM_SKIN_DRAWBACKGROUND = 6037,
    WM_SKIN_REFRESHFONT = 6038,
    WM_SKIN_GETSTYLE = 6041,
    WM_SKIN_RESYNCSCROLLBARS = 6042,
    WM_SKIN_QUERYCONTROLSKIN = 33768,
};
