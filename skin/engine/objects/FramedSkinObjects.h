// Skin objects drawn as a nine-piece frame: the framed part, frame windows, popup menus, tooltips; and shaped
// windows.
#pragma once
#include <string>

#include "skin/engine/objects/SkinObject.h"

// FramedSkinObject: the base of objects drawn as a nine-piece frame (frame windows, popup menus,
// tooltips): two sets of nine image parts, the nine design rectangles, colours and a text effect.
class SkinImage;

// One of the nine frame sections: 0 top-left, 1 top, 2 top-right, 3 left, 4 client, 5 right,
// 6 bottom-left, 7 bottom, 8 bottom-right.
extern const char* const kFrameSectionNames[9];

class FramedSkinObject : public TableSkinObject<FramedSkinObject, SkinObject> {
public:
    explicit FramedSkinObject(int type);
    ~FramedSkinObject() override;
    static FieldSpan Fields();
    // Mends what older versions left after the fields are read.
    void MendOldVersions();
    void ReleaseResources() override;
    void CreateResources(SkinStore& store) override;

    RECT GetDesignRect() const;
    RECT GetFrameRect(int section) const;
    ImagePart GetImagePart(int index) const;
    // The piece cut for image part 0-17 and its region of non-transparent pixels (NULL when none).
    const SkinImage* Piece(int index) const;
    HRGN PieceRegion(int index) const;

    ImagePart imageParts[18]{};
    RECT frameRects[9]{};
    SkinFont itemFont{};
    uint32_t framedReserved[2]{};
    COLORREF firstColor{};
    COLORREF secondColor{};
    COLORREF thirdColor{};
    TextEffect textEffect{};
    SlicedImage extraImages[2]{};

protected:
    void SetFrameRects(const RECT (&rects)[9]);

private:
    struct CachedPiece {
        SkinImage* image;
        HRGN region;
        SIZE size;
    };
    CachedPiece pieces_[18]{};
};

// FrameWndSkinObject: the frame of top-level windows and dialogs (type 1): active and inactive frame
// pictures, caption font and colour, client background, minimized pictures, the menu bar's settings.
class MenuBarSkinObject;

class FrameWndSkinObject : public TableSkinObject<FrameWndSkinObject, FramedSkinObject> {
public:
    FrameWndSkinObject();
    ~FrameWndSkinObject() override;
    static FieldSpan Fields();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;

    // Where the fields the frame skinner reads live: image parts 0-8 active, 9-17 inactive (ACTIVEFRAME.*,
    // DEACTIVEFRAME.*), CAPTIONFONT the item font, CAPTIONTEXTCOLOR its colour, CLIENTCOLOR the third colour,
    // MINIMIZED.ACTIVE and MINIMIZED.INACTIVE the two further sliced images.
    COLORREF ActiveFrameColor() const { return firstColor; }
    COLORREF InactiveFrameColor() const { return secondColor; }
    COLORREF ClientColor() const { return thirdColor; }
    COLORREF CaptionTextColor() const { return itemFont.color; }
    const SkinFont& CaptionFont() const { return itemFont; }
    const SlicedImage& MinimizedImage(bool active) const { return extraImages[active ? 0 : 1]; }

    MenuBarSkinObject* menuBar{}; // owned, never NULL
    uint32_t skinClient{};
    ImagePart mdiClient{};
};

// PopupMenuSkinObject: skinned popup menus (type 17): the frame, item margins, item colours and pictures.
class PopupMenuSkinObject : public TableSkinObject<PopupMenuSkinObject, FramedSkinObject> {
public:
    PopupMenuSkinObject();
    static FieldSpan Fields();

    // Where the item colours and margins live (keys ITEM.MARGINS, ITEM.TEXTCOLOR, ITEM.ACTIVETEXTCOLOR,
    // ITEM.DISABLEDTEXTCOLOR); the client background is the framed third colour (CLIENTCOLOR).
    RECT ItemMargins() const { return rects[0]; }
    COLORREF ItemTextColor() const { return textColor; }
    COLORREF ItemActiveTextColor() const { return itemFont.color; }
    COLORREF ItemDisabledTextColor() const;
    COLORREF ClientColor() const { return thirdColor; }

    RECT rects[3]{}; // item margins, then two kept as they came
    COLORREF activeColor{};
    COLORREF separatorColor{};
    SlicedImage separatorImage{};
    SlicedImage activeImage{};
    ImagePart submenuImage{};
    ImagePart checkImage{};
};

// TooltipSkinObject: the tooltip's frame (type 42), its delays, placement and style sheet.
class TooltipSkinObject : public TableSkinObject<TooltipSkinObject, FramedSkinObject> {
public:
    TooltipSkinObject();
    static FieldSpan Fields();

    uint32_t showDelay{};   // ms
    uint32_t hideDelay{};   // ms
    uint32_t placement{};   // 0 below right of the cursor ... 7 above left
    std::string styleSheet; // for the rich-text drawer; stored with its length and no NUL
};

// ShapeWndSkinObject: a shaped window (type 2): its shape picture and the values kept with it.
class ShapeWndSkinObject : public TableSkinObject<ShapeWndSkinObject, SkinObject> {
public:
    ShapeWndSkinObject();
    static FieldSpan Fields();

    ImagePart shape{};
    RECT rects[2]{};
    uint8_t shapeByte{};
    COLORREF shapeColor{};
    uint32_t shapeValue{};
};
