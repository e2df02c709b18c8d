// MenuBarSkinObject: the menu bar's settings inside a FrameWnd object (type 20): font, background and item images, text
// colours, MDI button images.
#pragma once
#include "skin/engine/objects/FrameElementSkinObject.h"

class MenuBarSkinObject : public FrameElementSkinObject {
public:
    MenuBarSkinObject();
    COLORREF ItemTextColor() const { return itemFont.color; }
    COLORREF ItemPressedTextColor() const { return textColor; }
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    SkinFont itemFont;
    RECT rects[3];
    COLORREF disabledTextColor;
    SlicedImage background;
    RECT rect4;
    COLORREF hotTextColor;
    SlicedImage hotImage;
    ImagePart mdiImages[12]; // icon, minimize, restore, close: normal, hot, pressed each
    SlicedImage pressedImage;
};
