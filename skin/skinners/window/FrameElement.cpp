// FrameElement: layout by anchor, visibility, the plain area's picture and the owner's repaint.
#include "skin/skinners/window/FrameElement.h"

#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/FrameElementSkinObjects.h"
#include "skin/engine/objects/FramedSkinObjects.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinnedWindow.h"

RECT AnchorElementRect(const RECT& design, int anchor, SIZE window, SIZE frameDesign)
{
    const int dx = window.cx - frameDesign.cx, dy = window.cy - frameDesign.cy;
    RECT r = design;
    if (anchor == 2 || anchor == 8 || anchor == 5)
        OffsetRect(&r, 0, dy);
    if (anchor == 4 || anchor == 6 || anchor == 5)
        OffsetRect(&r, dx, 0);
    return r;
}

bool ElementVisibleFor(int visibility, const OwnerState& s)
{
    switch (visibility) {
    case 0:
        return true;
    case 1:
        return s.iconic;
    case 2:
        return !s.iconic;
    case 3:
        return s.zoomed;
    case 4:
        return !s.zoomed;
    case 5:
        return s.activeCaption;
    case 6:
        return !s.activeCaption;
    case 7:
        return s.enabled;
    case 8:
        return !s.enabled;
    case 9:
        return !s.zoomed && !s.iconic;
    default:
        return false;
    }
}

FrameElement::FrameElement(const RECT& rect, SkinnedWindow* owner) : enabled_(TRUE), rect_(rect), owner_(owner) {}

FrameElement::~FrameElement() {}

const FrameElementSkinObject* FrameElement::Element() const
{
    if (!skinObject_)
        return NULL;
    switch (skinObject_->Type()) {
    case SkinTypeCaptionButton:
    case SkinTypeArea:
    case SkinTypeCaptionStatic:
    case SkinTypeMenuBar:
        return static_cast<const FrameElementSkinObject*>(skinObject_);
    default:
        return NULL;
    }
}

HWND FrameElement::OwnerHwnd() const
{
    return owner_ ? owner_->GetHwnd() : NULL;
}

void FrameElement::Paint(HDC dc)
{
    const FrameElementSkinObject* element = Element();
    if (element && !IsImagePartEmpty(element->elementImage))
        DrawImagePart(dc, rect_, element->elementImage, element->color, FALSE);
}

SkinObject* FrameElement::GetTooltipSkinObject() const
{
    SkinObject* ownerObject = owner_ ? owner_->GetSkinObject() : NULL;
    if (ownerObject)
        if (SkinObject* tip = ownerObject->FindChildSkinObject(SkinTypeTooltip, 0))
            return tip;
    return SkinnedItem::GetTooltipSkinObject();
}

void FrameElement::SetEnabled(BOOL enabled)
{
    enabled_ = enabled ? TRUE : FALSE;
    Repaint();
}

void FrameElement::Repaint()
{
    if (owner_ && OwnerHwnd() && IsWindowVisible(OwnerHwnd()))
        owner_->RedrawNcRect(rect_);
}

void FrameElement::OnRButtonUp(POINT) {}
void FrameElement::OnRButtonDown(POINT) {}
void FrameElement::OnMouseMove(POINT) {}
void FrameElement::OnLButtonUp(POINT) {}
void FrameElement::OnLButtonDown(POINT) {}
void FrameElement::OnLButtonDblClk(POINT) {}

BOOL FrameElement::HitTest(POINT point)
{
    return IsVisible() && PtInRect(&rect_, point);
}

BOOL FrameElement::IsVisible() const
{
    const FrameElementSkinObject* element = Element();
    HWND hwnd = OwnerHwnd();
    if (!element)
        return FALSE;
    OwnerState state = {false, false, false, true};
    if (hwnd) {
        state.iconic = IsIconic(hwnd) != FALSE;
        state.zoomed = IsZoomed(hwnd) != FALSE;
        state.activeCaption = owner_->IsActiveCaption() != FALSE;
        state.enabled = IsWindowEnabled(hwnd) != FALSE;
    }
    return ElementVisibleFor(static_cast<int>(element->visibility), state);
}

void FrameElement::Layout(const RECT& windowBounds)
{
    const FrameElementSkinObject* element = Element();
    if (!element)
        return;
    SkinObject* ownerObject = owner_ ? owner_->GetSkinObject() : NULL;
    if (!ownerObject || ownerObject->Type() != SkinTypeFrameWnd) {
        rect_ = element->rect;
        return;
    }
    const RECT design = static_cast<const FramedSkinObject*>(ownerObject)->GetDesignRect();
    const SIZE window = {windowBounds.right - windowBounds.left, windowBounds.bottom - windowBounds.top};
    const SIZE frame = {design.right - design.left, design.bottom - design.top};
    rect_ = AnchorElementRect(element->rect, static_cast<int>(element->anchor), window, frame);
}
