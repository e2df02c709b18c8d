// ScrollBarSkinner: scroll-bar controls (class "ScrollBar") drawn and driven by the skin. Once active the
// skinner keeps the bar's SCROLLINFO itself, answers the bar's messages from it, and replaces the
// control's painting and tracking: presses, repeats and thumb drags notify the parent as the control
// would. The setters are still handed on to the control (without redraw), so it holds the same state
// when unskinned. A size box is only painted and keeps its own mouse handling.
#pragma once
#include "skin/skinners/controls/ControlSkinner.h"
#include "skin/skinners/scrolling/SkinScrollGeometry.h"

class ScrollBarSkinObject;

class ScrollBarSkinner : public ControlSkinner {
public:
    // Hit parts.
    enum { PartNone = 0, PartArrow1 = 1, PartArrow2 = 2, PartTrack1 = 3, PartTrack2 = 4, PartThumb = 5 };
    static const UINT_PTR kRepeatTimer = 200;
    static const UINT kRepeatMs = 50;

    explicit ScrollBarSkinner(SkinnedWindow* owner);

    void Paint(HDC dc) override;
    SkinObject* SetSkinObject(SkinObject* object) override;
    LONG_PTR Attach(HWND hwnd) override;
    void Detach() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnHoverCheck() override;

    bool Active() const { return active_ != 0; }
    const SCROLLINFO& Info() const { return info_; }
    int HitPartState() const { return hitPart_; }
    bool Pressed() const { return pressed_ != 0; }

    // The arrows, track and thumb along a bar span long: the thumb in proportion to the page (at least
    // minThumb long, minThumb without a page) and of no length at the first arrow's end when the range
    // is reversed.
    static SkinBarLayout Layout(const SCROLLINFO& info, int span, int arrow, int minThumb);
    // The position a thumb grabbed grab pixels from its start stands for with the cursor at along.
    static int DragPosition(const SCROLLINFO& info, const SkinBarLayout& layout, int along, int grab);
    // Whether the range is longer than a page.
    static bool CanScroll(const SCROLLINFO& info);

private:
    bool Vertical() const;
    bool SizeBox() const;
    bool Usable() const;
    void TakeLengths();
    // The layout of the bar as it is now: during a thumb drag the thumb follows the cursor.
    SkinBarLayout CurrentLayout() const;
    int HitPart(POINT point) const;
    void Repaint();
    // Sends a scroll notification to the parent; false when the parent destroyed or unskinned the bar.
    bool Notify(int code, int position);

    void ReadControlState();
    LRESULT OnButtonDown(LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    void OnRepeat();
    // A release, or the capture taken away: repeats end, a drag ends at its position, SB_ENDSCROLL once.
    void EndPress(bool atCursor);
    LRESULT OnSetScrollInfo(WPARAM redraw, const SCROLLINFO* in);
    LRESULT OnGetScrollInfo(SCROLLINFO* out) const;
    LRESULT OnSetPos(int position, BOOL redraw);
    LRESULT OnSetRange(int minimum, int maximum, BOOL redraw);

    void PaintBar(HDC dc, const RECT& client, const ScrollBarSkinObject& object);

    int grabOffset_;
    int active_;
    SCROLLINFO info_;
    int hitPart_;
    int pressed_;
    int horzMinThumb_;
    int horzArrow_;
    int vertMinThumb_;
    int vertArrow_;
    UINT disabledArrows_; // ESB_DISABLE_LTUP / ESB_DISABLE_RTDN from SBM_ENABLE_ARROWS
    POINT cursor_;        // where the mouse was last seen over the bar or, while pressed, anywhere
};
