// FrameWindowSkinner: the skinned frame of top-level windows.
#include "skin/skinners/window/FrameWindowSkinner.h"

#include "skin/engine/drawing/WindowTools.h"
#include "skin/engine/objects/FramedSkinObjects.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/skinners/window/FrameGeometry.h"

FrameWindowSkinner::FrameWindowSkinner() : savedStyle_(0), lastRelease_(0), hadRelease_(false) {}

FrameWindowSkinner::~FrameWindowSkinner()
{
    background_.Drop();
}

const FrameWndSkinObject* FrameWindowSkinner::FrameObject() const
{
    return skinObject_ && skinObject_->Type() == SkinTypeFrameWnd ? static_cast<const FrameWndSkinObject*>(skinObject_)
                                                                  : NULL;
}

BOOL FrameWindowSkinner::SkinClient() const
{
    const FrameWndSkinObject* frame = FrameObject();
    return frame && frame->skinClient != 0;
}

BOOL FrameWindowSkinner::IsMaximized() const
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    return hwnd_ && GetWindowPlacement(hwnd_, &placement) && placement.showCmd == SW_SHOWMAXIMIZED;
}

SkinObject* FrameWindowSkinner::SetSkinObject(SkinObject* object)
{
    SkinObject* previous = SkinnedWindow::SetSkinObject(object);
    background_.Drop();
    if (!hwnd_ || IsIconic(hwnd_) || !object)
        return previous;
    if (IsResizable()) {
        RECT window;
        ::GetWindowRect(hwnd_, &window);
        const SIZE least = GetMinTrackSize();
        if (window.right - window.left < least.cx || window.bottom - window.top < least.cy) {
            const int width = window.right - window.left > least.cx ? window.right - window.left : least.cx;
            const int height = window.bottom - window.top > least.cy ? window.bottom - window.top : least.cy;
            SetWindowPos(hwnd_, NULL, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            return previous;
        }
    } else {
        FitClientToFrame();
        SetRectEmpty(&lastWindowRect_);
    }
    SetWindowPos(hwnd_, NULL, 0, 0, 0, 0, kFrameChanged);
    InvalidateRect(hwnd_, NULL, TRUE);
    UpdateWindow(hwnd_);
    return previous;
}

LONG_PTR FrameWindowSkinner::Attach(HWND hwnd)
{
    if (!hwnd)
        return 0;
    savedStyle_ = GetWindowLongA(hwnd, GWL_STYLE);
    // The native client size, read before the skin's frame first changes it.
    RECT native = {0, 0, 0, 0};
    GetClientRect(hwnd, &native);
    const SIZE client = {native.right, native.bottom};
    const LONG_PTR previous = SkinnedWindow::Attach(hwnd);
    if (!previous)
        return 0;
    if (IsResizable()) {
        SetWindowPos(hwnd, NULL, 0, 0, 0, 0, kFrameChanged);
    } else {
        // The window grows around the client it had.
        FitClientToFrame(&client);
        SetWindowPos(hwnd, NULL, 0, 0, 0, 0, kFrameChanged);
        SetRectEmpty(&lastWindowRect_);
        RedrawWindow(hwnd, NULL, NULL,
                     RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_ERASENOW | RDW_FRAME);
    }
    return previous;
}

LRESULT FrameWindowSkinner::Stripped(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    SetWindowLongA(hwnd_, GWL_STYLE, style & ~WS_SYSMENU);
    const LRESULT result = SkinnedWindow::WindowProc(message, wParam, lParam);
    // The window may be gone when the call returns.
    if (hwnd_ && IsWindow(hwnd_))
        SetWindowLongA(hwnd_, GWL_STYLE, GetWindowLongA(hwnd_, GWL_STYLE) | (style & WS_SYSMENU));
    return result;
}

void FrameWindowSkinner::PaintCaptionText(HDC dc, BOOL)
{
    DrawCaptionText(dc, savedStyle_);
}

LRESULT FrameWindowSkinner::OnNcPaint(WPARAM region)
{
    const FrameWndSkinObject* frame = FrameObject();
    SlicedImage minimized[2];
    if (frame) {
        minimized[0] = frame->MinimizedImage(true);
        minimized[1] = frame->MinimizedImage(false);
    }
    PaintNonClient(region, frame ? minimized : NULL);
    return 0;
}

LRESULT FrameWindowSkinner::OnNcActivate(WPARAM wParam)
{
    // -1: the default procedure records the state without painting a caption of its own.
    const LRESULT result = SkinnedWindow::WindowProc(WM_NCACTIVATE, wParam, -1);
    if (hwnd_)
        PaintNonClient(1, NULL, wParam ? TRUE : FALSE);
    return result;
}

LRESULT FrameWindowSkinner::OnCaptionChange(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The default procedure paints the native caption for a new text or icon: keep the window locked.
    const BOOL locked = LockWindowUpdate(hwnd_);
    const LRESULT result = SkinnedWindow::WindowProc(message, wParam, lParam);
    if (locked)
        LockWindowUpdate(NULL);
    if (hwnd_)
        RedrawNcRect(GetCaptionRect());
    return result;
}

int FrameWindowSkinner::OnNcHitTest(POINT point)
{
    // The frame as the window is now, even before its first non-client paint.
    const RECT bounds = GetWindowBounds();
    LayoutFrameRects(bounds.right, bounds.bottom);
    FrameHitState state = {};
    state.resizable = IsResizable() != FALSE;
    state.maximized = IsMaximized() != FALSE;
    GetMenuBarRect(&state.menuBar);
    return FrameHitTest(frameRects_, point, state);
}

LRESULT FrameWindowSkinner::OnNcLButtonDown(int hit, POINT screen)
{
    if (IsMaximized())
        return 0;
    ++ncButtonDepth_;
    // The system's move or size loop runs inside this call.
    Stripped(WM_NCLBUTTONDOWN, hit, MAKELPARAM(screen.x, screen.y));
    --ncButtonDepth_;
    return 0;
}

bool FrameWindowSkinner::IsSecondClick(DWORD previous, DWORD now, DWORD doubleClickTime)
{
    // Unsigned difference: right across the wrap of the millisecond counter.
    return now - previous <= doubleClickTime;
}

LRESULT FrameWindowSkinner::OnNcLButtonUp(int hit, POINT screen)
{
    if (!IsMaximized())
        return Stripped(WM_NCLBUTTONUP, hit, MAKELPARAM(screen.x, screen.y));
    const DWORD now = static_cast<DWORD>(GetMessageTime());
    if (hadRelease_ && IsSecondClick(lastRelease_, now, GetDoubleClickTime())) {
        hadRelease_ = false;
        return OnNcLButtonDblClk(hit, screen);
    }
    hadRelease_ = true;
    lastRelease_ = now;
    return 0;
}

LRESULT FrameWindowSkinner::OnNcLButtonDblClk(int hit, POINT)
{
    if (hit != HTCAPTION || !hwnd_)
        return 0;
    if (IsIconic(hwnd_)) {
        SendMessageA(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0);
        return 0;
    }
    if (IsResizable() && (savedStyle_ & WS_MAXIMIZEBOX))
        SendMessageA(hwnd_, WM_SYSCOMMAND, IsZoomed(hwnd_) ? SC_RESTORE : SC_MAXIMIZE, 0);
    return 0;
}

void FrameWindowSkinner::OnGetMinMaxInfo(MINMAXINFO* info)
{
    if (!info)
        return;
    RECT work;
    if (GetMonitorRectForWindow(hwnd_, work, TRUE)) {
        info->ptMaxSize.x = work.right - work.left;
        info->ptMaxSize.y = work.bottom - work.top;
        info->ptMaxPosition.x = work.left;
        info->ptMaxPosition.y = work.top;
    }
    const FrameWndSkinObject* frame = FrameObject();
    if (frame) {
        RECT design[9];
        for (int i = 0; i < 9; ++i)
            design[i] = frame->GetFrameRect(i);
        const SIZE least = FrameMinTrackSize(design);
        info->ptMinTrackSize.x = least.cx;
        info->ptMinTrackSize.y = least.cy;
    }
    MINMAXINFO theirs = *info;
    CallSavedProc(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&theirs));
    if (theirs.ptMaxTrackSize.x < info->ptMaxTrackSize.x)
        info->ptMaxTrackSize.x = theirs.ptMaxTrackSize.x;
    if (theirs.ptMaxTrackSize.y < info->ptMaxTrackSize.y)
        info->ptMaxTrackSize.y = theirs.ptMaxTrackSize.y;
    if (theirs.ptMinTrackSize.x > info->ptMinTrackSize.x)
        info->ptMinTrackSize.x = theirs.ptMinTrackSize.x;
    if (theirs.ptMinTrackSize.y > info->ptMinTrackSize.y)
        info->ptMinTrackSize.y = theirs.ptMinTrackSize.y;
}

LRESULT FrameWindowSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return SkinnedWindow::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_NCCALCSIZE: {
        const FrameWndSkinObject* frame = FrameObject();
        if (!frame || !lParam)
            return SkinnedWindow::WindowProc(message, wParam, lParam);
        RECT design[9];
        for (int i = 0; i < 9; ++i)
            design[i] = frame->GetFrameRect(i);
        RECT* proposed = reinterpret_cast<RECT*>(lParam);
        *proposed = FrameClientRect(*proposed, design, 0);
        return 0;
    }
    case WM_NCHITTEST:
        return OnNcHitTest(ScreenToWindow(PointFromLParam(lParam)));
    case WM_NCPAINT:
        return OnNcPaint(wParam);
    case WM_NCACTIVATE:
        return OnNcActivate(wParam);
    case WM_NCMOUSEMOVE:
    case WM_SETCURSOR:
        return Stripped(message, wParam, lParam);
    case WM_NCLBUTTONDOWN:
        return OnNcLButtonDown(static_cast<int>(wParam), PointFromLParam(lParam));
    case WM_NCLBUTTONUP:
        return OnNcLButtonUp(static_cast<int>(wParam), PointFromLParam(lParam));
    case WM_NCLBUTTONDBLCLK:
        return OnNcLButtonDblClk(static_cast<int>(wParam), PointFromLParam(lParam));
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
        return 0;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_SETTEXT:
    case WM_SETICON:
        return OnCaptionChange(message, wParam, lParam);
    case WM_INITMENU:
    case WM_INITMENUPOPUP: {
        const LRESULT result = Stripped(message, wParam, lParam);
        SendMessageA(hwnd_, WM_NCPAINT, 1, 0);
        return result;
    }
    case WM_ERASEBKGND:
        if (!SkinClient())
            return SkinnedWindow::WindowProc(message, wParam, lParam);
        return background_.Erase(hwnd_, reinterpret_cast<HDC>(wParam), FrameObject());
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(wParam, lParam);
    case WM_SKIN_DRAWBACKGROUND:
        return background_.DrawUnder(hwnd_, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                     FrameObject(), SkinClient());
    case WM_SKIN_GETSTYLE:
        return savedStyle_;
    case WM_SIZE:
        background_.Drop();
        return SkinnedWindow::WindowProc(message, wParam, lParam);
    default:
        return SkinnedWindow::WindowProc(message, wParam, lParam);
    }
}
