// TabSkinObject: tab controls (type 16): four tab states and the tab frame.
#pragma once
#include "skin/engine/objects/ControlSkinObject.h"

class TabSkinObject : public ControlSkinObject {
public:
    TabSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    enum { Normal, Pressed, Disabled, Hovered };
    StateImage states[4];
    SlicedImage tabFrame;
    uint32_t transparent;
};
