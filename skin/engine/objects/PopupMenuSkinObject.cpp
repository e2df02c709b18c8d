// PopupMenuSkinObject: the fields after the framed part; the check mark came with 1.3.
#include "skin/engine/objects/PopupMenuSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(PopupMenuSkinObject, rects[0], KindRect, "ITEM.MARGINS"),
    SKIN_FIELD(PopupMenuSkinObject, rects[1], KindRect, "POPUP.RECT2"),
    SKIN_FIELD(PopupMenuSkinObject, rects[2], KindRect, "POPUP.RECT3"),
    SKIN_FIELD(PopupMenuSkinObject, activeColor, KindColor, "ITEM.ACTIVECOLOR"),
    SKIN_FIELD(PopupMenuSkinObject, separatorColor, KindColor, "ITEM.SEPARATORCOLOR"),
    SKIN_FIELD(PopupMenuSkinObject, separatorImage, KindSlicedImage, "ITEM.SEPARATORIMAGE"),
    SKIN_FIELD(PopupMenuSkinObject, activeImage, KindSlicedImage, "ITEM.ACTIVEIMAGE"),
    SKIN_FIELD(PopupMenuSkinObject, submenuImage, KindImagePart, "ITEM.SUBMENU"),
    SKIN_FIELD_FROM(PopupMenuSkinObject, checkImage, KindImagePart, "ITEM.CHECKIMAGE", 3),
    SKIN_ALIAS(PopupMenuSkinObject, textColor, KindColor, "ITEM.TEXTCOLOR"),
    SKIN_ALIAS(PopupMenuSkinObject, itemFont.color, KindColor, "ITEM.ACTIVETEXTCOLOR"),
    // The disabled text colour is the text effect's shadow colour: red, green, blue, zero is a COLORREF.
    {"ITEM.DISABLEDTEXTCOLOR", KindColor, 4, 1,
     [](SkinObject& o) -> void* { return &static_cast<PopupMenuSkinObject&>(o).textEffect.shadowRed; }, 0, 255,
     FieldAlias},
};

} // namespace

PopupMenuSkinObject::PopupMenuSkinObject() : FramedSkinObject(SkinTypePopupMenu)
{
    static const RECT design[9] = {{0, 0, 4, 4},     {4, 0, 274, 4},     {274, 0, 278, 4},
                                   {0, 4, 4, 148},   {4, 4, 274, 148},   {274, 4, 278, 148},
                                   {0, 148, 4, 152}, {4, 148, 278, 152}, {274, 148, 278, 152}};
    SetFrameRects(design);
    firstColor = 0xE2B61D;
    secondColor = 0x727200;
    thirdColor = 0xFFFFFF;
    std::memset(rects, 0, sizeof rects);
    activeColor = 0xFAE6E6;
    separatorColor = 0;
    std::memset(&separatorImage, 0, sizeof separatorImage);
    std::memset(&activeImage, 0, sizeof activeImage);
    std::memset(&submenuImage, 0, sizeof submenuImage);
    std::memset(&checkImage, 0, sizeof checkImage);
}

COLORREF PopupMenuSkinObject::ItemDisabledTextColor() const
{
    return RGB(textEffect.shadowRed, textEffect.shadowGreen, textEffect.shadowBlue);
}

size_t PopupMenuSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(FramedSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool PopupMenuSkinObject::Save(MemoryStream& stream)
{
    if (!FramedSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool PopupMenuSkinObject::Load(MemoryStream& stream)
{
    return FramedSkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
