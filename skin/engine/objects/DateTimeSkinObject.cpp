// DateTimeSkinObject: fields in file order, no gates.
#include "skin/engine/objects/DateTimeSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(DateTimeSkinObject, images[0], KindSlicedImage, "IMAGE1"),
    SKIN_FIELD(DateTimeSkinObject, images[1], KindSlicedImage, "IMAGE2"),
    SKIN_FIELD(DateTimeSkinObject, images[2], KindSlicedImage, "IMAGE3"),
    SKIN_FIELD(DateTimeSkinObject, part1, KindImagePart, "IMAGE4"),
    SKIN_FIELD(DateTimeSkinObject, effect1, KindTextEffect, "TEXTEFFECT1"),
    SKIN_FIELD(DateTimeSkinObject, part2, KindImagePart, "IMAGE5"),
    SKIN_FIELD(DateTimeSkinObject, effect2, KindTextEffect, "TEXTEFFECT2"),
    SKIN_FIELD(DateTimeSkinObject, color2, KindColor, "COLOR2"),
};

} // namespace

DateTimeSkinObject::DateTimeSkinObject() : ControlSkinObject(SkinTypeDateTime)
{
    color = GetSysColor(COLOR_WINDOW);
    std::memset(images, 0, sizeof images);
    std::memset(&part1, 0, sizeof part1);
    effect1 = ResetTextEffect();
    std::memset(&part2, 0, sizeof part2);
    effect2 = ResetTextEffect();
    color2 = GetSysColor(COLOR_BTNFACE);
}

size_t DateTimeSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool DateTimeSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool DateTimeSkinObject::Load(MemoryStream& stream)
{
    return ControlSkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
