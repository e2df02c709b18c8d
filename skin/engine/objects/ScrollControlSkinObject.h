// ScrollControlSkinObject: scrolling controls (types 7 Edit, 9 ListBox, 26 ScrollControl, 28 ListView, 30 RichEdit): a
// background picture.
#pragma once
#include "skin/engine/objects/ControlSkinObject.h"

class ScrollControlSkinObject : public ControlSkinObject {
public:
    explicit ScrollControlSkinObject(int type = SkinTypeEdit);
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    ImagePart background;

private:
    void ResetColors();
};
