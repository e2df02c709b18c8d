// CheckBoxSkinObject: before 1.9 the text effects are reset and TRANSPARENT is 0, whatever the file holds.
#include "skin/engine/objects/CheckBoxSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
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

CheckBoxSkinObject::CheckBoxSkinObject(int type) : ControlSkinObject(type)
{
    std::memset(states, 0, sizeof states);
    for (CheckState& s : states)
        s.effect = ResetTextEffect();
    std::memset(text, 0, sizeof text);
    transparent = 0;
}

size_t CheckBoxSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool CheckBoxSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool CheckBoxSkinObject::Load(MemoryStream& stream)
{
    if (!ControlSkinObject::Load(stream) || !ReadFields(stream, SKIN_TABLE(kFields)))
        return false;
    if (SkinFormatMajor() == 1 && SkinFormatMinor() < 9) {
        for (CheckState& s : states)
            s.effect = ResetTextEffect();
        transparent = 0;
    }
    return true;
}
