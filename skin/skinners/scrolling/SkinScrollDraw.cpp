// Painting the skin scroll bars' parts: from the current skin's ScrollBar object, or the platform's way.
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/skinners/scrolling/SkinScrollBar.h"

namespace {

const ScrollBarSkinObject* ScrollBarObject()
{
    if (!SkinEngine::Alive())
        return NULL;
    return dynamic_cast<const ScrollBarSkinObject*>(
        SkinEngine::Instance().GetCurrentSkin()->FindObjectByType(SkinTypeScrollBar));
}

// NORMAL, PRESSED, HIGHLIGHTED, DISABLED, then the vertical sets.
int GroupIndex(UINT state, int bar)
{
    int index = 0;
    if (state & kSkinStatePressed)
        index = 1;
    else if (state & kSkinStateHot)
        index = 2;
    else if (state & kSkinStateDisabled)
        index = 3;
    return bar == 1 ? index + 4 : index;
}

} // namespace

LRESULT SkinScrollCustomDraw(const SkinScrollDrawItem& item)
{
    const ScrollBarSkinObject* object = ScrollBarObject();
    if (!object)
        return 0;
    if (item.stage == kSkinDrawPrePaint || item.stage == kSkinDrawPostPaint)
        return 4;
    if (item.bar == kSkinCornerBar) {
        DrawImagePart(item.dc, item.rect, object->gripper, GetSysColor(COLOR_BTNFACE), TRUE);
        return 4;
    }
    const ScrollBarGroup& set = object->groups[GroupIndex(item.state, item.bar)];
    const ScrollBarGroup& normal = object->groups[item.bar == 1 ? 4 : 0];
    switch (item.part) {
    case kSkinPartArrow1:
        DrawImagePart(item.dc, item.rect, ChooseImagePart(set.arrow1, normal.arrow1), 0, FALSE);
        break;
    case kSkinPartArrow2:
        DrawImagePart(item.dc, item.rect, ChooseImagePart(set.arrow2, normal.arrow2), 0, FALSE);
        break;
    case kSkinPartPage1:
    case kSkinPartPage2:
        DrawFrameImage(item.dc, item.rect, ChooseImagePart(set.scrollBar, normal.scrollBar), 0, FALSE);
        break;
    case kSkinPartThumb: {
        const bool thumbEmpty = IsSlicedImageEmpty(set.thumb);
        const SlicedImage track = thumbEmpty ? normal.scrollBar : ChooseImagePart(set.scrollBar, normal.scrollBar);
        const SlicedImage& thumb = thumbEmpty ? normal.thumb : set.thumb;
        DrawFrameImage(item.dc, item.rect, track, 0, FALSE);
        RECT inside = item.rect;
        if (item.bar == 0) {
            inside.top += track.margins.top;
            inside.bottom -= track.margins.bottom;
        } else {
            inside.left += track.margins.left;
            inside.right -= track.margins.right;
        }
        DrawFrameImage(item.dc, inside, thumb, 0, FALSE);
        break;
    }
    default:
        break;
    }
    return 4;
}

void SkinScrollDefaultDraw(const SkinScrollDrawItem& item, int style)
{
    RECT r = item.rect;
    const bool pressed = (item.state & kSkinStatePressed) != 0;
    const bool hot = (item.state & kSkinStateHot) != 0;
    const UINT flat = style != 0 ? DFCS_FLAT : 0;
    if (item.part == kSkinPartArrow1 || item.part == kSkinPartArrow2) {
        UINT kind;
        if (item.bar == 0)
            kind = item.part == kSkinPartArrow1 ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT;
        else
            kind = item.part == kSkinPartArrow1 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN;
        DrawFrameControl(item.dc, &r, DFC_SCROLL,
                         kind | flat | (pressed ? DFCS_PUSHED : 0) |
                             ((item.state & kSkinStateDisabled) ? DFCS_INACTIVE : 0) | (hot ? DFCS_HOT : 0));
        return;
    }
    if (item.part == kSkinPartThumb) {
        if ((pressed || hot) && style != 0) {
            FillRect(item.dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
            return;
        }
        FillRect(item.dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(item.dc, &r, EDGE_RAISED, BF_RECT | (style != 0 ? BF_FLAT : 0));
        return;
    }
    // The track: the platform's checkerboard of the highlight (or face) colour over the scroll-bar colour.
    static const WORD pattern[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, pattern);
    HBRUSH brush = bitmap ? CreatePatternBrush(bitmap) : NULL;
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF foreground = highlight == RGB(255, 255, 255) || highlight != GetSysColor(COLOR_WINDOW)
                                    ? highlight
                                    : GetSysColor(COLOR_BTNFACE);
    const COLORREF oldText = SetTextColor(item.dc, pressed ? GetSysColor(COLOR_3DDKSHADOW) : foreground);
    const COLORREF oldBack = SetBkColor(item.dc, GetSysColor(COLOR_SCROLLBAR));
    if (brush)
        FillRect(item.dc, &r, brush);
    else
        FillRect(item.dc, &r, GetSysColorBrush(COLOR_SCROLLBAR));
    SetTextColor(item.dc, oldText);
    SetBkColor(item.dc, oldBack);
    if (brush)
        DeleteObject(brush);
    if (bitmap)
        DeleteObject(bitmap);
}
