// Skin objects: every class written and read back field for field, the version gates of older files
// with hand-built records, and the field tables themselves.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "skin/engine/objects/ResourceSkinObjects.h"
#include "skin/engine/objects/ButtonSkinObjects.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/objects/FramedSkinObjects.h"
#include "skin/engine/objects/FrameElementSkinObjects.h"
#include "tests/skin/engine/SkinFixtures.h"
#include "skin/engine/objects/BarSkinObjects.h"

namespace {

// Loads one object of the type from hand-built bytes at 1.minor; the bytes must be used up exactly.
std::unique_ptr<SkinObject> LoadAt(int type, int minor, const RawBuilder& raw)
{
    FormatVersion version(1, minor);
    MemoryStream stream(raw.Bytes().data(), static_cast<DWORD>(raw.Size()));
    std::unique_ptr<SkinObject> object(CreateSkinObject(type));
    EXPECT_TRUE(object->Load(stream)) << "type " << type << " at 1." << minor;
    EXPECT_EQ(stream.Left(), 0u) << "type " << type << " at 1." << minor;
    return object;
}

// The control part as files of each version hold it.
RawBuilder& Control(RawBuilder& raw, int minor, uint32_t controlId = 42)
{
    raw.Zeros(64).Zeros(88);
    if (minor > 3 && minor < 8)
        raw.Rect(5, 5, 50, 50);
    if (minor > 5)
        raw.U32(controlId);
    if (minor > 7)
        raw.U32(7);
    if (minor > 9)
        raw.U32(1);
    return raw;
}

bool SameEffect(const TextEffect& a, const TextEffect& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST(SkinObjectRoundTrip, EveryClassKeepsEveryFieldAtTheNewestVersion)
{
    for (int type : AllClassTypes()) {
        std::unique_ptr<SkinObject> original(CreateSkinObject(type));
        ASSERT_NE(original, nullptr) << type;
        FieldFiller filler(1000 + type, true);
        filler.Fill(*original);
        original->SetName("original");
        if (type == SkinTypeFrameWnd) {
            FrameWndSkinObject& frame = static_cast<FrameWndSkinObject&>(*original);
            filler.Fill(*frame.menuBar);
            for (int childType : {SkinTypeCaptionButton, SkinTypeCaptionStatic, SkinTypeArea, SkinTypeButton}) {
                SkinObject* child = CreateSkinObject(childType);
                filler.Fill(*child);
                child->SetName(GetSkinTypeName(childType));
                ASSERT_TRUE(frame.AddChild(child));
            }
        }
        if (type == SkinTypePropertySet) {
            PropertySetSkinObject& set = static_cast<PropertySetSkinObject&>(*original);
            SkinPropertyRecord r = {KindColor, "PANE.COLOR", "red", {1, 2, 3, 0}, true, "text"};
            SkinPropertyRecord bare = {KindInteger, "GAP", "", {4, 0, 0, 0}, false, ""};
            set.records = {r, bare};
        }
        MemoryStream stream(10240);
        ASSERT_TRUE(original->Save(stream));
        stream.Rewind();
        uint32_t written = 0;
        ASSERT_TRUE(stream.ReadU32(written));
        EXPECT_EQ(written, static_cast<uint32_t>(type));
        std::unique_ptr<SkinObject> back(CreateSkinObject(type));
        ASSERT_TRUE(back->Load(stream)) << type;
        EXPECT_EQ(stream.Left(), 0u) << type;
        ExpectSameFields(*original, *back, TypeLabel(type));
        if (type == SkinTypeFrameWnd)
            ExpectSameFields(*static_cast<FrameWndSkinObject&>(*original).menuBar,
                             *static_cast<FrameWndSkinObject&>(*back).menuBar, "menu bar");
        if (type == SkinTypePropertySet) {
            const PropertySetSkinObject& set = static_cast<PropertySetSkinObject&>(*back);
            ASSERT_EQ(set.records.size(), 2u);
            const SkinPropertyRecord* r = set.FindRecord("pane.color");
            ASSERT_NE(r, nullptr);
            EXPECT_EQ(r->value, std::vector<BYTE>({1, 2, 3, 0}));
            EXPECT_TRUE(r->hasText);
            EXPECT_EQ(r->text, "text");
            EXPECT_STREQ(r->defaultText, "red");
            EXPECT_FALSE(set.FindRecord("GAP")->hasText);
        }
    }
}

TEST(SkinObjectTables, KeysAreUniqueAndSizesMatchTheirKinds)
{
    for (int type : AllClassTypes()) {
        std::unique_ptr<SkinObject> object(CreateSkinObject(type));
        FieldSpan layers[SkinObject::kMaxLayers];
        size_t n = object->GetFieldLayers(layers, SkinObject::kMaxLayers);
        std::set<std::string> keys;
        for (size_t l = 0; l < n; ++l)
            for (size_t i = 0; i < layers[l].count; ++i) {
                const FieldDef& def = layers[l].defs[i];
                ASSERT_NE(def.key, nullptr);
                EXPECT_TRUE(keys.insert(def.key).second) << TypeLabel(type) << " repeats " << def.key;
                static const int sizes[] = {64, -1, 4, 72, 88, 16, 4, 4, -1, 16, 0};
                if (sizes[def.kind] >= 0) {
                    EXPECT_EQ(def.size, sizes[def.kind]) << TypeLabel(type) << " " << def.key;
                }
            }
    }
}

TEST(SkinObjectTables, PropertyKeysNameTheFieldsTheSkinnersRead)
{
    FrameWndSkinObject frame;
    PopupMenuSkinObject popup;
    MenuBarSkinObject menuBar;
    ScrollControlSkinObject edit;
    ComboBoxSkinObject combo;
    StatusBarSkinObject status;
    struct Case {
        SkinObject* object;
        const char* key;
        int kind;
        void* field;
    } cases[] = {
        {&frame, "ACTIVEFRAME.TOPLEFT", KindImagePart, &frame.imageParts[0]},
        {&frame, "DEACTIVEFRAME.BOTTOMRIGHT", KindImagePart, &frame.imageParts[17]},
        {&frame, "ACTIVEFRAME.COLOR", KindColor, &frame.firstColor},
        {&frame, "DEACTIVEFRAME.COLOR", KindColor, &frame.secondColor},
        {&frame, "CLIENTCOLOR", KindColor, &frame.thirdColor},
        {&frame, "CAPTIONFONT", KindFont, &frame.itemFont},
        {&frame, "CAPTIONTEXTCOLOR", KindColor, &frame.itemFont.color},
        {&frame, "MINIMIZED.INACTIVE", KindSlicedImage, &frame.extraImages[1]},
        {&frame, "SKINCLIENT", KindInteger, &frame.skinClient},
        {&frame, "AUTOPLACE", KindInteger, &frame.autoPlace},
        {&popup, "FRAME.BOTTOMRIGHT", KindImagePart, &popup.imageParts[8]},
        {&popup, "FRAME.COLOR", KindColor, &popup.firstColor},
        {&popup, "ITEM.FONT", KindFont, &popup.itemFont},
        {&popup, "ITEM.MARGINS", KindRect, &popup.rects[0]},
        {&popup, "ITEM.TEXTCOLOR", KindColor, &popup.textColor},
        {&popup, "ITEM.CHECKIMAGE", KindImagePart, &popup.checkImage},
        {&menuBar, "ITEM.HOTIMAGE", KindSlicedImage, &menuBar.hotImage},
        {&menuBar, "ITEM.PRESSEDIMAGE", KindSlicedImage, &menuBar.pressedImage},
        {&menuBar, "MDI.CLOSE.PRESSED", KindImagePart, &menuBar.mdiImages[11]},
        {&menuBar, "ITEM.TEXTCOLOR", KindColor, &menuBar.itemFont.color},
        {&edit, "BORDER", KindSlicedImage, &edit.controlFrame},
        {&edit, "DISABLEDCOLOR", KindColor, &edit.color},
        {&edit, "CONTROLID", KindControlId, &edit.controlId},
        {&combo, "COLOR.BACKCOLOR", KindColor, &combo.color},
        {&combo, "COLOR.FOCUSTEXTCOLOR", KindColor, &combo.focusTextColor},
        {&status, "ITEM.FONT", KindFont, &status.font},
    };
    for (const Case& c : cases) {
        int kind = -1;
        EXPECT_EQ(c.object->FindProperty(c.key, &kind), c.field) << c.key;
        EXPECT_EQ(kind, c.kind) << c.key;
    }
    // Keys are exact, letter case included.
    EXPECT_EQ(edit.FindProperty("border"), nullptr);
    EXPECT_EQ(popup.FindProperty("ACTIVEFRAME.TOPLEFT"), nullptr);

    // The popup's disabled text colour is the shadow colour of its text effect.
    COLORREF grey = RGB(10, 20, 30);
    *static_cast<COLORREF*>(popup.FindProperty("ITEM.DISABLEDTEXTCOLOR")) = grey;
    EXPECT_EQ(popup.ItemDisabledTextColor(), grey);
    EXPECT_EQ(popup.textEffect.opaque, 255);
    EXPECT_EQ(popup.textEffect.zero2, 0); // a COLORREF's fourth byte is zero
}

TEST(SkinObjectTables, AliasKeysReadTheBytesOfTheirPositionalFields)
{
    DateTimeSkinObject picker;
    MonthCalendarSkinObject calendar;
    ToolBarSkinObject toolbar;
    struct Case {
        SkinObject* object;
        const char* alias;
        const char* positional;
    } const cases[] = {
        {&picker, "DROPBUTTON.NORMAL", "IMAGE1"},     {&picker, "DROPBUTTON.PRESSED", "IMAGE2"},
        {&picker, "DROPBUTTON.DISABLED", "IMAGE3"},   {&picker, "FIELD.IMAGE", "IMAGE4"},
        {&picker, "FIELD.TEXTEFFECT", "TEXTEFFECT1"}, {&picker, "FIELD.COLOR", "COLOR"},
        {&picker, "DISABLEDFIELD.IMAGE", "IMAGE5"},   {&picker, "DISABLEDFIELD.TEXTEFFECT", "TEXTEFFECT2"},
        {&picker, "DISABLEDFIELD.COLOR", "COLOR2"},   {&picker, "BORDER", "CONTROLFRAME"},
        {&calendar, "PREVMONTH.NORMAL", "IMAGE1"},    {&calendar, "PREVMONTH.PRESSED", "IMAGE2"},
        {&calendar, "NEXTMONTH.NORMAL", "IMAGE3"},    {&calendar, "NEXTMONTH.PRESSED", "IMAGE4"},
        {&calendar, "PREVMONTH.DISABLED", "IMAGE5"},  {&calendar, "NEXTMONTH.DISABLED", "IMAGE6"},
        {&calendar, "MONTH.BACKCOLOR", "COLOR1"},     {&calendar, "TITLE.BACKCOLOR", "COLOR2"},
        {&calendar, "TITLE.TEXTCOLOR", "COLOR3"},     {&calendar, "TRAILING.TEXTCOLOR", "COLOR4"},
        {&calendar, "BACKGROUND", "CONTROLFRAME"},    {&calendar, "BACKCOLOR", "COLOR"},
        {&toolbar, "BUTTON.NORMAL", "IMAGE1"},        {&toolbar, "BUTTON.PRESSED", "IMAGE2"},
        {&toolbar, "BUTTON.HOT", "IMAGE3"},           {&toolbar, "BUTTON.DISABLED", "IMAGE4"},
        {&toolbar, "BACKGROUND", "CONTROLFRAME"},
    };
    for (const Case& c : cases) {
        int aliasKind = -1, kind = -2;
        size_t aliasSize = 0, size = 1;
        void* aliased = c.object->FindProperty(c.alias, &aliasKind, &aliasSize);
        ASSERT_NE(aliased, nullptr) << c.alias;
        EXPECT_EQ(aliased, c.object->FindProperty(c.positional, &kind, &size)) << c.alias;
        EXPECT_EQ(aliasKind, kind) << c.alias;
        EXPECT_EQ(aliasSize, size) << c.alias;
        EXPECT_FALSE(c.object->FindField(c.alias)->Serialised()) << c.alias << " adds no bytes";
    }
}

TEST(SkinObjectVersions, ControlPartsOfOldFiles)
{
    {
        RawBuilder raw; // 1.7: no RECT in the base part; a rectangle to skip and CONTROLID, no reserved value yet
        Control(raw.Base("edit", 7), 7).Zeros(72);
        auto object = LoadAt(SkinTypeEdit, 7, raw);
        auto& edit = static_cast<ScrollControlSkinObject&>(*object);
        EXPECT_EQ(edit.controlId, 42u);
        EXPECT_EQ(edit.controlReserved, 0u);
        EXPECT_EQ(edit.rect.right, 60);
        EXPECT_EQ(edit.rect.bottom, 30);
        EXPECT_EQ(edit.color, GetSysColor(COLOR_WINDOW)); // colours reset up to 1.10
    }
    {
        RawBuilder raw; // 1.6: CONTROLID is read and then set to 0
        Control(raw.Base("edit", 6), 6).Zeros(72);
        EXPECT_EQ(LoadAt(SkinTypeEdit, 6, raw)->ControlId(), 0);
    }
    {
        RawBuilder raw; // 1.11 tree view: the ScrollControl part only
        Control(raw.Base("tree", 11), 11).Zeros(72);
        auto object = LoadAt(SkinTypeTreeView, 11, raw);
        EXPECT_EQ(static_cast<TreeViewSkinObject&>(*object).activeColor, GetSysColor(COLOR_HIGHLIGHT));
    }
    {
        RawBuilder raw; // 1.14 tree view: the six 1.12 fields, not the five of 1.15
        Control(raw.Base("tree", 14), 14).Zeros(72).Zeros(88 * 2).U32(0x111111).U32(0x222222).Zeros(32);
        auto object = LoadAt(SkinTypeTreeView, 14, raw);
        auto& tree = static_cast<TreeViewSkinObject&>(*object);
        EXPECT_EQ(tree.activeColor, 0x111111u);
        EXPECT_EQ(tree.inactiveColor, 0x222222u);
        EXPECT_EQ(tree.line, 0u);
    }
    {
        RawBuilder raw; // 1.8 check box: seven reset text effects and TRANSPARENT 0 whatever the file holds
        Control(raw.Base("check", 8), 8).Fill(7 * 192, 0x55).Text("", 50).U32(1);
        auto object = LoadAt(SkinTypeCheckBox, 8, raw);
        auto& check = static_cast<CheckBoxSkinObject&>(*object);
        EXPECT_EQ(check.transparent, 0u);
        for (const CheckState& s : check.states)
            EXPECT_TRUE(SameEffect(s.effect, ResetTextEffect()));
        EXPECT_EQ(check.states[3].box.source.left, 0x55555555);
    }
    for (int minor : {8, 10}) {
        RawBuilder raw; // up to 1.10 the combo box takes its disabled colours from the old object colours
        Control(raw.Base("combo", minor), minor).Zeros(88 * 4).U32(0x777777);
        auto object = LoadAt(SkinTypeComboBox, minor, raw);
        auto& combo = static_cast<ComboBoxSkinObject&>(*object);
        EXPECT_EQ(combo.disabledBackground, minor < 9 ? GetSysColor(COLOR_BTNFACE) : 0x123456u);
        EXPECT_EQ(combo.disabledText, minor < 9 ? GetSysColor(COLOR_BTNTEXT) : 0x654321u);
        EXPECT_EQ(combo.color, GetSysColor(COLOR_WINDOW));
        EXPECT_EQ(combo.focusColor, 0x777777u);
    }
    {
        RawBuilder raw; // 1.11 scroll bar: no vertical groups
        Control(raw.Base("bar", 11), 11).Fill(4 * 320, 0x11).Zeros(72).U32(0).U32(100).U32(10).U32(1).U32(10);
        auto object = LoadAt(SkinTypeScrollBar, 11, raw);
        auto& bar = static_cast<ScrollBarSkinObject&>(*object);
        EXPECT_EQ(bar.groups[3].thumb.mode, 0x11111111);
        EXPECT_EQ(bar.groups[4].thumb.image[0], '\0');
    }
    {
        RawBuilder raw; // 1.6 button: no control part; FONT, second and third value after the first value
        raw.Base("button", 6).Fill(6 * 120, 0x22).Text("OK", 50).U32(3);
        SkinFont font = ResetFont("Tahoma");
        font.logFont.lfHeight = -20;
        font.color = RGB(1, 2, 3);
        raw.Append(&font, sizeof font).U32(4).U32(77);
        auto object = LoadAt(SkinTypeButton, 6, raw);
        auto& button = static_cast<ButtonSkinObject&>(*object);
        EXPECT_EQ(button.font.logFont.lfHeight, -20);
        EXPECT_EQ(button.value1, 3u);
        EXPECT_EQ(button.value2, 4u);
        EXPECT_EQ(button.value3, 77u);
        EXPECT_EQ(TextEffectColor(button.states[ButtonSkinObject::Disabled].effect), RGB(1, 2, 3));
        EXPECT_EQ(button.states[0].effect.flags, 0x8004u);
    }
}

TEST(SkinObjectVersions, FramesMenusAndSkinLevelObjectsOfOldFiles)
{
    {
        RawBuilder raw; // 1.5 frame: ends after its menu bar; the menu bar's old position goes to RECT
        raw.Base("frame", 5).Zeros(1296 + 144 + 64 + 8).U32(1).U32(2).U32(3).Fill(16, 0x33);
        raw.U32(20).Base("menubar", 5).Zeros(72).Rect(3, 4, 23, 24).U32(4).U32(1001);
        raw.Zeros(64 + 48 + 4 + 88 + 16 + 4 + 88 + 12 * 72 + 88);
        auto object = LoadAt(SkinTypeFrameWnd, 5, raw);
        auto& frame = static_cast<FrameWndSkinObject&>(*object);
        EXPECT_EQ(frame.skinClient, 0u);
        EXPECT_EQ(frame.mdiClient.image[0], '\0');
        EXPECT_EQ(frame.thirdColor, 3u);
        EXPECT_TRUE(SameEffect(frame.textEffect, ResetTextEffect())); // read, then reset up to 1.8
        EXPECT_EQ(frame.menuBar->rect.left, 3);
        EXPECT_EQ(frame.menuBar->rect.bottom, 24);
        EXPECT_EQ(frame.menuBar->anchor, 4u);
        EXPECT_EQ(frame.menuBar->commandId, 1001u);
    }
    {
        RawBuilder raw; // 1.2 popup menu: no text effect in the framed part, no check mark
        raw.Base("popup", 2).Zeros(1296 + 144 + 64 + 8 + 12).Zeros(48).U32(0xAB).U32(0).Zeros(88 * 2 + 72);
        auto object = LoadAt(SkinTypePopupMenu, 2, raw);
        EXPECT_EQ(static_cast<PopupMenuSkinObject&>(*object).activeColor, 0xABu);
    }
    {
        RawBuilder raw; // 1.1 menu bar: neither the twelve image parts nor the third sliced image
        raw.Base("bar", 1).Zeros(72).Rect(0, 0, 10, 10).U32(0).U32(0).Zeros(64 + 48 + 4 + 88 + 16 + 4 + 88);
        LoadAt(SkinTypeMenuBar, 1, raw);
    }
    {
        RawBuilder raw; // 1.3 application: no e-mail or home page
        raw.Base("app", 3).Text("me", 51).Text("skin", 51).Text("", 51).U32(0);
        auto object = LoadAt(SkinTypeApplication, 3, raw);
        auto& app = static_cast<ApplicationSkinObject&>(*object);
        EXPECT_STREQ(app.author, "me");
        EXPECT_EQ(app.useTransparentColor, 0u);
        EXPECT_STREQ(app.email, ApplicationSkinObject().email);
    }
    {
        RawBuilder raw; // a tooltip whose style sheet is empty
        raw.Base("tip", 16).Zeros(1296 + 144 + 64 + 8 + 12 + 16 + 176).U32(500).U32(900).U32(3).U32(0);
        auto object = LoadAt(SkinTypeTooltip, 16, raw);
        auto& tip = static_cast<TooltipSkinObject&>(*object);
        EXPECT_EQ(tip.showDelay, 500u);
        EXPECT_EQ(tip.placement, 3u);
        EXPECT_TRUE(tip.styleSheet.empty());
    }
    {
        RawBuilder raw; // a child whose NAME repeats a sibling's is dropped; the first stays
        raw.Text("parent", 51).U32(0).U32(0).U32(255).Text("", 51).U32(0).Rect(0, 0, 1, 1).U32(0).U32(2);
        raw.U32(SkinTypeStatic).Base("twin", 16, 0x111111);
        Control(raw, 16).U32(1).Zeros(16).Text("", 51).Zeros(16);
        raw.U32(SkinTypeStatic).Base("twin", 16, 0x222222);
        Control(raw, 16).U32(1).Zeros(16).Text("", 51).Zeros(16);
        auto object = LoadAt(SkinTypeVoice, 16, raw);
        ASSERT_EQ(object->Children().size(), 1u);
        EXPECT_EQ(object->FindChild("twin")->color, 0x111111u);
    }
}
