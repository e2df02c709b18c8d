// RebarSkinObject: rebars (type 36): the band picture and a text effect.
#pragma once
#include "skin/engine/objects/ControlSkinObject.h"

class RebarSkinObject : public ControlSkinObject {
public:
    RebarSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    SlicedImage bandImage;
    TextEffect textEffect;
};
