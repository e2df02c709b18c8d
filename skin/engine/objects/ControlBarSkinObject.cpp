// ControlBarSkinObject: nothing beyond the control part.
#include "skin/engine/objects/ControlBarSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

ControlBarSkinObject::ControlBarSkinObject() : ControlSkinObject(SkinTypeControlBar) {}
