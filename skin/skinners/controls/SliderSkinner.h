// SliderSkinner: trackbars drawn from the skin while the control keeps its state and mouse handling. The
// skin's thumb has no pointing side, so the control is given TBS_BOTH while skinned.
#pragma once
#include "skin/skinners/controls/ControlSkinner.h"

class SliderSkinObject;

class SliderSkinner : public ControlSkinner {
public:
    explicit SliderSkinner(SkinnedWindow* owner);

    void Paint(HDC dc) override;
    void Detach() override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintLook(HDC dc, const RECT& client, const SliderSkinObject& object);
    void Repaint();

    LONG savedStyle_;
};
