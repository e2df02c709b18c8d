// Skin objects of buttons and static texts: push buttons, check boxes, radio buttons, group boxes, statics.
#include "skin/engine/objects/ButtonSkinObjects.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

// ButtonSkinObject: before 1.7 the object had no control part and carried its font after the first value.
namespace {

const FieldDef kButtonFields[] = {
    SKIN_FIELD(ButtonSkinObject, states[0].image, KindSlicedImage, "NORMAL.IMAGE"),
    SKIN_FIELD(ButtonSkinObject, states[0].effect, KindTextEffect, "NORMAL.TEXTEFFECT"),
    SKIN_FIELD(ButtonSkinObject, states[0].reserved, KindBytes, "NORMAL.RESERVED"),
    SKIN_FIELD(ButtonSkinObject, states[1].image, KindSlicedImage, "PRESSED.IMAGE"),
    SKIN_FIELD(ButtonSkinObject, states[1].effect, KindTextEffect, "PRESSED.TEXTEFFECT"),
    SKIN_FIELD(ButtonSkinObject, states[1].reserved, KindBytes, "PRESSED.RESERVED"),
    SKIN_FIELD(ButtonSkinObject, states[2].image, KindSlicedImage, "DEFAULT.IMAGE"),
    SKIN_FIELD(ButtonSkinObject, states[2].effect, KindTextEffect, "DEFAULT.TEXTEFFECT"),
    SKIN_FIELD(ButtonSkinObject, states[2].reserved, KindBytes, "DEFAULT.RESERVED"),
    SKIN_FIELD(ButtonSkinObject, states[3].image, KindSlicedImage, "FOCUSED.IMAGE"),
    SKIN_FIELD(ButtonSkinObject, states[3].effect, KindTextEffect, "FOCUSED.TEXTEFFECT"),
    SKIN_FIELD(ButtonSkinObject, states[3].reserved, KindBytes, "FOCUSED.RESERVED"),
    SKIN_FIELD(ButtonSkinObject, states[4].image, KindSlicedImage, "HIGHLIGHTED.IMAGE"),
    SKIN_FIELD(ButtonSkinObject, states[4].effect, KindTextEffect, "HIGHLIGHTED.TEXTEFFECT"),
    SKIN_FIELD(ButtonSkinObject, states[4].reserved, KindBytes, "HIGHLIGHTED.RESERVED"),
    SKIN_FIELD(ButtonSkinObject, states[5].image, KindSlicedImage, "DISABLED.IMAGE"),
    SKIN_FIELD(ButtonSkinObject, states[5].effect, KindTextEffect, "DISABLED.TEXTEFFECT"),
    SKIN_FIELD(ButtonSkinObject, states[5].reserved, KindBytes, "DISABLED.RESERVED"),
    SKIN_FIELD(ButtonSkinObject, buttonText, KindText, "TEXT"),
    SKIN_FIELD(ButtonSkinObject, value1, KindInteger, "VALUE1"),
    SKIN_FIELD_EX(ButtonSkinObject, font, KindFont, "OLDFONT", 0, 6, FieldReadOnly),
    SKIN_FIELD(ButtonSkinObject, value2, KindInteger, "VALUE2"),
    SKIN_FIELD_EX(ButtonSkinObject, value3, KindInteger, "VALUE3", 0, 6, FieldReadOnly),
};

} // namespace

FieldSpan ButtonSkinObject::Fields()
{
    return SKIN_TABLE(kButtonFields);
}

ButtonSkinObject::ButtonSkinObject() : TableSkinObject(SkinTypeButton)
{
    for (StateImage& s : states)
        s.effect = ResetTextEffect();
}

bool ButtonSkinObject::Load(MemoryStream& stream)
{
    bool ok = MinorBelow(7) ? LoadBase(stream) : ControlSkinObject::Load(stream);
    if (!ok || !ReadFields(stream, Fields()))
        return false;
    if (SkinFormatMajor() == 1 && SkinFormatMinor() < 9)
        for (StateImage& s : states) {
            s.effect = ResetTextEffect();
            SetTextEffectColor(s.effect, font.color);
        }
    return true;
}

// CheckBoxSkinObject: before 1.9 the text effects are reset and TRANSPARENT is 0, whatever the file holds.
namespace {

const FieldDef kCheckBoxFields[] = {
    SKIN_FIELD(CheckBoxSkinObject, states[0].background, KindImagePart, "NORMAL.BACKGROUNDIMAGE"),
    SKIN_FIELD(CheckBoxSkinObject, states[0].reserved1, KindBytes, "NORMAL.RESERVED1"),
    SKIN_FIELD(CheckBoxSkinObject, states[0].box, KindImagePart, "NORMAL.BOXIMAGE"),
    SKIN_FIELD(CheckBoxSkinObject, states[0].effect, KindTextEffect, "NORMAL.TEXTEFFECT"),
    SKIN_FIELD(CheckBoxSkinObject, states[0].reserved2, KindBytes, "NORMAL.RESERVED2"),
    SKIN_FIELD(CheckBoxSkinObject, states[1].background, KindImagePart, "SELECTED.BACKGROUNDIMAGE"),
    SKIN_FIELD(CheckBoxSkinObject, states[1].reserved1, KindBytes, "SELECTED.RESERVED1"),
    SKIN_FIELD(CheckBoxSkinObject, states[1].box, KindImagePart, "SELECTED.BOXIMAGE"),
    SKIN_FIELD(CheckBoxSkinObject, states[1].effect, KindTextEffect, "SELECTED.TEXTEFFECT"),
    SKIN_FIELD(CheckBoxSkinObject, states[1].reserved2, KindBytes, "SELECTED.RESERVED2"),
    SKIN_FIELD(CheckBoxSkinObject, states[2].background, KindImagePart, "DISABLED.BACKGROUNDIMAGE"),
    SKIN_FIELD(CheckBoxSkinObject, states[2].reserved1, KindBytes, "DISABLED.RESERVED1"),
    SKIN_FIELD(CheckBoxSkinObject, states[2].box, KindImagePart, "DISABLED.BOXIMAGE"),
    SKIN_FIELD(CheckBoxSkinObject, states[2].effect, KindTextEffect, "DISABLED.TEXTEFFECT"),
    SKIN_FIELD(CheckBoxSkinObject, states[2].reserved2, KindBytes, "DISABLED.RESERVED2"),
    SKIN_FIELD(CheckBoxSkinObject, states[3].background, KindImagePart, "GRAYEDNORMAL.BACKGROUNDIMAGE"),
    SKIN_FIELD(CheckBoxSkinObject, states[3].reserved1, KindBytes, "GRAYEDNORMAL.RESERVED1"),
    SKIN_FIELD(CheckBoxSkinObject, states[3].box, KindImagePart, "GRAYEDNORMAL.BOXIMAGE"),
    SKIN_FIELD(CheckBoxSkinObject, states[3].effect, KindTextEffect, "GRAYEDNORMAL.TEXTEFFECT"),
    SKIN_FIELD(CheckBoxSkinObject, states[3].reserved2, KindBytes, "GRAYEDNORMAL.RESERVED2"),
    SKIN_FIELD(CheckBoxSkinObject, states[4].background, KindImagePart, "GRAYEDSELECTED.BACKGROUNDIMAGE"),
    SKIN_FIELD(CheckBoxSkinObject, states[4].reserved1, KindBytes, "GRAYEDSELECTED.RESERVED1"),
    SKIN_FIELD(CheckBoxSkinObject, states[4].box, KindImagePart, "GRAYEDSELECTED.BOXIMAGE"),
    SKIN_FIELD(CheckBoxSkinObject, states[4].effect, KindTextEffect, "GRAYEDSELECTED.TEXTEFFECT"),
    SKIN_FIELD(CheckBoxSkinObject, states[4].reserved2, KindBytes, "GRAYEDSELECTED.RESERVED2"),
    SKIN_FIELD(CheckBoxSkinObject, states[5].background, KindImagePart, "HIGHLIGHTEDNORMAL.BACKGROUNDIMAGE"),
    SKIN_FIELD(CheckBoxSkinObject, states[5].reserved1, KindBytes, "HIGHLIGHTEDNORMAL.RESERVED1"),
    SKIN_FIELD(CheckBoxSkinObject, states[5].box, KindImagePart, "HIGHLIGHTEDNORMAL.BOXIMAGE"),
    SKIN_FIELD(CheckBoxSkinObject, states[5].effect, KindTextEffect, "HIGHLIGHTEDNORMAL.TEXTEFFECT"),
    SKIN_FIELD(CheckBoxSkinObject, states[5].reserved2, KindBytes, "HIGHLIGHTEDNORMAL.RESERVED2"),
    SKIN_FIELD(CheckBoxSkinObject, states[6].background, KindImagePart, "HIGHLIGHTEDSELECTED.BACKGROUNDIMAGE"),
    SKIN_FIELD(CheckBoxSkinObject, states[6].reserved1, KindBytes, "HIGHLIGHTEDSELECTED.RESERVED1"),
    SKIN_FIELD(CheckBoxSkinObject, states[6].box, KindImagePart, "HIGHLIGHTEDSELECTED.BOXIMAGE"),
    SKIN_FIELD(CheckBoxSkinObject, states[6].effect, KindTextEffect, "HIGHLIGHTEDSELECTED.TEXTEFFECT"),
    SKIN_FIELD(CheckBoxSkinObject, states[6].reserved2, KindBytes, "HIGHLIGHTEDSELECTED.RESERVED2"),
    SKIN_FIELD(CheckBoxSkinObject, text, KindText, "TEXT"),
    SKIN_FIELD(CheckBoxSkinObject, transparent, KindInteger, "TRANSPARENT"),
};

} // namespace

FieldSpan CheckBoxSkinObject::Fields()
{
    return SKIN_TABLE(kCheckBoxFields);
}

CheckBoxSkinObject::CheckBoxSkinObject(int type) : TableSkinObject(type)
{
    for (CheckState& s : states)
        s.effect = ResetTextEffect();
}

void CheckBoxSkinObject::MendOldVersions()
{
    if (SkinFormatMajor() == 1 && SkinFormatMinor() < 9) {
        for (CheckState& s : states)
            s.effect = ResetTextEffect();
        transparent = 0;
    }
}

// RadioSkinObject: only the type id differs from a check box.
RadioSkinObject::RadioSkinObject() : CheckBoxSkinObject(SkinTypeRadio) {}

// GroupBoxSkinObject: before 1.9 the text effect is reset and TRANSPARENT is 0.
namespace {

const FieldDef kGroupBoxFields[] = {
    SKIN_FIELD(GroupBoxSkinObject, captionImage, KindSlicedImage, "CAPTIONIMAGE"),
    SKIN_FIELD(GroupBoxSkinObject, captionColor, KindColor, "CAPTIONCOLOR"),
    SKIN_FIELD(GroupBoxSkinObject, textEffect, KindTextEffect, "TEXTEFFECT"),
    SKIN_FIELD(GroupBoxSkinObject, transparent, KindInteger, "TRANSPARENT"),
    SKIN_ALIAS(GroupBoxSkinObject, controlFrame, KindSlicedImage, "FRAMEIMAGE"),
};

} // namespace

FieldSpan GroupBoxSkinObject::Fields()
{
    return SKIN_TABLE(kGroupBoxFields);
}

GroupBoxSkinObject::GroupBoxSkinObject() : TableSkinObject(SkinTypeGroupBox)
{
    captionColor = GetSysColor(COLOR_BTNFACE);
    textEffect = ResetTextEffect();
}

void GroupBoxSkinObject::MendOldVersions()
{
    if (SkinFormatMajor() == 1 && SkinFormatMinor() < 9) {
        textEffect = ResetTextEffect();
        transparent = 0;
    }
}

// StaticSkinObject: before 1.9 the text effect is reset and takes the font colour.
namespace {

const FieldDef kStaticFields[] = {
    SKIN_FIELD(StaticSkinObject, transparent, KindInteger, "TRANSPARENT"),
    SKIN_FIELD(StaticSkinObject, textEffect, KindTextEffect, "TEXTEFFECT"),
    SKIN_FIELD(StaticSkinObject, text, KindText, "TEXT"),
    SKIN_FIELD_FROM(StaticSkinObject, textEffect2, KindTextEffect, "TEXTEFFECT2", 16),
    SKIN_ALIAS(StaticSkinObject, controlFrame, KindSlicedImage, "BACKIMAGE"),
    SKIN_ALIAS(StaticSkinObject, color, KindColor, "BACKCOLOR"),
};

} // namespace

FieldSpan StaticSkinObject::Fields()
{
    return SKIN_TABLE(kStaticFields);
}

StaticSkinObject::StaticSkinObject() : TableSkinObject(SkinTypeStatic)
{
    transparent = 1;
    textEffect = ResetTextEffect();
}

void StaticSkinObject::MendOldVersions()
{
    if (SkinFormatMajor() == 1 && SkinFormatMinor() < 9) {
        textEffect = ResetTextEffect();
        SetTextEffectColor(textEffect, font.color);
    }
}
