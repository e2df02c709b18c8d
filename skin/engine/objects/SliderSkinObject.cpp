// SliderSkinObject: TRANSPARENT and the vertical thumb exist from 1.9 on.
#include "skin/engine/objects/SliderSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(SliderSkinObject, thumbHorizontal, KindSlicedImage, "THUMB.HORIZONTAL"),
    SKIN_FIELD(SliderSkinObject, value1, KindInteger, "VALUE1"),
    SKIN_FIELD(SliderSkinObject, values[0], KindInteger, "VALUE2"),
    SKIN_FIELD(SliderSkinObject, values[1], KindInteger, "VALUE3"),
    SKIN_FIELD(SliderSkinObject, values[2], KindInteger, "VALUE4"),
    SKIN_FIELD(SliderSkinObject, values[3], KindInteger, "VALUE5"),
    SKIN_FIELD(SliderSkinObject, channel, KindSlicedImage, "CHANNEL"),
    SKIN_FIELD_FROM(SliderSkinObject, transparent, KindInteger, "TRANSPARENT", 9),
    SKIN_FIELD_FROM(SliderSkinObject, thumbVertical, KindSlicedImage, "THUMB.VERTICAL", 9),
    SKIN_ALIAS(SliderSkinObject, controlFrame, KindSlicedImage, "BACKGROUND"),
};

} // namespace

SliderSkinObject::SliderSkinObject() : ControlSkinObject(SkinTypeSlider)
{
    std::memset(&thumbHorizontal, 0, sizeof thumbHorizontal);
    value1 = 0;
    std::memset(values, 0, sizeof values);
    std::memset(&channel, 0, sizeof channel);
    transparent = 0;
    std::memset(&thumbVertical, 0, sizeof thumbVertical);
}

size_t SliderSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool SliderSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool SliderSkinObject::Load(MemoryStream& stream)
{
    return ControlSkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
