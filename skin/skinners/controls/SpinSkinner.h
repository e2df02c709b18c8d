// SpinSkinner: up-down controls drawn from the skin. The control keeps its value, timers and buddy; the
// skinner only follows the mouse to know which half is hovered or pressed and draws the two halves.
#pragma once
#include "skin/skinners/controls/ControlSkinner.h"

class SpinSkinObject;

class SpinSkinner : public ControlSkinner {
public:
    // Part states: which half (first = up, or left with UDS_HORZ) is pressed or hovered.
    enum { PartNone = 0, FirstPressed = 1, SecondPressed = 2, FirstHovered = 3, SecondHovered = 4 };

    explicit SpinSkinner(SkinnedWindow* owner);

    void Paint(HDC dc) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    HRGN GetWindowRegion() override;
    void OnHoverCheck() override;

    int PartState() const { return partState_; }

    // 1 for the first half of the client, 2 for the second, 0 outside.
    static int HitPart(const RECT& client, bool horizontal, POINT point);
    // Whether a horizontal control is drawn from the vertical pictures turned: skins before 1.13 have no
    // horizontal pictures, and a newer skin may leave them out.
    static bool TurnsVerticalPictures(const SpinSkinObject& object, int major, int minor);

private:
    // The two halves from one orientation's pictures (0 vertical, 8 horizontal) by the part state.
    void PaintPair(HDC dc, const RECT& first, const RECT& second, const SpinSkinObject& object, int orientation);
    void Repaint();

    int partState_;
};
