// Skin scroll bars: install and removal, the scroll-bar operations, the non-client layout and painting,
// and following the platform's bars. The pointer's presses, repeats, drags and hot parts are tracked in
// SkinScrollTracking.cpp.
#include "skin/skinners/scrolling/SkinScrollBar.h"

#include <algorithm>

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/drawing/WindowTools.h"
#include "skin/engine/interception/ApiHooks.h"
#include "skin/skinners/scrolling/SkinScrollTracking.h"

const char kSkinScrollProperty[] = "SkinSBSubclassPtr";

namespace skinscroll {

LRESULT CALLBACK SkinScrollProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
HRESULT RemoveBars(HWND hwnd, bool destroying);

// The procedure the bars replaced, kept on a window that was subclassed again after them once they are
// removed.
const char kSkinScrollReplacedProperty[] = "SkinSBReplacedProc";

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
    const bool mine = Tracked().window == hwnd && Tracked().pressedBar == which;
    const bool hotBar = bar.style == 2 && Tracked().hotBar == which && Tracked().window == hwnd;
    const bool canScroll = SkinBarCanScroll(bar);
    auto stateOf = [&](int part) -> UINT {
        const bool pressed = mine && Tracked().pressedPart == part && Tracked().shownPressed;
        if (part == kSkinPartArrow1 || part == kSkinPartArrow2) {
            const bool disabled =
                (bar.flags & (part == kSkinPartArrow1 ? kSkinBarLeftUpDisabled : kSkinBarRightDownDisabled)) ||
                !canScroll;
            if (pressed)
                return kSkinStatePressed;
            if (disabled)
                return kSkinStateDisabled;
            if (hotBar && Tracked().hotPart == part)
                return kSkinStateHot;
            return kSkinStateNormal;
        }
        if (part == kSkinPartThumb) {
            if (pressed || (mine && Tracked().pressedPart == part && state->tracking))
                return kSkinStatePressed;
            if (hotBar && Tracked().hotPart == part)
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

void PaintBarNow(HWND hwnd, SkinScrollState* state, int which, int thumbOverride)
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

bool SamePlatformBar(const SCROLLINFO& a, const SCROLLINFO& b)
{
    return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

SCROLLINFO ReadPlatformInfo(HWND hwnd, int which)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!RealApi().getScrollInfo(hwnd, which == 0 ? SB_HORZ : SB_VERT, &info))
        info.fMask = 0;
    return info;
}

// The platform's bar is compared with what it held last time, not with the skin bar: the skin bar's own
// record may be newer (a drag, the toolkit's own calls), and is only overwritten by a real change. A
// platform bar that changed has also painted itself over the skin bar, which is painted again.
BOOL FollowPlatform(HWND hwnd, SkinScrollState* state, bool paint)
{
    if (state->tracking)
        return FALSE;
    BOOL changed = FALSE;
    for (int which = 0; which < 2; ++which) {
        const SCROLLINFO info = ReadPlatformInfo(hwnd, which);
        SCROLLINFO& seen = state->platformSeen[which];
        if (!info.fMask || (seen.fMask && SamePlatformBar(seen, info)))
            continue;
        seen = info;
        ApplySkinScrollInfo(which == 0 ? state->horizontal : state->vertical, info);
        changed = TRUE;
        if (paint)
            PaintBarNow(hwnd, state, which);
    }
    return changed;
}

LRESULT HandleMessage(SkinScrollState* state, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// False for the frequent messages that only ask or only paint what is already there.
bool MayCallScrollFunctions(UINT message)
{
    switch (message) {
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_NCMOUSEMOVE:
    case WM_MOUSEMOVE:
    case WM_MOUSEHOVER:
    case WM_NCMOUSELEAVE:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETFONT:
    case WM_GETDLGCODE:
    case WM_GETOBJECT:
    case WM_NOTIFYFORMAT:
    case WM_QUERYUISTATE:
    case WM_MOUSEACTIVATE:
    case WM_NCPAINT:
    case WM_NCCALCSIZE:
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
    case WM_WINDOWPOSCHANGING:
    case WM_STYLECHANGING:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
        return false;
    default:
        return true;
    }
}

// The bars' procedure. A window subclassed again after the bars were installed keeps calling it once
// they are gone; it then passes everything to the procedure they had replaced.
LRESULT CALLBACK SkinScrollProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    SkinScrollState* state = GetSkinScrollState(hwnd);
    if (!state) {
        WNDPROC replaced = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kSkinScrollReplacedProperty));
        if (!replaced)
            return DefWindowProcA(hwnd, message, wParam, lParam);
        if (message == WM_NCDESTROY)
            RemovePropA(hwnd, kSkinScrollReplacedProperty);
        return CallWindowProcA(replaced, hwnd, message, wParam, lParam);
    }
    const LRESULT result = HandleMessage(state, hwnd, message, wParam, lParam);
    // Any message may have moved the control's scroll state where its calls reach the platform's bars
    // (keys, the wheel, its timers, its own messages): the skin bars follow at once. A platform bar told
    // its unchanged values again paints itself all the same, so the shown bars are painted again after
    // every message that can reach the control's scroll calls, changed or not.
    // Where the functions are redirected, a control can still reach the platform's bars below them (Wine's
    // own list box does), so whatever changed there is followed everywhere.
    if (message == WM_NCDESTROY)
        return result;
    SkinScrollState* still = GetSkinScrollState(hwnd);
    if (still && !FollowPlatform(hwnd, still, true) && SkinScrollFollowsPlatform() && MayCallScrollFunctions(message) &&
        !still->tracking) {
        PaintBarNow(hwnd, still, 0);
        PaintBarNow(hwnd, still, 1);
    }
    return result;
}

LRESULT HandleMessage(SkinScrollState* state, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
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
        RemoveBars(hwnd, true);
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
        FollowPlatform(hwnd, state, false);
        HDC dc = GetWindowDC(hwnd);
        if (dc) {
            PaintBar(hwnd, state, 0, dc, state->tracking && Tracked().pressedBar == 0 ? Tracked().thumbStart : -1);
            PaintBar(hwnd, state, 1, dc, state->tracking && Tracked().pressedBar == 1 ? Tracked().thumbStart : -1);
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
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
    case WM_TIMER: {
        LRESULT result = 0;
        if (TrackingMessage(state, hwnd, message, wParam, lParam, &result))
            return result;
        break;
    }
    default:
        break;
    }
    return CallOld(state, hwnd, message, wParam, lParam);
}

void ReadPlatformBar(HWND hwnd, int which, SkinScrollBar& bar, SCROLLINFO& seen)
{
    seen = ReadPlatformInfo(hwnd, which);
    if (seen.fMask) {
        bar.minimum = seen.nMin;
        bar.maximum = seen.nMax;
        bar.page = seen.nPage;
        bar.position = seen.nPos;
        bar.trackPosition = seen.nTrackPos;
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

} // namespace skinscroll

using namespace skinscroll;

bool SkinScrollFollowsPlatform()
{
    const int kind = GetOSKind();
    return kind == OSKindWin98 || kind == OSKindWinMe || !ScrollBarFunctionsIntercepted();
}

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
    ReadPlatformBar(hwnd, 0, state->horizontal, state->platformSeen[0]);
    ReadPlatformBar(hwnd, 1, state->vertical, state->platformSeen[1]);
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
    if (WNDPROC replaced = reinterpret_cast<WNDPROC>(RemovePropA(hwnd, kSkinScrollReplacedProperty))) {
        // Bars again on a window whose procedure set after the earlier bars still calls theirs: that call
        // leads to these, which pass on to what the first bars replaced.
        state->oldProc = replaced;
    } else {
        state->oldProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinScrollProc)));
    }
    RecalcFrame(hwnd);
    return TRUE;
}

BOOL SkinScrollFollowPlatformBars(HWND hwnd)
{
    SkinScrollState* state = GetSkinScrollState(hwnd);
    return state ? FollowPlatform(hwnd, state, true) : FALSE;
}

HRESULT SkinScrollRemove(HWND hwnd)
{
    return RemoveBars(hwnd, false);
}

namespace skinscroll {

HRESULT RemoveBars(HWND hwnd, bool destroying)
{
    SkinScrollState* state = GetSkinScrollState(hwnd);
    if (!state)
        return E_FAIL;
    ForgetTracking(hwnd);
    // Only while the window still runs the bars' procedure: a procedure set after it keeps calling it,
    // and it passes everything on from now on.
    if (GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SkinScrollProc))
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(state->oldProc));
    else
        SetPropA(hwnd, kSkinScrollReplacedProperty, reinterpret_cast<HANDLE>(state->oldProc));
    RemovePropA(hwnd, kSkinScrollProperty);
    HeapFree(GetProcessHeap(), 0, state);
    // The window's own frame again (not for a window that is going).
    if (!destroying)
        RecalcFrame(hwnd);
    return S_OK;
}

} // namespace skinscroll

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
