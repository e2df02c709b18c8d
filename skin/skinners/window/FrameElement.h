// FrameElement: a window-less part of a skinned window's non-client area made from one child object of
// the window's skin object: a plain area (and the base of caption buttons, caption texts and the menu
// bar). Its owner lays it out for the window size, paints it into its non-client buffer, hands it the
// non-client mouse (window coordinates) and asks it for hit tests.
#pragma once
#include <windows.h>

#include "skin/engine/toolkit/SkinnedItem.h"

class SkinnedWindow;
class FrameElementSkinObject;

class FrameElement : public SkinnedItem {
public:
    FrameElement(const RECT& rect, SkinnedWindow* owner);
    ~FrameElement() override;

    // The object's picture over the rectangle, the object colour as mask colour.
    void Paint(HDC dc) override;
    // The owner object's Tooltip child, else the skin's Tooltip object.
    SkinObject* GetTooltipSkinObject() const override;
    // Stores the flag and repaints the element at once.
    virtual void SetEnabled(BOOL enabled);
    virtual void OnRButtonUp(POINT point);
    virtual void OnRButtonDown(POINT point);
    virtual void OnMouseMove(POINT point);
    virtual void OnLButtonUp(POINT point);
    virtual void OnLButtonDown(POINT point);
    virtual void OnLButtonDblClk(POINT point);
    virtual BOOL HitTest(POINT point);
    // Whether a press left the element waiting for its release (an action that ran on the press does not).
    virtual BOOL AwaitsRelease() const { return FALSE; }
    // Moves the design rectangle by the owner's growth, by the object's anchor.
    virtual void Layout(const RECT& windowBounds);

    // The object's visibility condition against the owner's state.
    BOOL IsVisible() const;
    BOOL IsEnabled() const { return enabled_; }
    const RECT& GetRect() const { return rect_; }
    SkinnedWindow* Owner() const { return owner_; }

protected:
    const FrameElementSkinObject* Element() const;
    // The owner repaints its non-client area over the element (the frame under it included).
    void Repaint();
    HWND OwnerHwnd() const;

    BOOL enabled_;
    RECT rect_;
    SkinnedWindow* owner_;
};

// The element rectangle for a window of the given size, by anchor (2, 8 down; 4, 6 right; 5 both),
// from its design rectangle and the frame object's design size. Free of window calls.
RECT AnchorElementRect(const RECT& design, int anchor, SIZE window, SIZE frameDesign);
// Whether an element with this visibility condition shows for an owner in that state.
struct OwnerState {
    bool iconic, zoomed, activeCaption, enabled;
};
bool ElementVisibleFor(int visibility, const OwnerState& state);
