// ProgressSkinObject: progress bars (type 10): the bar picture and its style.
#pragma once
#include "skin/engine/objects/ControlSkinObject.h"

class ProgressSkinObject : public ControlSkinObject {
public:
    ProgressSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    SlicedImage progressImage;
    uint32_t value1;
    uint32_t style;
    uint32_t value2;
};
