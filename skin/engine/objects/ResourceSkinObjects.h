// Skin objects that hold the skin's resources rather than draw a window: application settings, pictures, image lists,
// the system colour table.
#pragma once
#include "skin/engine/objects/SkinObject.h"
#include "skin/engine/images/SkinImage.h"

// ApplicationSkinObject: the skin's information object (type 25): author, description, contact and the
// transparent-colour switch.
class ApplicationSkinObject : public TableSkinObject<ApplicationSkinObject, SkinObject> {
public:
    ApplicationSkinObject();
    static FieldSpan Fields();

    char author[51]{};
    char description[51]{};
    char application[51]{};
    uint32_t useTransparentColor{};
    char email[51]{};
    char homePage[51]{};
};

// ImageSkinObject: one picture of a skin (type 18), stored as the bytes of a BMP or TGA file and held
// decoded as a SkinImage. Its NAME is the picture's name, kept upper-case by the store.
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
    HBITMAP bitmap_{};
};

// ImageListSkinObject: an image list (type 39): four values and the picture the list is cut from.
class ImageListSkinObject : public TableSkinObject<ImageListSkinObject, SkinObject> {
public:
    ImageListSkinObject();
    static FieldSpan Fields();

    uint32_t values[4]{};
    ImagePart image{};
};

// SysColorTableSkinObject: the skin's answers for the system colours (type 44), with a brush for each
// of the indexes 0 to 30.
class SysColorTableSkinObject : public TableSkinObject<SysColorTableSkinObject, SkinObject> {
public:
    SysColorTableSkinObject();
    ~SysColorTableSkinObject() override;
    static FieldSpan Fields();
    void ReleaseResources() override;
    void CreateResources(SkinStore& store) override;

    static const int kBrushes = 31;
    COLORREF Color(int index) const { return index >= 0 && index < 100 ? colors[index] : 0; }
    HBRUSH Brush(int index) const { return index >= 0 && index < kBrushes ? brushes_[index] : NULL; }

    COLORREF colors[100]{};

private:
    void DeleteBrushes();
    HBRUSH brushes_[kBrushes]{};
};
