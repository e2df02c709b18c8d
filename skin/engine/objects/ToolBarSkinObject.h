// ToolBarSkinObject: toolbars (type 23): five sliced pictures.
#pragma once
#include "skin/engine/objects/ControlSkinObject.h"

class ToolBarSkinObject : public ControlSkinObject {
public:
    ToolBarSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    SlicedImage images[5];
};
