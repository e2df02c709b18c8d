// ButtonSkinObject: push buttons (type 4): six state images with their text effects.
#pragma once
#include "skin/engine/objects/ControlSkinObject.h"

class ButtonSkinObject : public ControlSkinObject {
public:
    ButtonSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    enum { Normal, Pressed, Default, Focused, Highlighted, Disabled };
    StateImage states[6];
    char buttonText[50];
    uint32_t value1;
    uint32_t value2;
    uint32_t value3; // only in files before 1.7
};
