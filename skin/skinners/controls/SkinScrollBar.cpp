// Skin scroll bars: install and removal, the scroll-bar operations, the non-client messages, painting,
// pressing, repeating and thumb dragging.
#include "skin/skinners/controls/SkinScrollBar.h"

#include <algorithm>

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/drawing/WindowTools.h"
#include "skin/engine/interception/ApiHooks.h"

const char kSkinScrollProperty[] = "SkinSBSubclassPtr";

namespace {

// One pointer interaction at a time, shared by every window with skin bars.
struct Tracking {
    HWND window;
    int hotBar;
    RECT hotRect; // screen
    int hotPart;
    int previousHotPart;
    int pressedBar;
    int pressedPart;
    BOOL shownPressed;
    UINT scrollMessage;
    RECT pressRect; // window coordinates
    int thumbStartAtPress;
    int thumbSizeAtPress;
    int clickOffset;
    int lastPosition;
    int thumbStart; // while dragging
};

Tracking g_track = {NULL, -1, {0, 0, 0, 0}, -1, -1, -1, -1, FALSE, 0, {0, 0, 0, 0}, 0, 0, 0, 0, 0};

LRESULT CALLBACK SkinScrollProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

SkinScrollBar* BarOf(SkinScrollState* state, int bar)
{
    if (!state)
        return NULL;
    if (bar == SB_HORZ)
        return &state->horizontal;
    if (bar == SB_VERT)
        return &state->vertical;
    return NULL;
}

bool IsNt()
{
    return GetVersion() < 0x80000000u;
}

void RecalcFrame(HWND hwnd)
{
    SetWindowPos(hwnd, NULL, 0, 0, 0, 0, kFrameChanged);
}

RECT WindowBounds(HWND hwnd)
{
    RECT r = {0, 0, 0, 0};
    GetWindowRect(hwnd, &r);
    OffsetRect(&r, -r.left, -r.top);
    return r;
}

RECT BarRect(HWND hwnd, SkinScrollState* state, int which)
{
    return SkinBarRect(WindowBounds(hwnd), state->insets, state->horizontal, state->vertical, state->leftScrollBar,
                       which);
}

SkinBarLayout BarLayout(const SkinScrollBar& bar, const RECT& rect)
{
    return bar.type == 0 ? LayoutSkinBar(bar, rect.left, rect.right) : LayoutSkinBar(bar, rect.top, rect.bottom);
}

bool ThumbDrawable(const SkinScrollBar& bar, const SkinBarLayout& l)
{
    return l.thumbSize > 0 && l.trackLength >= l.thumbSize && SkinBarUsable(bar);
}

RECT Along(const SkinScrollBar& bar, const RECT& rect, int from, int to)
{
    RECT r = rect;
    if (bar.type == 0) {
        r.left = from;
        r.right = to;
    } else {
        r.top = from;
        r.bottom = to;
    }
    return r;
}

// Paints one bar into the window's DC; a drag draws its thumb at thumbOverride (-1: the position's place).
void PaintBar(HWND hwnd, SkinScrollState* state, int which, HDC windowDc, int thumbOverride = -1)
{
    SkinScrollBar& bar = which == 0 ? state->horizontal : state->vertical;
    if (!bar.shown)
        return;
    const RECT rect = BarRect(hwnd, state, which);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    MemoryDC buffer;
    if (!buffer.Create(windowDc, width, height))
        return;
    SetWindowOrgEx(buffer, rect.left, rect.top, NULL);
    SkinScrollDrawItem item = {kSkinDrawPrePaint, buffer, rect, -1, kSkinStateNormal, which};
    const bool hooked = SkinScrollCustomDraw(item) == 4;
    SkinBarLayout l = BarLayout(bar, rect);
    if (thumbOverride >= 0)
        l.thumbStart = thumbOverride;
    const bool mine = g_track.window == hwnd && g_track.pressedBar == which;
    const bool hotBar = bar.style == 2 && g_track.hotBar == which && g_track.window == hwnd;
    const bool canScroll = SkinBarCanScroll(bar);
    auto stateOf = [&](int part) -> UINT {
        const bool pressed = mine && g_track.pressedPart == part && g_track.shownPressed;
        if (part == kSkinPartArrow1 || part == kSkinPartArrow2) {
            const bool disabled =
                (bar.flags & (part == kSkinPartArrow1 ? kSkinBarLeftUpDisabled : kSkinBarRightDownDisabled)) ||
                !canScroll;
            if (pressed)
                return kSkinStatePressed;
            if (disabled)
                return kSkinStateDisabled;
            if (hotBar && g_track.hotPart == part)
                return kSkinStateHot;
            return kSkinStateNormal;
        }
        if (part == kSkinPartThumb) {
            if (pressed || (mine && g_track.pressedPart == part && state->tracking))
                return kSkinStatePressed;
            if (hotBar && g_track.hotPart == part)
                return kSkinStateHot;
            return kSkinStateNormal;
        }
        return pressed ? kSkinStatePressed : kSkinStateNormal;
    };
    auto draw = [&](int part, const RECT& r) {
        if (r.right <= r.left || r.bottom <= r.top)
            return;
        SkinScrollDrawItem piece = {kSkinDrawItemPaint, buffer, r, part, stateOf(part), which};
        if (hooked)
            SkinScrollCustomDraw(piece);
        else
            SkinScrollDefaultDraw(piece, bar.style);
    };
    const int start = bar.type == 0 ? rect.left : rect.top;
    const int end = bar.type == 0 ? rect.right : rect.bottom;
    draw(kSkinPartArrow1, Along(bar, rect, start, start + l.arrow));
    if (ThumbDrawable(bar, l)) {
        draw(kSkinPartPage1, Along(bar, rect, l.trackStart, l.thumbStart));
        draw(kSkinPartPage2, Along(bar, rect, l.thumbStart + l.thumbSize, end - l.arrow));
        draw(kSkinPartThumb, Along(bar, rect, l.thumbStart, l.thumbStart + l.thumbSize));
    } else {
        // An odd middle pixel between two half-length arrows is track as well.
        draw(kSkinPartPage2, Along(bar, rect, start + l.arrow, end - l.arrow));
    }
    draw(kSkinPartArrow2, Along(bar, rect, end - l.arrow, end));
    item.stage = kSkinDrawPostPaint;
    SkinScrollCustomDraw(item);
    SetWindowOrgEx(buffer, 0, 0, NULL);
    BitBlt(windowDc, rect.left, rect.top, width, height, buffer, 0, 0, SRCCOPY);
}

void PaintCorner(HWND hwnd, SkinScrollState* state, HDC dc)
{
    if (!state->horizontal.shown || !state->vertical.shown)
        return;
    const RECT h = BarRect(hwnd, state, 0), v = BarRect(hwnd, state, 1);
    RECT corner = {v.left, h.top, v.right, h.bottom};
    SkinScrollDrawItem pre = {kSkinDrawPrePaint, dc, corner, -1, kSkinStateNormal, 1};
    if (SkinScrollCustomDraw(pre) == 4) {
        SkinScrollDrawItem item = {kSkinDrawItemPaint, dc, corner, -1, kSkinStateNormal, kSkinCornerBar};
        SkinScrollCustomDraw(item);
        return;
    }
    HWND parent = GetParent(hwnd);
    RECT parentClient, screenCorner = corner, window;
    GetWindowRect(hwnd, &window);
    OffsetRect(&screenCorner, window.left, window.top);
    bool grip = false;
    if (parent && GetClientRect(parent, &parentClient)) {
        ClientToScreenRect(parent, parentClient);
        grip =
            screenCorner.bottom == parentClient.bottom &&
            (state->leftScrollBar ? screenCorner.left == parentClient.left : screenCorner.right == parentClient.right);
    }
    if (grip)
        DrawFrameControl(dc, &corner, DFC_SCROLL,
                         state->leftScrollBar ? DFCS_SCROLLSIZEGRIPRIGHT : DFCS_SCROLLSIZEGRIP);
    else
        FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
}

// The part of a WM_NCPAINT region (1: the whole window) the old procedure may paint: all but the skin bars
// and their corner. A control may paint over its whole frame (a themed list view fills it with its
// background), which would cover the bars just painted.
HRGN RegionWithoutBars(HWND hwnd, SkinScrollState* state, WPARAM region)
{
    RECT window;
    if (!GetWindowRect(hwnd, &window))
        return NULL;
    HRGN rest = CreateRectRgnIndirect(&window);
    if (!rest)
        return NULL;
    if (region > 1)
        CombineRgn(rest, rest, reinterpret_cast<HRGN>(region), RGN_AND);
    auto cut = [&](RECT r) {
        OffsetRect(&r, window.left, window.top);
        if (HRGN part = CreateRectRgnIndirect(&r)) {
            CombineRgn(rest, rest, part, RGN_DIFF);
            DeleteObject(part);
        }
    };
    if (state->horizontal.shown)
        cut(BarRect(hwnd, state, 0));
    if (state->vertical.shown)
        cut(BarRect(hwnd, state, 1));
    if (state->horizontal.shown && state->vertical.shown) {
        const RECT h = BarRect(hwnd, state, 0), v = BarRect(hwnd, state, 1);
        cut(RECT{v.left, h.top, v.right, h.bottom});
    }
    return rest;
}

void PaintBarNow(HWND hwnd, SkinScrollState* state, int which, int thumbOverride = -1)
{
    HDC dc = GetWindowDC(hwnd);
    if (!dc)
        return;
    PaintBar(hwnd, state, which, dc, thumbOverride);
    ReleaseDC(hwnd, dc);
}

void SendNcPaint(HWND hwnd)
{
    SendMessageA(hwnd, WM_NCPAINT, 1, 0);
}

LRESULT CallOld(SkinScrollState* state, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(state->oldProc, hwnd, message, wParam, lParam);
}

// The old procedure runs without WS_HSCROLL and WS_VSCROLL, so it neither reserves nor paints the
// platform's bars.
LRESULT CallStripped(SkinScrollState* state, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    const LONG bars = style & (WS_HSCROLL | WS_VSCROLL);
    if (bars) {
        state->styleGuard = TRUE;
        SetWindowLongA(hwnd, GWL_STYLE, style & ~bars);
        state->styleGuard = FALSE;
    }
    const LRESULT result = CallOld(state, hwnd, message, wParam, lParam);
    if (bars && IsWindow(hwnd)) {
        state->styleGuard = TRUE;
        SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) | bars);
        state->styleGuard = FALSE;
    }
    return result;
}

LRESULT OnNcCalcSize(SkinScrollState* state, HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    // The platform may have shown or hidden a bar by its style (where its functions are not redirected).
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    state->horizontal.flags = (state->horizontal.flags & ~kSkinBarWanted) | ((style & WS_HSCROLL) ? kSkinBarWanted : 0);
    state->vertical.flags = (state->vertical.flags & ~kSkinBarWanted) | ((style & WS_VSCROLL) ? kSkinBarWanted : 0);
    RECT* proposed = reinterpret_cast<RECT*>(lParam);
    const RECT before = *proposed;
    const LRESULT result = CallStripped(state, hwnd, WM_NCCALCSIZE, wParam, lParam);
    RECT& client = *proposed;
    state->insets.left = client.left - before.left;
    state->insets.top = client.top - before.top;
    state->insets.right = before.right - client.right;
    state->insets.bottom = before.bottom - client.bottom;
    const int horzWidth = SkinBarWidth(state->horizontal);
    state->horizontal.shown = (state->horizontal.flags & kSkinBarWanted) && horzWidth < client.bottom - client.top;
    if (state->horizontal.shown)
        client.bottom -= horzWidth;
    const int vertWidth = SkinBarWidth(state->vertical);
    state->vertical.shown = (state->vertical.flags & kSkinBarWanted) && client.right - client.left >= vertWidth;
    if (state->vertical.shown) {
        if (state->leftScrollBar)
            client.left += vertWidth;
        else
            client.right -= vertWidth;
    }
    return result;
}

int HitTestWindowPoint(HWND hwnd, SkinScrollState* state, int which, POINT windowPoint)
{
    SkinScrollBar& bar = which == 0 ? state->horizontal : state->vertical;
    if (!bar.shown)
        return kSkinPartNone;
    const RECT rect = BarRect(hwnd, state, which);
    const SkinBarLayout l = BarLayout(bar, rect);
    if (which == 0)
        return HitTestSkinBar(l, windowPoint.x, windowPoint.y >= rect.top && windowPoint.y < rect.bottom);
    return HitTestSkinBar(l, windowPoint.y, windowPoint.x >= rect.left && windowPoint.x < rect.right);
}

POINT ToWindow(HWND hwnd, POINT screen)
{
    RECT window;
    GetWindowRect(hwnd, &window);
    return POINT{screen.x - window.left, screen.y - window.top};
}

void SendScroll(HWND hwnd, int code, int position)
{
    SendMessageA(hwnd, g_track.scrollMessage, MAKEWPARAM(code, static_cast<WORD>(position)), 0);
}

void ClearPress()
{
    g_track.pressedBar = -1;
    g_track.pressedPart = -1;
    g_track.shownPressed = FALSE;
}

// Ends a press or a drag: by the button's release, or by a capture taken away.
void EndPress(HWND hwnd, SkinScrollState* state, BOOL releaseCapture)
{
    if (g_track.pressedPart < 0 || g_track.window != hwnd)
        return;
    const int which = g_track.pressedBar;
    KillTimer(hwnd, kSkinScrollFirstRepeat);
    KillTimer(hwnd, kSkinScrollRepeat);
    const BOOL dragged = state->tracking;
    ClearPress();
    if (releaseCapture && GetCapture() == hwnd)
        ReleaseCapture();
    if (dragged) {
        state->tracking = FALSE;
        SendScroll(hwnd, SB_THUMBPOSITION, g_track.lastPosition);
    }
    if (!IsWindow(hwnd))
        return;
    SendScroll(hwnd, SB_ENDSCROLL, 0);
    if (IsWindow(hwnd) && GetSkinScrollState(hwnd) == state)
        PaintBarNow(hwnd, state, which);
}

LRESULT OnNcButtonDown(SkinScrollState* state, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int which = wParam == HTHSCROLL ? 0 : 1;
    SkinScrollBar& bar = which == 0 ? state->horizontal : state->vertical;
    const POINT point = ToWindow(hwnd, PointFromLParam(lParam));
    const int part = HitTestWindowPoint(hwnd, state, which, point);
    g_track.window = hwnd;
    g_track.scrollMessage = which == 0 ? WM_HSCROLL : WM_VSCROLL;
    if (part == kSkinPartNone)
        return CallOld(state, hwnd, message, wParam, lParam);
    if ((part == kSkinPartArrow1 && (bar.flags & kSkinBarLeftUpDisabled)) ||
        (part == kSkinPartArrow2 && (bar.flags & kSkinBarRightDownDisabled)))
        return 0;
    const bool usable = SkinBarUsable(bar);
    if (part == kSkinPartThumb) {
        if (!usable)
            return 0;
        const RECT rect = BarRect(hwnd, state, which);
        const SkinBarLayout l = BarLayout(bar, rect);
        g_track.pressedBar = which;
        g_track.pressedPart = part;
        g_track.shownPressed = TRUE;
        g_track.pressRect = rect;
        g_track.thumbStartAtPress = l.thumbStart;
        g_track.thumbSizeAtPress = l.thumbSize;
        g_track.thumbStart = l.thumbStart;
        state->tracking = TRUE;
        bar.trackPosition = bar.position;
        g_track.clickOffset = (which == 0 ? point.x : point.y) - l.thumbStart;
        g_track.lastPosition = bar.position; // a press without a move ends at the position it began
        PaintBarNow(hwnd, state, which);
        SetCapture(hwnd);
        return 0;
    }
    g_track.pressedBar = which;
    g_track.pressedPart = part;
    g_track.shownPressed = TRUE;
    if (usable) {
        SendScroll(hwnd, part, 0);
        if (!IsWindow(hwnd) || GetSkinScrollState(hwnd) != state)
            return 0;
        PaintBarNow(hwnd, state, which);
        SetTimer(hwnd, kSkinScrollFirstRepeat, 300, NULL);
    }
    SetCapture(hwnd);
    return 0;
}

void OnDrag(SkinScrollState* state, HWND hwnd, POINT windowPoint)
{
    const int which = g_track.pressedBar;
    SkinScrollBar& bar = which == 0 ? state->horizontal : state->vertical;
    RECT snap = g_track.pressRect;
    if (which == 0)
        InflateRect(&snap, 48, 24);
    else
        InflateRect(&snap, 24, 48);
    const SkinBarLayout l = BarLayout(bar, g_track.pressRect);
    int thumbStart = g_track.thumbStartAtPress;
    if (PtInRect(&snap, windowPoint)) {
        const int along = which == 0 ? windowPoint.x : windowPoint.y;
        thumbStart = along - g_track.clickOffset;
        thumbStart = std::max(l.trackStart, std::min(thumbStart, l.trackStart + l.trackLength - l.thumbSize));
    }
    g_track.thumbStart = thumbStart;
    PaintBarNow(hwnd, state, which, thumbStart);
    SkinBarLayout dragged = l;
    dragged.thumbSize = g_track.thumbSizeAtPress;
    const int position = SkinDragPosition(bar, dragged, thumbStart);
    if (position != g_track.lastPosition) {
        bar.trackPosition = position;
        g_track.lastPosition = position;
        SendScroll(hwnd, SB_THUMBTRACK, position);
    }
}

void OnHoverTick(SkinScrollState* state, HWND hwnd)
{
    if (state->tracking)
        return;
    POINT cursor;
    GetCursorPos(&cursor);
    if (g_track.hotBar < 0 || !PtInRect(&g_track.hotRect, cursor)) {
        KillTimer(hwnd, kSkinScrollHover);
        g_track.hotBar = -1;
        g_track.hotPart = g_track.previousHotPart = -1;
        SendNcPaint(hwnd);
        return;
    }
    const int part = HitTestWindowPoint(hwnd, state, g_track.hotBar, ToWindow(hwnd, cursor));
    if (part != g_track.hotPart) {
        g_track.previousHotPart = g_track.hotPart;
        g_track.hotPart = part;
        PaintBarNow(hwnd, state, g_track.hotBar);
    }
}

void OnRepeatTick(SkinScrollState* state, HWND hwnd, UINT_PTR id)
{
    if (g_track.pressedPart < 0 || g_track.window != hwnd || state->tracking) {
        KillTimer(hwnd, id);
        return;
    }
    if (id == kSkinScrollFirstRepeat) {
        KillTimer(hwnd, kSkinScrollFirstRepeat);
        SetTimer(hwnd, kSkinScrollRepeat, 55, NULL);
    }
    POINT cursor;
    GetCursorPos(&cursor);
    if (HitTestWindowPoint(hwnd, state, g_track.pressedBar, ToWindow(hwnd, cursor)) == g_track.pressedPart)
        SendScroll(hwnd, g_track.pressedPart, 0);
}

LRESULT CALLBACK SkinScrollProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    SkinScrollState* state = GetSkinScrollState(hwnd);
    if (!state)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_STYLECHANGING:
        if (state->styleGuard)
            return 0;
        break;
    case WM_STYLECHANGED:
        if (state->styleGuard)
            return 0;
        if (wParam == static_cast<WPARAM>(GWL_EXSTYLE) && lParam)
            state->leftScrollBar = (reinterpret_cast<const STYLESTRUCT*>(lParam)->styleNew & WS_EX_LEFTSCROLLBAR) != 0;
        break;
    case WM_NCDESTROY: {
        WNDPROC old = state->oldProc;
        SkinScrollRemove(hwnd);
        return CallWindowProcA(old, hwnd, message, wParam, lParam);
    }
    case WM_NCCALCSIZE:
        if (!lParam)
            break;
        return OnNcCalcSize(state, hwnd, wParam, lParam);
    case WM_NCHITTEST: {
        const POINT point = ToWindow(hwnd, PointFromLParam(lParam));
        for (int which = 0; which < 2; ++which) {
            const SkinScrollBar& bar = which == 0 ? state->horizontal : state->vertical;
            const RECT r = BarRect(hwnd, state, which);
            if (bar.shown && PtInRect(&r, point))
                return which == 0 ? HTHSCROLL : HTVSCROLL;
        }
        break;
    }
    case WM_NCPAINT: {
        HDC dc = GetWindowDC(hwnd);
        if (dc) {
            PaintBar(hwnd, state, 0, dc, state->tracking && g_track.pressedBar == 0 ? g_track.thumbStart : -1);
            PaintBar(hwnd, state, 1, dc, state->tracking && g_track.pressedBar == 1 ? g_track.thumbStart : -1);
            PaintCorner(hwnd, state, dc);
            ReleaseDC(hwnd, dc);
        }
        HRGN rest = RegionWithoutBars(hwnd, state, wParam);
        const LRESULT result =
            CallStripped(state, hwnd, message, rest ? reinterpret_cast<WPARAM>(rest) : wParam, lParam);
        if (rest)
            DeleteObject(rest);
        return result;
    }
    case WM_NCMOUSEMOVE:
        if (wParam == HTHSCROLL || wParam == HTVSCROLL) {
            const int which = wParam == HTHSCROLL ? 0 : 1;
            if (g_track.hotBar != which || g_track.window != hwnd) {
                g_track.window = hwnd;
                g_track.hotPart = g_track.previousHotPart = -1;
                RECT r = BarRect(hwnd, state, which), window;
                GetWindowRect(hwnd, &window);
                OffsetRect(&r, window.left, window.top);
                g_track.hotRect = r;
                g_track.hotBar = which;
                SetTimer(hwnd, kSkinScrollHover, 20, NULL);
                SendNcPaint(hwnd);
            }
        }
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTHSCROLL || wParam == HTVSCROLL)
            return OnNcButtonDown(state, hwnd, message, wParam, lParam);
        break;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
        if (wParam == HTHSCROLL || wParam == HTVSCROLL)
            return 0;
        break;
    case WM_MOUSEMOVE:
        if (g_track.pressedPart >= 0 && g_track.window == hwnd) {
            POINT screen = PointFromLParam(lParam);
            ClientToScreen(hwnd, &screen);
            const POINT point = ToWindow(hwnd, screen);
            if (state->tracking) {
                OnDrag(state, hwnd, point);
            } else {
                const BOOL on = HitTestWindowPoint(hwnd, state, g_track.pressedBar, point) == g_track.pressedPart;
                if (on != g_track.shownPressed) {
                    g_track.shownPressed = on;
                    PaintBarNow(hwnd, state, g_track.pressedBar);
                }
            }
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (g_track.pressedPart >= 0 && g_track.window == hwnd) {
            EndPress(hwnd, state, TRUE);
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        // A capture taken away ends a press or drag as a release would.
        if (g_track.pressedPart >= 0 && g_track.window == hwnd && reinterpret_cast<HWND>(lParam) != hwnd)
            EndPress(hwnd, state, FALSE);
        break;
    case WM_CANCELMODE:
        if (g_track.pressedPart >= 0 && g_track.window == hwnd)
            EndPress(hwnd, state, TRUE);
        break;
    case WM_TIMER:
        if (wParam == kSkinScrollHover) {
            OnHoverTick(state, hwnd);
            return 0;
        }
        if (wParam == kSkinScrollFirstRepeat || wParam == kSkinScrollRepeat) {
            OnRepeatTick(state, hwnd, wParam);
            return 0;
        }
        break;
    default:
        break;
    }
    return CallOld(state, hwnd, message, wParam, lParam);
}

void ReadPlatformBar(HWND hwnd, int which, SkinScrollBar& bar)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (RealApi().getScrollInfo(hwnd, which, &info)) {
        bar.minimum = info.nMin;
        bar.maximum = info.nMax;
        bar.page = info.nPage;
        bar.position = info.nPos;
        bar.trackPosition = info.nTrackPos;
    }
}

int DefaultMinThumb()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!IsNt() || !GetVersionExA(&version) || version.dwMajorVersion < 5)
        return 8;
    return 6;
}

} // namespace

SkinScrollState* GetSkinScrollState(HWND hwnd)
{
    return hwnd ? static_cast<SkinScrollState*>(GetPropA(hwnd, kSkinScrollProperty)) : NULL;
}

BOOL SkinScrollInstall(HWND hwnd)
{
    if (!hwnd || GetSkinScrollState(hwnd))
        return FALSE;
    SkinScrollState* state =
        static_cast<SkinScrollState*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(SkinScrollState)));
    if (!state)
        return FALSE;
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    ReadPlatformBar(hwnd, SB_HORZ, state->horizontal);
    ReadPlatformBar(hwnd, SB_VERT, state->vertical);
    state->leftScrollBar = (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    state->horizontal.flags = (style & WS_HSCROLL) ? kSkinBarWanted : 0;
    state->vertical.flags = (style & WS_VSCROLL) ? kSkinBarWanted : 0;
    state->horizontal.type = 0;
    state->vertical.type = 1;
    state->horizontal.arrowLength = state->horizontal.barWidth = -1;
    state->vertical.arrowLength = state->vertical.barWidth = -1;
    state->horizontal.minThumbSize = state->vertical.minThumbSize = DefaultMinThumb();
    if (!SetPropA(hwnd, kSkinScrollProperty, state)) {
        HeapFree(GetProcessHeap(), 0, state);
        return FALSE;
    }
    state->oldProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinScrollProc)));
    RecalcFrame(hwnd);
    return TRUE;
}

HRESULT SkinScrollRemove(HWND hwnd)
{
    SkinScrollState* state = GetSkinScrollState(hwnd);
    if (!state)
        return E_FAIL;
    if (g_track.window == hwnd) {
        // Nothing is sent to a window that is going: the tracking state is only forgotten.
        KillTimer(hwnd, kSkinScrollFirstRepeat);
        KillTimer(hwnd, kSkinScrollRepeat);
        KillTimer(hwnd, kSkinScrollHover);
        if (GetCapture() == hwnd && g_track.pressedPart >= 0) {
            ClearPress();
            ReleaseCapture();
        }
        ClearPress();
        g_track.window = NULL;
        g_track.hotBar = -1;
        g_track.hotPart = g_track.previousHotPart = -1;
    }
    if (GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SkinScrollProc))
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(state->oldProc));
    RemovePropA(hwnd, kSkinScrollProperty);
    HeapFree(GetProcessHeap(), 0, state);
    return S_OK;
}

BOOL SkinScrollSetStyle(HWND hwnd, int bar, int style)
{
    SkinScrollState* state = GetSkinScrollState(hwnd);
    if (!state)
        return FALSE;
    if (bar == SB_HORZ || bar == SB_BOTH)
        state->horizontal.style = style;
    if (bar == SB_VERT || bar == SB_BOTH)
        state->vertical.style = style;
    SendNcPaint(hwnd);
    return TRUE;
}

BOOL SkinScrollSetSize(HWND hwnd, int bar, int arrowLength, int barWidth)
{
    SkinScrollState* state = GetSkinScrollState(hwnd);
    auto valid = [](int v) { return v != 0 && v >= -8 && v <= 256; };
    if (!state || !valid(arrowLength) || !valid(barWidth))
        return FALSE;
    if (bar == SB_HORZ || bar == SB_BOTH) {
        state->horizontal.arrowLength = arrowLength;
        state->horizontal.barWidth = barWidth;
    }
    if (bar == SB_VERT || bar == SB_BOTH) {
        state->vertical.arrowLength = arrowLength;
        state->vertical.barWidth = barWidth;
    }
    RecalcFrame(hwnd);
    return TRUE;
}

BOOL SkinScrollSetMinThumbSize(HWND hwnd, int bar, int size)
{
    SkinScrollState* state = GetSkinScrollState(hwnd);
    if (!state)
        return FALSE;
    if (size == -1)
        size = DefaultMinThumb();
    if (bar == SB_HORZ || bar == SB_BOTH)
        state->horizontal.minThumbSize = size;
    if (bar == SB_VERT || bar == SB_BOTH)
        state->vertical.minThumbSize = size;
    return TRUE;
}

int SkinScrollUpdateScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw)
{
    SkinScrollState* state = GetSkinScrollState(hwnd);
    SkinScrollBar* sb = BarOf(state, bar);
    if (!sb || !info)
        return 0;
    ApplySkinScrollInfo(*sb, *info);
    if (redraw && !state->tracking)
        PaintBarNow(hwnd, state, bar == SB_HORZ ? 0 : 1);
    return sb->position;
}

BOOL SkinScrollEnableScrollBar(HWND hwnd, UINT bar, UINT arrows)
{
    SkinScrollState* state = GetSkinScrollState(hwnd);
    if (!state)
        return FALSE;
    auto apply = [&](SkinScrollBar& b, int which) {
        const UINT before = b.flags;
        b.flags = (b.flags & ~3u) | (arrows & 3u);
        const bool changed = before != b.flags;
        // A bar whose arrows changed shows it.
        if (changed && b.shown && !state->tracking)
            PaintBarNow(hwnd, state, which);
        return changed;
    };
    if (bar == SB_HORZ)
        return apply(state->horizontal, 0);
    if (bar == SB_VERT)
        return apply(state->vertical, 1);
    if (bar == SB_BOTH) {
        const bool h = apply(state->horizontal, 0);
        const bool v = apply(state->vertical, 1);
        return h && v;
    }
    return TRUE;
}

BOOL SkinScrollGetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info)
{
    SkinScrollBar* sb = BarOf(GetSkinScrollState(hwnd), bar);
    if (!info)
        return FALSE;
    if (!sb)
        return RealApi().getScrollInfo(hwnd, bar, info);
    BOOL any = FALSE;
    if (info->fMask & SIF_PAGE) {
        info->nPage = sb->page;
        any = TRUE;
    }
    if (info->fMask & SIF_POS) {
        info->nPos = sb->position;
        any = TRUE;
    }
    if (info->fMask & SIF_TRACKPOS) {
        info->nTrackPos = sb->trackPosition;
        any = TRUE;
    }
    if (info->fMask & SIF_RANGE) {
        info->nMin = sb->minimum;
        info->nMax = sb->maximum;
        any = TRUE;
    }
    return any;
}

int SkinScrollGetScrollPos(HWND hwnd, int bar)
{
    SkinScrollBar* sb = BarOf(GetSkinScrollState(hwnd), bar);
    return sb ? sb->position : RealApi().getScrollPos(hwnd, bar);
}

BOOL SkinScrollGetScrollRange(HWND hwnd, int bar, LPINT minimum, LPINT maximum)
{
    SkinScrollBar* sb = BarOf(GetSkinScrollState(hwnd), bar);
    if (!sb)
        return RealApi().getScrollRange(hwnd, bar, minimum, maximum);
    if (!minimum || !maximum)
        return FALSE;
    *minimum = sb->minimum;
    *maximum = sb->maximum;
    return TRUE;
}

int SkinScrollSetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw)
{
    SkinScrollState* state = GetSkinScrollState(hwnd);
    SkinScrollBar* sb = BarOf(state, bar);
    if (!sb)
        return RealApi().setScrollInfo(hwnd, bar, info, redraw);
    if (!info)
        return sb->position;
    const bool visible = ApplySkinScrollInfo(*sb, *info);
    const BOOL wasShown = sb->shown;
    if (visible != (wasShown != FALSE))
        SkinScrollShowScrollBar(hwnd, bar, visible);
    if (redraw && !state->tracking) {
        if ((sb->shown != FALSE) == (wasShown != FALSE))
            SendNcPaint(hwnd);
    }
    return sb->position;
}

int SkinScrollSetScrollPos(HWND hwnd, int bar, int position, BOOL redraw)
{
    SkinScrollState* state = GetSkinScrollState(hwnd);
    SkinScrollBar* sb = BarOf(state, bar);
    if (!sb)
        return RealApi().setScrollPos(hwnd, bar, position, redraw);
    const int previous = sb->position;
    sb->position = ClampSkinPosition(*sb, position);
    if (redraw && !state->tracking)
        SendNcPaint(hwnd);
    return previous;
}

BOOL SkinScrollSetScrollRange(HWND hwnd, int bar, int minimum, int maximum, BOOL redraw)
{
    SkinScrollState* state = GetSkinScrollState(hwnd);
    SkinScrollBar* sb = BarOf(state, bar);
    if (!sb)
        return RealApi().setScrollRange(hwnd, bar, minimum, maximum, redraw);
    if (state->tracking)
        return sb->position;
    sb->minimum = minimum;
    sb->maximum = maximum;
    sb->position = ClampSkinPosition(*sb, sb->position);
    if (minimum == maximum)
        SkinScrollShowScrollBar(hwnd, bar, FALSE);
    else if (redraw)
        SendNcPaint(hwnd);
    return TRUE;
}

BOOL SkinScrollShowScrollBar(HWND hwnd, int bar, BOOL show)
{
    SkinScrollState* state = GetSkinScrollState(hwnd);
    if (!state)
        return RealApi().showScrollBar(hwnd, bar, show);
    if (bar != SB_HORZ && bar != SB_VERT && bar != SB_BOTH)
        return TRUE;
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    bool changed = false;
    auto set = [&](SkinScrollBar& b, LONG bit) {
        changed = changed || (b.shown != FALSE) != (show != FALSE);
        b.flags = show ? (b.flags | kSkinBarWanted) : (b.flags & ~kSkinBarWanted);
        style = show ? (style | bit) : (style & ~bit);
    };
    if (bar == SB_HORZ || bar == SB_BOTH)
        set(state->horizontal, WS_HSCROLL);
    if (bar == SB_VERT || bar == SB_BOTH)
        set(state->vertical, WS_VSCROLL);
    state->styleGuard = TRUE;
    SetWindowLongA(hwnd, GWL_STYLE, style);
    state->styleGuard = FALSE;
    if (IsNt() || changed)
        RecalcFrame(hwnd);
    return TRUE;
}

RECT GetSkinBarRect(HWND hwnd, int bar)
{
    SkinScrollState* state = GetSkinScrollState(hwnd);
    SkinScrollBar* sb = BarOf(state, bar);
    RECT empty = {0, 0, 0, 0};
    if (!sb || !sb->shown)
        return empty;
    return BarRect(hwnd, state, bar == SB_HORZ ? 0 : 1);
}
