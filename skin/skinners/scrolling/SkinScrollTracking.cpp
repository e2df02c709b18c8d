// Skin scroll bars: the pointer's side, one interaction at a time for the whole process: the hot part
// under the mouse, a pressed arrow or page area with its repeats, and a thumb drag with its snap-back.
#include "skin/skinners/scrolling/SkinScrollTracking.h"

#include <algorithm>

#include "skin/engine/drawing/WindowTools.h"

namespace skinscroll {

namespace {

Tracking g_track = {NULL, -1, {0, 0, 0, 0}, -1, -1, -1, -1, FALSE, 0, {0, 0, 0, 0}, 0, 0, 0, 0, 0};

} // namespace

Tracking& Tracked()
{
    return g_track;
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

namespace {

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

} // namespace

bool TrackingMessage(SkinScrollState* state, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    *result = 0;
    switch (message) {
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
        if (wParam == HTHSCROLL || wParam == HTVSCROLL) {
            *result = OnNcButtonDown(state, hwnd, message, wParam, lParam);
            return true;
        }
        break;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
        if (wParam == HTHSCROLL || wParam == HTVSCROLL)
            return true;
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
            return true;
        }
        break;
    case WM_LBUTTONUP:
        if (g_track.pressedPart >= 0 && g_track.window == hwnd) {
            EndPress(hwnd, state, TRUE);
            return true;
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
            return true;
        }
        if (wParam == kSkinScrollFirstRepeat || wParam == kSkinScrollRepeat) {
            OnRepeatTick(state, hwnd, wParam);
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

void ForgetTracking(HWND hwnd)
{
    if (g_track.window != hwnd)
        return;
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

} // namespace skinscroll
