// StatusBarSkinObject: status bars (type 15): the pane picture.
#pragma once
#include "skin/engine/objects/ControlSkinObject.h"

class StatusBarSkinObject : public ControlSkinObject {
public:
    StatusBarSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    SlicedImage itemImage;
    ImagePart image2;
};
