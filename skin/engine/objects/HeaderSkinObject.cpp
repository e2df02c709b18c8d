// HeaderSkinObject: the text effect comes first and starts zero.
#include "skin/engine/objects/HeaderSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(HeaderSkinObject, textEffect, KindTextEffect, "TEXTEFFECT"),
    SKIN_FIELD(HeaderSkinObject, item, KindSlicedImage, "ITEM"),
    SKIN_ALIAS(HeaderSkinObject, controlFrame, KindSlicedImage, "BACKGROUND"),
};

} // namespace

HeaderSkinObject::HeaderSkinObject() : ControlSkinObject(SkinTypeHeader)
{
    std::memset(&textEffect, 0, sizeof textEffect);
    std::memset(&item, 0, sizeof item);
}

size_t HeaderSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool HeaderSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool HeaderSkinObject::Load(MemoryStream& stream)
{
    return ControlSkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
