// Skin objects placed on a window frame: the frame-element part, plain areas, caption buttons and texts, the menu
// bar.
#include "skin/engine/objects/FrameElementSkinObjects.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"
#include "skin/engine/objects/ResourceSkinObjects.h"
#include "skin/engine/images/ImageRegion.h"
#include "skin/engine/images/SkinImage.h"
#include "skin/engine/store/SkinStore.h"

// FrameElementSkinObject: before 1.8 the position stood after the picture; visibility and text came with 1.11.
namespace {

const FieldDef kFrameElementFields[] = {
    SKIN_FIELD(FrameElementSkinObject, elementImage, KindImagePart, "IMAGE"),
    SKIN_FIELD_EX(FrameElementSkinObject, rect, KindRect, "OLDPOSITION", 0, 7, FieldReadOnly),
    SKIN_FIELD(FrameElementSkinObject, anchor, KindInteger, "ANCHOR"),
    SKIN_FIELD(FrameElementSkinObject, commandId, KindInteger, "COMMANDID"),
    SKIN_FIELD_FROM(FrameElementSkinObject, visibility, KindInteger, "VISIBILITY", 11),
    SKIN_FIELD_FROM(FrameElementSkinObject, elementText, KindText, "ELEMENTTEXT", 11),
};

} // namespace

FieldSpan FrameElementSkinObject::Fields()
{
    return SKIN_TABLE(kFrameElementFields);
}

FrameElementSkinObject::FrameElementSkinObject(int type) : TableSkinObject(type)
{
    SetRect(&rect, 1, 1, 21, 21);
    commandId = 1000;
}

// AreaSkinObject: type 22 is a frame element with no fields of its own.
AreaSkinObject::AreaSkinObject() : FrameElementSkinObject(SkinTypeArea) {}

// CaptionButtonSkinObject: the element image is the normal picture; hover, pressed and disabled follow it.
namespace {

const FieldDef kCaptionButtonFields[] = {
    SKIN_FIELD(CaptionButtonSkinObject, stateImages[0], KindImagePart, "HOVERIMAGE"),
    SKIN_FIELD(CaptionButtonSkinObject, stateImages[1], KindImagePart, "PRESSEDIMAGE"),
    SKIN_FIELD(CaptionButtonSkinObject, stateImages[2], KindImagePart, "DISABLEDIMAGE"),
    SKIN_FIELD(CaptionButtonSkinObject, action, KindInteger, "ACTION"),
    SKIN_FIELD(CaptionButtonSkinObject, twoState, KindInteger, "CHECKBUTTON"),
    SKIN_ALIAS(CaptionButtonSkinObject, elementImage, KindImagePart, "NORMALIMAGE"),
};

} // namespace

FieldSpan CaptionButtonSkinObject::Fields()
{
    return SKIN_TABLE(kCaptionButtonFields);
}

CaptionButtonSkinObject::CaptionButtonSkinObject() : TableSkinObject(SkinTypeCaptionButton) {}

// CaptionStaticSkinObject: the fields after the element part, and the piece cut from the element image.
namespace {

const FieldDef kCaptionStaticFields[] = {
    SKIN_FIELD(CaptionStaticSkinObject, textKind, KindInteger, "TEXTKIND"),
    SKIN_FIELD(CaptionStaticSkinObject, hitTest, KindInteger, "HITTEST"),
    SKIN_FIELD(CaptionStaticSkinObject, anchorFlags[0], KindInteger, "ANCHOR.LEFT"),
    SKIN_FIELD(CaptionStaticSkinObject, anchorFlags[1], KindInteger, "ANCHOR.TOP"),
    SKIN_FIELD(CaptionStaticSkinObject, anchorFlags[2], KindInteger, "ANCHOR.RIGHT"),
    SKIN_FIELD(CaptionStaticSkinObject, anchorFlags[3], KindInteger, "ANCHOR.BOTTOM"),
    SKIN_FIELD(CaptionStaticSkinObject, combineMode, KindInteger, "COMBINEMODE"),
    SKIN_FIELD(CaptionStaticSkinObject, font, KindFont, "FONT"),
    SKIN_FIELD(CaptionStaticSkinObject, textEffect, KindTextEffect, "TEXTEFFECT"),
    SKIN_FIELD(CaptionStaticSkinObject, text, KindText, "TEXT"),
    SKIN_FIELD(CaptionStaticSkinObject, alignHorizontal, KindInteger, "ALIGN.HORIZONTAL"),
    SKIN_FIELD(CaptionStaticSkinObject, alignVertical, KindInteger, "ALIGN.VERTICAL"),
    SKIN_ALIAS(CaptionStaticSkinObject, elementImage, KindImagePart, "BACKIMAGE"),
};

} // namespace

FieldSpan CaptionStaticSkinObject::Fields()
{
    return SKIN_TABLE(kCaptionStaticFields);
}

CaptionStaticSkinObject::CaptionStaticSkinObject()
    : TableSkinObject(SkinTypeCaptionStatic), textKind(0), hitTest(0), combineMode(2), font(ResetFont()),
      textEffect(ResetTextEffect()), alignHorizontal(0), alignVertical(1), piece_(NULL), mask_(NULL)
{
}

CaptionStaticSkinObject::~CaptionStaticSkinObject()
{
    ReleaseResources();
}

void CaptionStaticSkinObject::ReleaseResources()
{
    delete piece_;
    piece_ = NULL;
    if (mask_)
        DeleteObject(mask_);
    mask_ = NULL;
    FrameElementSkinObject::ReleaseResources();
}

void CaptionStaticSkinObject::CreateResources(SkinStore& store)
{
    ReleaseResources();
    SkinImage* image = elementImage.image[0] ? store.FindImage(elementImage.image) : NULL;
    if (image) {
        piece_ = new SkinImage;
        const RECT& s = elementImage.source;
        if (!image->Crop(s.left, s.top, s.right, s.bottom, piece_)) {
            delete piece_;
            piece_ = NULL;
        }
    }
    const SkinObject* app = store.FindObjectByType(SkinTypeApplication);
    if (piece_ && app && app->Type() == SkinTypeApplication &&
        static_cast<const ApplicationSkinObject*>(app)->useTransparentColor)
        mask_ = RegionFromImage(*piece_, app->transparentColor);
    FrameElementSkinObject::CreateResources(store);
}

// MenuBarSkinObject: the normal item text takes the font colour, the pressed item text the object's text colour.
namespace {

const FieldDef kMenuBarFields[] = {
    SKIN_FIELD(MenuBarSkinObject, itemFont, KindFont, "ITEM.FONT"),
    SKIN_FIELD(MenuBarSkinObject, rects[0], KindRect, "MENUBAR.RECT1"),
    SKIN_FIELD(MenuBarSkinObject, rects[1], KindRect, "MENUBAR.RECT2"),
    SKIN_FIELD(MenuBarSkinObject, rects[2], KindRect, "MENUBAR.RECT3"),
    SKIN_FIELD(MenuBarSkinObject, disabledTextColor, KindColor, "ITEM.DISABLEDTEXTCOLOR"),
    SKIN_FIELD(MenuBarSkinObject, background, KindSlicedImage, "BACKGROUND"),
    SKIN_FIELD(MenuBarSkinObject, rect4, KindRect, "MENUBAR.RECT4"),
    SKIN_FIELD(MenuBarSkinObject, hotTextColor, KindColor, "ITEM.HOTTEXTCOLOR"),
    SKIN_FIELD(MenuBarSkinObject, hotImage, KindSlicedImage, "ITEM.HOTIMAGE"),
    SKIN_FIELD_FROM(MenuBarSkinObject, mdiImages[0], KindImagePart, "MDI.ICON.NORMAL", 2),
    SKIN_FIELD_FROM(MenuBarSkinObject, mdiImages[1], KindImagePart, "MDI.ICON.HOT", 2),
    SKIN_FIELD_FROM(MenuBarSkinObject, mdiImages[2], KindImagePart, "MDI.ICON.PRESSED", 2),
    SKIN_FIELD_FROM(MenuBarSkinObject, mdiImages[3], KindImagePart, "MDI.MINIMIZE.NORMAL", 2),
    SKIN_FIELD_FROM(MenuBarSkinObject, mdiImages[4], KindImagePart, "MDI.MINIMIZE.HOT", 2),
    SKIN_FIELD_FROM(MenuBarSkinObject, mdiImages[5], KindImagePart, "MDI.MINIMIZE.PRESSED", 2),
    SKIN_FIELD_FROM(MenuBarSkinObject, mdiImages[6], KindImagePart, "MDI.RESTORE.NORMAL", 2),
    SKIN_FIELD_FROM(MenuBarSkinObject, mdiImages[7], KindImagePart, "MDI.RESTORE.HOT", 2),
    SKIN_FIELD_FROM(MenuBarSkinObject, mdiImages[8], KindImagePart, "MDI.RESTORE.PRESSED", 2),
    SKIN_FIELD_FROM(MenuBarSkinObject, mdiImages[9], KindImagePart, "MDI.CLOSE.NORMAL", 2),
    SKIN_FIELD_FROM(MenuBarSkinObject, mdiImages[10], KindImagePart, "MDI.CLOSE.HOT", 2),
    SKIN_FIELD_FROM(MenuBarSkinObject, mdiImages[11], KindImagePart, "MDI.CLOSE.PRESSED", 2),
    SKIN_FIELD_FROM(MenuBarSkinObject, pressedImage, KindSlicedImage, "ITEM.PRESSEDIMAGE", 3),
    SKIN_ALIAS(MenuBarSkinObject, itemFont.color, KindColor, "ITEM.TEXTCOLOR"),
    SKIN_ALIAS(MenuBarSkinObject, textColor, KindColor, "ITEM.PRESSEDTEXTCOLOR"),
};

} // namespace

FieldSpan MenuBarSkinObject::Fields()
{
    return SKIN_TABLE(kMenuBarFields);
}

MenuBarSkinObject::MenuBarSkinObject() : TableSkinObject(SkinTypeMenuBar)
{
    itemFont = ResetFont("Arial");
    disabledTextColor = 0x727272;
    hotTextColor = 0xE07272;
}
