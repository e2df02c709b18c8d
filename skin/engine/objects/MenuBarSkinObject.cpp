// MenuBarSkinObject: the normal item text takes the font colour, the pressed item text the object's text colour.
#include "skin/engine/objects/MenuBarSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
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

MenuBarSkinObject::MenuBarSkinObject() : FrameElementSkinObject(SkinTypeMenuBar)
{
    itemFont = ResetFont("Arial");
    std::memset(rects, 0, sizeof rects);
    disabledTextColor = 0x727272;
    std::memset(&background, 0, sizeof background);
    std::memset(&rect4, 0, sizeof rect4);
    hotTextColor = 0xE07272;
    std::memset(&hotImage, 0, sizeof hotImage);
    std::memset(mdiImages, 0, sizeof mdiImages);
    std::memset(&pressedImage, 0, sizeof pressedImage);
}

size_t MenuBarSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(FrameElementSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool MenuBarSkinObject::Save(MemoryStream& stream)
{
    if (!FrameElementSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool MenuBarSkinObject::Load(MemoryStream& stream)
{
    return FrameElementSkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
