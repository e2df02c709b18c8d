// CaptionButtonSkinObject: a caption button of a frame (type 3): its state images, action and two-state flag.
#pragma once
#include "skin/engine/objects/FrameElementSkinObject.h"

class CaptionButtonSkinObject : public FrameElementSkinObject {
public:
    CaptionButtonSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    ImagePart stateImages[3]; // hover, pressed, disabled
    uint32_t action;          // 0 command, 1 close, 2 icon, 3 maximize, 4 minimize, 5 system menu
    uint32_t twoState;        // each click toggles between the two drawn states
};
