// Skin scroll bar geometry, hit testing and clamping.
#include "skin/skinners/scrolling/SkinScrollGeometry.h"

#include <algorithm>

int ResolveSkinMetric(int value, int metric)
{
    return value > 0 ? value : -value * GetSystemMetrics(metric);
}

int SkinBarArrowLength(const SkinScrollBar& bar)
{
    return ResolveSkinMetric(bar.arrowLength, bar.type == 0 ? SM_CXHSCROLL : SM_CYVSCROLL);
}

int SkinBarWidth(const SkinScrollBar& bar)
{
    return ResolveSkinMetric(bar.barWidth, bar.type == 0 ? SM_CYHSCROLL : SM_CXVSCROLL);
}

RECT SkinBarRect(const RECT& window, const SkinBarInsets& insets, const SkinScrollBar& horizontal,
                 const SkinScrollBar& vertical, BOOL leftScrollBar, int which)
{
    const int horzWidth = horizontal.shown ? SkinBarWidth(horizontal) : 0;
    const int vertWidth = vertical.shown ? SkinBarWidth(vertical) : 0;
    RECT r;
    if (which == 0) {
        r.left = window.left + insets.left;
        r.right = window.right - insets.right;
        if (leftScrollBar)
            r.left += vertWidth;
        else
            r.right -= vertWidth;
        r.bottom = window.bottom - insets.bottom;
        r.top = r.bottom - SkinBarWidth(horizontal);
    } else {
        r.top = window.top + insets.top;
        r.bottom = window.bottom - insets.bottom - horzWidth;
        if (leftScrollBar) {
            r.left = window.left + insets.left;
            r.right = r.left + SkinBarWidth(vertical);
        } else {
            r.right = window.right - insets.right;
            r.left = r.right - SkinBarWidth(vertical);
        }
    }
    return r;
}

SkinBarLayout LayoutSkinBarTrack(const SkinScrollBar& bar, int start, int end)
{
    SkinBarLayout l = {};
    l.start = start;
    l.end = end;
    const int length = std::max(0, end - start);
    l.arrow = SkinBarArrowLength(bar);
    if (2 * l.arrow >= length)
        l.arrow = length / 2;
    l.trackStart = start + l.arrow;
    l.trackLength = std::max(0, length - 2 * l.arrow);
    l.thumbStart = l.trackStart;
    return l;
}

void PlaceSkinThumb(const SkinScrollBar& bar, int pagelessSize, SkinBarLayout& layout)
{
    const unsigned range = static_cast<unsigned>(bar.maximum) - static_cast<unsigned>(bar.minimum);
    const int L = layout.trackLength;
    int size;
    if (bar.page == 0)
        size = pagelessSize;
    else
        size = std::max(MulDiv(static_cast<int>(bar.page), L, static_cast<int>(range) + 1), bar.minThumbSize);
    const int pageOrOne = std::max(static_cast<int>(bar.page), 1);
    const int span = static_cast<int>(range) - pageOrOne + 1;
    int offset = span > 0 ? MulDiv(bar.position - bar.minimum, L - size, span) : 0;
    offset = std::max(0, std::min(offset, L - size));
    layout.thumbSize = size;
    layout.thumbStart = layout.trackStart + offset;
}

SkinBarLayout LayoutSkinBar(const SkinScrollBar& bar, int start, int end)
{
    SkinBarLayout l = LayoutSkinBarTrack(bar, start, end);
    const unsigned range = static_cast<unsigned>(bar.maximum) - static_cast<unsigned>(bar.minimum);
    if (bar.page != 0 && range > 0x7FFFFFFEu) {
        l.thumbSize = 0;
        return l;
    }
    PlaceSkinThumb(bar, l.arrow, l);
    return l;
}

bool SkinBarCanScroll(const SkinScrollBar& bar)
{
    return bar.maximum >= static_cast<int>(bar.page) && bar.minimum < bar.maximum && bar.maximum != 0;
}

bool SkinBarUsable(const SkinScrollBar& bar)
{
    const UINT both = kSkinBarLeftUpDisabled | kSkinBarRightDownDisabled;
    return (bar.flags & both) != both && SkinBarCanScroll(bar);
}

int HitTestSkinBar(const SkinBarLayout& layout, int along, bool across)
{
    if (!across || along < layout.start || along >= layout.end)
        return kSkinPartNone;
    if (along < layout.start + layout.arrow)
        return kSkinPartArrow1;
    if (along >= layout.end - layout.arrow)
        return kSkinPartArrow2;
    if (layout.thumbSize >= layout.trackLength)
        return kSkinPartNone;
    if (along >= layout.thumbStart && along < layout.thumbStart + layout.thumbSize)
        return kSkinPartThumb;
    return along < layout.thumbStart ? kSkinPartPage1 : kSkinPartPage2;
}

int ClampSkinPosition(const SkinScrollBar& bar, int position)
{
    const int pageOrOne = std::max(static_cast<int>(bar.page), 1);
    position = std::min(position, bar.maximum - pageOrOne + 1);
    return std::max(position, bar.minimum);
}

int SkinDragPosition(const SkinScrollBar& bar, const SkinBarLayout& layout, int thumbStart)
{
    const int offset = thumbStart - layout.trackStart;
    const int range = bar.maximum - bar.minimum;
    if (range <= 0)
        return offset;
    const int free = layout.trackLength - layout.thumbSize;
    if (free <= 0)
        return bar.minimum;
    const int pageOrOne = std::max(static_cast<int>(bar.page), 1);
    return ClampSkinPosition(bar, bar.minimum + MulDiv(offset, range - pageOrOne + 1, free));
}

bool ApplySkinScrollInfo(SkinScrollBar& bar, const SCROLLINFO& info)
{
    if (info.fMask & SIF_RANGE) {
        bar.minimum = info.nMin;
        bar.maximum = info.nMax;
    }
    if (info.fMask & SIF_PAGE) {
        const long long span = static_cast<long long>(bar.maximum) - bar.minimum + 1;
        bar.page = span <= 0 ? 0 : static_cast<UINT>(std::min<long long>(info.nPage, span));
    }
    if (info.fMask & SIF_POS)
        bar.position = ClampSkinPosition(bar, info.nPos);
    else if (info.fMask & (SIF_RANGE | SIF_PAGE))
        bar.position = ClampSkinPosition(bar, bar.position);
    if (info.fMask & SIF_DISABLENOSCROLL)
        return true;
    return bar.maximum >= static_cast<int>(bar.page) && bar.minimum < bar.maximum &&
           !(bar.page == 0 && bar.maximum == 0);
}
