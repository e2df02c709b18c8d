// RadioSkinObject: only the type id differs from a check box.
#include "skin/engine/objects/RadioSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

RadioSkinObject::RadioSkinObject() : CheckBoxSkinObject(SkinTypeRadio) {}
