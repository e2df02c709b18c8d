// StatusBarSkinObject: BACKIMAGE names the control frame and ITEM.FONT the font.
#include "skin/engine/objects/StatusBarSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(StatusBarSkinObject, itemImage, KindSlicedImage, "ITEM.ITEMIMAGE"),
    SKIN_FIELD(StatusBarSkinObject, image2, KindImagePart, "IMAGE2"),
    SKIN_ALIAS(StatusBarSkinObject, controlFrame, KindSlicedImage, "BACKIMAGE"),
    SKIN_ALIAS(StatusBarSkinObject, font, KindFont, "ITEM.FONT"),
};

} // namespace

StatusBarSkinObject::StatusBarSkinObject() : ControlSkinObject(SkinTypeStatusBar)
{
    std::memset(&itemImage, 0, sizeof itemImage);
    std::memset(&image2, 0, sizeof image2);
}

size_t StatusBarSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool StatusBarSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool StatusBarSkinObject::Load(MemoryStream& stream)
{
    return ControlSkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
