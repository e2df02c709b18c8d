// CheckBoxSkinObject: check boxes (type 5), and radio buttons through RadioSkinObject: seven state records.
#pragma once
#include "skin/engine/objects/ControlSkinObject.h"

class CheckBoxSkinObject : public ControlSkinObject {
public:
    explicit CheckBoxSkinObject(int type = SkinTypeCheckBox);
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    enum { Normal, Selected, Disabled, GrayedNormal, GrayedSelected, HighlightedNormal, HighlightedSelected };
    CheckState states[7];
    char text[50];
    uint32_t transparent;
};
