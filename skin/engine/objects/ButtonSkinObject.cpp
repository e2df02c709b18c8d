// ButtonSkinObject: before 1.7 the object had no control part and carried its font after the first value.
#include "skin/engine/objects/ButtonSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
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

ButtonSkinObject::ButtonSkinObject() : ControlSkinObject(SkinTypeButton)
{
    std::memset(states, 0, sizeof states);
    for (StateImage& s : states)
        s.effect = ResetTextEffect();
    std::memset(buttonText, 0, sizeof buttonText);
    value1 = value2 = 0;
    value3 = 1000;
}

size_t ButtonSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool ButtonSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool ButtonSkinObject::Load(MemoryStream& stream)
{
    bool ok = MinorBelow(7) ? LoadBase(stream) : ControlSkinObject::Load(stream);
    if (!ok || !ReadFields(stream, SKIN_TABLE(kFields)))
        return false;
    if (SkinFormatMajor() == 1 && SkinFormatMinor() < 9)
        for (StateImage& s : states) {
            s.effect = ResetTextEffect();
            SetTextEffectColor(s.effect, font.color);
        }
    return true;
}
