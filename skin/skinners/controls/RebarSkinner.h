// RebarSkinner: rebars drawn from the skin's Rebar object: the background, one picture per band and the
// band texts in the object's text colour. The bands' child windows draw themselves.
#pragma once
#include "skin/skinners/controls/ControlSkinner.h"

class RebarSkinner : public ControlSkinner {
public:
    explicit RebarSkinner(SkinnedWindow* owner);

    void Paint(HDC dc) override;
};
