// ControlBarSkinObject: nothing beyond the control part.
#include "ControlBarSkinObject.h"

#include <cstring>

#include "MemoryStream.h"

ControlBarSkinObject::ControlBarSkinObject() : ControlSkinObject(SkinTypeControlBar)
{
}
