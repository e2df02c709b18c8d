// AreaSkinObject: type 22 is a frame element with no fields of its own.
#include "AreaSkinObject.h"

#include <cstring>

#include "MemoryStream.h"

AreaSkinObject::AreaSkinObject() : FrameElementSkinObject(SkinTypeArea)
{
}
