// The control skinners' pure parts by tables: push-button state chains, check-item looks, content
// placement, check cycles, static kinds, group captions, combo geometry and the skin scroll bar's
// geometry, hit test and clamping.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/skinners/controls/ButtonLook.h"
#include "skin/skinners/controls/ComboBoxSkinner.h"
#include "skin/skinners/controls/GroupBoxSkinner.h"
#include "skin/skinners/scrolling/SkinScrollGeometry.h"
#include "skin/skinners/controls/StaticSkinner.h"

namespace {

ButtonInputs In(bool enabled, bool pushed, bool pressed, bool hover, bool checked, bool focused, bool isDefault)
{
    return ButtonInputs{enabled, pushed, pressed, hover, checked, focused, isDefault};
}

bool EqualRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

TEST(ButtonLook, PushButtonChains)
{
    struct Case {
        ButtonInputs in;
        bool highlightedEmpty;
        int chain[3];
        int count;
    } const cases[] = {
        {In(false, true, true, true, true, true, true), false, {kPushDisabled, kPushNormal, kPushNormal}, 3},
        {In(true, true, false, false, false, false, false), false, {kPushPressed, kPushNormal, kPushNormal}, 3},
        {In(true, false, true, true, false, false, false), false, {kPushPressed, kPushNormal, kPushNormal}, 3},
        {In(true, false, false, true, true, true, true), false, {kPushHighlighted}, 1},
        // Hover without a highlighted picture falls through to the next conditions.
        {In(true, false, false, true, true, false, false), true, {kPushPressed, kPushNormal, kPushNormal}, 3},
        {In(true, false, false, false, false, true, true), false, {kPushFocused, kPushDefault, kPushNormal}, 3},
        {In(true, false, false, false, false, false, true), false, {kPushDefault, kPushNormal, kPushNormal}, 3},
        {In(true, false, false, false, false, true, false), false, {kPushFocused, kPushNormal, kPushNormal}, 3},
        {In(true, false, false, false, false, false, false), false, {kPushNormal}, 1},
    };
    int i = 0;
    for (const Case& c : cases) {
        int chain[3] = {-1, -1, -1};
        ASSERT_EQ(c.count, PushButtonChain(c.in, c.highlightedEmpty, chain)) << "case " << i;
        for (int k = 0; k < c.count; ++k)
            EXPECT_EQ(c.chain[k], chain[k]) << "case " << i << " link " << k;
        ++i;
    }
}

TEST(ButtonLook, CheckItemLooksAndTheRadiosTwoDifferences)
{
    const int N = kCheckNormal, S = kCheckSelected, D = kCheckDisabled, GN = kCheckGrayedNormal,
              GS = kCheckGrayedSelected, HN = kCheckHighlightedNormal, HS = kCheckHighlightedSelected;
    struct Case {
        ButtonInputs in;
        bool radio;
        int firstBackground, firstBox, effect, boxCount;
    } const cases[] = {
        {In(false, false, false, false, true, false, false), false, GS, GS, GS, 3},
        {In(false, false, false, false, false, false, false), false, GN, GN, GN, 3},
        {In(true, true, false, false, false, false, false), false, S, S, S, 1},
        {In(true, false, false, false, true, true, false), false, HS, HS, HS, 2},
        {In(true, false, false, false, false, true, false), false, HN, HN, HN, 2},
        {In(true, false, true, true, false, false, false), false, HS, HS, HS, 2},
        {In(true, false, true, false, false, false, false), false, S, S, S, 1},
        {In(true, false, false, true, false, false, false), false, HN, HN, HN, 2},
        {In(true, false, false, false, false, false, false), false, N, N, N, 1},
        // The radio: the pressed flag is not a check, and a disabled checked radio falls back to SELECTED.
        {In(true, false, true, false, false, false, false), true, N, N, N, 1},
        {In(false, false, false, false, true, false, false), true, GS, GS, GS, 2},
    };
    int i = 0;
    for (const Case& c : cases) {
        const CheckItemLook look = ChooseCheckItemLook(c.in, c.radio);
        EXPECT_EQ(c.firstBackground, look.background[0]) << "case " << i;
        EXPECT_EQ(c.firstBox, look.box[0]) << "case " << i;
        EXPECT_EQ(c.effect, look.effect) << "case " << i;
        EXPECT_EQ(c.boxCount, look.boxCount) << "case " << i;
        ++i;
    }
    const CheckItemLook disabledRadio = ChooseCheckItemLook(In(false, false, false, false, true, false, false), true);
    EXPECT_EQ(S, disabledRadio.box[1]);
    const CheckItemLook disabledBox = ChooseCheckItemLook(In(false, false, false, false, true, false, false), false);
    EXPECT_EQ(D, disabledBox.box[1]);
    EXPECT_EQ(S, disabledBox.box[2]);
}

TEST(ButtonLook, FirstOfTakesTheFirstNonEmptyElseTheSecond)
{
    bool empty[7] = {false, true, true, true, true, true, true};
    const int list[3] = {kCheckGrayedSelected, kCheckDisabled, kCheckNormal};
    EXPECT_EQ(kCheckNormal, FirstOf(list, 3, empty));
    empty[kCheckDisabled] = false;
    EXPECT_EQ(kCheckDisabled, FirstOf(list, 3, empty));
    const bool allEmpty[7] = {true, true, true, true, true, true, true};
    EXPECT_EQ(kCheckDisabled, FirstOf(list, 3, allEmpty)) << "all empty: the second of the list";
    const int single[1] = {kCheckSelected};
    EXPECT_EQ(kCheckSelected, FirstOf(single, 1, allEmpty));
}

TEST(ButtonLook, ContentPlacementByStyle)
{
    const RECT area = {0, 0, 100, 40};
    struct Case {
        LONG style;
        int width, height;
        RECT expected;
    } const cases[] = {
        {BS_PUSHBUTTON, 20, 10, {40, 15, 60, 25}},
        {BS_CHECKBOX, 20, 10, {0, 15, 20, 25}},
        {BS_CHECKBOX | BS_CENTER, 20, 10, {40, 15, 60, 25}},
        {BS_PUSHBUTTON | BS_RIGHT, 20, 10, {80, 15, 100, 25}},
        {BS_PUSHBUTTON | BS_LEFT, 20, 10, {0, 15, 20, 25}},
        {BS_PUSHBUTTON | BS_TOP, 20, 10, {40, 0, 60, 10}},
        {BS_PUSHBUTTON | BS_BOTTOM, 20, 10, {40, 30, 60, 40}},
        {BS_PUSHBUTTON, 150, 60, {0, 0, 100, 40}}, // wider and taller: the whole area
    };
    for (const Case& c : cases)
        EXPECT_TRUE(EqualRect(c.expected, PlaceButtonContent(area, c.width, c.height, c.style))) << "style " << c.style;
    EXPECT_EQ(UINT(DT_CENTER), ButtonTextFormat(BS_PUSHBUTTON, 0));
    EXPECT_EQ(UINT(DT_WORDBREAK | DT_EDITCONTROL | DT_RTLREADING), ButtonTextFormat(BS_MULTILINE, WS_EX_RTLREADING));
}

TEST(ButtonLook, ClickCyclesAndCheckBits)
{
    WORD word = 0x0008; // a focus bit the cycle must keep
    const WORD expected[4] = {0x0009, 0x000A, 0x0008, 0x0009};
    for (WORD next : expected) {
        word = NextCheckBoxWord(BS_AUTO3STATE, word);
        EXPECT_EQ(next, word);
    }
    EXPECT_EQ(WORD(1), NextCheckBoxWord(BS_AUTOCHECKBOX, 0));
    EXPECT_EQ(WORD(0), NextCheckBoxWord(BS_AUTOCHECKBOX, 2)) << "indeterminate becomes unchecked";
    EXPECT_EQ(WORD(0), NextCheckBoxWord(BS_CHECKBOX, 0)) << "a plain check box does not change itself";
    EXPECT_EQ(WORD(0x000D), SetCheckBits(0x000C, BST_CHECKED)) << "BM_SETCHECK keeps the pushed and focus bits";
    EXPECT_EQ(WORD(0x000C), SetCheckBits(0x000E, BST_UNCHECKED));
}

TEST(StaticLook, KindsByTypeMaskAndTextFormats)
{
    struct Case {
        LONG style;
        StaticKind kind;
    } const cases[] = {
        {SS_LEFT, StaticText},           {SS_CENTER, StaticText},        {SS_RIGHT, StaticText},
        {SS_LEFTNOWORDWRAP, StaticText}, {SS_ICON, StaticIcon},          {SS_BITMAP, StaticBitmap},
        {SS_SIMPLE, StaticNative},       {SS_OWNERDRAW, StaticNative},   {SS_ENHMETAFILE, StaticNative},
        {SS_ETCHEDHORZ, StaticNative},   {SS_ETCHEDFRAME, StaticNative}, {SS_BLACKFRAME, StaticNative},
        {SS_GRAYRECT, StaticNative},     {SS_ETCHEDVERT, StaticNative},  {SS_WHITEFRAME, StaticNative},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.kind, ClassifyStatic(c.style | SS_NOTIFY)) << "style " << c.style;
    EXPECT_EQ(UINT(DT_CENTER | DT_WORDBREAK), StaticTextFormat(SS_CENTER, 0));
    EXPECT_EQ(UINT(DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX),
              StaticTextFormat(SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_NOPREFIX, 0));
}

TEST(GroupBoxLook, CaptionPlacement)
{
    const RECT client = {0, 0, 200, 100};
    const RECT margins = {3, 1, 3, 1};
    const SIZE text = {50, 12};
    EXPECT_TRUE(EqualRect(RECT{4, 0, 60, 14}, GroupCaptionRect(client, text, margins, BS_GROUPBOX)));
    EXPECT_TRUE(EqualRect(RECT{140, 0, 196, 14}, GroupCaptionRect(client, text, margins, BS_GROUPBOX | BS_RIGHT)))
        << "BS_RIGHT ends 4 pixels inside the right edge";
    EXPECT_TRUE(EqualRect(RECT{72, 0, 128, 14}, GroupCaptionRect(client, text, margins, BS_GROUPBOX | BS_CENTER)));
    const SIZE wide = {400, 12};
    EXPECT_EQ(198, GroupCaptionRect(client, wide, margins, BS_GROUPBOX).right);
    EXPECT_EQ(2, GroupCaptionRect(client, wide, margins, BS_GROUPBOX | BS_RIGHT).left);
}

TEST(ComboLook, GeometryAndButtonImages)
{
    const ComboGeometry g = LayoutCombo(RECT{0, 0, 120, 22}, RECT{2, 2, 2, 2}, 17);
    EXPECT_TRUE(EqualRect(RECT{103, 2, 118, 20}, g.button));
    EXPECT_TRUE(EqualRect(RECT{2, 2, 118, 20}, g.field));
    EXPECT_TRUE(EqualRect(RECT{3, 3, 101, 19}, g.text));
    EXPECT_TRUE(EqualRect(RECT{104, 0, 118, 20}, g.hoverZone));
    bool none[4] = {false, false, false, false};
    EXPECT_EQ(2, ComboButtonImage(true, ComboBoxSkinner::ButtonHover, none));
    EXPECT_EQ(1, ComboButtonImage(true, ComboBoxSkinner::ButtonPressed, none));
    EXPECT_EQ(3, ComboButtonImage(false, ComboBoxSkinner::ButtonHover, none));
    bool noHover[4] = {false, false, true, true};
    EXPECT_EQ(0, ComboButtonImage(true, ComboBoxSkinner::ButtonHover, noHover)) << "no hovered image: normal";
    EXPECT_EQ(0, ComboButtonImage(false, ComboBoxSkinner::ButtonNormal, noHover));
}

namespace {

SkinScrollBar Bar(int minimum, int maximum, UINT page, int position)
{
    SkinScrollBar bar = {};
    bar.flags = kSkinBarWanted;
    bar.shown = TRUE;
    bar.minimum = minimum;
    bar.maximum = maximum;
    bar.page = page;
    bar.position = position;
    bar.arrowLength = 16;
    bar.barWidth = 16;
    bar.type = 1;
    bar.minThumbSize = 8;
    return bar;
}

} // namespace

TEST(SkinScrollGeometry, ThumbPlacesAndClamps)
{
    // 0-99, page 10, a 232-pixel bar: arrows of 16, a 200-pixel track, a 20-pixel thumb.
    SkinScrollBar bar = Bar(0, 99, 10, 90);
    SkinBarLayout l = LayoutSkinBar(bar, 0, 232);
    EXPECT_EQ(16, l.trackStart);
    EXPECT_EQ(200, l.trackLength);
    EXPECT_EQ(20, l.thumbSize);
    EXPECT_EQ(l.trackStart + l.trackLength - l.thumbSize, l.thumbStart) << "position 90 is flush at the end";
    EXPECT_EQ(90, ClampSkinPosition(bar, 95));
    SCROLLINFO info = {sizeof info, SIF_POS, 0, 0, 0, 95, 0};
    ApplySkinScrollInfo(bar, info);
    EXPECT_EQ(90, bar.position);

    SkinScrollBar small = Bar(0, 10000, 1, 0);
    EXPECT_EQ(8, LayoutSkinBar(small, 0, 232).thumbSize) << "never under the minimum thumb size";
    SkinScrollBar noPage = Bar(0, 50, 0, 50);
    EXPECT_EQ(50, ClampSkinPosition(noPage, 60)) << "a page of 0 clamps at the maximum, not one past it";
    EXPECT_EQ(16, LayoutSkinBar(noPage, 0, 232).thumbSize) << "a page of 0: the thumb is an arrow long";

    SkinScrollBar fromTen = Bar(10, 109, 10, 0);
    EXPECT_EQ(10, ClampSkinPosition(fromTen, 0));
    const SkinBarLayout tl = LayoutSkinBar(fromTen, 0, 232);
    EXPECT_EQ(10, SkinDragPosition(fromTen, tl, tl.trackStart));
    EXPECT_EQ(100, SkinDragPosition(fromTen, tl, tl.trackStart + tl.trackLength - tl.thumbSize));
}

TEST(SkinScrollGeometry, HitsAndShortBars)
{
    const SkinScrollBar bar = Bar(0, 99, 10, 0);
    const SkinBarLayout l = LayoutSkinBar(bar, 0, 232);
    struct Case {
        int along;
        bool across;
        int part;
    } const cases[] = {
        {0, true, kSkinPartArrow1},   {15, true, kSkinPartArrow1}, {16, true, kSkinPartThumb},
        {35, true, kSkinPartThumb},   {36, true, kSkinPartPage2},  {216, true, kSkinPartArrow2},
        {231, true, kSkinPartArrow2}, {232, true, kSkinPartNone},  {100, false, kSkinPartNone},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.part, HitTestSkinBar(l, c.along, c.across)) << "at " << c.along;
    const SkinScrollBar late = Bar(0, 99, 10, 50);
    const SkinBarLayout ll = LayoutSkinBar(late, 0, 232);
    EXPECT_EQ(kSkinPartPage1, HitTestSkinBar(ll, 20, true));

    // Shorter than two arrows: two half-length arrows and no thumb.
    const SkinBarLayout s = LayoutSkinBar(bar, 0, 25);
    EXPECT_EQ(12, s.arrow);
    EXPECT_EQ(kSkinPartArrow1, HitTestSkinBar(s, 11, true));
    EXPECT_EQ(kSkinPartArrow2, HitTestSkinBar(s, 13, true));
    EXPECT_EQ(kSkinPartNone, HitTestSkinBar(s, 12, true)) << "the odd middle pixel is no part to press";
}

TEST(SkinScrollGeometry, BarRectanglesUnderAndBesideEachOther)
{
    SkinScrollBar h = Bar(0, 99, 10, 0), v = Bar(0, 99, 10, 0);
    h.type = 0;
    const RECT window = {0, 0, 200, 100};
    const SkinBarInsets insets = {2, 2, 2, 2};
    const RECT hr = SkinBarRect(window, insets, h, v, FALSE, 0);
    const RECT vr = SkinBarRect(window, insets, h, v, FALSE, 1);
    EXPECT_TRUE(EqualRect(RECT{2, 82, 182, 98}, hr));
    EXPECT_TRUE(EqualRect(RECT{182, 2, 198, 82}, vr)) << "the vertical bar stops above the horizontal one";
    const RECT left = SkinBarRect(window, insets, h, v, TRUE, 1);
    EXPECT_TRUE(EqualRect(RECT{2, 2, 18, 82}, left));
    EXPECT_TRUE(EqualRect(RECT{18, 82, 198, 98}, SkinBarRect(window, insets, h, v, TRUE, 0)));
}

TEST(SkinScrollGeometry, VisibilityFromScrollInfo)
{
    SkinScrollBar bar = Bar(0, 0, 0, 0);
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE, 0, 99, 10, 0, 0};
    EXPECT_TRUE(ApplySkinScrollInfo(bar, info));
    info.nMax = 5;
    EXPECT_FALSE(ApplySkinScrollInfo(bar, info)) << "a page larger than the range hides the bar";
    EXPECT_EQ(6u, bar.page) << "the page never exceeds the range";
    info.fMask |= SIF_DISABLENOSCROLL;
    EXPECT_TRUE(ApplySkinScrollInfo(bar, info));
}
