// MdiClientSkinner: the "MDIClient" child of a skinned frame: its background from the frame object's MDI
// client picture, a maximized child restored before another is activated, and the area a closed child
// leaves repainted.
#pragma once
#include "skin/engine/toolkit/SkinnedWindow.h"

class FrameWindowSkinner;

class MdiClientSkinner : public SkinnedWindow {
public:
    explicit MdiClientSkinner(FrameWindowSkinner* frame);
    ~MdiClientSkinner() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    FrameWindowSkinner* frame_;
};
