// ControlBarSkinner: the framework's control bars (the "AfxControlBar" window classes) drawn from the
// skin's toolbar picture, turned on its side when the bar is docked left or right.
#pragma once
#include "skin/skinners/controls/ControlSkinner.h"

// Whether a control bar's style docks it at the left or right edge (CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT).
bool ControlBarDockedAtSide(LONG style);

class ControlBarSkinner : public ControlSkinner {
public:
    explicit ControlBarSkinner(SkinnedWindow* owner);

    void Paint(HDC dc) override;
};
