// Skin objects placed on a window frame: the frame-element part, plain areas, caption buttons and texts, the menu
// bar.
#pragma once
#include "skin/engine/objects/SkinObject.h"

// FrameElementSkinObject: the base of the parts of a frame window's non-client area (caption buttons,
// caption texts, areas, the menu bar): a picture, a design rectangle, an anchor, a command and a visibility.
class FrameElementSkinObject : public TableSkinObject<FrameElementSkinObject, SkinObject> {
public:
    explicit FrameElementSkinObject(int type);
    static FieldSpan Fields();

    ImagePart elementImage{};
    uint32_t anchor{};     // 2, 8 follow the bottom edge; 4, 6 the right edge; 5 both
    uint32_t commandId{};  // posted as WM_COMMAND by a caption button whose action is 0
    uint32_t visibility{}; // 0 always, 1 iconic ... 9 neither zoomed nor iconic
    char elementText[51]{};
};

// AreaSkinObject: a plain frame area (type 22): the frame-element layout and nothing further.
class AreaSkinObject : public FrameElementSkinObject {
public:
    AreaSkinObject();
};

// CaptionButtonSkinObject: a caption button of a frame (type 3): its state images, action and two-state flag.
class CaptionButtonSkinObject : public TableSkinObject<CaptionButtonSkinObject, FrameElementSkinObject> {
public:
    CaptionButtonSkinObject();
    static FieldSpan Fields();

    ImagePart stateImages[3]{}; // hover, pressed, disabled
    uint32_t action{};          // 0 command, 1 close, 2 icon, 3 maximize, 4 minimize, 5 system menu
    uint32_t twoState{};        // each click toggles between the two drawn states
};

// CaptionStaticSkinObject: a caption text of a frame (type 38): what text it shows, how it is aligned,
// its font and text effect, where it answers hit tests and how its region joins the window's.
class SkinImage;

class CaptionStaticSkinObject : public TableSkinObject<CaptionStaticSkinObject, FrameElementSkinObject> {
public:
    CaptionStaticSkinObject();
    ~CaptionStaticSkinObject() override;
    static FieldSpan Fields();
    void ReleaseResources() override;
    void CreateResources(SkinStore& store) override;

    // The element image cut from the skin, and its region of non-transparent pixels (the mask).
    const SkinImage* Piece() const { return piece_; }
    HRGN MaskRegion() const { return mask_; }

    uint32_t textKind{};       // 1 the window text, 11 drawn by the owner, else the static text
    uint32_t hitTest{};        // 1, 10 caption; 2 left; 3 top-left ... 9 bottom-left; else nowhere
    uint32_t anchorFlags[4]{}; // left, top, right, bottom
    uint32_t combineMode{};    // 0 AND, 1 DIFF, 2 OR, 3 XOR, 4 replace
    SkinFont font{};
    TextEffect textEffect{};
    char text[51]{};
    uint32_t alignHorizontal{}; // 0 left, 1 centre, 2 right
    uint32_t alignVertical{};   // 0 top, 1 centre, 2 bottom

private:
    SkinImage* piece_{};
    HRGN mask_{};
};

// MenuBarSkinObject: the menu bar's settings inside a FrameWnd object (type 20): font, background and item images, text
// colours, MDI button images.
class MenuBarSkinObject : public TableSkinObject<MenuBarSkinObject, FrameElementSkinObject> {
public:
    MenuBarSkinObject();
    static FieldSpan Fields();
    COLORREF ItemTextColor() const { return itemFont.color; }
    COLORREF ItemPressedTextColor() const { return textColor; }

    SkinFont itemFont{};
    RECT rects[3]{};
    COLORREF disabledTextColor{};
    SlicedImage background{};
    RECT rect4{};
    COLORREF hotTextColor{};
    SlicedImage hotImage{};
    ImagePart mdiImages[12]{}; // icon, minimize, restore, close: normal, hot, pressed each
    SlicedImage pressedImage{};
};
