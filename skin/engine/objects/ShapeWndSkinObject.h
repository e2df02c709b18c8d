// ShapeWndSkinObject: a shaped window (type 2): its shape picture and the values kept with it.
#pragma once
#include "skin/engine/objects/SkinObject.h"

class ShapeWndSkinObject : public SkinObject {
public:
    ShapeWndSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    ImagePart shape;
    RECT rects[2];
    uint8_t shapeByte;
    COLORREF shapeColor;
    uint32_t shapeValue;
};
