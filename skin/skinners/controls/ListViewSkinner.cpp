// ListViewSkinner: colours and thumb drags by LVM_SCROLL.
#include "skin/skinners/controls/ListViewSkinner.h"

#include <commctrl.h>

#include "skin/engine/interception/ApiHooks.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/toolkit/SkinMessages.h"

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

// The list is scrolled to the row under the thumb without seeing SB_THUMBTRACK, which a list view where
// the scroll-bar functions are not redirected would answer from the platform's bar, not the skin bar.
LRESULT ListViewSkinner::OnThumbTrack(UINT message, WPARAM wParam)
{
    const int bar = message == WM_HSCROLL ? SB_HORZ : SB_VERT;
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    RealApi().getScrollInfo(hwnd_, bar, &info);
    const LONG view = GetWindowLongA(hwnd_, GWL_STYLE) & LVS_TYPEMASK;
    // In report view the row at the top is the list's own answer, whichever bar kept the position.
    const int current =
        bar == SB_VERT && view == LVS_REPORT ? static_cast<int>(CallSavedProc(LVM_GETTOPINDEX, 0, 0)) : info.nPos;
    const int delta = static_cast<short>(HIWORD(wParam)) - current;
    if (bar == SB_HORZ || view == LVS_LIST)
        CallSavedProc(LVM_SCROLL, delta, 0);
    else
        CallSavedProc(LVM_SCROLL, 0, delta * VerticalUnit());
    return 0;
}

LRESULT ListViewSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return ScrollControlSkinner::WindowProc(message, wParam, lParam);
    if (message == WM_SKIN_COLORSCHANGED)
        return OnColorsChanged();
    if ((message == WM_HSCROLL || message == WM_VSCROLL) && LOWORD(wParam) == SB_THUMBTRACK && installed_ &&
        NeedsResync())
        return OnThumbTrack(message, wParam);
    return ScrollControlSkinner::WindowProc(message, wParam, lParam);
}
