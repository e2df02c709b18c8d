// RadioSkinObject: only the type id differs from a check box.
#include "RadioSkinObject.h"

#include <cstring>

#include "MemoryStream.h"

RadioSkinObject::RadioSkinObject() : CheckBoxSkinObject(SkinTypeRadio)
{
}
