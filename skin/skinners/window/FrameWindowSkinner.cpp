// FrameWindowSkinner: the skinned frame of top-level windows.
#include "skin/skinners/window/FrameWindowSkinner.h"

#include "skin/engine/drawing/WindowTools.h"
#include "skin/engine/objects/FramedSkinObjects.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/engine/menus/MenuTools.h"
#include "skin/engine/objects/FrameElementSkinObjects.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/skinners/window/FrameGeometry.h"
#include "skin/skinners/window/MdiClientSkinner.h"

namespace {

const LONG kReplacementStyle =
    static_cast<LONG>(0x96000000); // WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN

} // namespace

FrameWindowSkinner::FrameWindowSkinner()
    : savedMenu_(NULL), replacementStyle_(kReplacementStyle), mdiChild_(FALSE), savedStyle_(0), menuBar_(this),
      mdiClient_(NULL), destroying_(false), lastRelease_(0), hadRelease_(false)
{
}

FrameWindowSkinner::~FrameWindowSkinner()
{
    // The bar's menu goes back to a window that is still there.
    Detach();
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
    const FrameWndSkinObject* frame = FrameObject();
    menuBar_.SetSkinObject(frame ? frame->menuBar : NULL);
    background_.Drop();
    if (mdiClient_ && mdiClient_->GetHwnd()) {
        InvalidateRect(mdiClient_->GetHwnd(), NULL, TRUE);
        UpdateWindow(mdiClient_->GetHwnd());
    }
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
    mdiChild_ = (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
    replacementStyle_ = mdiChild_ ? savedStyle_ & ~(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX) : kReplacementStyle;
    // The native client size, read before the skin's frame first changes it.
    RECT native = {0, 0, 0, 0};
    GetClientRect(hwnd, &native);
    const SIZE client = {native.right, native.bottom};
    if (!mdiChild_) {
        savedMenu_ = ::GetMenu(hwnd);
        if (savedMenu_ && IsMenu(savedMenu_)) {
            menuBar_.SetMenu(savedMenu_);
            ::SetMenu(hwnd, NULL);
            DrawMenuBar(hwnd);
        }
    }
    const LONG_PTR previous = SkinnedWindow::Attach(hwnd);
    if (!previous) {
        if (HMENU menu = menuBar_.TakeMenu()) {
            ::SetMenu(hwnd, menu);
            DrawMenuBar(hwnd);
        }
        savedMenu_ = NULL;
        return 0;
    }
    if (!mdiChild_)
        AttachMdiClient();
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

void FrameWindowSkinner::AttachMdiClient()
{
    HWND client = NULL;
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = "";
        if (GetClassNameA(child, name, sizeof name) && lstrcmpiA(name, "MDIClient") == 0) {
            client = child;
            break;
        }
    }
    if (!client || SkinEngine::Instance().FindSkinnedWindow(client))
        return;
    SetWindowLongA(client, GWL_STYLE, GetWindowLongA(client, GWL_STYLE) | WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    MdiClientSkinner* skinner = new MdiClientSkinner(this);
    SkinEngine::Instance().InsertWindow(skinner, client);
    if (!skinner->Attach(client)) {
        SkinEngine::Instance().RemoveWindow(client, FALSE);
        return;
    }
    mdiClient_ = skinner;
    InvalidateRect(client, NULL, TRUE);
    UpdateWindow(client);
}

void FrameWindowSkinner::Detach()
{
    HWND hwnd = hwnd_;
    const BOOL attached = savedProc_ != NULL;
    if (mdiClient_ && !destroyed_) {
        HWND client = mdiClient_->GetHwnd();
        mdiClient_ = NULL;
        if (client)
            SkinEngine::Instance().RemoveWindow(client, FALSE);
    }
    mdiClient_ = NULL;
    SkinnedWindow::Detach();
    if (!attached || !hwnd || destroyed_ || !IsWindow(hwnd))
        return;
    if (HMENU menu = menuBar_.TakeMenu()) {
        ::SetMenu(hwnd, menu);
        DrawMenuBar(hwnd);
    }
}

HMENU FrameWindowSkinner::GetMenu()
{
    return menuBar_.GetMenu();
}

void FrameWindowSkinner::SetMenu(HMENU menu)
{
    if (menuBar_.IsTracking() || !IsMenu(menu))
        return;
    menuBar_.SetMenu(menu);
    if (hwnd_) {
        ::SetMenu(hwnd_, NULL);
        SetWindowPos(hwnd_, NULL, 0, 0, 0, 0, kFrameChanged);
        RedrawWindow(hwnd_, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

void FrameWindowSkinner::TakeNativeMenu()
{
    if (!hwnd_ || menuBar_.IsTracking() || destroying_)
        return;
    HMENU native = ::GetMenu(hwnd_);
    if (!native || !IsMenu(native))
        return;
    menuBar_.SetMenu(native);
    // The window recomputes its frame with the bar's height.
    ::SetMenu(hwnd_, NULL);
    SetRectEmpty(&lastWindowRect_);
}

LRESULT FrameWindowSkinner::OnMenuKey(WPARAM key, LPARAM keyData)
{
    if (key == VK_LEFT || key == VK_RIGHT) {
        menuBar_.OnKey(key);
        return 1;
    }
    if (key == VK_F10)
        return 1;
    if (keyData & (1 << 29))
        return menuBar_.OnKey(key);
    return 0;
}

HWND FrameWindowSkinner::GetActiveMdiChild(BOOL* maximized)
{
    if (maximized)
        *maximized = FALSE;
    HWND client = mdiClient_ ? mdiClient_->GetHwnd() : NULL;
    if (!client)
        return NULL;
    return reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
}

void FrameWindowSkinner::GetMenuBarRect(RECT* rect)
{
    if (!rect)
        return;
    *rect = menuBar_.GetRect();
}

void FrameWindowSkinner::PaintMenuBar(HDC dc)
{
    menuBar_.Paint(dc);
}

int FrameWindowSkinner::GetMenuBarHeight(int width)
{
    return menuBar_.GetHeight(width);
}

LRESULT FrameWindowSkinner::Swapped(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    SetWindowLongA(hwnd_, GWL_STYLE, (replacementStyle_ & ~WS_VISIBLE) | (style & WS_VISIBLE));
    const LRESULT result = SkinnedWindow::WindowProc(message, wParam, lParam);
    if (hwnd_ && IsWindow(hwnd_))
        SetWindowLongA(hwnd_, GWL_STYLE, style | (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE));
    return result;
}

LRESULT FrameWindowSkinner::OnMenuButtonDown(LPARAM screenPoint)
{
    const POINT screen = PointFromLParam(screenPoint);
    RECT window;
    if (!hwnd_ || !::GetWindowRect(hwnd_, &window) || !PtInRect(&window, screen))
        return 0;
    POINT client = screen;
    ScreenToClient(hwnd_, &client);
    RECT inside;
    GetClientRect(hwnd_, &inside);
    if (PtInRect(&inside, client)) {
        SendMessageA(hwnd_, WM_LBUTTONDOWN, 0, MAKELPARAM(client.x, client.y));
        return 0;
    }
    const int hit = OnNcHitTest(ScreenToWindow(screen));
    SendMessageA(hwnd_, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), MAKELPARAM(screen.x, screen.y));
    return 0;
}

void FrameWindowSkinner::OnNcMouseMove(int, POINT point)
{
    if (!ForwardToElements(WM_MOUSEMOVE, point))
        menuBar_.OnMouseMove(point);
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
    TakeNativeMenu();
    PaintNonClient(region, frame ? minimized : NULL);
    return 0;
}

LRESULT FrameWindowSkinner::OnNcActivate(WPARAM wParam)
{
    if (mdiChild_) {
        const LRESULT result = Swapped(WM_NCACTIVATE, wParam, 0);
        if (hwnd_)
            PaintNonClient(1, NULL, wParam ? TRUE : FALSE);
        return result;
    }
    // The frame stays active while the bar's popup (which never takes the activation) is open; losing
    // the activation ends that popup (it watches the frame) and is drawn as usual.
    if (menuBar_.IsTracking() && wParam)
        return 1;
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
    state.elementCode = ElementHitTest(point);
    return FrameHitTest(frameRects_, point, state);
}

LRESULT FrameWindowSkinner::OnNcLButtonDown(int hit, POINT screen)
{
    const POINT point = ScreenToWindow(screen);
    // A press on an element is the element's: no move loop starts, and its release comes back here.
    if (ForwardToElements(WM_LBUTTONDOWN, point)) {
        CaptureForElements();
        return 0;
    }
    if (menuBar_.HitTest(point)) {
        menuBar_.OnLButtonDown(point);
        return 0;
    }
    if (IsMaximized())
        return 0;
    ++ncButtonDepth_;
    // An MDI child's press would draw the system caption of its top-level parent too: hide that one's
    // system menu as well.
    HWND top = mdiChild_ ? GetTopLevelParent() : NULL;
    const LONG topStyle = top ? GetWindowLongA(top, GWL_STYLE) : 0;
    if (top)
        SetWindowLongA(top, GWL_STYLE, topStyle & ~WS_SYSMENU);
    // The system's move or size loop runs inside this call.
    Stripped(WM_NCLBUTTONDOWN, hit, MAKELPARAM(screen.x, screen.y));
    if (top && IsWindow(top))
        SetWindowLongA(top, GWL_STYLE, GetWindowLongA(top, GWL_STYLE) | (topStyle & WS_SYSMENU));
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
    const POINT point = ScreenToWindow(screen);
    if (ForwardToElements(WM_LBUTTONUP, point))
        return 0;
    if (menuBar_.HitTest(point)) {
        menuBar_.OnLButtonUp(point);
        return 0;
    }
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

LRESULT FrameWindowSkinner::OnNcLButtonDblClk(int hit, POINT screen)
{
    const POINT point = ScreenToWindow(screen);
    if (ForwardToElements(WM_LBUTTONDBLCLK, point) || menuBar_.HitTest(point))
        return 0;
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
    AnswerFramedMinMaxInfo(info);
}

void FrameWindowSkinner::MaximizedPlace(MINMAXINFO* info)
{
    if (!mdiChild_) {
        FramedSkinnerBase::MaximizedPlace(info);
        return;
    }
    RECT design[9], parent = {0, 0, 0, 0}, monitor;
    DesignRects(design);
    GetClientRect(GetParent(hwnd_), &parent);
    info->ptMaxPosition.x = -RectWidth(design[3]);
    info->ptMaxPosition.y = -RectHeight(design[0]);
    info->ptMaxSize.x = parent.right + RectWidth(design[3]) + RectWidth(design[5]);
    info->ptMaxSize.y = parent.bottom + RectHeight(design[0]) + RectHeight(design[6]);
    if (GetMonitorRectForWindow(hwnd_, monitor, FALSE)) {
        info->ptMaxTrackSize.x = RectWidth(monitor);
        info->ptMaxTrackSize.y = RectHeight(monitor);
    }
}

LRESULT FrameWindowSkinner::OnSize(WPARAM wParam, LPARAM lParam)
{
    background_.Drop();
    if (mdiChild_ && wParam == SIZE_MAXIMIZED) {
        MINMAXINFO info = {};
        MaximizedPlace(&info);
        SetWindowPos(hwnd_, NULL, info.ptMaxPosition.x, info.ptMaxPosition.y, info.ptMaxSize.x, info.ptMaxSize.y,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return SkinnedWindow::WindowProc(WM_SIZE, wParam, lParam);
}

LRESULT FrameWindowSkinner::OnWindowPosChanged(WPARAM wParam, LPARAM lParam)
{
    if (!mdiChild_)
        return SkinnedWindow::WindowProc(WM_WINDOWPOSCHANGED, wParam, lParam);
    const LRESULT result = Stripped(WM_WINDOWPOSCHANGED, wParam, lParam);
    if (hwnd_)
        SendMessageA(hwnd_, WM_NCPAINT, 1, 0);
    return result;
}

LRESULT FrameWindowSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return SkinnedWindow::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_NCCALCSIZE:
        return OnNcCalcSize(wParam, lParam);
    case WM_NCHITTEST:
        return OnNcHitTest(ScreenToWindow(PointFromLParam(lParam)));
    case WM_NCPAINT:
        return OnNcPaint(wParam);
    case WM_NCACTIVATE:
        return OnNcActivate(wParam);
    case WM_NCMOUSEMOVE: {
        const LRESULT result = Stripped(message, wParam, lParam);
        OnNcMouseMove(static_cast<int>(wParam), ScreenToWindow(PointFromLParam(lParam)));
        return result;
    }
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
        if (mdiChild_) {
            const LRESULT result = Swapped(message, wParam, lParam);
            RedrawNcRect(GetCaptionRect());
            return result;
        }
        return OnCaptionChange(message, wParam, lParam);
    case WM_SETICON:
        return OnCaptionChange(message, wParam, lParam);
    case WM_INITMENU:
    case WM_INITMENUPOPUP: {
        const LRESULT result = Swapped(message, wParam, lParam);
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
    case WM_SKIN_MENULBUTTONDOWN:
    case WM_SKIN_MENURBUTTONDOWN:
        return OnMenuButtonDown(lParam);
    case WM_SKIN_MENUEND:
        menuBar_.EndTracking();
        return SkinnedWindow::WindowProc(message, wParam, lParam);
    case WM_DESTROY:
        if (mdiChild_) {
            RECT r;
            ::GetWindowRect(hwnd_, &r);
            MapWindowPoints(NULL, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
            SendMessageA(GetParent(hwnd_), WM_SKIN_MDICHILDCLOSED, 0, reinterpret_cast<LPARAM>(&r));
        } else {
            // The bar's current menu goes back and is destroyed with the window, as it would be unskinned.
            destroying_ = true;
            if (HMENU menu = menuBar_.TakeMenu())
                ::SetMenu(hwnd_, menu);
        }
        return SkinnedWindow::WindowProc(message, wParam, lParam);
    case WM_SIZE:
        return OnSize(wParam, lParam);
    case WM_WINDOWPOSCHANGED:
        return OnWindowPosChanged(wParam, lParam);
    default:
        return SkinnedWindow::WindowProc(message, wParam, lParam);
    }
}
