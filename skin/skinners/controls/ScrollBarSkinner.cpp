// ScrollBarSkinner: the bar's own SCROLLINFO and messages, the mouse (presses, repeats, thumb drags) and
// the painting from the ScrollBar object. The geometry is the skin scroll bars' (arrows, track, thumb
// in proportion to the page, the position a dragged thumb stands for); only the thumb of a bar without a
// page differs: it takes the minimum thumb length here, the arrow length there.
#include "skin/skinners/controls/ScrollBarSkinner.h"

#include <algorithm>
#include <cstddef>

#include "skin/engine/drawing/WindowTools.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinMessages.h"

namespace {

enum { GroupNormal = 0, GroupPressed = 1, GroupHighlighted = 2, GroupDisabled = 3, VerticalGroups = 4 };

int Width(const RECT& r)
{
    return std::max(0, static_cast<int>(r.right - r.left));
}

int Height(const RECT& r)
{
    return std::max(0, static_cast<int>(r.bottom - r.top));
}

SkinScrollBar AsSkinBar(const SCROLLINFO& info, int arrow, int minThumb)
{
    SkinScrollBar bar = {};
    bar.minimum = info.nMin;
    bar.maximum = info.nMax;
    bar.page = info.nPage;
    bar.position = info.nPos;
    bar.trackPosition = info.nTrackPos;
    bar.arrowLength = arrow;
    bar.minThumbSize = minThumb;
    return bar;
}

// Skin bar hit codes to the control's parts.
int PartOf(int skinPart)
{
    switch (skinPart) {
    case kSkinPartArrow1:
        return ScrollBarSkinner::PartArrow1;
    case kSkinPartArrow2:
        return ScrollBarSkinner::PartArrow2;
    case kSkinPartPage1:
        return ScrollBarSkinner::PartTrack1;
    case kSkinPartPage2:
        return ScrollBarSkinner::PartTrack2;
    case kSkinPartThumb:
        return ScrollBarSkinner::PartThumb;
    default:
        return ScrollBarSkinner::PartNone;
    }
}

bool IsArrowOrTrack(int part)
{
    return part >= ScrollBarSkinner::PartArrow1 && part <= ScrollBarSkinner::PartTrack2;
}

} // namespace

ScrollBarSkinner::ScrollBarSkinner(SkinnedWindow* owner)
    : ControlSkinner(owner, SkinTypeScrollBar), grabOffset_(0), active_(0), info_(), hitPart_(PartNone), pressed_(0),
      horzMinThumb_(0), horzArrow_(0), vertMinThumb_(0), vertArrow_(0), disabledArrows_(0), cursor_()
{
    info_.cbSize = sizeof info_;
    info_.fMask = SIF_ALL;
}

SkinBarLayout ScrollBarSkinner::Layout(const SCROLLINFO& info, int span, int arrow, int minThumb)
{
    const SkinScrollBar bar = AsSkinBar(info, std::max(0, arrow), std::max(0, minThumb));
    SkinBarLayout layout = LayoutSkinBarTrack(bar, 0, span);
    const unsigned range = static_cast<unsigned>(info.nMax) - static_cast<unsigned>(info.nMin);
    if (range > 0x7FFFFFFEu) {
        layout.thumbSize = 0;
        return layout;
    }
    PlaceSkinThumb(bar, bar.minThumbSize, layout);
    return layout;
}

int ScrollBarSkinner::DragPosition(const SCROLLINFO& info, const SkinBarLayout& layout, int along, int grab)
{
    if (static_cast<long long>(info.nMax) - info.nMin <= 0)
        return info.nMin;
    return SkinDragPosition(AsSkinBar(info, layout.arrow, 0), layout, along - grab);
}

bool ScrollBarSkinner::CanScroll(const SCROLLINFO& info)
{
    const long long range = static_cast<long long>(info.nMax) - info.nMin;
    return range > std::max<long long>(static_cast<long long>(info.nPage) - 1, 0);
}

bool ScrollBarSkinner::Vertical() const
{
    return hwnd_ && (GetWindowLongA(hwnd_, GWL_STYLE) & SBS_VERT);
}

bool ScrollBarSkinner::SizeBox() const
{
    return hwnd_ && (GetWindowLongA(hwnd_, GWL_STYLE) & (SBS_SIZEBOX | SBS_SIZEGRIP));
}

bool ScrollBarSkinner::Usable() const
{
    const UINT both = ESB_DISABLE_LTUP | ESB_DISABLE_RTDN;
    return active_ && IsWindowEnabled(hwnd_) && (disabledArrows_ & both) != both;
}

void ScrollBarSkinner::TakeLengths()
{
    const ScrollBarSkinObject* object = dynamic_cast<const ScrollBarSkinObject*>(skinObject_);
    if (!object)
        return;
    const ScrollBarGroup& horizontal = object->groups[GroupNormal];
    const ScrollBarGroup& vertical = object->groups[VerticalGroups + GroupNormal];
    horzArrow_ = Width(horizontal.arrow1.source);
    horzMinThumb_ = Width(horizontal.thumb.source);
    vertArrow_ = Height(vertical.arrow1.source);
    vertMinThumb_ = Height(vertical.thumb.source);
}

SkinObject* ScrollBarSkinner::SetSkinObject(SkinObject* object)
{
    SkinObject* previous = ControlSkinner::SetSkinObject(object);
    TakeLengths();
    return previous;
}

LONG_PTR ScrollBarSkinner::Attach(HWND hwnd)
{
    const LONG_PTR attached = ControlSkinner::Attach(hwnd);
    if (attached)
        PostMessageA(hwnd, WM_SKIN_COLORSCHANGED, 0, 0);
    return attached;
}

void ScrollBarSkinner::Detach()
{
    // Nothing of a press outlives the skinner: the control would get the repeats.
    if (hwnd_ && !destroyed_) {
        KillTimer(hwnd_, kRepeatTimer);
        const bool held = pressed_ && GetCapture() == hwnd_;
        pressed_ = 0;
        if (held)
            ReleaseCapture();
    }
    ControlSkinner::Detach();
}

SkinBarLayout ScrollBarSkinner::CurrentLayout() const
{
    RECT client = {};
    if (hwnd_)
        GetClientRect(hwnd_, &client);
    const bool vertical = Vertical();
    SkinBarLayout layout = Layout(info_, vertical ? client.bottom : client.right, vertical ? vertArrow_ : horzArrow_,
                                  vertical ? vertMinThumb_ : horzMinThumb_);
    if (pressed_ && hitPart_ == PartThumb && layout.thumbSize > 0) {
        const int last = std::max(layout.trackStart, layout.trackStart + layout.trackLength - layout.thumbSize);
        const int along = vertical ? cursor_.y : cursor_.x;
        layout.thumbStart = std::min(std::max(along - grabOffset_, layout.trackStart), last);
    }
    return layout;
}

int ScrollBarSkinner::HitPart(POINT point) const
{
    RECT client;
    GetClientRect(hwnd_, &client);
    const bool vertical = Vertical();
    const int along = vertical ? point.y : point.x;
    const bool across = vertical ? point.x >= 0 && point.x < client.right : point.y >= 0 && point.y < client.bottom;
    return PartOf(HitTestSkinBar(CurrentLayout(), along, across));
}

void ScrollBarSkinner::Repaint()
{
    InvalidateRect(hwnd_, NULL, TRUE);
    UpdateWindow(hwnd_);
}

bool ScrollBarSkinner::Notify(int code, int position)
{
    HWND hwnd = hwnd_;
    HWND parent = GetParent(hwnd);
    if (!parent)
        return true;
    SendMessageA(parent, Vertical() ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, position),
                 reinterpret_cast<LPARAM>(hwnd));
    return StillSkinned(hwnd, this);
}

void ScrollBarSkinner::ReadControlState()
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (PassOn(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&info)))
        info_ = info;
    info_.cbSize = sizeof info_;
    info_.fMask = SIF_ALL;
    active_ = 1;
    Repaint();
}

LRESULT ScrollBarSkinner::OnButtonDown(LPARAM lParam)
{
    HideTooltip();
    cursor_ = PointFromLParam(lParam);
    if (!Usable())
        return 0;
    hitPart_ = HitPart(cursor_);
    SetCapture(hwnd_);
    if (hitPart_ == PartNone || (hitPart_ == PartArrow1 && (disabledArrows_ & ESB_DISABLE_LTUP)) ||
        (hitPart_ == PartArrow2 && (disabledArrows_ & ESB_DISABLE_RTDN))) {
        ReleaseCapture();
        return 0;
    }
    if (hitPart_ == PartThumb) {
        // Measured before the press: from then on the drawn thumb follows the cursor.
        grabOffset_ = (Vertical() ? cursor_.y : cursor_.x) - CurrentLayout().thumbStart;
        pressed_ = 1;
        info_.nTrackPos = info_.nPos;
        if (Notify(SB_THUMBTRACK, info_.nPos))
            Repaint();
        return 0;
    }
    pressed_ = 1;
    SetTimer(hwnd_, kRepeatTimer, kRepeatMs, NULL);
    if (Notify(hitPart_ - PartArrow1 + SB_LINEUP, 0))
        Repaint();
    return 0;
}

void ScrollBarSkinner::OnRepeat()
{
    if (!pressed_ || !IsArrowOrTrack(hitPart_)) {
        KillTimer(hwnd_, kRepeatTimer);
        return;
    }
    // A page press stops once the thumb has come to the cursor.
    if ((hitPart_ == PartTrack1 || hitPart_ == PartTrack2) && HitPart(cursor_) != hitPart_) {
        KillTimer(hwnd_, kRepeatTimer);
        return;
    }
    Notify(hitPart_ - PartArrow1 + SB_LINEUP, 0);
}

LRESULT ScrollBarSkinner::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    // A move without the button during a press (the button went up elsewhere) tells nothing.
    if (!pressed_ || (wParam & MK_LBUTTON))
        cursor_ = PointFromLParam(lParam);
    if (pressed_ && (wParam & MK_LBUTTON)) {
        if (hitPart_ == PartThumb) {
            const SkinBarLayout layout = CurrentLayout();
            info_.nTrackPos = DragPosition(info_, layout, Vertical() ? cursor_.y : cursor_.x, grabOffset_);
            Repaint();
            if (!Notify(SB_THUMBTRACK, info_.nTrackPos))
                return 0;
        } else if (HitPart(cursor_) == hitPart_) {
            SetTimer(hwnd_, kRepeatTimer, kRepeatMs, NULL);
        } else {
            KillTimer(hwnd_, kRepeatTimer);
        }
    } else if (!(wParam & MK_LBUTTON) && !pressed_) {
        const int part = HitPart(cursor_);
        if (part != hitPart_) {
            hitPart_ = part;
            Repaint();
        }
    }
    // The hover look and the tooltip, but not the control: its own hot tracking would draw over the skin.
    TrackHover();
    return 0;
}

void ScrollBarSkinner::EndPress(bool atCursor)
{
    KillTimer(hwnd_, kRepeatTimer);
    const bool wasPressed = pressed_ != 0;
    const bool dragged = wasPressed && hitPart_ == PartThumb;
    if (dragged && atCursor)
        info_.nTrackPos = DragPosition(info_, CurrentLayout(), Vertical() ? cursor_.y : cursor_.x, grabOffset_);
    // Cleared first: releasing the capture comes back here as WM_CAPTURECHANGED.
    pressed_ = 0;
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    if (!wasPressed)
        return;
    if (dragged && !Notify(SB_THUMBPOSITION, info_.nTrackPos))
        return;
    if (!Notify(SB_ENDSCROLL, 0))
        return;
    Repaint();
}

LRESULT ScrollBarSkinner::OnSetScrollInfo(WPARAM redraw, const SCROLLINFO* in)
{
    if (!in || in->cbSize != sizeof(SCROLLINFO))
        return info_.nPos;
    SkinScrollBar bar = AsSkinBar(info_, 0, 0);
    ApplySkinScrollInfo(bar, *in); // range, then page, then the position clamped by both
    info_.nMin = bar.minimum;
    info_.nMax = bar.maximum;
    info_.nPage = bar.page;
    info_.nPos = bar.position;
    if (in->fMask & SIF_POS)
        info_.nTrackPos = info_.nPos;
    if (in->fMask & SIF_TRACKPOS)
        info_.nTrackPos = in->nTrackPos;
    // The control keeps the same values; whether the bar is enabled is decided here.
    SCROLLINFO passed = *in;
    passed.fMask &= ~SIF_DISABLENOSCROLL;
    HWND self = hwnd_;
    PassOnHidden(SBM_SETSCROLLINFO, FALSE, reinterpret_cast<LPARAM>(&passed));
    if (!IsWindow(self))
        return 0;
    if (in->fMask & SIF_DISABLENOSCROLL)
        EnableWindow(self, CanScroll(info_));
    if (redraw)
        Repaint();
    return info_.nPos;
}

LRESULT ScrollBarSkinner::OnGetScrollInfo(SCROLLINFO* out) const
{
    // A record without the track position is the platform's older layout; anything else is refused.
    if (!out || (out->cbSize != sizeof(SCROLLINFO) && out->cbSize != offsetof(SCROLLINFO, nTrackPos)))
        return FALSE;
    if (out->fMask & SIF_PAGE)
        out->nPage = info_.nPage;
    if (out->fMask & SIF_POS)
        out->nPos = info_.nPos;
    if (out->fMask & SIF_RANGE) {
        out->nMin = info_.nMin;
        out->nMax = info_.nMax;
    }
    if ((out->fMask & SIF_TRACKPOS) && out->cbSize == sizeof(SCROLLINFO))
        out->nTrackPos = info_.nTrackPos;
    return (out->fMask & (SIF_PAGE | SIF_POS | SIF_RANGE | SIF_TRACKPOS)) != 0;
}

LRESULT ScrollBarSkinner::OnSetPos(int position, BOOL redraw)
{
    const int previous = info_.nPos;
    SCROLLINFO in = {};
    in.cbSize = sizeof in;
    in.fMask = SIF_POS;
    in.nPos = position;
    SkinScrollBar bar = AsSkinBar(info_, 0, 0);
    ApplySkinScrollInfo(bar, in);
    info_.nPos = bar.position;
    HWND self = hwnd_;
    PassOnHidden(SBM_SETPOS, position, FALSE);
    if (redraw && IsWindow(self))
        Repaint();
    return previous;
}

LRESULT ScrollBarSkinner::OnSetRange(int minimum, int maximum, BOOL redraw)
{
    const int previous = info_.nPos;
    SCROLLINFO in = {};
    in.cbSize = sizeof in;
    in.fMask = SIF_RANGE;
    in.nMin = minimum;
    in.nMax = maximum;
    SkinScrollBar bar = AsSkinBar(info_, 0, 0);
    ApplySkinScrollInfo(bar, in);
    info_.nMin = bar.minimum;
    info_.nMax = bar.maximum;
    info_.nPage = bar.page;
    info_.nPos = bar.position;
    HWND self = hwnd_;
    PassOnHidden(SBM_SETRANGE, minimum, maximum);
    if (redraw && IsWindow(self))
        Repaint();
    return previous;
}

void ScrollBarSkinner::OnHoverCheck()
{
    if (!pressed_)
        hitPart_ = PartNone;
    ControlSkinner::OnHoverCheck();
}

void ScrollBarSkinner::PaintBar(HDC dc, const RECT& client, const ScrollBarSkinObject& object)
{
    const bool vertical = Vertical();
    const ScrollBarGroup* groups = object.groups + (vertical ? VerticalGroups : 0);
    const ScrollBarGroup& normal = groups[GroupNormal];
    const ScrollBarGroup& disabled = groups[GroupDisabled];
    ScrollBarGroup set = normal;
    const UINT both = ESB_DISABLE_LTUP | ESB_DISABLE_RTDN;
    if (!IsWindowEnabled(hwnd_) || (disabledArrows_ & both) == both) {
        set.arrow1 = ChooseImagePart(disabled.arrow1, normal.arrow1);
        set.arrow2 = ChooseImagePart(disabled.arrow2, normal.arrow2);
        set.scrollBar = ChooseImagePart(disabled.scrollBar, normal.scrollBar);
        set.thumb = ChooseImagePart(disabled.thumb, normal.thumb);
    } else {
        if (disabledArrows_ & ESB_DISABLE_LTUP)
            set.arrow1 = ChooseImagePart(disabled.arrow1, normal.arrow1);
        if (disabledArrows_ & ESB_DISABLE_RTDN)
            set.arrow2 = ChooseImagePart(disabled.arrow2, normal.arrow2);
        const ScrollBarGroup& state = groups[pressed_ ? GroupPressed : GroupHighlighted];
        if (hitPart_ == PartArrow1 && !IsImagePartEmpty(state.arrow1) && !(disabledArrows_ & ESB_DISABLE_LTUP))
            set.arrow1 = state.arrow1;
        else if (hitPart_ == PartArrow2 && !IsImagePartEmpty(state.arrow2) && !(disabledArrows_ & ESB_DISABLE_RTDN))
            set.arrow2 = state.arrow2;
        else if (hitPart_ == PartThumb && !IsSlicedImageEmpty(state.thumb))
            set.thumb = state.thumb;
    }
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    DrawFrameImage(dc, client, set.scrollBar, face, TRUE);
    const SkinBarLayout layout = CurrentLayout();
    RECT first = client, second = client, thumb = client;
    if (vertical) {
        first.bottom = layout.arrow;
        second.top = layout.end - layout.arrow;
        thumb.top = layout.thumbStart;
        thumb.bottom = layout.thumbStart + layout.thumbSize;
    } else {
        first.right = layout.arrow;
        second.left = layout.end - layout.arrow;
        thumb.left = layout.thumbStart;
        thumb.right = layout.thumbStart + layout.thumbSize;
    }
    DrawImagePart(dc, first, set.arrow1, face, TRUE);
    DrawImagePart(dc, second, set.arrow2, face, TRUE);
    if (layout.thumbSize > 0)
        DrawFrameImageTransparent(dc, thumb, set.thumb, TransparentColor());
}

void ScrollBarSkinner::Paint(HDC dc)
{
    const ScrollBarSkinObject* object = dynamic_cast<const ScrollBarSkinObject*>(skinObject_);
    if (!hwnd_ || !object)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    if (SizeBox()) {
        DrawImagePart(dc, client, object->gripper, face, TRUE);
        return;
    }
    if (!active_) {
        DrawFrameImage(dc, client, object->groups[GroupNormal].scrollBar, face, TRUE);
        return;
    }
    if (!horzArrow_ || !horzMinThumb_ || !vertArrow_ || !vertMinThumb_)
        TakeLengths();
    PaintBar(dc, client, *object);
}

LRESULT ScrollBarSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return ControlSkinner::WindowProc(message, wParam, lParam);
    if (message == WM_SKIN_COLORSCHANGED) {
        ReadControlState();
        return 0;
    }
    if (message == SBM_GETPOS)
        return active_ ? info_.nPos : PassOn(message, wParam, lParam);
    if (message == WM_ENABLE) {
        HWND self = hwnd_;
        const LRESULT result = PassOnHidden(message, wParam, lParam);
        if (IsWindow(self))
            Repaint();
        return result;
    }
    if (!active_)
        return ControlSkinner::WindowProc(message, wParam, lParam);
    const bool mouse = !SizeBox();
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return mouse ? OnButtonDown(lParam) : ControlSkinner::WindowProc(message, wParam, lParam);
    case WM_MOUSEMOVE:
        return mouse ? OnMouseMove(wParam, lParam) : ControlSkinner::WindowProc(message, wParam, lParam);
    case WM_MOUSELEAVE:
        if (!mouse)
            return ControlSkinner::WindowProc(message, wParam, lParam);
        OnHoverCheck();
        return 0;
    case WM_LBUTTONUP:
        if (!mouse)
            return ControlSkinner::WindowProc(message, wParam, lParam);
        cursor_ = PointFromLParam(lParam);
        EndPress(true);
        return 0;
    case WM_CAPTURECHANGED:
        if (pressed_ && reinterpret_cast<HWND>(lParam) != hwnd_) {
            HWND self = hwnd_;
            EndPress(false);
            if (!StillSkinned(self, this))
                return 0;
        }
        return ControlSkinner::WindowProc(message, wParam, lParam);
    case WM_TIMER:
        if (wParam != kRepeatTimer)
            return ControlSkinner::WindowProc(message, wParam, lParam);
        OnRepeat();
        return 0;
    case SBM_SETSCROLLINFO:
        return OnSetScrollInfo(wParam, reinterpret_cast<const SCROLLINFO*>(lParam));
    case SBM_GETSCROLLINFO:
        return OnGetScrollInfo(reinterpret_cast<SCROLLINFO*>(lParam));
    case SBM_SETPOS:
        return OnSetPos(static_cast<int>(wParam), static_cast<BOOL>(lParam));
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
        return OnSetRange(static_cast<int>(wParam), static_cast<int>(lParam), message == SBM_SETRANGEREDRAW);
    case SBM_ENABLE_ARROWS: {
        disabledArrows_ = static_cast<UINT>(wParam) & (ESB_DISABLE_LTUP | ESB_DISABLE_RTDN);
        HWND self = hwnd_;
        const LRESULT result = PassOnHidden(message, wParam, lParam);
        if (IsWindow(self))
            Repaint();
        return result;
    }
    default:
        return ControlSkinner::WindowProc(message, wParam, lParam);
    }
}
