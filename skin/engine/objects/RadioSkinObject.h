// RadioSkinObject: radio buttons (type 11): the check box layout under its own type id.
#pragma once
#include "skin/engine/objects/CheckBoxSkinObject.h"

class RadioSkinObject : public CheckBoxSkinObject {
public:
    RadioSkinObject();
};
