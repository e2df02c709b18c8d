// LinkSkinner: link windows keep drawing their own text and underline; only the pixels they leave in the
// window colour show the skin's background (the Static object's, or the holder's picture).
#pragma once
#include "skin/skinners/controls/ControlSkinner.h"

class LinkSkinner : public ControlSkinner {
public:
    explicit LinkSkinner(SkinnedWindow* owner);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
};
