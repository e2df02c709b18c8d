// TooltipSkinObject: the tooltip's frame (type 42), its delays, placement and style sheet.
#pragma once
#include <string>

#include "skin/engine/objects/FramedSkinObject.h"

class TooltipSkinObject : public FramedSkinObject {
public:
    TooltipSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    uint32_t showDelay;     // ms
    uint32_t hideDelay;     // ms
    uint32_t placement;     // 0 below right of the cursor ... 7 above left
    std::string styleSheet; // for the rich-text drawer; stored with its length and no NUL
};
