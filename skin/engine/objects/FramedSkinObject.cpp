// FramedSkinObject: the framed part, its version gates and the piece cache cut from the skin's images.
#include "skin/engine/objects/FramedSkinObject.h"

#include <cstring>

#include "skin/engine/objects/ApplicationSkinObject.h"
#include "skin/engine/images/ImageRegion.h"
#include "skin/engine/store/MemoryStream.h"
#include "skin/engine/images/SkinImage.h"
#include "skin/engine/store/SkinStore.h"

const char* const kFrameSectionNames[9] = {"TOPLEFT",     "MIDDLETOP",  "TOPRIGHT",     "MIDDLELEFT", "CLIENT",
                                           "MIDDLERIGHT", "BOTTOMLEFT", "BOTTOMMIDDLE", "BOTTOMRIGHT"};

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(FramedSkinObject, imageParts[0], KindImagePart, "FRAME.TOPLEFT"),
    SKIN_FIELD(FramedSkinObject, imageParts[1], KindImagePart, "FRAME.MIDDLETOP"),
    SKIN_FIELD(FramedSkinObject, imageParts[2], KindImagePart, "FRAME.TOPRIGHT"),
    SKIN_FIELD(FramedSkinObject, imageParts[3], KindImagePart, "FRAME.MIDDLELEFT"),
    SKIN_FIELD(FramedSkinObject, imageParts[4], KindImagePart, "FRAME.CLIENT"),
    SKIN_FIELD(FramedSkinObject, imageParts[5], KindImagePart, "FRAME.MIDDLERIGHT"),
    SKIN_FIELD(FramedSkinObject, imageParts[6], KindImagePart, "FRAME.BOTTOMLEFT"),
    SKIN_FIELD(FramedSkinObject, imageParts[7], KindImagePart, "FRAME.BOTTOMMIDDLE"),
    SKIN_FIELD(FramedSkinObject, imageParts[8], KindImagePart, "FRAME.BOTTOMRIGHT"),
    SKIN_FIELD(FramedSkinObject, imageParts[9], KindImagePart, "INACTIVEFRAME.TOPLEFT"),
    SKIN_FIELD(FramedSkinObject, imageParts[10], KindImagePart, "INACTIVEFRAME.MIDDLETOP"),
    SKIN_FIELD(FramedSkinObject, imageParts[11], KindImagePart, "INACTIVEFRAME.TOPRIGHT"),
    SKIN_FIELD(FramedSkinObject, imageParts[12], KindImagePart, "INACTIVEFRAME.MIDDLELEFT"),
    SKIN_FIELD(FramedSkinObject, imageParts[13], KindImagePart, "INACTIVEFRAME.CLIENT"),
    SKIN_FIELD(FramedSkinObject, imageParts[14], KindImagePart, "INACTIVEFRAME.MIDDLERIGHT"),
    SKIN_FIELD(FramedSkinObject, imageParts[15], KindImagePart, "INACTIVEFRAME.BOTTOMLEFT"),
    SKIN_FIELD(FramedSkinObject, imageParts[16], KindImagePart, "INACTIVEFRAME.BOTTOMMIDDLE"),
    SKIN_FIELD(FramedSkinObject, imageParts[17], KindImagePart, "INACTIVEFRAME.BOTTOMRIGHT"),
    SKIN_FIELD(FramedSkinObject, frameRects[0], KindRect, "FRAMERECT.TOPLEFT"),
    SKIN_FIELD(FramedSkinObject, frameRects[1], KindRect, "FRAMERECT.MIDDLETOP"),
    SKIN_FIELD(FramedSkinObject, frameRects[2], KindRect, "FRAMERECT.TOPRIGHT"),
    SKIN_FIELD(FramedSkinObject, frameRects[3], KindRect, "FRAMERECT.MIDDLELEFT"),
    SKIN_FIELD(FramedSkinObject, frameRects[4], KindRect, "FRAMERECT.CLIENT"),
    SKIN_FIELD(FramedSkinObject, frameRects[5], KindRect, "FRAMERECT.MIDDLERIGHT"),
    SKIN_FIELD(FramedSkinObject, frameRects[6], KindRect, "FRAMERECT.BOTTOMLEFT"),
    SKIN_FIELD(FramedSkinObject, frameRects[7], KindRect, "FRAMERECT.BOTTOMMIDDLE"),
    SKIN_FIELD(FramedSkinObject, frameRects[8], KindRect, "FRAMERECT.BOTTOMRIGHT"),
    SKIN_FIELD(FramedSkinObject, itemFont, KindFont, "ITEM.FONT"),
    SKIN_FIELD(FramedSkinObject, framedReserved[0], KindInteger, "FRAME.RESERVED1"),
    SKIN_FIELD(FramedSkinObject, framedReserved[1], KindInteger, "FRAME.RESERVED2"),
    SKIN_FIELD(FramedSkinObject, firstColor, KindColor, "FRAME.COLOR"),
    SKIN_FIELD(FramedSkinObject, secondColor, KindColor, "INACTIVEFRAME.COLOR"),
    SKIN_FIELD(FramedSkinObject, thirdColor, KindColor, "CLIENTCOLOR"),
    SKIN_FIELD_FROM(FramedSkinObject, textEffect, KindTextEffect, "TEXTEFFECT", 3),
    SKIN_FIELD_FROM(FramedSkinObject, extraImages[0], KindSlicedImage, "EXTRAIMAGE1", 13),
    SKIN_FIELD_FROM(FramedSkinObject, extraImages[1], KindSlicedImage, "EXTRAIMAGE2", 13),
};

bool IsEmptyPart(const ImagePart& part)
{
    return !part.image[0] || IsRectEmpty(&part.source);
}

} // namespace

FramedSkinObject::FramedSkinObject(int type)
    : SkinObject(type), itemFont(ResetFont("Arial")), firstColor(0xFF0000), secondColor(0x727200), thirdColor(0xFFFFFF),
      textEffect(ResetTextEffect())
{
    std::memset(imageParts, 0, sizeof imageParts);
    std::memset(framedReserved, 0, sizeof framedReserved);
    std::memset(extraImages, 0, sizeof extraImages);
    std::memset(pieces_, 0, sizeof pieces_);
    static const RECT design[9] = {{0, 0, 86, 30},    {86, 0, 173, 30},    {173, 0, 276, 30},
                                   {0, 30, 10, 148},  {10, 30, 266, 148},  {266, 30, 276, 148},
                                   {0, 148, 10, 160}, {10, 148, 266, 160}, {266, 148, 276, 160}};
    SetFrameRects(design);
}

FramedSkinObject::~FramedSkinObject()
{
    ReleaseResources();
}

void FramedSkinObject::SetFrameRects(const RECT (&rects)[9])
{
    std::memcpy(frameRects, rects, sizeof frameRects);
}

void FramedSkinObject::ReleaseResources()
{
    for (CachedPiece& piece : pieces_) {
        delete piece.image;
        if (piece.region)
            DeleteObject(piece.region);
        std::memset(&piece, 0, sizeof piece);
    }
    SkinObject::ReleaseResources();
}

void FramedSkinObject::CreateResources(SkinStore& store)
{
    ReleaseResources();
    const ApplicationSkinObject* app =
        static_cast<const ApplicationSkinObject*>(store.FindObjectByType(SkinTypeApplication));
    const bool regions = app && app->Type() == SkinTypeApplication && app->useTransparentColor;
    for (int i = 0; i < 18; ++i) {
        const ImagePart& part = imageParts[i];
        SkinImage* image = IsEmptyPart(part) ? NULL : store.FindImage(part.image);
        if (!image)
            continue;
        SkinImage* piece = new SkinImage;
        if (!image->Crop(part.source.left, part.source.top, part.source.right, part.source.bottom, piece)) {
            delete piece;
            continue;
        }
        pieces_[i].image = piece;
        pieces_[i].size.cx = piece->Width();
        pieces_[i].size.cy = piece->Height();
        if (regions)
            pieces_[i].region = RegionFromImage(*piece, app->transparentColor);
    }
    SkinObject::CreateResources(store);
}

size_t FramedSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(SkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool FramedSkinObject::Save(MemoryStream& stream)
{
    if (!SkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool FramedSkinObject::Load(MemoryStream& stream)
{
    if (!LoadBase(stream) || !ReadFields(stream, SKIN_TABLE(kFields)))
        return false;
    if (SkinFormatMajor() == 1 && SkinFormatMinor() <= 8)
        textEffect = ResetTextEffect();
    return true;
}

RECT FramedSkinObject::GetDesignRect() const
{
    RECT r = {0, 0, frameRects[8].right, frameRects[8].bottom};
    return r;
}

RECT FramedSkinObject::GetFrameRect(int section) const
{
    RECT empty = {0, 0, 0, 0};
    return section >= 0 && section < 9 ? frameRects[section] : empty;
}

ImagePart FramedSkinObject::GetImagePart(int index) const
{
    ImagePart empty;
    std::memset(&empty, 0, sizeof empty);
    return index >= 0 && index < 18 ? imageParts[index] : empty;
}

const SkinImage* FramedSkinObject::Piece(int index) const
{
    return index >= 0 && index < 18 ? pieces_[index].image : NULL;
}

HRGN FramedSkinObject::PieceRegion(int index) const
{
    return index >= 0 && index < 18 ? pieces_[index].region : NULL;
}
