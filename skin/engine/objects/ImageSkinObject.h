// ImageSkinObject: one picture of a skin (type 18), stored as the bytes of a BMP or TGA file and held
// decoded as a SkinImage. Its NAME is the picture's name, kept upper-case by the store.
#pragma once
#include "skin/engine/images/SkinImage.h"
#include "skin/engine/objects/SkinObject.h"

class ImageSkinObject : public SkinObject {
public:
    ImageSkinObject();
    ~ImageSkinObject() override;
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;

    SkinImage& Image() { return image_; }
    // A device-independent bitmap of the picture, made on first use; owned by this object.
    HBITMAP Bitmap();

private:
    SkinImage image_;
    HBITMAP bitmap_;
};
