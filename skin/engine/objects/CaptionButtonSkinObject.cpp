// CaptionButtonSkinObject: the element image is the normal picture; hover, pressed and disabled follow it.
#include "skin/engine/objects/CaptionButtonSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(CaptionButtonSkinObject, stateImages[0], KindImagePart, "HOVERIMAGE"),
    SKIN_FIELD(CaptionButtonSkinObject, stateImages[1], KindImagePart, "PRESSEDIMAGE"),
    SKIN_FIELD(CaptionButtonSkinObject, stateImages[2], KindImagePart, "DISABLEDIMAGE"),
    SKIN_FIELD(CaptionButtonSkinObject, action, KindInteger, "ACTION"),
    SKIN_FIELD(CaptionButtonSkinObject, twoState, KindInteger, "CHECKBUTTON"),
    SKIN_ALIAS(CaptionButtonSkinObject, elementImage, KindImagePart, "NORMALIMAGE"),
};

} // namespace

CaptionButtonSkinObject::CaptionButtonSkinObject() : FrameElementSkinObject(SkinTypeCaptionButton)
{
    std::memset(stateImages, 0, sizeof stateImages);
    action = 0;
    twoState = 0;
}

size_t CaptionButtonSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(FrameElementSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool CaptionButtonSkinObject::Save(MemoryStream& stream)
{
    if (!FrameElementSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool CaptionButtonSkinObject::Load(MemoryStream& stream)
{
    return FrameElementSkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
