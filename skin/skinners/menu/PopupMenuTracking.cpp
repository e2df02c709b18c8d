// The tracking loop: the first popup gets the mouse through the capture and the keys from the loop.
#include "skin/skinners/menu/PopupMenuTracking.h"

#include "skin/engine/drawing/WindowTools.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/skinners/menu/PopupMenuWindow.h"
#include "skin/skinners/menu/PopupPlacement.h"

namespace {

bool IsButtonDown(UINT message)
{
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_NCLBUTTONDOWN ||
           message == WM_NCRBUTTONDOWN;
}

bool IsMouseMove(UINT message)
{
    return message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE;
}

void Place(PopupMenuWindow& popup, UINT flags, int x, int y)
{
    const SIZE size = popup.MeasureSize();
    const POINT at = {x, y};
    RECT work;
    if (!GetMonitorRectForPoint(at, work, TRUE))
        work = RECT{-32000, -32000, 32000, 32000};
    const RECT r = PlaceTrackedPopup(size, at, flags, work);
    MoveWindow(popup.GetHwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    popup.Arrange();
}

// One pass of the loop: false when tracking ends here.
bool Pump(PopupMenuWindow& popup, int mode, bool& quit)
{
    MSG msg;
    const BOOL got = GetMessageA(&msg, NULL, 0, 0);
    if (got == 0) {
        // The caller's loop must still see the quit.
        PostQuitMessage(static_cast<int>(msg.wParam));
        quit = true;
        return false;
    }
    if (got == -1)
        return false;
    if (mode == 1 && (msg.message == WM_NCLBUTTONDOWN || msg.message == WM_NCLBUTTONDBLCLK) &&
        msg.hwnd != popup.GetHwnd()) {
        popup.Close();
        DispatchMessageA(&msg);
        return false;
    }
    if (msg.message == WM_KEYDOWN) {
        popup.Key(msg.wParam);
        return true;
    }
    if (msg.message == WM_SYSKEYDOWN) {
        popup.AltKey(msg.wParam);
        return true;
    }
    if (msg.message == WM_SKIN_MENUEND) {
        DispatchMessageA(&msg);
        return false;
    }
    if (IsButtonDown(msg.message)) {
        popup.ButtonDown(MessageScreenPoint(msg));
        return true;
    }
    if (IsMouseMove(msg.message)) {
        popup.MouseMove(MessageScreenPoint(msg));
        return true;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

} // namespace

POINT MessageScreenPoint(const MSG& msg)
{
    POINT p = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
    if (msg.message < WM_NCMOUSEMOVE || msg.message > WM_NCMBUTTONDBLCLK)
        ClientToScreen(msg.hwnd, &p);
    return p;
}

int TrackSkinnedPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner, BOOL systemMenu)
{
    if (!IsMenu(menu) || !IsWindow(owner))
        return 0;
    const int mode = systemMenu ? 1 : ((flags & TPM_RETURNCMD) ? 3 : 2);
    PopupMenuWindow popup(owner, NULL, mode);
    SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), systemMenu ? 0x10000 : 0);
    if (!IsMenu(menu) || !IsWindow(owner) || !popup.Create())
        return 0;
    popup.SetMenu(menu);
    popup.BindSkin(PopupMenuWindow::CurrentSkinObject());
    Place(popup, flags, x, y);
    ShowWindow(popup.GetHwnd(), SW_SHOWNOACTIVATE);
    SetCapture(popup.GetHwnd());
    bool quit = false;
    while (!popup.Done() && popup.GetHwnd() && IsWindow(popup.GetHwnd()))
        if (!Pump(popup, mode, quit))
            break;
    // Destroyed from outside (with its owner): nothing was chosen.
    const bool lost = popup.GetHwnd() == NULL;
    const bool escaped = popup.Escaped();
    const int command = popup.Command();
    popup.Close();
    if (quit || lost)
        return 0;
    if (mode == 1 || mode == 3)
        return command;
    return escaped ? 0 : 1;
}
