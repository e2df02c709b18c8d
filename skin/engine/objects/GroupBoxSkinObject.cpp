// GroupBoxSkinObject: before 1.9 the text effect is reset and TRANSPARENT is 0.
#include "skin/engine/objects/GroupBoxSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(GroupBoxSkinObject, captionImage, KindSlicedImage, "CAPTIONIMAGE"),
    SKIN_FIELD(GroupBoxSkinObject, captionColor, KindColor, "CAPTIONCOLOR"),
    SKIN_FIELD(GroupBoxSkinObject, textEffect, KindTextEffect, "TEXTEFFECT"),
    SKIN_FIELD(GroupBoxSkinObject, transparent, KindInteger, "TRANSPARENT"),
    SKIN_ALIAS(GroupBoxSkinObject, controlFrame, KindSlicedImage, "FRAMEIMAGE"),
};

} // namespace

GroupBoxSkinObject::GroupBoxSkinObject() : ControlSkinObject(SkinTypeGroupBox)
{
    std::memset(&captionImage, 0, sizeof captionImage);
    captionColor = GetSysColor(COLOR_BTNFACE);
    textEffect = ResetTextEffect();
    transparent = 0;
}

size_t GroupBoxSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool GroupBoxSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool GroupBoxSkinObject::Load(MemoryStream& stream)
{
    if (!ControlSkinObject::Load(stream) || !ReadFields(stream, SKIN_TABLE(kFields)))
        return false;
    if (SkinFormatMajor() == 1 && SkinFormatMinor() < 9) {
        textEffect = ResetTextEffect();
        transparent = 0;
    }
    return true;
}
