// ListViewSkinner: colours, thumb drags by LVM_SCROLL and the list view's resync points.
#include "skin/skinners/controls/ListViewSkinner.h"

#include <commctrl.h>

#include "skin/engine/interception/ApiHooks.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/toolkit/SkinMessages.h"

namespace {

const UINT kResyncMessages[] = {WM_LBUTTONDBLCLK,    LVM_SETITEMA,       LVM_INSERTITEMA,    LVM_SETITEMW,
                                LVM_INSERTITEMW,     LVM_DELETEITEM,     LVM_DELETEALLITEMS, LVM_FINDITEMA,
                                LVM_SETITEMPOSITION, LVM_ENSUREVISIBLE,  LVM_SETCOLUMNA,     LVM_INSERTCOLUMNA,
                                LVM_DELETECOLUMN,    LVM_SETCOLUMNWIDTH, LVM_SETICONSPACING, LVM_SETCOLUMNORDERARRAY,
                                LVM_SETITEMCOUNT,    LVM_SCROLL};

} // namespace

ListViewSkinner::ListViewSkinner(SkinnedWindow* owner) : ScrollControlSkinner(owner, SkinTypeListView) {}

SkinObject* ListViewSkinner::SetSkinObject(SkinObject* object)
{
    SkinObject* previous = ScrollControlSkinner::SetSkinObject(object);
    if (hwnd_)
        SendMessageA(hwnd_, WM_SKIN_COLORSCHANGED, 0, 0);
    return previous;
}

LONG_PTR ListViewSkinner::Attach(HWND hwnd)
{
    if (!hwnd || (GetWindowLongA(hwnd, GWL_STYLE) & LVS_OWNERDRAWFIXED))
        return 0;
    const LONG_PTR attached = ScrollControlSkinner::Attach(hwnd);
    if (attached)
        SendMessageA(hwnd, WM_SKIN_COLORSCHANGED, 0, 0);
    return attached;
}

LRESULT ListViewSkinner::OnColorsChanged()
{
    const ScrollControlSkinObject* object = ScrollObject();
    if (hwnd_ && object) {
        CallSavedProc(LVM_SETBKCOLOR, 0, object->color & 0xFFFFFF);
        CallSavedProc(LVM_SETTEXTBKCOLOR, 0, object->color & 0xFFFFFF);
        CallSavedProc(LVM_SETTEXTCOLOR, 0, object->textColor & 0xFFFFFF);
        InvalidateRect(hwnd_, NULL, TRUE);
    }
    return 1;
}

int ListViewSkinner::VerticalUnit() const
{
    const LONG view = GetWindowLongA(hwnd_, GWL_STYLE) & LVS_TYPEMASK;
    if (view != LVS_REPORT && view != LVS_LIST)
        return 1;
    // The real row height: rows are not always 16 pixels.
    RECT row = {};
    row.left = LVIR_BOUNDS;
    if (SendMessageA(hwnd_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)) && row.bottom > row.top)
        return row.bottom - row.top;
    return 16;
}

LRESULT ListViewSkinner::OnScroll(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int bar = message == WM_HSCROLL ? SB_HORZ : SB_VERT;
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    RealApi().getScrollInfo(hwnd_, bar, &info);
    LRESULT result = 0;
    if (LOWORD(wParam) == SB_THUMBTRACK) {
        const LONG view = GetWindowLongA(hwnd_, GWL_STYLE) & LVS_TYPEMASK;
        // In report view the row at the top is the list's own answer, whichever bar kept the position.
        const int current =
            bar == SB_VERT && view == LVS_REPORT ? static_cast<int>(CallSavedProc(LVM_GETTOPINDEX, 0, 0)) : info.nPos;
        const int delta = static_cast<short>(HIWORD(wParam)) - current;
        if (bar == SB_HORZ)
            CallSavedProc(LVM_SCROLL, delta, 0);
        else if ((GetWindowLongA(hwnd_, GWL_STYLE) & LVS_TYPEMASK) == LVS_LIST)
            CallSavedProc(LVM_SCROLL, delta, 0);
        else
            CallSavedProc(LVM_SCROLL, 0, delta * VerticalUnit());
    } else {
        HWND self = hwnd_;
        result = ScrollControlSkinner::WindowProc(message, wParam, lParam);
        if (!IsWindow(self))
            return result;
    }
    SyncBar(bar);
    return result;
}

LRESULT ListViewSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return ScrollControlSkinner::WindowProc(message, wParam, lParam);
    if (message == WM_SKIN_COLORSCHANGED)
        return OnColorsChanged();
    if (!installed_ || !NeedsResync())
        return ScrollControlSkinner::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_NOTIFY:
        if (lParam && reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(NM_RELEASEDCAPTURE))
            return PassThenResync(message, wParam, lParam);
        break;
    case WM_STYLECHANGED: {
        const STYLESTRUCT* change = reinterpret_cast<const STYLESTRUCT*>(lParam);
        const bool changed = change &&
                             (wParam == static_cast<WPARAM>(GWL_STYLE) || wParam == static_cast<WPARAM>(GWL_EXSTYLE)) &&
                             change->styleOld != change->styleNew;
        return changed ? PassThenResync(message, wParam, lParam)
                       : ScrollControlSkinner::WindowProc(message, wParam, lParam);
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        return OnScroll(message, wParam, lParam);
    case WM_MOUSEWHEEL:
        return PassThenSync(message, wParam, lParam,
                            (GetWindowLongA(hwnd_, GWL_STYLE) & LVS_TYPEMASK) == LVS_LIST ? SB_HORZ : SB_VERT);
    default:
        break;
    }
    return PassWithResync(message, wParam, lParam, VK_PRIOR, kResyncMessages);
}
