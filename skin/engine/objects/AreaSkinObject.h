// AreaSkinObject: a plain frame area (type 22): the frame-element layout and nothing further.
#pragma once
#include "skin/engine/objects/FrameElementSkinObject.h"

class AreaSkinObject : public FrameElementSkinObject {
public:
    AreaSkinObject();
};
