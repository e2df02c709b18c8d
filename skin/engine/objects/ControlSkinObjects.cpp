// Skin objects of dialog controls: the control part every one shares (font, control frame, control id), then a class
// per control kind, each defined by its field table.
#include "skin/engine/objects/ControlSkinObjects.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

// ControlSkinObject: the control part and its version gates; the font handle made from FONT.
namespace {

// Between 1.4 and 1.7 a rectangle stood here; it is read and thrown away.
RECT g_discarded;

const FieldDef kControlFields[] = {
    SKIN_FIELD(ControlSkinObject, font, KindFont, "FONT"),
    SKIN_FIELD(ControlSkinObject, controlFrame, KindSlicedImage, "CONTROLFRAME"),
    {"OLDRECT", KindRect, 16, 1, [](SkinObject&) -> void* { return &g_discarded; }, 4, 7, FieldDiscard},
    SKIN_FIELD_FROM(ControlSkinObject, controlId, KindControlId, "CONTROLID", 6),
    SKIN_FIELD_FROM(ControlSkinObject, controlReserved, KindInteger, "CONTROL.RESERVED", 8),
    SKIN_FIELD_FROM(ControlSkinObject, autoSkinFont, KindInteger, "AUTOSKINFONT", 10),
};

} // namespace

FieldSpan ControlSkinObject::Fields()
{
    return SKIN_TABLE(kControlFields);
}

ControlSkinObject::ControlSkinObject(int type) : TableSkinObject(type), font(ResetFont()) {}

ControlSkinObject::~ControlSkinObject()
{
    if (fontHandle_)
        DeleteObject(fontHandle_);
}

void ControlSkinObject::ReleaseResources()
{
    SkinObject::ReleaseResources();
}

void ControlSkinObject::CreateResources(SkinStore& store)
{
    if (fontHandle_)
        DeleteObject(fontHandle_);
    fontHandle_ = CreateFontIndirectA(&font.logFont);
    SkinObject::CreateResources(store);
}

bool ControlSkinObject::LoadControl(MemoryStream& stream)
{
    if (!ReadFields(stream, Fields()))
        return false;
    if (MinorAtLeast(4) && MinorBelow(8))
        SetRect(&rect, 0, 0, 60, 30);
    if (SkinFormatMajor() > 0 && SkinFormatMinor() == 6)
        controlId = 0;
    return true;
}

bool ControlSkinObject::Load(MemoryStream& stream)
{
    return LoadBase(stream) && LoadControl(stream);
}

// ComboBoxSkinObject: files up to 1.10 lack the last three colours, which are then taken from the old object colours.
namespace {

const FieldDef kComboBoxFields[] = {
    SKIN_FIELD(ComboBoxSkinObject, thumbs[0], KindSlicedImage, "THUMB.NORMAL"),
    SKIN_FIELD(ComboBoxSkinObject, thumbs[1], KindSlicedImage, "THUMB.PRESSED"),
    SKIN_FIELD(ComboBoxSkinObject, thumbs[2], KindSlicedImage, "THUMB.HOVERED"),
    SKIN_FIELD(ComboBoxSkinObject, thumbs[3], KindSlicedImage, "THUMB.DISABLED"),
    SKIN_FIELD(ComboBoxSkinObject, focusColor, KindColor, "COLOR.FOCUS"),
    SKIN_FIELD_FROM(ComboBoxSkinObject, disabledBackground, KindColor, "COLOR.DISABLEDBACKGROUND", 11),
    SKIN_FIELD_FROM(ComboBoxSkinObject, disabledText, KindColor, "COLOR.DISABLEDTEXT", 11),
    SKIN_FIELD_FROM(ComboBoxSkinObject, focusTextColor, KindColor, "COLOR.FOCUSTEXTCOLOR", 11),
    SKIN_ALIAS(ComboBoxSkinObject, color, KindColor, "COLOR.BACKCOLOR"),
    SKIN_ALIAS(ComboBoxSkinObject, textColor, KindColor, "COLOR.TEXTCOLOR"),
};

} // namespace

FieldSpan ComboBoxSkinObject::Fields()
{
    return SKIN_TABLE(kComboBoxFields);
}

ComboBoxSkinObject::ComboBoxSkinObject(int type) : TableSkinObject(type)
{
    color = GetSysColor(COLOR_WINDOW);
    textColor = GetSysColor(COLOR_WINDOWTEXT);
    focusColor = GetSysColor(COLOR_HIGHLIGHT);
    disabledBackground = GetSysColor(COLOR_BTNFACE);
    disabledText = GetSysColor(COLOR_GRAYTEXT);
    focusTextColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
}

void ComboBoxSkinObject::MendOldVersions()
{
    if (SkinFormatMajor() == 1 && SkinFormatMinor() <= 10) {
        if (SkinFormatMinor() < 9) {
            color = GetSysColor(COLOR_BTNFACE);
            textColor = GetSysColor(COLOR_BTNTEXT);
        }
        disabledBackground = color;
        disabledText = textColor;
        color = GetSysColor(COLOR_WINDOW);
        textColor = GetSysColor(COLOR_WINDOWTEXT);
    }
}

// ProgressSkinObject: no gates; BACKGROUND names the control frame.
namespace {

const FieldDef kProgressFields[] = {
    SKIN_FIELD(ProgressSkinObject, progressImage, KindSlicedImage, "PROGRESSIMAGE"),
    SKIN_FIELD(ProgressSkinObject, value1, KindInteger, "VALUE1"),
    SKIN_FIELD(ProgressSkinObject, style, KindInteger, "STYLE"),
    SKIN_FIELD(ProgressSkinObject, value2, KindInteger, "VALUE2"),
    SKIN_ALIAS(ProgressSkinObject, controlFrame, KindSlicedImage, "BACKGROUND"),
    SKIN_ALIAS(ProgressSkinObject, color, KindColor, "BACKCOLOR"),
    SKIN_ALIAS(ProgressSkinObject, textColor, KindColor, "PROGRESSCOLOR"),
};

} // namespace

FieldSpan ProgressSkinObject::Fields()
{
    return SKIN_TABLE(kProgressFields);
}

ProgressSkinObject::ProgressSkinObject() : TableSkinObject(SkinTypeProgressBar) {}

// SliderSkinObject: TRANSPARENT and the vertical thumb exist from 1.9 on.
namespace {

const FieldDef kSliderFields[] = {
    SKIN_FIELD(SliderSkinObject, thumbHorizontal, KindSlicedImage, "THUMB.HORIZONTAL"),
    SKIN_FIELD(SliderSkinObject, value1, KindInteger, "VALUE1"),
    SKIN_FIELD(SliderSkinObject, values[0], KindInteger, "VALUE2"),
    SKIN_FIELD(SliderSkinObject, values[1], KindInteger, "VALUE3"),
    SKIN_FIELD(SliderSkinObject, values[2], KindInteger, "VALUE4"),
    SKIN_FIELD(SliderSkinObject, values[3], KindInteger, "VALUE5"),
    SKIN_FIELD(SliderSkinObject, channel, KindSlicedImage, "CHANNEL"),
    SKIN_FIELD_FROM(SliderSkinObject, transparent, KindInteger, "TRANSPARENT", 9),
    SKIN_FIELD_FROM(SliderSkinObject, thumbVertical, KindSlicedImage, "THUMB.VERTICAL", 9),
    SKIN_ALIAS(SliderSkinObject, controlFrame, KindSlicedImage, "BACKGROUND"),
};

} // namespace

FieldSpan SliderSkinObject::Fields()
{
    return SKIN_TABLE(kSliderFields);
}

SliderSkinObject::SliderSkinObject() : TableSkinObject(SkinTypeSlider) {}

// SpinSkinObject: the horizontal pairs are read from 1.13 on and always written.
namespace {

const FieldDef kSpinFields[] = {
    SKIN_FIELD(SpinSkinObject, arrows[0], KindImagePart, "VERTICAL.NORMAL.UP"),
    SKIN_FIELD(SpinSkinObject, arrows[1], KindImagePart, "VERTICAL.NORMAL.DOWN"),
    SKIN_FIELD(SpinSkinObject, arrows[2], KindImagePart, "VERTICAL.HOVER.UP"),
    SKIN_FIELD(SpinSkinObject, arrows[3], KindImagePart, "VERTICAL.HOVER.DOWN"),
    SKIN_FIELD(SpinSkinObject, arrows[4], KindImagePart, "VERTICAL.PRESSED.UP"),
    SKIN_FIELD(SpinSkinObject, arrows[5], KindImagePart, "VERTICAL.PRESSED.DOWN"),
    SKIN_FIELD(SpinSkinObject, arrows[6], KindImagePart, "VERTICAL.DISABLED.UP"),
    SKIN_FIELD(SpinSkinObject, arrows[7], KindImagePart, "VERTICAL.DISABLED.DOWN"),
    SKIN_FIELD_FROM(SpinSkinObject, arrows[8], KindImagePart, "HORIZONTAL.NORMAL.UP", 13),
    SKIN_FIELD_FROM(SpinSkinObject, arrows[9], KindImagePart, "HORIZONTAL.NORMAL.DOWN", 13),
    SKIN_FIELD_FROM(SpinSkinObject, arrows[10], KindImagePart, "HORIZONTAL.HOVER.UP", 13),
    SKIN_FIELD_FROM(SpinSkinObject, arrows[11], KindImagePart, "HORIZONTAL.HOVER.DOWN", 13),
    SKIN_FIELD_FROM(SpinSkinObject, arrows[12], KindImagePart, "HORIZONTAL.PRESSED.UP", 13),
    SKIN_FIELD_FROM(SpinSkinObject, arrows[13], KindImagePart, "HORIZONTAL.PRESSED.DOWN", 13),
    SKIN_FIELD_FROM(SpinSkinObject, arrows[14], KindImagePart, "HORIZONTAL.DISABLED.UP", 13),
    SKIN_FIELD_FROM(SpinSkinObject, arrows[15], KindImagePart, "HORIZONTAL.DISABLED.DOWN", 13),
};

} // namespace

FieldSpan SpinSkinObject::Fields()
{
    return SKIN_TABLE(kSpinFields);
}

SpinSkinObject::SpinSkinObject() : TableSkinObject(SkinTypeSpin) {}

// ScrollBarSkinObject: the vertical groups are read from 1.12 on and always written.
namespace {

const FieldDef kScrollBarFields[] = {
    SKIN_FIELD(ScrollBarSkinObject, groups[0].arrow1, KindImagePart, "NORMAL.ARROW1"),
    SKIN_FIELD(ScrollBarSkinObject, groups[0].arrow2, KindImagePart, "NORMAL.ARROW2"),
    SKIN_FIELD(ScrollBarSkinObject, groups[0].scrollBar, KindSlicedImage, "NORMAL.SCROLLBAR"),
    SKIN_FIELD(ScrollBarSkinObject, groups[0].thumb, KindSlicedImage, "NORMAL.THUMB"),
    SKIN_FIELD(ScrollBarSkinObject, groups[1].arrow1, KindImagePart, "PRESSED.ARROW1"),
    SKIN_FIELD(ScrollBarSkinObject, groups[1].arrow2, KindImagePart, "PRESSED.ARROW2"),
    SKIN_FIELD(ScrollBarSkinObject, groups[1].scrollBar, KindSlicedImage, "PRESSED.SCROLLBAR"),
    SKIN_FIELD(ScrollBarSkinObject, groups[1].thumb, KindSlicedImage, "PRESSED.THUMB"),
    SKIN_FIELD(ScrollBarSkinObject, groups[2].arrow1, KindImagePart, "HIGHLIGHTED.ARROW1"),
    SKIN_FIELD(ScrollBarSkinObject, groups[2].arrow2, KindImagePart, "HIGHLIGHTED.ARROW2"),
    SKIN_FIELD(ScrollBarSkinObject, groups[2].scrollBar, KindSlicedImage, "HIGHLIGHTED.SCROLLBAR"),
    SKIN_FIELD(ScrollBarSkinObject, groups[2].thumb, KindSlicedImage, "HIGHLIGHTED.THUMB"),
    SKIN_FIELD(ScrollBarSkinObject, groups[3].arrow1, KindImagePart, "DISABLED.ARROW1"),
    SKIN_FIELD(ScrollBarSkinObject, groups[3].arrow2, KindImagePart, "DISABLED.ARROW2"),
    SKIN_FIELD(ScrollBarSkinObject, groups[3].scrollBar, KindSlicedImage, "DISABLED.SCROLLBAR"),
    SKIN_FIELD(ScrollBarSkinObject, groups[3].thumb, KindSlicedImage, "DISABLED.THUMB"),
    SKIN_FIELD(ScrollBarSkinObject, gripper, KindImagePart, "GRIPPER"),
    SKIN_FIELD(ScrollBarSkinObject, values[0], KindInteger, "VALUE1"),
    SKIN_FIELD(ScrollBarSkinObject, values[1], KindInteger, "VALUE2"),
    SKIN_FIELD(ScrollBarSkinObject, values[2], KindInteger, "VALUE3"),
    SKIN_FIELD(ScrollBarSkinObject, values[3], KindInteger, "VALUE4"),
    SKIN_FIELD(ScrollBarSkinObject, values[4], KindInteger, "VALUE5"),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[4].arrow1, KindImagePart, "VNORMAL.ARROW1", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[4].arrow2, KindImagePart, "VNORMAL.ARROW2", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[4].scrollBar, KindSlicedImage, "VNORMAL.SCROLLBAR", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[4].thumb, KindSlicedImage, "VNORMAL.THUMB", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[5].arrow1, KindImagePart, "VPRESSED.ARROW1", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[5].arrow2, KindImagePart, "VPRESSED.ARROW2", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[5].scrollBar, KindSlicedImage, "VPRESSED.SCROLLBAR", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[5].thumb, KindSlicedImage, "VPRESSED.THUMB", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[6].arrow1, KindImagePart, "VHIGHLIGHTED.ARROW1", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[6].arrow2, KindImagePart, "VHIGHLIGHTED.ARROW2", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[6].scrollBar, KindSlicedImage, "VHIGHLIGHTED.SCROLLBAR", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[6].thumb, KindSlicedImage, "VHIGHLIGHTED.THUMB", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[7].arrow1, KindImagePart, "VDISABLED.ARROW1", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[7].arrow2, KindImagePart, "VDISABLED.ARROW2", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[7].scrollBar, KindSlicedImage, "VDISABLED.SCROLLBAR", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[7].thumb, KindSlicedImage, "VDISABLED.THUMB", 12),
};

} // namespace

FieldSpan ScrollBarSkinObject::Fields()
{
    return SKIN_TABLE(kScrollBarFields);
}

ScrollBarSkinObject::ScrollBarSkinObject() : TableSkinObject(SkinTypeScrollBar)
{
    const uint32_t defaults[5] = {0, 100, 10, 1, 10};
    std::memcpy(values, defaults, sizeof values);
}

// ScrollControlSkinObject: files up to 1.10 get the three colours reset to their defaults after reading.
namespace {

const FieldDef kScrollControlFields[] = {
    SKIN_FIELD(ScrollControlSkinObject, background, KindImagePart, "BACKGROUND"),
    SKIN_ALIAS(ScrollControlSkinObject, controlFrame, KindSlicedImage, "BORDER"),
    SKIN_ALIAS(ScrollControlSkinObject, color, KindColor, "BACKCOLOR"),
    SKIN_ALIAS(ScrollControlSkinObject, color, KindColor, "DISABLEDCOLOR"),
};

} // namespace

FieldSpan ScrollControlSkinObject::Fields()
{
    return SKIN_TABLE(kScrollControlFields);
}

ScrollControlSkinObject::ScrollControlSkinObject(int type) : TableSkinObject(type)
{
    ResetColors();
}

void ScrollControlSkinObject::MendOldVersions()
{
    if (SkinFormatMajor() == 1 && SkinFormatMinor() <= 10)
        ResetColors();
}

void ScrollControlSkinObject::ResetColors()
{
    color = GetSysColor(COLOR_WINDOW);
    textColor = GetSysColor(COLOR_WINDOWTEXT);
    transparentColor = GetSysColor(COLOR_BTNFACE);
}

// TreeViewSkinObject: the ScrollControl part, then the gated tree fields.
namespace {

const FieldDef kTreeViewFields[] = {
    SKIN_FIELD_FROM(TreeViewSkinObject, activeItem, KindSlicedImage, "ACTIVEITEM", 12),
    SKIN_FIELD_FROM(TreeViewSkinObject, inactiveItem, KindSlicedImage, "INACTIVEITEM", 12),
    SKIN_FIELD_FROM(TreeViewSkinObject, activeColor, KindColor, "ACTIVECOLOR", 12),
    SKIN_FIELD_FROM(TreeViewSkinObject, inactiveColor, KindColor, "INACTIVECOLOR", 12),
    SKIN_FIELD_FROM(TreeViewSkinObject, activeText, KindTextEffect, "ACTIVETEXT", 12),
    SKIN_FIELD_FROM(TreeViewSkinObject, inactiveText, KindTextEffect, "INACTIVETEXT", 12),
    SKIN_FIELD_FROM(TreeViewSkinObject, openButton, KindImagePart, "OPENBUTTON", 15),
    SKIN_FIELD_FROM(TreeViewSkinObject, closedButton, KindImagePart, "CLOSEDBUTTON", 15),
    SKIN_FIELD_FROM(TreeViewSkinObject, check, KindImagePart, "CHECK", 15),
    SKIN_FIELD_FROM(TreeViewSkinObject, uncheck, KindImagePart, "UNCHECK", 15),
    SKIN_FIELD_FROM(TreeViewSkinObject, line, KindColor, "LINE", 15),
};

} // namespace

FieldSpan TreeViewSkinObject::Fields()
{
    return SKIN_TABLE(kTreeViewFields);
}

TreeViewSkinObject::TreeViewSkinObject() : TableSkinObject(SkinTypeTreeView)
{
    activeColor = GetSysColor(COLOR_HIGHLIGHT);
    inactiveColor = GetSysColor(COLOR_INACTIVECAPTION);
    activeText = ResetTextEffect();
    SetTextEffectColor(activeText, GetSysColor(COLOR_HIGHLIGHTTEXT));
    inactiveText = ResetTextEffect();
}

// TabSkinObject: the state text effects start zero and are never reset.
namespace {

const FieldDef kTabFields[] = {
    SKIN_FIELD(TabSkinObject, states[0].image, KindSlicedImage, "NORMAL.TABIMAGE"),
    SKIN_FIELD(TabSkinObject, states[0].effect, KindTextEffect, "NORMAL.TEXTEFFECT"),
    SKIN_FIELD(TabSkinObject, states[0].reserved, KindBytes, "NORMAL.RESERVED"),
    SKIN_FIELD(TabSkinObject, states[1].image, KindSlicedImage, "PRESSED.TABIMAGE"),
    SKIN_FIELD(TabSkinObject, states[1].effect, KindTextEffect, "PRESSED.TEXTEFFECT"),
    SKIN_FIELD(TabSkinObject, states[1].reserved, KindBytes, "PRESSED.RESERVED"),
    SKIN_FIELD(TabSkinObject, states[2].image, KindSlicedImage, "DISABLED.TABIMAGE"),
    SKIN_FIELD(TabSkinObject, states[2].effect, KindTextEffect, "DISABLED.TEXTEFFECT"),
    SKIN_FIELD(TabSkinObject, states[2].reserved, KindBytes, "DISABLED.RESERVED"),
    SKIN_FIELD(TabSkinObject, states[3].image, KindSlicedImage, "HOVERED.TABIMAGE"),
    SKIN_FIELD(TabSkinObject, states[3].effect, KindTextEffect, "HOVERED.TEXTEFFECT"),
    SKIN_FIELD(TabSkinObject, states[3].reserved, KindBytes, "HOVERED.RESERVED"),
    SKIN_FIELD(TabSkinObject, tabFrame, KindSlicedImage, "FRAME"),
    SKIN_FIELD_FROM(TabSkinObject, transparent, KindInteger, "TRANSPARENT", 9),
    SKIN_ALIAS(TabSkinObject, controlFrame, KindSlicedImage, "BACKGROUND"),
};

} // namespace

FieldSpan TabSkinObject::Fields()
{
    return SKIN_TABLE(kTabFields);
}

TabSkinObject::TabSkinObject() : TableSkinObject(SkinTypeTab) {}

// HeaderSkinObject: the text effect comes first and starts zero.
namespace {

const FieldDef kHeaderFields[] = {
    SKIN_FIELD(HeaderSkinObject, textEffect, KindTextEffect, "TEXTEFFECT"),
    SKIN_FIELD(HeaderSkinObject, item, KindSlicedImage, "ITEM"),
    SKIN_ALIAS(HeaderSkinObject, controlFrame, KindSlicedImage, "BACKGROUND"),
};

} // namespace

FieldSpan HeaderSkinObject::Fields()
{
    return SKIN_TABLE(kHeaderFields);
}

HeaderSkinObject::HeaderSkinObject() : TableSkinObject(SkinTypeHeader) {}

// DateTimeSkinObject: fields in file order, no gates; their keys only count them, so aliases name what each holds.
namespace {

const FieldDef kDateTimeFields[] = {
    SKIN_FIELD(DateTimeSkinObject, images[0], KindSlicedImage, "IMAGE1"),
    SKIN_FIELD(DateTimeSkinObject, images[1], KindSlicedImage, "IMAGE2"),
    SKIN_FIELD(DateTimeSkinObject, images[2], KindSlicedImage, "IMAGE3"),
    SKIN_FIELD(DateTimeSkinObject, part1, KindImagePart, "IMAGE4"),
    SKIN_FIELD(DateTimeSkinObject, effect1, KindTextEffect, "TEXTEFFECT1"),
    SKIN_FIELD(DateTimeSkinObject, part2, KindImagePart, "IMAGE5"),
    SKIN_FIELD(DateTimeSkinObject, effect2, KindTextEffect, "TEXTEFFECT2"),
    SKIN_FIELD(DateTimeSkinObject, color2, KindColor, "COLOR2"),
    SKIN_ALIAS(DateTimeSkinObject, images[0], KindSlicedImage, "DROPBUTTON.NORMAL"),
    SKIN_ALIAS(DateTimeSkinObject, images[1], KindSlicedImage, "DROPBUTTON.PRESSED"),
    SKIN_ALIAS(DateTimeSkinObject, images[2], KindSlicedImage, "DROPBUTTON.DISABLED"),
    SKIN_ALIAS(DateTimeSkinObject, part1, KindImagePart, "FIELD.IMAGE"),
    SKIN_ALIAS(DateTimeSkinObject, effect1, KindTextEffect, "FIELD.TEXTEFFECT"),
    SKIN_ALIAS(DateTimeSkinObject, color, KindColor, "FIELD.COLOR"),
    SKIN_ALIAS(DateTimeSkinObject, part2, KindImagePart, "DISABLEDFIELD.IMAGE"),
    SKIN_ALIAS(DateTimeSkinObject, effect2, KindTextEffect, "DISABLEDFIELD.TEXTEFFECT"),
    SKIN_ALIAS(DateTimeSkinObject, color2, KindColor, "DISABLEDFIELD.COLOR"),
    SKIN_ALIAS(DateTimeSkinObject, controlFrame, KindSlicedImage, "BORDER"),
};

} // namespace

FieldSpan DateTimeSkinObject::Fields()
{
    return SKIN_TABLE(kDateTimeFields);
}

DateTimeSkinObject::DateTimeSkinObject() : TableSkinObject(SkinTypeDateTime)
{
    color = GetSysColor(COLOR_WINDOW);
    effect1 = ResetTextEffect();
    effect2 = ResetTextEffect();
    color2 = GetSysColor(COLOR_BTNFACE);
}

// MonthCalendarSkinObject: fields in file order, no gates; aliases name what each holds.
namespace {

const FieldDef kMonthCalendarFields[] = {
    SKIN_FIELD(MonthCalendarSkinObject, images[0], KindSlicedImage, "IMAGE1"),
    SKIN_FIELD(MonthCalendarSkinObject, images[1], KindSlicedImage, "IMAGE2"),
    SKIN_FIELD(MonthCalendarSkinObject, images[2], KindSlicedImage, "IMAGE3"),
    SKIN_FIELD(MonthCalendarSkinObject, images[3], KindSlicedImage, "IMAGE4"),
    SKIN_FIELD(MonthCalendarSkinObject, images[4], KindSlicedImage, "IMAGE5"),
    SKIN_FIELD(MonthCalendarSkinObject, images[5], KindSlicedImage, "IMAGE6"),
    SKIN_FIELD(MonthCalendarSkinObject, colors[0], KindColor, "COLOR1"),
    SKIN_FIELD(MonthCalendarSkinObject, colors[1], KindColor, "COLOR2"),
    SKIN_FIELD(MonthCalendarSkinObject, colors[2], KindColor, "COLOR3"),
    SKIN_FIELD(MonthCalendarSkinObject, colors[3], KindColor, "COLOR4"),
    SKIN_ALIAS(MonthCalendarSkinObject, images[0], KindSlicedImage, "PREVMONTH.NORMAL"),
    SKIN_ALIAS(MonthCalendarSkinObject, images[1], KindSlicedImage, "PREVMONTH.PRESSED"),
    SKIN_ALIAS(MonthCalendarSkinObject, images[2], KindSlicedImage, "NEXTMONTH.NORMAL"),
    SKIN_ALIAS(MonthCalendarSkinObject, images[3], KindSlicedImage, "NEXTMONTH.PRESSED"),
    SKIN_ALIAS(MonthCalendarSkinObject, images[4], KindSlicedImage, "PREVMONTH.DISABLED"),
    SKIN_ALIAS(MonthCalendarSkinObject, images[5], KindSlicedImage, "NEXTMONTH.DISABLED"),
    SKIN_ALIAS(MonthCalendarSkinObject, colors[0], KindColor, "MONTH.BACKCOLOR"),
    SKIN_ALIAS(MonthCalendarSkinObject, colors[1], KindColor, "TITLE.BACKCOLOR"),
    SKIN_ALIAS(MonthCalendarSkinObject, colors[2], KindColor, "TITLE.TEXTCOLOR"),
    SKIN_ALIAS(MonthCalendarSkinObject, colors[3], KindColor, "TRAILING.TEXTCOLOR"),
    SKIN_ALIAS(MonthCalendarSkinObject, controlFrame, KindSlicedImage, "BACKGROUND"),
    SKIN_ALIAS(MonthCalendarSkinObject, color, KindColor, "BACKCOLOR"),
};

} // namespace

FieldSpan MonthCalendarSkinObject::Fields()
{
    return SKIN_TABLE(kMonthCalendarFields);
}

MonthCalendarSkinObject::MonthCalendarSkinObject() : TableSkinObject(SkinTypeMonthCalendar)
{
    color = GetSysColor(COLOR_WINDOW);
    textColor = GetSysColor(COLOR_WINDOWTEXT);
    colors[0] = GetSysColor(COLOR_WINDOW);
    colors[1] = GetSysColor(COLOR_ACTIVECAPTION);
    colors[2] = GetSysColor(COLOR_CAPTIONTEXT);
    colors[3] = GetSysColor(COLOR_GRAYTEXT);
}

// AnimateSkinObject: its NAME defaults to "AnimateCtrl32"; BORDER names the control frame.
namespace {

const FieldDef kAnimateFields[] = {
    SKIN_FIELD(AnimateSkinObject, background, KindImagePart, "BACKGROUND"),
    SKIN_ALIAS(AnimateSkinObject, controlFrame, KindSlicedImage, "BORDER"),
};

} // namespace

FieldSpan AnimateSkinObject::Fields()
{
    return SKIN_TABLE(kAnimateFields);
}

AnimateSkinObject::AnimateSkinObject() : TableSkinObject(SkinTypeAnimate)
{
    SetName("AnimateCtrl32");
}

// PropertySetSkinObject: the control part, a name and the records. Every count and size is checked
// against the bytes left before anything is read, and texts are cut within their arrays.
namespace {

const FieldDef kPropertySetFields[] = {
    SKIN_FIELD(PropertySetSkinObject, setName, KindText, "SETNAME"),
};

// kind, key, default text, value size and text length: the least a record takes.
const DWORD kRecordMinimum = 4 + 31 + 51 + 4 + 4;

} // namespace

FieldSpan PropertySetSkinObject::Fields()
{
    return SKIN_TABLE(kPropertySetFields);
}

PropertySetSkinObject::PropertySetSkinObject() : TableSkinObject(SkinTypePropertySet) {}

const SkinPropertyRecord* PropertySetSkinObject::FindRecord(const char* key) const
{
    if (!key)
        return NULL;
    for (const SkinPropertyRecord& r : records)
        if (lstrcmpiA(r.key, key) == 0)
            return &r;
    return NULL;
}

bool PropertySetSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, Fields());
    stream.WriteU32(static_cast<uint32_t>(records.size()));
    for (const SkinPropertyRecord& r : records) {
        stream.WriteU32(r.kind);
        stream.Write(r.key, sizeof r.key);
        stream.Write(r.defaultText, sizeof r.defaultText);
        stream.WriteU32(static_cast<uint32_t>(r.value.size()));
        stream.Write(r.value.data(), static_cast<DWORD>(r.value.size()));
        if (r.hasText) {
            stream.WriteU32(static_cast<uint32_t>(r.text.size() + 1));
            stream.Write(r.text.c_str(), static_cast<DWORD>(r.text.size() + 1));
        } else {
            stream.WriteU32(0);
        }
    }
    return true;
}

bool PropertySetSkinObject::Load(MemoryStream& stream)
{
    uint32_t count = 0;
    if (!ControlSkinObject::Load(stream) || !ReadFields(stream, Fields()) || !stream.ReadU32(count) ||
        count > stream.Left() / kRecordMinimum)
        return false;
    records.clear();
    records.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        SkinPropertyRecord r;
        uint32_t size = 0, textLength = 0;
        if (!stream.ReadU32(r.kind) || stream.Read(r.key, sizeof r.key) != sizeof r.key ||
            stream.Read(r.defaultText, sizeof r.defaultText) != sizeof r.defaultText || !stream.ReadU32(size) ||
            size > stream.Left())
            return false;
        r.key[sizeof r.key - 1] = '\0';
        r.defaultText[sizeof r.defaultText - 1] = '\0';
        r.value.assign(stream.Data() + stream.Position(), stream.Data() + stream.Position() + size);
        stream.Seek(static_cast<long>(size), 1);
        if (!stream.ReadU32(textLength) || textLength > stream.Left())
            return false;
        r.hasText = textLength > 0;
        if (r.hasText) {
            // The last byte is the terminator, whatever the file holds there.
            r.text.assign(reinterpret_cast<const char*>(stream.Data() + stream.Position()), textLength - 1);
            r.text = r.text.c_str();
            stream.Seek(static_cast<long>(textLength), 1);
        }
        records.push_back(r);
    }
    return true;
}
