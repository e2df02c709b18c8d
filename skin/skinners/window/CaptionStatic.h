// CaptionStatic: a text in a skinned window's frame: the window text, a fixed text or one the
// application draws (WM_DRAWITEM). It answers a hit-test code of its own (a caption to drag, an edge to
// size) and its shape joins the window region.
#pragma once
#include "skin/skinners/window/FrameElement.h"

class CaptionStaticSkinObject;

class CaptionStatic : public FrameElement {
public:
    CaptionStatic(const RECT& rect, SkinnedWindow* owner);

    void Paint(HDC dc) override;
    // The point inside the element's region.
    BOOL HitTest(POINT point) override;
    // By the object's anchor flags (owner FrameWnd or PopupMenu objects only).
    void Layout(const RECT& windowBounds) override;

    // The hit-test code the object's kind gives (HTNOWHERE for an unknown kind).
    int GetHitTestCode() const;
    // The element's region (the object's mask placed into the rectangle, or the rectangle); the caller
    // deletes it.
    HRGN MakeRegion() const;
    // Joins the element's region into the window region by the object's combine mode.
    void CombineInto(HRGN windowRegion) const;
    BOOL ShowsWindowText() const;

private:
    const CaptionStaticSkinObject* Static() const;
};

// The code a caption text's hit-test kind answers.
int CaptionHitTestCode(int kind);
// One axis of a caption text's layout: the design span [start, end) of a design length, anchored to
// the near edge, the far edge, both or neither, for the current length.
void AnchorSpan(LONG& start, LONG& end, bool nearEdge, bool farEdge, int designLength, int length);
