// DialogSkinner: skinned dialogs, framed and frameless.
#include "skin/skinners/window/DialogSkinner.h"

#include "skin/engine/drawing/WindowTools.h"
#include "skin/engine/objects/FramedSkinObjects.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/skinners/window/FrameGeometry.h"

DialogSkinner::DialogSkinner(BOOL frameless) : frameless_(frameless), savedStyle_(0) {}

DialogSkinner::~DialogSkinner()
{
    background_.Drop();
}

BOOL DialogSkinner::IsFramed() const
{
    const LONG style = hwnd_ ? GetWindowLongA(hwnd_, GWL_STYLE) : 0;
    return !frameless_ && ((style & WS_DLGFRAME) || (style & DS_MODALFRAME));
}

BOOL DialogSkinner::SkinClient() const
{
    return skinObject_ && skinObject_->Type() == SkinTypeFrameWnd &&
           static_cast<const FrameWndSkinObject*>(skinObject_)->skinClient != 0;
}

SkinObject* DialogSkinner::SetSkinObject(SkinObject* object)
{
    SkinObject* previous = SkinnedWindow::SetSkinObject(object);
    if (!hwnd_)
        return previous;
    background_.Drop();
    if (IsFramed())
        FitClientToFrame();
    SetRectEmpty(&lastWindowRect_);
    RedrawWindow(hwnd_, NULL, NULL,
                 RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_ERASENOW | RDW_FRAME);
    return previous;
}

LONG_PTR DialogSkinner::Attach(HWND hwnd)
{
    // The native client size, read before the skin's frame first changes it.
    RECT native = {0, 0, 0, 0};
    GetClientRect(hwnd, &native);
    const SIZE client = {native.right, native.bottom};
    const LONG_PTR previous = SkinnedWindow::Attach(hwnd);
    if (!previous)
        return 0;
    savedStyle_ = GetWindowLongA(hwnd, GWL_STYLE);
    if (IsFramed()) {
        // The client keeps its size: the window grows or shrinks around it.
        FitClientToFrame(&client);
        SetWindowPos(hwnd, NULL, 0, 0, 0, 0, kFrameChanged);
    }
    return previous;
}

void DialogSkinner::PaintCaptionText(HDC dc, BOOL)
{
    DrawCaptionText(dc, savedStyle_);
}

LRESULT DialogSkinner::OnEraseBackground(WPARAM wParam, LPARAM lParam)
{
    if (!SkinClient())
        return SkinnedWindow::WindowProc(WM_ERASEBKGND, wParam, lParam);
    const FramedSkinObject* framed = Framed();
    return background_.Erase(hwnd_, reinterpret_cast<HDC>(wParam), framed);
}

LRESULT DialogSkinner::OnNcActivate(WPARAM wParam)
{
    // -1: the default procedure records the state without painting a caption of its own; the style,
    // WS_VISIBLE included, is left as it is.
    const LRESULT result = SkinnedWindow::WindowProc(WM_NCACTIVATE, wParam, -1);
    if (hwnd_)
        PaintNonClient(1, NULL, wParam ? TRUE : FALSE);
    return result;
}

LRESULT DialogSkinner::OnNcButton(UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT point = ScreenToWindow(PointFromLParam(lParam));
    // A press on a caption button is the button's: no move loop starts, and its release comes back here.
    if (ForwardToElements(message == WM_NCLBUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONUP, point)) {
        if (message == WM_NCLBUTTONDOWN)
            CaptureForElements();
        return 0;
    }
    if (!IsZoomed(hwnd_))
        Stripped(message, wParam, lParam);
    return 0;
}

LRESULT DialogSkinner::OnSetText(WPARAM wParam, LPARAM lParam)
{
    const BOOL locked = LockWindowUpdate(hwnd_);
    const LRESULT result = SkinnedWindow::WindowProc(WM_SETTEXT, wParam, lParam);
    if (locked)
        LockWindowUpdate(NULL);
    if (hwnd_ && IsFramed())
        SendMessageA(hwnd_, WM_NCPAINT, 1, 0);
    return result;
}

LRESULT DialogSkinner::FramedProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ENABLE:
    case WM_SETICON:
    case WM_INITMENU:
    case WM_INITMENUPOPUP: {
        const LRESULT result = Stripped(message, wParam, lParam);
        if (hwnd_)
            PaintNonClient(1, NULL);
        return result;
    }
    case WM_SETCURSOR:
        return Stripped(message, wParam, lParam);
    case WM_NCMOUSEMOVE: {
        const LRESULT result = Stripped(message, wParam, lParam);
        ForwardToElements(WM_MOUSEMOVE, ScreenToWindow(PointFromLParam(lParam)));
        return result;
    }
    case WM_GETMINMAXINFO:
        AnswerFramedMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_NCRBUTTONDOWN:
        return 0;
    case WM_NCCALCSIZE:
        return OnNcCalcSize(wParam, lParam);
    case WM_NCHITTEST: {
        const RECT bounds = GetWindowBounds();
        LayoutFrameRects(bounds.right, bounds.bottom);
        const POINT point = ScreenToWindow(PointFromLParam(lParam));
        return DialogHitTest(frameRects_, point, IsResizable() != FALSE, hwnd_ && IsZoomed(hwnd_),
                             ElementHitTest(point));
    }
    case WM_NCPAINT:
        PaintNonClient(wParam, NULL);
        return 0;
    case WM_NCACTIVATE:
        return OnNcActivate(wParam);
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
        return OnNcButton(message, wParam, lParam);
    case WM_NCLBUTTONDBLCLK: {
        const POINT point = ScreenToWindow(PointFromLParam(lParam));
        if (!IsResizable() || ForwardToElements(WM_LBUTTONDBLCLK, point))
            return 0;
        return Stripped(message, wParam, lParam);
    }
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(wParam, lParam);
    default:
        return SkinnedWindow::WindowProc(message, wParam, lParam);
    }
}

LRESULT DialogSkinner::FramelessProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCDESTROY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_SKIN_FORGETCHILD:
    case WM_SKIN_MENUKEY:
        return SkinnedWindow::WindowProc(message, wParam, lParam);
    case WM_CTLCOLORDLG:
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(wParam, lParam);
    default:
        return CallSavedProc(message, wParam, lParam);
    }
}

LRESULT DialogSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return SkinnedWindow::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_SETTEXT:
        return OnSetText(wParam, lParam);
    case WM_ERASEBKGND:
        return OnEraseBackground(wParam, lParam);
    case WM_SIZE:
        background_.Drop();
        break;
    case WM_SKIN_DRAWBACKGROUND:
        return background_.DrawUnder(hwnd_, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), Framed(),
                                     SkinClient());
    default:
        break;
    }
    return IsFramed() ? FramedProc(message, wParam, lParam) : FramelessProc(message, wParam, lParam);
}
