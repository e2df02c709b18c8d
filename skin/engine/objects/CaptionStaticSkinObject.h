// CaptionStaticSkinObject: a caption text of a frame (type 38): what text it shows, how it is aligned,
// its font and text effect, where it answers hit tests and how its region joins the window's.
#pragma once
#include "skin/engine/objects/FrameElementSkinObject.h"

class SkinImage;

class CaptionStaticSkinObject : public FrameElementSkinObject {
public:
    CaptionStaticSkinObject();
    ~CaptionStaticSkinObject() override;
    void ReleaseResources() override;
    void CreateResources(SkinStore& store) override;
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    // The element image cut from the skin, and its region of non-transparent pixels (the mask).
    const SkinImage* Piece() const { return piece_; }
    HRGN MaskRegion() const { return mask_; }

    uint32_t textKind;       // 1 the window text, 11 drawn by the owner, else the static text
    uint32_t hitTest;        // 1, 10 caption; 2 left; 3 top-left ... 9 bottom-left; else nowhere
    uint32_t anchorFlags[4]; // left, top, right, bottom
    uint32_t combineMode;    // 0 AND, 1 DIFF, 2 OR, 3 XOR, 4 replace
    SkinFont font;
    TextEffect textEffect;
    char text[51];
    uint32_t alignHorizontal; // 0 left, 1 centre, 2 right
    uint32_t alignVertical;   // 0 top, 1 centre, 2 bottom

private:
    SkinImage* piece_;
    HRGN mask_;
};
