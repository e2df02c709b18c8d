// AreaSkinObject: type 22 is a frame element with no fields of its own.
#include "skin/engine/objects/AreaSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

AreaSkinObject::AreaSkinObject() : FrameElementSkinObject(SkinTypeArea) {}
