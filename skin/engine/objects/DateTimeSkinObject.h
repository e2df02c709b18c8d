// DateTimeSkinObject: date-time pickers (type 31): pictures, text effects and a colour.
#pragma once
#include "skin/engine/objects/ControlSkinObject.h"

class DateTimeSkinObject : public ControlSkinObject {
public:
    DateTimeSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    SlicedImage images[3];
    ImagePart part1;
    TextEffect effect1;
    ImagePart part2;
    TextEffect effect2;
    COLORREF color2;
};
