// Skin objects of bars: control bars, tool bars, rebars, status bars.
#include "skin/engine/objects/BarSkinObjects.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

// ControlBarSkinObject: nothing beyond the control part.
ControlBarSkinObject::ControlBarSkinObject() : ControlSkinObject(SkinTypeControlBar) {}

// ToolBarSkinObject: five sliced images, no gates; aliases name the button states and the background.
namespace {

const FieldDef kToolBarFields[] = {
    SKIN_FIELD(ToolBarSkinObject, images[0], KindSlicedImage, "IMAGE1"),
    SKIN_FIELD(ToolBarSkinObject, images[1], KindSlicedImage, "IMAGE2"),
    SKIN_FIELD(ToolBarSkinObject, images[2], KindSlicedImage, "IMAGE3"),
    SKIN_FIELD(ToolBarSkinObject, images[3], KindSlicedImage, "IMAGE4"),
    SKIN_FIELD(ToolBarSkinObject, images[4], KindSlicedImage, "IMAGE5"),
    SKIN_ALIAS(ToolBarSkinObject, images[0], KindSlicedImage, "BUTTON.NORMAL"),
    SKIN_ALIAS(ToolBarSkinObject, images[1], KindSlicedImage, "BUTTON.PRESSED"),
    SKIN_ALIAS(ToolBarSkinObject, images[2], KindSlicedImage, "BUTTON.HOT"),
    SKIN_ALIAS(ToolBarSkinObject, images[3], KindSlicedImage, "BUTTON.DISABLED"),
    SKIN_ALIAS(ToolBarSkinObject, controlFrame, KindSlicedImage, "BACKGROUND"),
};

} // namespace

FieldSpan ToolBarSkinObject::Fields()
{
    return SKIN_TABLE(kToolBarFields);
}

ToolBarSkinObject::ToolBarSkinObject() : TableSkinObject(SkinTypeToolBar) {}

// RebarSkinObject: BACKGROUND names the control frame.
namespace {

const FieldDef kRebarFields[] = {
    SKIN_FIELD(RebarSkinObject, bandImage, KindSlicedImage, "BANDIMAGE"),
    SKIN_FIELD(RebarSkinObject, textEffect, KindTextEffect, "TEXTEFFECT"),
    SKIN_ALIAS(RebarSkinObject, controlFrame, KindSlicedImage, "BACKGROUND"),
};

} // namespace

FieldSpan RebarSkinObject::Fields()
{
    return SKIN_TABLE(kRebarFields);
}

RebarSkinObject::RebarSkinObject() : TableSkinObject(SkinTypeRebar) {}

// StatusBarSkinObject: BACKIMAGE names the control frame and ITEM.FONT the font.
namespace {

const FieldDef kStatusBarFields[] = {
    SKIN_FIELD(StatusBarSkinObject, itemImage, KindSlicedImage, "ITEM.ITEMIMAGE"),
    SKIN_FIELD(StatusBarSkinObject, image2, KindImagePart, "IMAGE2"),
    SKIN_ALIAS(StatusBarSkinObject, controlFrame, KindSlicedImage, "BACKIMAGE"),
    SKIN_ALIAS(StatusBarSkinObject, font, KindFont, "ITEM.FONT"),
};

} // namespace

FieldSpan StatusBarSkinObject::Fields()
{
    return SKIN_TABLE(kStatusBarFields);
}

StatusBarSkinObject::StatusBarSkinObject() : TableSkinObject(SkinTypeStatusBar) {}
