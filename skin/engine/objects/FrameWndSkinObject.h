// FrameWndSkinObject: the frame of top-level windows and dialogs (type 1): active and inactive frame
// pictures, caption font and colour, client background, minimized pictures, the menu bar's settings.
#pragma once
#include "skin/engine/objects/FramedSkinObject.h"

class MenuBarSkinObject;

class FrameWndSkinObject : public FramedSkinObject {
public:
    FrameWndSkinObject();
    ~FrameWndSkinObject() override;
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    // Where the fields the frame skinner reads live: image parts 0-8 active, 9-17 inactive (ACTIVEFRAME.*,
    // DEACTIVEFRAME.*), CAPTIONFONT the item font, CAPTIONTEXTCOLOR its colour, CLIENTCOLOR the third colour,
    // MINIMIZED.ACTIVE and MINIMIZED.INACTIVE the two further sliced images.
    COLORREF ActiveFrameColor() const { return firstColor; }
    COLORREF InactiveFrameColor() const { return secondColor; }
    COLORREF ClientColor() const { return thirdColor; }
    COLORREF CaptionTextColor() const { return itemFont.color; }
    const SkinFont& CaptionFont() const { return itemFont; }
    const SlicedImage& MinimizedImage(bool active) const { return extraImages[active ? 0 : 1]; }

    MenuBarSkinObject* menuBar; // owned, never NULL
    uint32_t skinClient;
    ImagePart mdiClient;
};
