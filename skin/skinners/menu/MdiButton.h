// MdiButton: one of the four buttons a menu bar shows while an MDI child is maximized (the child's icon,
// minimize, restore, close): three pictures and a state.
#pragma once
#include <windows.h>

#include "skin/engine/store/SkinRecords.h"

class MdiButton {
public:
    enum State { StateNormal = 0, StateHot = 1, StatePressed = 2 };

    MdiButton();
    // The picture of the state (the normal one when it has none), masked with the button face colour.
    void Paint(HDC dc) const;
    void SetImages(const ImagePart& normal, const ImagePart& hot, const ImagePart& pressed);

    RECT rect;
    int state;

private:
    ImagePart images_[3];
};
