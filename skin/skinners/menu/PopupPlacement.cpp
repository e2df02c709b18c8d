// Popup placement against the work area.
#include "skin/skinners/menu/PopupPlacement.h"

namespace {

// One axis: a length longer than the span covers it, another is shifted inside it.
void FitAxis(LONG& start, LONG& end, LONG spanStart, LONG spanEnd)
{
    const LONG length = end - start;
    if (length >= spanEnd - spanStart) {
        start = spanStart;
        end = spanEnd;
        return;
    }
    if (end > spanEnd) {
        start = spanEnd - length;
        end = spanEnd;
    }
    if (start < spanStart) {
        start = spanStart;
        end = spanStart + length;
    }
}

} // namespace

RECT PlaceTrackedPopup(SIZE size, POINT at, UINT flags, const RECT& work)
{
    RECT r;
    if (flags & TPM_CENTERALIGN)
        r.left = at.x - size.cx / 2;
    else if (flags & TPM_RIGHTALIGN)
        r.left = at.x - size.cx;
    else
        r.left = at.x;
    if (flags & TPM_BOTTOMALIGN)
        r.top = at.y - size.cy;
    else if (flags & TPM_VCENTERALIGN)
        r.top = at.y - size.cy / 2;
    else
        r.top = at.y;
    r.right = r.left + size.cx;
    r.bottom = r.top + size.cy;
    FitAxis(r.left, r.right, work.left, work.right);
    FitAxis(r.top, r.bottom, work.top, work.bottom);
    return r;
}

RECT PlaceSubmenu(SIZE size, const RECT& itemBand, const RECT& parent, const RECT& work)
{
    RECT r = {itemBand.right, itemBand.top, itemBand.right + size.cx, itemBand.top + size.cy};
    if (r.bottom > work.bottom - 1) {
        r.top = work.bottom - 1 - size.cy;
        if (r.top < work.top + 1)
            r.top = work.top + 1;
        r.bottom = r.top + size.cy;
    }
    if (r.right > work.right) {
        r.left = parent.left - size.cx;
        if (r.left < work.left)
            r.left = work.left;
        r.right = r.left + size.cx;
    }
    return r;
}

RECT PlaceMenuBarPopup(SIZE size, const RECT& item, const RECT& work)
{
    RECT r = {item.left, item.bottom, item.left + size.cx, item.bottom + size.cy};
    if (r.right > work.right) {
        r.right = item.right;
        r.left = r.right - size.cx;
    }
    if (r.bottom > work.bottom) {
        r.bottom = item.top;
        r.top = r.bottom - size.cy;
    }
    const RECT inner = {work.left + 1, work.top + 1, work.right - 1, work.bottom - 1};
    FitAxis(r.left, r.right, inner.left, inner.right);
    FitAxis(r.top, r.bottom, inner.top, inner.bottom);
    return r;
}
