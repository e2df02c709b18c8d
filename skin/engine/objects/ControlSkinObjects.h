// Skin objects of dialog controls: the control part every one shares (font, control frame, control id), then a class
// per control kind, each defined by its field table.
#pragma once
#include <string>
#include <vector>

#include "skin/engine/objects/SkinObject.h"

// ControlSkinObject: the base of the objects for dialog controls: font, control frame, control id.
class ControlSkinObject : public TableSkinObject<ControlSkinObject, SkinObject> {
public:
    explicit ControlSkinObject(int type);
    ~ControlSkinObject() override;
    static FieldSpan Fields();
    void ReleaseResources() override;
    void CreateResources(SkinStore& store) override;
    bool Load(MemoryStream& stream) override;
    int ControlId() const override { return static_cast<int>(controlId); }

    HFONT Font() const { return fontHandle_; }

    SkinFont font{};
    SlicedImage controlFrame{};
    uint32_t controlId{};
    uint32_t controlReserved{};
    uint32_t autoSkinFont{};

protected:
    // The control part alone, for classes whose old versions lack it.
    bool LoadControl(MemoryStream& stream);

private:
    HFONT fontHandle_{};
};

// ComboBoxSkinObject: combo boxes (types 6 and 33): drop button images and the focus and disabled colours.
class ComboBoxSkinObject : public TableSkinObject<ComboBoxSkinObject, ControlSkinObject> {
public:
    explicit ComboBoxSkinObject(int type = SkinTypeComboBox);
    static FieldSpan Fields();
    // Mends what older versions left after the fields are read.
    void MendOldVersions();

    enum { ThumbNormal, ThumbPressed, ThumbHovered, ThumbDisabled };
    SlicedImage thumbs[4]{};
    COLORREF focusColor{};
    COLORREF disabledBackground{};
    COLORREF disabledText{};
    COLORREF focusTextColor{};
};

// ProgressSkinObject: progress bars (type 10): the bar picture and its style.
class ProgressSkinObject : public TableSkinObject<ProgressSkinObject, ControlSkinObject> {
public:
    ProgressSkinObject();
    static FieldSpan Fields();

    SlicedImage progressImage{};
    uint32_t value1{};
    uint32_t style{};
    uint32_t value2{};
};

// SliderSkinObject: track bars (type 13): thumb and channel pictures.
class SliderSkinObject : public TableSkinObject<SliderSkinObject, ControlSkinObject> {
public:
    SliderSkinObject();
    static FieldSpan Fields();

    SlicedImage thumbHorizontal{};
    uint32_t value1{};
    uint32_t values[4]{};
    SlicedImage channel{};
    uint32_t transparent{};
    SlicedImage thumbVertical{};
};

// SpinSkinObject: up-down controls (type 27): an up and a down arrow per state, vertical and horizontal.
class SpinSkinObject : public TableSkinObject<SpinSkinObject, ControlSkinObject> {
public:
    SpinSkinObject();
    static FieldSpan Fields();

    // Up and down arrow of VERTICAL.NORMAL, .HOVER, .PRESSED, .DISABLED, then the HORIZONTAL pairs.
    ImagePart arrows[16]{};
};

// ScrollBarSkinObject: scroll bars (type 12): arrow, track and thumb pictures per state, horizontal and vertical.
#pragma pack(push, 1)
struct ScrollBarGroup {
    ImagePart arrow1{};
    ImagePart arrow2{};
    SlicedImage scrollBar{};
    SlicedImage thumb{};
};
#pragma pack(pop)
static_assert(sizeof(ScrollBarGroup) == 320, "scroll bar group is 320 bytes");

class ScrollBarSkinObject : public TableSkinObject<ScrollBarSkinObject, ControlSkinObject> {
public:
    ScrollBarSkinObject();
    static FieldSpan Fields();

    // NORMAL, PRESSED, HIGHLIGHTED, DISABLED, then the same for the vertical bar.
    ScrollBarGroup groups[8]{};
    ImagePart gripper{};
    uint32_t values[5]{};
};

// ScrollControlSkinObject: scrolling controls (types 7 Edit, 9 ListBox, 26 ScrollControl, 28 ListView, 30 RichEdit): a
// background picture.
class ScrollControlSkinObject : public TableSkinObject<ScrollControlSkinObject, ControlSkinObject> {
public:
    explicit ScrollControlSkinObject(int type = SkinTypeEdit);
    static FieldSpan Fields();
    // Mends what older versions left after the fields are read.
    void MendOldVersions();

    ImagePart background{};

private:
    void ResetColors();
};

// TreeViewSkinObject: tree views (type 29): item images, colours and texts (1.12 on), buttons, check boxes and lines
// (1.15 on).
class TreeViewSkinObject : public TableSkinObject<TreeViewSkinObject, ScrollControlSkinObject> {
public:
    TreeViewSkinObject();
    static FieldSpan Fields();

    SlicedImage activeItem{};
    SlicedImage inactiveItem{};
    COLORREF activeColor{};
    COLORREF inactiveColor{};
    TextEffect activeText{};
    TextEffect inactiveText{};
    ImagePart openButton{};
    ImagePart closedButton{};
    ImagePart check{};
    ImagePart uncheck{};
    COLORREF line{};
};

// TabSkinObject: tab controls (type 16): four tab states and the tab frame.
class TabSkinObject : public TableSkinObject<TabSkinObject, ControlSkinObject> {
public:
    TabSkinObject();
    static FieldSpan Fields();

    enum { Normal, Pressed, Disabled, Hovered };
    StateImage states[4]{};
    SlicedImage tabFrame{};
    uint32_t transparent{};
};

// HeaderSkinObject: list headers (type 37): a text effect and the item picture.
class HeaderSkinObject : public TableSkinObject<HeaderSkinObject, ControlSkinObject> {
public:
    HeaderSkinObject();
    static FieldSpan Fields();

    TextEffect textEffect{};
    SlicedImage item{};
};

// DateTimeSkinObject: date-time pickers (type 31): pictures, text effects and a colour.
class DateTimeSkinObject : public TableSkinObject<DateTimeSkinObject, ControlSkinObject> {
public:
    DateTimeSkinObject();
    static FieldSpan Fields();

    SlicedImage images[3]{};
    ImagePart part1{};
    TextEffect effect1{};
    ImagePart part2{};
    TextEffect effect2{};
    COLORREF color2{};
};

// MonthCalendarSkinObject: month calendars (type 35): six sliced pictures and four colours.
class MonthCalendarSkinObject : public TableSkinObject<MonthCalendarSkinObject, ControlSkinObject> {
public:
    MonthCalendarSkinObject();
    static FieldSpan Fields();

    SlicedImage images[6]{};
    COLORREF colors[4]{};
};

// AnimateSkinObject: animation controls (type 40): a background picture.
class AnimateSkinObject : public TableSkinObject<AnimateSkinObject, ControlSkinObject> {
public:
    AnimateSkinObject();
    static FieldSpan Fields();

    ImagePart background{};
};

// PropertySetSkinObject: an object of type 100 whose named properties live in the file itself.
struct SkinPropertyRecord {
    uint32_t kind{};
    char key[31]{};
    char defaultText[51]{};
    std::vector<BYTE> value;
    bool hasText{};
    std::string text;
};

class PropertySetSkinObject : public TableSkinObject<PropertySetSkinObject, ControlSkinObject> {
public:
    PropertySetSkinObject();
    static FieldSpan Fields();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;

    // The record of that key, compared without regard to case; NULL when none.
    const SkinPropertyRecord* FindRecord(const char* key) const;

    char setName[51]{};
    std::vector<SkinPropertyRecord> records;
};
