// TooltipWindow: requests and timers, measuring and placing the tip, and its frame and client painting.
#include "skin/engine/tooltip/TooltipWindow.h"

#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/drawing/WindowTools.h"

const char kTooltipClassName[] = "TessarineTooltip32";

namespace {

TooltipWindow* g_tooltip = NULL;

int Width(const RECT& r)
{
    return r.right - r.left;
}

int Height(const RECT& r)
{
    return r.bottom - r.top;
}

bool Inside(const RECT& area, const RECT& r)
{
    const POINT topLeft = {r.left, r.top}, bottomRight = {r.right, r.bottom};
    return PtInRect(&area, topLeft) && PtInRect(&area, bottomRight);
}

} // namespace

TooltipWindow* GetTooltipWindow()
{
    return g_tooltip;
}

void SetTooltipWindow(TooltipWindow* tooltip)
{
    g_tooltip = tooltip;
}

BOOL RegisterTooltipClass(HINSTANCE instance)
{
    return SkinnedWindow::RegisterThisClass(instance, kTooltipClassName, NULL);
}

TooltipWindow::TooltipWindow() : owner_(NULL), cursor_{0, 0}, tracked_(FALSE)
{
    SetRectEmpty(&lastNcRect_);
    SetSkinObject(NULL);
}

TooltipWindow::~TooltipWindow()
{
    if (g_tooltip == this)
        g_tooltip = NULL;
    if (hwnd_ && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
}

BOOL TooltipWindow::Create(HINSTANCE instance)
{
    drawer_.SetResourceInstance(instance);
    HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kTooltipClassName, "", WS_POPUP, 0, 0, 0, 0, NULL,
                                NULL, instance, this);
    return hwnd != NULL;
}

const TooltipSkinObject& TooltipWindow::Object() const
{
    return skinObject_ && skinObject_->Type() == SkinTypeTooltip ? *static_cast<const TooltipSkinObject*>(skinObject_)
                                                                 : builtIn_;
}

SkinObject* TooltipWindow::SetSkinObject(SkinObject* object)
{
    if (object && object->Type() == SkinTypeTooltip) {
        drawer_.SetCssStyles(static_cast<TooltipSkinObject*>(object)->styleSheet.c_str());
        return SkinnedWindow::SetSkinObject(object);
    }
    drawer_.SetCssStyles(nullptr);
    SkinnedWindow::SetSkinObject(&builtIn_);
    return NULL;
}

void TooltipWindow::Request(const char* text, const POINT* screenPoint)
{
    if (screenPoint)
        cursor_ = *screenPoint;
    else
        GetCursorPos(&cursor_);
    Hide();
    text_ = text ? text : "";
    if (!text_.empty() && hwnd_)
        SetTimer(hwnd_, ShowTimer, Object().showDelay, NULL);
}

void TooltipWindow::Hide()
{
    if (!hwnd_)
        return;
    ShowWindow(hwnd_, SW_HIDE);
    KillTimer(hwnd_, ShowTimer);
    KillTimer(hwnd_, HideTimer);
    tracked_ = FALSE;
}

void TooltipWindow::ForgetOwner(SkinnedItem* item)
{
    if (!item || owner_ != item)
        return;
    owner_ = NULL;
    text_.clear(); // its text goes with it
    Hide();
}

RECT TooltipWindow::PlaceTip(int placement, POINT cursor, SIZE size)
{
    const LONG px = cursor.x, py = cursor.y, w = size.cx, h = size.cy;
    switch (placement) {
    case 1:
        return {px - w / 2, py + 22, px - w / 2 + w, py + 22 + h};
    case 2:
        return {px - w - 2, py + 22, px - 2, py + 22 + h};
    case 3:
        return {px + 2, py - h / 2, px + w + 2, py - h / 2 + h};
    case 4:
        return {px - w - 2, py - h / 2, px - 2, py - h / 2 + h};
    case 5:
        return {px + 2, py - 2 - h, px + w + 2, py - 2};
    case 6:
        return {px - w / 2, py - 2 - h, px - w / 2 + w, py - 2};
    case 7:
        return {px - w - 2, py - 2 - h, px - 2, py - 2};
    default:
        return {px + 2, py + 22, px + w + 2, py + 22 + h};
    }
}

RECT TooltipWindow::ChooseTipRect(int placement, POINT cursor, SIZE size, const RECT& workArea)
{
    RECT r = PlaceTip(placement, cursor, size);
    if (Inside(workArea, r))
        return r;
    for (int p = 0; p < 8; ++p) {
        r = PlaceTip(p, cursor, size);
        if (Inside(workArea, r))
            return r;
    }
    return PlaceTip(7, cursor, size);
}

void TooltipWindow::OnShowTimer()
{
    GetCursorPos(&cursor_);
    if (owner_)
        text_ = owner_->GetTipText(cursor_);
    // With no text the timer keeps running: the owner is asked again after another delay.
    if (!text_.empty())
        Show();
}

void TooltipWindow::Show()
{
    Hide();
    const TooltipSkinObject& object = Object();
    HDC dc = GetDC(hwnd_);
    const SIZE text = drawer_.Measure(dc, text_);
    ReleaseDC(hwnd_, dc);
    const SIZE size = {text.cx + Width(object.frameRects[3]) + Width(object.frameRects[5]),
                       text.cy + Height(object.frameRects[0]) + Height(object.frameRects[6])};
    RECT work;
    if (!GetMonitorRectForPoint(cursor_, work, TRUE))
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const RECT r = ChooseTipRect(static_cast<int>(object.placement), cursor_, size, work);
    SetWindowPos(hwnd_, HWND_TOPMOST, r.left, r.top, size.cx, size.cy,
                 SWP_NOCOPYBITS | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    SetTimer(hwnd_, HideTimer, object.hideDelay, NULL);
}

LRESULT TooltipWindow::OnNcCalcSize(LPARAM lParam)
{
    RECT* proposed = reinterpret_cast<RECT*>(lParam);
    if (!proposed)
        return 0;
    const TooltipSkinObject& object = Object();
    RECT menuBar;
    GetMenuBarRect(&menuBar);
    proposed->left += Width(object.frameRects[3]);
    proposed->right -= Width(object.frameRects[5]);
    proposed->top += Height(object.frameRects[0]) + Height(menuBar);
    proposed->bottom -= Height(object.frameRects[6]);
    if (proposed->right < proposed->left)
        proposed->right = proposed->left;
    if (proposed->bottom < proposed->top)
        proposed->bottom = proposed->top;
    return 0;
}

void TooltipWindow::OnNcPaint()
{
    RECT window;
    if (!::GetWindowRect(hwnd_, &window))
        return;
    const int w = Width(window), h = Height(window);
    LayoutFrameRects(w, h);
    if (w != Width(lastNcRect_) || h != Height(lastNcRect_)) {
        // A new size gets its region first; the window owns the region now and frees the one it had.
        lastNcRect_ = window;
        region_ = GetWindowRegion();
        SetWindowRgn(hwnd_, region_, TRUE);
    }
    HDC dc = GetWindowDC(hwnd_);
    MemoryDC buffer(dc, w, h);
    if (buffer.IsValid()) {
        PaintFrame(buffer, TRUE);
        const TooltipSkinObject& object = Object();
        const int top = Height(object.frameRects[0]), bottom = Height(object.frameRects[6]);
        const int left = Width(object.frameRects[3]), right = Width(object.frameRects[5]);
        BitBlt(dc, 0, 0, w, top, buffer, 0, 0, SRCCOPY);
        BitBlt(dc, 0, top, left, h - top - bottom, buffer, 0, top, SRCCOPY);
        BitBlt(dc, w - right, top, right, h - top - bottom, buffer, w - right, top, SRCCOPY);
        BitBlt(dc, 0, h - bottom, w, bottom, buffer, 0, h - bottom, SRCCOPY);
    }
    ReleaseDC(hwnd_, dc);
}

void TooltipWindow::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client;
    GetClientRect(hwnd_, &client);
    MemoryDC buffer(dc, client.right, client.bottom);
    if (buffer.IsValid()) {
        const TooltipSkinObject& object = Object();
        DrawImagePart(buffer, client, object.GetImagePart(4), object.thirdColor, TRUE);
        drawer_.Draw(buffer.Dc(), text_, client);
        BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
    }
    EndPaint(hwnd_, &ps);
}

LRESULT TooltipWindow::OnNcDestroy()
{
    HWND hwnd = hwnd_;
    RemovePropA(hwnd, kThisProperty);
    region_ = NULL;
    SetRectEmpty(&lastNcRect_);
    return hwnd ? SkinnedWindow::OnNcDestroy() : 0;
}

LRESULT TooltipWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (wParam == ShowTimer)
            OnShowTimer();
        else if (wParam == HideTimer)
            Hide();
        break;
    case WM_MOUSEMOVE:
        if (!tracked_) {
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, hwnd_, 0};
            tracked_ = TrackMouseEvent(&track);
        }
        break;
    case WM_MOUSELEAVE:
        Hide();
        break;
    case WM_NCCALCSIZE:
        return OnNcCalcSize(lParam);
    case WM_NCPAINT:
        OnNcPaint();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_NCDESTROY:
        return OnNcDestroy();
    default:
        break;
    }
    return SkinnedWindow::WindowProc(message, wParam, lParam);
}
