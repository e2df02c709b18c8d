// The skin scroll bar's record and its geometry as pure functions: where a bar, its arrows and its thumb
// lie, what a point hits, how positions clamp and what position a dragged thumb stands for.
#pragma once
#include <windows.h>

// Bar flags: bit 0 left/up arrow disabled, bit 1 right/down arrow disabled, bit 3 wanted visible.
enum { kSkinBarLeftUpDisabled = 1, kSkinBarRightDownDisabled = 2, kSkinBarWanted = 8 };

struct SkinScrollBar {
    UINT flags;
    BOOL shown;
    int minimum;
    int maximum;
    UINT page;
    int position;
    int trackPosition;
    int arrowLength; // > 0 pixels; -k: k times the system metric
    int barWidth;
    int type;  // 0 horizontal, 1 vertical
    int style; // 0 normal, 1 flat, 2 hot-tracked
    int minThumbSize;
};

// Parts (hit codes).
enum {
    kSkinPartNone = -1,
    kSkinPartArrow1 = 0,
    kSkinPartArrow2 = 1,
    kSkinPartPage1 = 2,
    kSkinPartPage2 = 3,
    kSkinPartThumb = 5
};

// A positive value as is, -k as k times the metric.
int ResolveSkinMetric(int value, int metric);
int SkinBarArrowLength(const SkinScrollBar& bar);
int SkinBarWidth(const SkinScrollBar& bar);

struct SkinBarInsets {
    int left, top, right, bottom;
};

// The bar's rectangle in window coordinates (window = the window's bounds at (0, 0)).
RECT SkinBarRect(const RECT& window, const SkinBarInsets& insets, const SkinScrollBar& horizontal,
                 const SkinScrollBar& vertical, BOOL leftScrollBar, int which);

// The pieces along one bar: start and end of the bar, the arrows' length, the track (between the arrows)
// and the thumb.
struct SkinBarLayout {
    int start, end;
    int arrow;
    int trackStart, trackLength;
    int thumbStart, thumbSize;
};
SkinBarLayout LayoutSkinBar(const SkinScrollBar& bar, int start, int end);
// The arrows and the track alone (each arrow half the bar when the bar is shorter than two); no thumb.
SkinBarLayout LayoutSkinBarTrack(const SkinScrollBar& bar, int start, int end);
// Places the thumb in the layout's track: pagelessSize long without a page, else in proportion to the page
// and at least the bar's minimum thumb size; its offset in proportion to the position, inside the track.
void PlaceSkinThumb(const SkinScrollBar& bar, int pagelessSize, SkinBarLayout& layout);

bool SkinBarCanScroll(const SkinScrollBar& bar);
bool SkinBarUsable(const SkinScrollBar& bar);

// The part under a point: along the bar and whether it lies within the bar across it.
int HitTestSkinBar(const SkinBarLayout& layout, int along, bool across);

// The position clamped into the range: never below the minimum, never past maximum - max(page, 1) + 1.
int ClampSkinPosition(const SkinScrollBar& bar, int position);

// The position a thumb at that pixel start stands for.
int SkinDragPosition(const SkinScrollBar& bar, const SkinBarLayout& layout, int thumbStart);

// Applies a SCROLLINFO's range, page and position; returns whether the bar should now be visible.
bool ApplySkinScrollInfo(SkinScrollBar& bar, const SCROLLINFO& info);
