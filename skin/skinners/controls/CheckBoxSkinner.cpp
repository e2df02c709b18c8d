// CheckBoxSkinner: check-box parts by state and the automatic check cycles.
#include "skin/skinners/controls/CheckBoxSkinner.h"

#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/ButtonSkinObjects.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/toolkit/SkinEngine.h"

CheckBoxSkinner::CheckBoxSkinner(SkinnedWindow* owner, int typeId) : ButtonSkinnerBase(owner, typeId) {}

const CheckBoxSkinObject* CheckBoxSkinner::CheckObject() const
{
    return dynamic_cast<const CheckBoxSkinObject*>(skinObject_);
}

SkinObject* CheckBoxSkinner::GetDefaultSkinObject()
{
    return SkinEngine::Instance().GetCurrentSkin()->FindObjectByType(SkinTypeCheckBox);
}

void CheckBoxSkinner::PaintCheckItem(HDC dc, bool radio)
{
    const CheckBoxSkinObject* object = CheckObject();
    if (!hwnd_ || !object)
        return;
    const CheckItemLook look = ChooseCheckItemLook(Inputs(), radio);
    bool backgroundEmpty[7], boxEmpty[7];
    for (int i = 0; i < 7; ++i) {
        backgroundEmpty[i] = IsImagePartEmpty(object->states[i].background);
        boxEmpty[i] = IsImagePartEmpty(object->states[i].box);
    }
    const int background = FirstOf(look.background, look.backgroundCount, backgroundEmpty);
    const int box = FirstOf(look.box, look.boxCount, boxEmpty);
    DrawCheckItem(dc, object->states[background].background, object->states[box].box,
                  object->states[look.effect].effect, object->transparent);
}

void CheckBoxSkinner::Paint(HDC dc)
{
    PaintCheckItem(dc, false);
}

void CheckBoxSkinner::OnClick()
{
    if (hwnd_)
        SetWindowWord(hwnd_, 0, NextCheckBoxWord(GetWindowLongA(hwnd_, GWL_STYLE), GetWindowWord(hwnd_, 0)));
}
