// ComboBoxSkinner: drop-down and drop-down-list combo boxes drawn from the ComboBox object: frame, field
// colours, the selected item's text and a drop button with hover and pressed looks. Simple and
// variable-height owner-drawn combos keep their own look (their lists are skinned as list boxes).
#pragma once
#include "skin/skinners/controls/ControlSkinner.h"

class ComboBoxSkinObject;

// Geometry from the client rectangle, the frame's margins and the platform's scroll-arrow width.
struct ComboGeometry {
    RECT button;
    RECT field;
    RECT text;
    RECT hoverZone;
};
ComboGeometry LayoutCombo(const RECT& client, const RECT& margins, int arrowWidth);

// Which drop-button image shows: 0 normal, 1 pressed, 2 hovered, 3 disabled (the object's order).
int ComboButtonImage(bool enabled, int state, const bool* emptyByImage);

class ComboBoxSkinner : public ControlSkinner {
public:
    explicit ComboBoxSkinner(SkinnedWindow* owner);
    ~ComboBoxSkinner() override;

    void Paint(HDC dc) override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnHoverCheck() override;

    enum { ButtonNormal, ButtonHover, ButtonPressed };
    int ButtonState() const { return buttonState_; }

protected:
    void OnBound() override;

private:
    const ComboBoxSkinObject* Combo() const;
    void DrawButton(HDC dc, const ComboGeometry& geometry);
    void PaintOwnerDraw();
    void Repaint(BOOL erase);

    BOOL ownerDraw_;
    HBRUSH backgroundBrush_;
    HBRUSH disabledBrush_;
    int buttonState_;
};
