// SliderSkinObject: track bars (type 13): thumb and channel pictures.
#pragma once
#include "skin/engine/objects/ControlSkinObject.h"

class SliderSkinObject : public ControlSkinObject {
public:
    SliderSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    SlicedImage thumbHorizontal;
    uint32_t value1;
    uint32_t values[4];
    SlicedImage channel;
    uint32_t transparent;
    SlicedImage thumbVertical;
};
