// SpinSkinObject: the horizontal pairs are read from 1.13 on and always written.
#include "skin/engine/objects/SpinSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(SpinSkinObject, arrows[0], KindImagePart, "VERTICAL.NORMAL.UP"),
    SKIN_FIELD(SpinSkinObject, arrows[1], KindImagePart, "VERTICAL.NORMAL.DOWN"),
    SKIN_FIELD(SpinSkinObject, arrows[2], KindImagePart, "VERTICAL.HOVER.UP"),
    SKIN_FIELD(SpinSkinObject, arrows[3], KindImagePart, "VERTICAL.HOVER.DOWN"),
    SKIN_FIELD(SpinSkinObject, arrows[4], KindImagePart, "VERTICAL.PRESSED.UP"),
    SKIN_FIELD(SpinSkinObject, arrows[5], KindImagePart, "VERTICAL.PRESSED.DOWN"),
    SKIN_FIELD(SpinSkinObject, arrows[6], KindImagePart, "VERTICAL.DISABLED.UP"),
    SKIN_FIELD(SpinSkinObject, arrows[7], KindImagePart, "VERTICAL.DISABLED.DOWN"),
    SKIN_FIELD_FROM(SpinSkinObject, arrows[8], KindImagePart, "HORIZONTAL.NORMAL.UP", 13),
    SKIN_FIELD_FROM(SpinSkinObject, arrows[9], KindImagePart, "HORIZONTAL.NORMAL.DOWN", 13),
    SKIN_FIELD_FROM(SpinSkinObject, arrows[10], KindImagePart, "HORIZONTAL.HOVER.UP", 13),
    SKIN_FIELD_FROM(SpinSkinObject, arrows[11], KindImagePart, "HORIZONTAL.HOVER.DOWN", 13),
    SKIN_FIELD_FROM(SpinSkinObject, arrows[12], KindImagePart, "HORIZONTAL.PRESSED.UP", 13),
    SKIN_FIELD_FROM(SpinSkinObject, arrows[13], KindImagePart, "HORIZONTAL.PRESSED.DOWN", 13),
    SKIN_FIELD_FROM(SpinSkinObject, arrows[14], KindImagePart, "HORIZONTAL.DISABLED.UP", 13),
    SKIN_FIELD_FROM(SpinSkinObject, arrows[15], KindImagePart, "HORIZONTAL.DISABLED.DOWN", 13),
};

} // namespace

SpinSkinObject::SpinSkinObject() : ControlSkinObject(SkinTypeSpin)
{
    std::memset(arrows, 0, sizeof arrows);
}

size_t SpinSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool SpinSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool SpinSkinObject::Load(MemoryStream& stream)
{
    return ControlSkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
