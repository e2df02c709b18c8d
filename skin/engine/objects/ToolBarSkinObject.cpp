// ToolBarSkinObject: five sliced images, no gates.
#include "skin/engine/objects/ToolBarSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(ToolBarSkinObject, images[0], KindSlicedImage, "IMAGE1"),
    SKIN_FIELD(ToolBarSkinObject, images[1], KindSlicedImage, "IMAGE2"),
    SKIN_FIELD(ToolBarSkinObject, images[2], KindSlicedImage, "IMAGE3"),
    SKIN_FIELD(ToolBarSkinObject, images[3], KindSlicedImage, "IMAGE4"),
    SKIN_FIELD(ToolBarSkinObject, images[4], KindSlicedImage, "IMAGE5"),
};

} // namespace

ToolBarSkinObject::ToolBarSkinObject() : ControlSkinObject(SkinTypeToolBar)
{
    std::memset(images, 0, sizeof images);
}

size_t ToolBarSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool ToolBarSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool ToolBarSkinObject::Load(MemoryStream& stream)
{
    return ControlSkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
