// CheckBoxSkinner: check boxes drawn from the CheckBox object's seven state records; an automatic check
// box changes its own check state on a click.
#pragma once
#include "skin/skinners/controls/ButtonSkinnerBase.h"

class CheckBoxSkinObject;

class CheckBoxSkinner : public ButtonSkinnerBase {
public:
    explicit CheckBoxSkinner(SkinnedWindow* owner, int typeId = SkinTypeCheckBox);

    void Paint(HDC dc) override;
    void OnClick() override;
    SkinObject* GetDefaultSkinObject() override;

protected:
    const CheckBoxSkinObject* CheckObject() const;
    // Draws the look chosen for a check box (radio = false) or radio button.
    void PaintCheckItem(HDC dc, bool radio);
};
