// MonthCalendarSkinObject: month calendars (type 35): six sliced pictures and four colours.
#pragma once
#include "skin/engine/objects/ControlSkinObject.h"

class MonthCalendarSkinObject : public ControlSkinObject {
public:
    MonthCalendarSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    SlicedImage images[6];
    COLORREF colors[4];
};
