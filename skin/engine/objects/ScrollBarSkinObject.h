// ScrollBarSkinObject: scroll bars (type 12): arrow, track and thumb pictures per state, horizontal and vertical.
#pragma once
#include "skin/engine/objects/ControlSkinObject.h"

#pragma pack(push, 1)
struct ScrollBarGroup {
    ImagePart arrow1;
    ImagePart arrow2;
    SlicedImage scrollBar;
    SlicedImage thumb;
};
#pragma pack(pop)
static_assert(sizeof(ScrollBarGroup) == 320, "scroll bar group is 320 bytes");

class ScrollBarSkinObject : public ControlSkinObject {
public:
    ScrollBarSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    // NORMAL, PRESSED, HIGHLIGHTED, DISABLED, then the same for the vertical bar.
    ScrollBarGroup groups[8];
    ImagePart gripper;
    uint32_t values[5];
};
