// StaticSkinObject: static texts (type 14): transparency, text effect and a kept text.
#pragma once
#include "skin/engine/objects/ControlSkinObject.h"

class StaticSkinObject : public ControlSkinObject {
public:
    StaticSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    uint32_t transparent;
    TextEffect textEffect;
    char text[51];
    TextEffect textEffect2;
};
