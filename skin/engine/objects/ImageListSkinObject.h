// ImageListSkinObject: an image list (type 39): four values and the picture the list is cut from.
#pragma once
#include "skin/engine/objects/SkinObject.h"

class ImageListSkinObject : public SkinObject {
public:
    ImageListSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    uint32_t values[4];
    ImagePart image;
};
