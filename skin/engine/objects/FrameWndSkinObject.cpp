// FrameWndSkinObject: the framed part, the menu bar object inside it, then SKINCLIENT and MDICLIENT (1.6 on).
#include "skin/engine/objects/FrameWndSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"
#include "skin/engine/objects/MenuBarSkinObject.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD_FROM(FrameWndSkinObject, skinClient, KindInteger, "SKINCLIENT", 6),
    SKIN_FIELD_FROM(FrameWndSkinObject, mdiClient, KindImagePart, "MDICLIENT", 6),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[0], KindImagePart, "ACTIVEFRAME.TOPLEFT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[1], KindImagePart, "ACTIVEFRAME.MIDDLETOP"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[2], KindImagePart, "ACTIVEFRAME.TOPRIGHT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[3], KindImagePart, "ACTIVEFRAME.MIDDLELEFT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[4], KindImagePart, "ACTIVEFRAME.CLIENT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[5], KindImagePart, "ACTIVEFRAME.MIDDLERIGHT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[6], KindImagePart, "ACTIVEFRAME.BOTTOMLEFT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[7], KindImagePart, "ACTIVEFRAME.BOTTOMMIDDLE"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[8], KindImagePart, "ACTIVEFRAME.BOTTOMRIGHT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[9], KindImagePart, "DEACTIVEFRAME.TOPLEFT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[10], KindImagePart, "DEACTIVEFRAME.MIDDLETOP"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[11], KindImagePart, "DEACTIVEFRAME.TOPRIGHT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[12], KindImagePart, "DEACTIVEFRAME.MIDDLELEFT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[13], KindImagePart, "DEACTIVEFRAME.CLIENT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[14], KindImagePart, "DEACTIVEFRAME.MIDDLERIGHT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[15], KindImagePart, "DEACTIVEFRAME.BOTTOMLEFT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[16], KindImagePart, "DEACTIVEFRAME.BOTTOMMIDDLE"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[17], KindImagePart, "DEACTIVEFRAME.BOTTOMRIGHT"),
    SKIN_ALIAS(FrameWndSkinObject, firstColor, KindColor, "ACTIVEFRAME.COLOR"),
    SKIN_ALIAS(FrameWndSkinObject, secondColor, KindColor, "DEACTIVEFRAME.COLOR"),
    SKIN_ALIAS(FrameWndSkinObject, itemFont, KindFont, "CAPTIONFONT"),
    SKIN_ALIAS(FrameWndSkinObject, itemFont.color, KindColor, "CAPTIONTEXTCOLOR"),
    SKIN_ALIAS(FrameWndSkinObject, extraImages[0], KindSlicedImage, "MINIMIZED.ACTIVE"),
    SKIN_ALIAS(FrameWndSkinObject, extraImages[1], KindSlicedImage, "MINIMIZED.INACTIVE"),
};

} // namespace

FrameWndSkinObject::FrameWndSkinObject()
    : FramedSkinObject(SkinTypeFrameWnd), menuBar(new MenuBarSkinObject), skinClient(0)
{
    std::memset(&mdiClient, 0, sizeof mdiClient);
}

FrameWndSkinObject::~FrameWndSkinObject()
{
    delete menuBar;
}

size_t FrameWndSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(FramedSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool FrameWndSkinObject::Save(MemoryStream& stream)
{
    if (!FramedSkinObject::Save(stream) || !menuBar->Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool FrameWndSkinObject::Load(MemoryStream& stream)
{
    uint32_t menuBarType = 0; // taken as it comes
    return FramedSkinObject::Load(stream) && stream.ReadU32(menuBarType) && menuBar->Load(stream) &&
           ReadFields(stream, SKIN_TABLE(kFields));
}
