// AnimateSkinObject: animation controls (type 40): a background picture.
#pragma once
#include "skin/engine/objects/ControlSkinObject.h"

class AnimateSkinObject : public ControlSkinObject {
public:
    AnimateSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    ImagePart background;
};
