// FramedSkinObject: the base of objects drawn as a nine-piece frame (frame windows, popup menus,
// tooltips): two sets of nine image parts, the nine design rectangles, colours and a text effect.
#pragma once
#include "skin/engine/objects/SkinObject.h"

class SkinImage;

// One of the nine frame sections: 0 top-left, 1 top, 2 top-right, 3 left, 4 client, 5 right,
// 6 bottom-left, 7 bottom, 8 bottom-right.
extern const char* const kFrameSectionNames[9];

class FramedSkinObject : public SkinObject {
public:
    explicit FramedSkinObject(int type);
    ~FramedSkinObject() override;
    void ReleaseResources() override;
    void CreateResources(SkinStore& store) override;
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    RECT GetDesignRect() const;
    RECT GetFrameRect(int section) const;
    ImagePart GetImagePart(int index) const;
    // The piece cut for image part 0-17 and its region of non-transparent pixels (NULL when none).
    const SkinImage* Piece(int index) const;
    HRGN PieceRegion(int index) const;

    ImagePart imageParts[18];
    RECT frameRects[9];
    SkinFont itemFont;
    uint32_t framedReserved[2];
    COLORREF firstColor;
    COLORREF secondColor;
    COLORREF thirdColor;
    TextEffect textEffect;
    SlicedImage extraImages[2];

protected:
    void SetFrameRects(const RECT (&rects)[9]);

private:
    struct CachedPiece {
        SkinImage* image;
        HRGN region;
        SIZE size;
    };
    CachedPiece pieces_[18];
};
