// SpinSkinObject: up-down controls (type 27): an up and a down arrow per state, vertical and horizontal.
#pragma once
#include "skin/engine/objects/ControlSkinObject.h"

class SpinSkinObject : public ControlSkinObject {
public:
    SpinSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    // Up and down arrow of VERTICAL.NORMAL, .HOVER, .PRESSED, .DISABLED, then the HORIZONTAL pairs.
    ImagePart arrows[16];
};
