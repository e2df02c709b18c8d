// Skin objects drawn as a nine-piece frame: the framed part, frame windows, popup menus, tooltips; and shaped
// windows.
#include "skin/engine/objects/FramedSkinObjects.h"

#include <cstring>

#include "skin/engine/objects/ResourceSkinObjects.h"
#include "skin/engine/images/ImageRegion.h"
#include "skin/engine/store/MemoryStream.h"
#include "skin/engine/images/SkinImage.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/objects/FrameElementSkinObjects.h"

// FramedSkinObject: the framed part, its version gates and the piece cache cut from the skin's images.
const char* const kFrameSectionNames[9] = {"TOPLEFT",     "MIDDLETOP",  "TOPRIGHT",     "MIDDLELEFT", "CLIENT",
                                           "MIDDLERIGHT", "BOTTOMLEFT", "BOTTOMMIDDLE", "BOTTOMRIGHT"};

namespace {

const FieldDef kFramedFields[] = {
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

FieldSpan FramedSkinObject::Fields()
{
    return SKIN_TABLE(kFramedFields);
}

FramedSkinObject::FramedSkinObject(int type)
    : TableSkinObject(type), itemFont(ResetFont("Arial")), firstColor(0xFF0000), secondColor(0x727200),
      thirdColor(0xFFFFFF), textEffect(ResetTextEffect())
{
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

void FramedSkinObject::MendOldVersions()
{
    if (SkinFormatMajor() == 1 && SkinFormatMinor() <= 8)
        textEffect = ResetTextEffect();
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
    ImagePart empty = {};
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

// FrameWndSkinObject: the framed part, the menu bar object inside it, then SKINCLIENT and MDICLIENT (1.6 on).
namespace {

const FieldDef kFrameWndFields[] = {
    SKIN_FIELD_FROM(FrameWndSkinObject, skinClient, KindInteger, "SKINCLIENT", 6),
    SKIN_FIELD_FROM(FrameWndSkinObject, mdiClient, KindImagePart, "MDICLIENT", 6),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[0], KindImagePart, "ACTIVEFRAME.TOPLEFT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[1], KindImagePart, "ACTIVEFRAME.MIDDLETOP"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[2], KindImagePart, "ACTIVEFRAME.TOPRIGHT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[3], KindImagePart, "ACTIVEFRAME.MIDDLELEFT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[4], KindImagePart, "ACTIVEFRAME.CLIENT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[5], KindImagePart, "ACTIVEFRAME.MIDDLERIGHT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[6], KindImagePart, "ACTIVEFRAME.BOTTOMLEFT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[7], KindImagePart, "ACTIVEFRAME.BOTTOMMIDDLE"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[8], KindImagePart, "ACTIVEFRAME.BOTTOMRIGHT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[9], KindImagePart, "DEACTIVEFRAME.TOPLEFT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[10], KindImagePart, "DEACTIVEFRAME.MIDDLETOP"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[11], KindImagePart, "DEACTIVEFRAME.TOPRIGHT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[12], KindImagePart, "DEACTIVEFRAME.MIDDLELEFT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[13], KindImagePart, "DEACTIVEFRAME.CLIENT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[14], KindImagePart, "DEACTIVEFRAME.MIDDLERIGHT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[15], KindImagePart, "DEACTIVEFRAME.BOTTOMLEFT"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[16], KindImagePart, "DEACTIVEFRAME.BOTTOMMIDDLE"),
    SKIN_ALIAS(FrameWndSkinObject, imageParts[17], KindImagePart, "DEACTIVEFRAME.BOTTOMRIGHT"),
    SKIN_ALIAS(FrameWndSkinObject, firstColor, KindColor, "ACTIVEFRAME.COLOR"),
    SKIN_ALIAS(FrameWndSkinObject, secondColor, KindColor, "DEACTIVEFRAME.COLOR"),
    SKIN_ALIAS(FrameWndSkinObject, itemFont, KindFont, "CAPTIONFONT"),
    SKIN_ALIAS(FrameWndSkinObject, itemFont.color, KindColor, "CAPTIONTEXTCOLOR"),
    SKIN_ALIAS(FrameWndSkinObject, extraImages[0], KindSlicedImage, "MINIMIZED.ACTIVE"),
    SKIN_ALIAS(FrameWndSkinObject, extraImages[1], KindSlicedImage, "MINIMIZED.INACTIVE"),
};

} // namespace

FieldSpan FrameWndSkinObject::Fields()
{
    return SKIN_TABLE(kFrameWndFields);
}

FrameWndSkinObject::FrameWndSkinObject()
    : TableSkinObject(SkinTypeFrameWnd), menuBar(new MenuBarSkinObject), skinClient(0)
{
}

FrameWndSkinObject::~FrameWndSkinObject()
{
    delete menuBar;
}

bool FrameWndSkinObject::Save(MemoryStream& stream)
{
    if (!FramedSkinObject::Save(stream) || !menuBar->Save(stream))
        return false;
    WriteFields(stream, Fields());
    return true;
}

bool FrameWndSkinObject::Load(MemoryStream& stream)
{
    uint32_t menuBarType = 0; // taken as it comes
    return FramedSkinObject::Load(stream) && stream.ReadU32(menuBarType) && menuBar->Load(stream) &&
           ReadFields(stream, Fields());
}

// PopupMenuSkinObject: the fields after the framed part; the check mark came with 1.3.
namespace {

const FieldDef kPopupMenuFields[] = {
    SKIN_FIELD(PopupMenuSkinObject, rects[0], KindRect, "ITEM.MARGINS"),
    SKIN_FIELD(PopupMenuSkinObject, rects[1], KindRect, "POPUP.RECT2"),
    SKIN_FIELD(PopupMenuSkinObject, rects[2], KindRect, "POPUP.RECT3"),
    SKIN_FIELD(PopupMenuSkinObject, activeColor, KindColor, "ITEM.ACTIVECOLOR"),
    SKIN_FIELD(PopupMenuSkinObject, separatorColor, KindColor, "ITEM.SEPARATORCOLOR"),
    SKIN_FIELD(PopupMenuSkinObject, separatorImage, KindSlicedImage, "ITEM.SEPARATORIMAGE"),
    SKIN_FIELD(PopupMenuSkinObject, activeImage, KindSlicedImage, "ITEM.ACTIVEIMAGE"),
    SKIN_FIELD(PopupMenuSkinObject, submenuImage, KindImagePart, "ITEM.SUBMENU"),
    SKIN_FIELD_FROM(PopupMenuSkinObject, checkImage, KindImagePart, "ITEM.CHECKIMAGE", 3),
    SKIN_ALIAS(PopupMenuSkinObject, textColor, KindColor, "ITEM.TEXTCOLOR"),
    SKIN_ALIAS(PopupMenuSkinObject, itemFont.color, KindColor, "ITEM.ACTIVETEXTCOLOR"),
    // The disabled text colour is the text effect's shadow colour: red, green, blue, zero is a COLORREF.
    {"ITEM.DISABLEDTEXTCOLOR", KindColor, 4, 1,
     [](SkinObject& o) -> void* { return &static_cast<PopupMenuSkinObject&>(o).textEffect.shadowRed; }, 0, 255,
     FieldAlias},
};

} // namespace

FieldSpan PopupMenuSkinObject::Fields()
{
    return SKIN_TABLE(kPopupMenuFields);
}

PopupMenuSkinObject::PopupMenuSkinObject() : TableSkinObject(SkinTypePopupMenu)
{
    static const RECT design[9] = {{0, 0, 4, 4},     {4, 0, 274, 4},     {274, 0, 278, 4},
                                   {0, 4, 4, 148},   {4, 4, 274, 148},   {274, 4, 278, 148},
                                   {0, 148, 4, 152}, {4, 148, 278, 152}, {274, 148, 278, 152}};
    SetFrameRects(design);
    firstColor = 0xE2B61D;
    secondColor = 0x727200;
    thirdColor = 0xFFFFFF;
    activeColor = 0xFAE6E6;
}

COLORREF PopupMenuSkinObject::ItemDisabledTextColor() const
{
    return RGB(textEffect.shadowRed, textEffect.shadowGreen, textEffect.shadowBlue);
}

// TooltipSkinObject: the fields after the framed part; the style sheet's length is checked against the file.
namespace {

const FieldDef kTooltipFields[] = {
    SKIN_FIELD(TooltipSkinObject, showDelay, KindInteger, "SHOWDELAY"),
    SKIN_FIELD(TooltipSkinObject, hideDelay, KindInteger, "HIDEDELAY"),
    SKIN_FIELD(TooltipSkinObject, placement, KindInteger, "PLACEMENT"),
    SKIN_LONGTEXT(TooltipSkinObject, styleSheet, "STYLESHEET"),
};

} // namespace

FieldSpan TooltipSkinObject::Fields()
{
    return SKIN_TABLE(kTooltipFields);
}

TooltipSkinObject::TooltipSkinObject()
    : TableSkinObject(SkinTypeTooltip), showDelay(1000), hideDelay(8000), placement(0)
{
    // The bottom-middle piece reaches 278, as the design has always had it.
    static const RECT design[9] = {{0, 0, 1, 1},     {1, 0, 277, 1},     {277, 0, 278, 1},
                                   {0, 1, 1, 151},   {1, 1, 277, 151},   {277, 1, 278, 151},
                                   {0, 151, 1, 152}, {1, 151, 278, 152}, {277, 151, 278, 152}};
    SetFrameRects(design);
    firstColor = 0;
    secondColor = 0;
    thirdColor = GetSysColor(COLOR_INFOBK);
}

// ShapeWndSkinObject: fields in file order, no version gates.
namespace {

const FieldDef kShapeWndFields[] = {
    SKIN_FIELD(ShapeWndSkinObject, shape, KindImagePart, "SHAPE"),
    SKIN_FIELD(ShapeWndSkinObject, rects[0], KindRect, "SHAPE.RECT1"),
    SKIN_FIELD(ShapeWndSkinObject, rects[1], KindRect, "SHAPE.RECT2"),
    SKIN_FIELD(ShapeWndSkinObject, shapeByte, KindBytes, "SHAPE.BYTE"),
    SKIN_FIELD(ShapeWndSkinObject, shapeColor, KindColor, "SHAPE.COLOR"),
    SKIN_FIELD(ShapeWndSkinObject, shapeValue, KindInteger, "SHAPE.VALUE"),
};

} // namespace

FieldSpan ShapeWndSkinObject::Fields()
{
    return SKIN_TABLE(kShapeWndFields);
}

ShapeWndSkinObject::ShapeWndSkinObject() : TableSkinObject(SkinTypeShapeWnd)
{
    shapeByte = 255;
    shapeColor = 0xFFFFFF;
    shapeValue = 1;
}
