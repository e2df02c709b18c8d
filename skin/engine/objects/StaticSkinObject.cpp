// StaticSkinObject: before 1.9 the text effect is reset and takes the font colour.
#include "skin/engine/objects/StaticSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(StaticSkinObject, transparent, KindInteger, "TRANSPARENT"),
    SKIN_FIELD(StaticSkinObject, textEffect, KindTextEffect, "TEXTEFFECT"),
    SKIN_FIELD(StaticSkinObject, text, KindText, "TEXT"),
    SKIN_FIELD_FROM(StaticSkinObject, textEffect2, KindTextEffect, "TEXTEFFECT2", 16),
    SKIN_ALIAS(StaticSkinObject, controlFrame, KindSlicedImage, "BACKIMAGE"),
    SKIN_ALIAS(StaticSkinObject, color, KindColor, "BACKCOLOR"),
};

} // namespace

StaticSkinObject::StaticSkinObject() : ControlSkinObject(SkinTypeStatic)
{
    transparent = 1;
    textEffect = ResetTextEffect();
    std::memset(text, 0, sizeof text);
    std::memset(&textEffect2, 0, sizeof textEffect2);
}

size_t StaticSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool StaticSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool StaticSkinObject::Load(MemoryStream& stream)
{
    if (!ControlSkinObject::Load(stream) || !ReadFields(stream, SKIN_TABLE(kFields)))
        return false;
    if (SkinFormatMajor() == 1 && SkinFormatMinor() < 9) {
        textEffect = ResetTextEffect();
        SetTextEffectColor(textEffect, font.color);
    }
    return true;
}
