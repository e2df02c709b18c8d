// ControlBarSkinObject: control bars (type 24): the control part only; lookups by type answer with the ToolBar object.
#pragma once
#include "skin/engine/objects/ControlSkinObject.h"

class ControlBarSkinObject : public ControlSkinObject {
public:
    ControlBarSkinObject();
};
