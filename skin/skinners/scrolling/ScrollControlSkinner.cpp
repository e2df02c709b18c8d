// ScrollControlSkinner: skin scroll bars, the forwarding operations and the skinned border.
#include "skin/skinners/scrolling/ScrollControlSkinner.h"

#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/interception/ApiHooks.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/skinners/scrolling/SkinScrollBar.h"

ScrollControlSkinner::ScrollControlSkinner(SkinnedWindow* owner, int typeId)
    : ControlSkinner(owner, typeId), installed_(FALSE)
{
}

bool ScrollControlSkinner::NeedsResync()
{
    return SkinScrollFollowsPlatform();
}

void ScrollControlSkinner::Paint(HDC) {}

const ScrollControlSkinObject* ScrollControlSkinner::ScrollObject() const
{
    return dynamic_cast<const ScrollControlSkinObject*>(skinObject_);
}

SkinObject* ScrollControlSkinner::SetSkinObject(SkinObject* object)
{
    SkinObject* previous = ControlSkinner::SetSkinObject(object);
    if (installed_)
        SizeSkinBars();
    return previous;
}

void ScrollControlSkinner::Detach()
{
    if (hwnd_ && installed_ && !destroyed_)
        SkinScrollRemove(hwnd_);
    installed_ = FALSE;
    ControlSkinner::Detach();
}

LONG_PTR ScrollControlSkinner::Attach(HWND hwnd)
{
    const LONG_PTR attached = ControlSkinner::Attach(hwnd);
    if (hwnd)
        PostMessageA(hwnd, WM_SKIN_INITSCROLLBARS, 0, 0);
    return attached;
}

namespace {

const ScrollBarSkinObject* CurrentScrollBarObject()
{
    const SkinObject* found = SkinEngine::Instance().GetCurrentSkin()->FindObjectByType(SkinTypeScrollBar);
    return dynamic_cast<const ScrollBarSkinObject*>(found);
}

} // namespace

void ScrollControlSkinner::SizeSkinBars()
{
    const ScrollBarSkinObject* bars = CurrentScrollBarObject();
    if (!bars || !hwnd_)
        return;
    const ImagePart& arrow = bars->groups[0].arrow1;
    const int size = arrow.source.bottom - arrow.source.top;
    const RECT& thumb = bars->groups[0].thumb.source;
    SkinScrollSetSize(hwnd_, SB_BOTH, size, size);
    SkinScrollSetMinThumbSize(hwnd_, SB_BOTH, thumb.right - thumb.left);
}

void ScrollControlSkinner::InstallSkinBars()
{
    if (installed_ || !hwnd_ || !CurrentScrollBarObject())
        return;
    if (!SkinScrollInstall(hwnd_))
        return;
    SkinScrollSetStyle(hwnd_, SB_BOTH, 2);
    installed_ = TRUE;
    SizeSkinBars();
}

void ScrollControlSkinner::Resync()
{
    if (!installed_ || !hwnd_)
        return;
    SkinScrollFollowPlatformBars(hwnd_);
    UpdateWindow(hwnd_);
}

LRESULT ScrollControlSkinner::OnEraseBackground(HDC)
{
    return 1;
}

LRESULT ScrollControlSkinner::ForwardMouseWheel(UINT keys, short delta, int x, int y)
{
    return CallSavedProc(WM_MOUSEWHEEL, MAKEWPARAM(keys, delta), MAKELPARAM(x, y));
}

LRESULT ScrollControlSkinner::ForwardMouseMove(UINT keys, int x, int y)
{
    return CallSavedProc(WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
}

LRESULT ScrollControlSkinner::ForwardLButtonUp(UINT keys, int x, int y)
{
    return CallSavedProc(WM_LBUTTONUP, keys, MAKELPARAM(x, y));
}

LRESULT ScrollControlSkinner::ForwardLButtonDown(UINT keys, int x, int y)
{
    return CallSavedProc(WM_LBUTTONDOWN, keys, MAKELPARAM(x, y));
}

LRESULT ScrollControlSkinner::ForwardLButtonDblClk(UINT keys, int x, int y)
{
    return CallSavedProc(WM_LBUTTONDBLCLK, keys, MAKELPARAM(x, y));
}

LRESULT ScrollControlSkinner::ForwardHScroll(int code, int position, HWND control)
{
    return CallSavedProc(WM_HSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(control));
}

LRESULT ScrollControlSkinner::ForwardVScroll(int code, int position, HWND control)
{
    return CallSavedProc(WM_VSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(control));
}

LRESULT ScrollControlSkinner::OnNcPaint(WPARAM region, LPARAM lParam)
{
    const ScrollControlSkinObject* object = ScrollObject();
    if (!object)
        return CallSavedProc(WM_NCPAINT, region, lParam);
    return PaintSkinBorder(region, lParam, object->controlFrame, object->color);
}

LRESULT ScrollControlSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return ControlSkinner::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
    case WM_ERASEBKGND:
        return SkinnedWindow::WindowProc(message, wParam, lParam);
    case WM_NCPAINT:
        return OnNcPaint(wParam, lParam);
    case WM_SKIN_INITSCROLLBARS:
        InstallSkinBars();
        return 0;
    case WM_SKIN_RESYNCSCROLLBARS:
        Resync();
        return 0;
    default:
        return ControlSkinner::WindowProc(message, wParam, lParam);
    }
}
