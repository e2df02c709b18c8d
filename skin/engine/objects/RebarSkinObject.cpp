// RebarSkinObject: BACKGROUND names the control frame.
#include "skin/engine/objects/RebarSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(RebarSkinObject, bandImage, KindSlicedImage, "BANDIMAGE"),
    SKIN_FIELD(RebarSkinObject, textEffect, KindTextEffect, "TEXTEFFECT"),
    SKIN_ALIAS(RebarSkinObject, controlFrame, KindSlicedImage, "BACKGROUND"),
};

} // namespace

RebarSkinObject::RebarSkinObject() : ControlSkinObject(SkinTypeRebar)
{
    std::memset(&bandImage, 0, sizeof bandImage);
    std::memset(&textEffect, 0, sizeof textEffect);
}

size_t RebarSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool RebarSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool RebarSkinObject::Load(MemoryStream& stream)
{
    return ControlSkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
