// PopupMenuSkinObject: skinned popup menus (type 17): the frame, item margins, item colours and pictures.
#pragma once
#include "skin/engine/objects/FramedSkinObject.h"

class PopupMenuSkinObject : public FramedSkinObject {
public:
    PopupMenuSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    // Where the item colours and margins live (keys ITEM.MARGINS, ITEM.TEXTCOLOR, ITEM.ACTIVETEXTCOLOR,
    // ITEM.DISABLEDTEXTCOLOR); the client background is the framed third colour (CLIENTCOLOR).
    RECT ItemMargins() const { return rects[0]; }
    COLORREF ItemTextColor() const { return textColor; }
    COLORREF ItemActiveTextColor() const { return itemFont.color; }
    COLORREF ItemDisabledTextColor() const;
    COLORREF ClientColor() const { return thirdColor; }

    RECT rects[3]; // item margins, then two kept as they came
    COLORREF activeColor;
    COLORREF separatorColor;
    SlicedImage separatorImage;
    SlicedImage activeImage;
    ImagePart submenuImage;
    ImagePart checkImage;
};
