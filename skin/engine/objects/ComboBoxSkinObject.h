// ComboBoxSkinObject: combo boxes (types 6 and 33): drop button images and the focus and disabled colours.
#pragma once
#include "skin/engine/objects/ControlSkinObject.h"

class ComboBoxSkinObject : public ControlSkinObject {
public:
    explicit ComboBoxSkinObject(int type = SkinTypeComboBox);
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    enum { ThumbNormal, ThumbPressed, ThumbHovered, ThumbDisabled };
    SlicedImage thumbs[4];
    COLORREF focusColor;
    COLORREF disabledBackground;
    COLORREF disabledText;
    COLORREF focusTextColor;
};
