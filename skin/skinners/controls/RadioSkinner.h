// RadioSkinner: radio buttons, drawn like check boxes from the Radio object; an automatic radio button
// checks itself and unchecks the other radio buttons of its group.
#pragma once
#include "skin/skinners/controls/CheckBoxSkinner.h"

class RadioSkinner : public CheckBoxSkinner {
public:
    explicit RadioSkinner(SkinnedWindow* owner);

    void Paint(HDC dc) override;
    void OnClick() override;
    SkinObject* GetDefaultSkinObject() override;
};

// The first window of the group the control belongs to: itself with WS_GROUP, else the nearest earlier
// sibling with WS_GROUP, else the first sibling.
HWND FindGroupStart(HWND control);
