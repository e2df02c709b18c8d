// HeaderSkinObject: list headers (type 37): a text effect and the item picture.
#pragma once
#include "skin/engine/objects/ControlSkinObject.h"

class HeaderSkinObject : public ControlSkinObject {
public:
    HeaderSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    TextEffect textEffect;
    SlicedImage item;
};
