// GroupBoxSkinObject: group boxes (type 8): caption picture, caption colour and text effect.
#pragma once
#include "skin/engine/objects/ControlSkinObject.h"

class GroupBoxSkinObject : public ControlSkinObject {
public:
    GroupBoxSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    SlicedImage captionImage;
    COLORREF captionColor;
    TextEffect textEffect;
    uint32_t transparent;
};
