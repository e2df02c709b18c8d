// Style sheets and style values: the default sheet, rule parsing, properties, lengths, colours, keywords.
#include <gtest/gtest.h>

#include "tests/skin/richtext/FixedMetricsDevice.h"
#include "skin/engine/richtext/RichTextDrawer.h"

namespace {

class StyleSheetTest : public testing::Test {
protected:
    // A style as ResetStyle leaves it: 12 pixels Verdana, black on white.
    TextStyle BaseStyle()
    {
        TextStyle s = {};
        s.fontSize = 12;
        s.fontWeight = 400;
        strcpy(s.fontFamily, "Verdana");
        s.backColor = RGB(255, 255, 255);
        s.backMode = 1;
        s.borderWidth = 4;
        return s;
    }
    TextStyle Apply(const char* declarations, TextStyle s)
    {
        drawer.Sheet().ParseDeclarations(device, declarations, s);
        return s;
    }
    TextStyle Apply(const char* declarations) { return Apply(declarations, BaseStyle()); }

    RichTextDrawer drawer;
    FixedMetricsDevice device; // 96 dots per inch, 12-pixel font until one is selected
};

} // namespace

TEST_F(StyleSheetTest, DefaultSheetStylesBodyAndHeadings)
{
    const StyleSheet& sheet = drawer.Sheet();
    EXPECT_EQ(sheet.RuleCount(), 17u);
    ASSERT_NE(sheet.FindRule("P"), nullptr);
    EXPECT_NE(sheet.FindRule(".code-comment"), nullptr);

    TextStyle body = BaseStyle();
    sheet.ApplyStyle(device, "body", body);
    EXPECT_EQ(body.fontSize, 13);             // 10pt at 96 dots per inch
    EXPECT_STREQ(body.fontFamily, "verdana"); // declarations are read lower-cased
    EXPECT_EQ(body.textColor, RGB(0, 0, 0));

    TextStyle h6 = body;
    sheet.ApplyStyle(device, "h6", h6);
    EXPECT_EQ(h6.fontSize, 8); // 65% of 13
    EXPECT_EQ(h6.fontWeight, 400);
    EXPECT_EQ(h6.textColor, RGB(0x62, 0x62, 0x62));

    TextStyle pre = body;
    sheet.ApplyStyle(device, "pre", pre);
    EXPECT_STREQ(pre.fontFamily, "courier");
    EXPECT_EQ(pre.backMode, 2);
    EXPECT_EQ(pre.backColor, RGB(0xFB, 0xED, 0xBB));

    EXPECT_FALSE(sheet.ApplyStyle(device, "nosuch", body));
}

TEST_F(StyleSheetTest, SheetParsing)
{
    drawer.SetCssStyles("b1 {color:red}\r\nb1 {font-size:20px}\nh1, h2 {color:red}  .x{color:blue}");
    const StyleSheet& sheet = drawer.Sheet();
    ASSERT_NE(sheet.FindRule("b1"), nullptr);
    TextStyle s = BaseStyle();
    sheet.ApplyStyle(device, "b1", s);
    EXPECT_EQ(s.fontSize, 20);
    EXPECT_EQ(s.textColor, RGB(0, 0, 0)); // the second rule replaced the first
    EXPECT_NE(sheet.FindRule("h1,"), nullptr);
    EXPECT_EQ(sheet.FindRule("h2"), nullptr);
    EXPECT_NE(sheet.FindRule(".x"), nullptr);
    EXPECT_EQ(drawer.CssText(), "b1 {color:red}\r\nb1 {font-size:20px}\nh1, h2 {color:red}  .x{color:blue}");

    drawer.SetCssStyles("");
    EXPECT_EQ(drawer.Sheet().RuleCount(), 0u);

    // A sheet cut short inside a rule ends there.
    drawer.SetCssStyles("a {color:red} b {color:blue");
    EXPECT_EQ(drawer.Sheet().RuleCount(), 1u);
    EXPECT_EQ(drawer.Sheet().FindRule("b"), nullptr);

    // A "}" that is the second byte of a double-byte character does not end the rule.
    drawer.SetCssStyles(".f {font-family:\x81\x7D; color:red}");
    s = BaseStyle();
    drawer.Sheet().ApplyStyle(device, ".f", s);
    EXPECT_EQ(s.textColor, RGB(255, 0, 0));
    EXPECT_STREQ(s.fontFamily, "\x81\x7D");

    drawer.SetCssStyles(nullptr);
    EXPECT_EQ(drawer.Sheet().RuleCount(), 17u);
}

TEST_F(StyleSheetTest, Properties)
{
    TextStyle s = Apply("font-weight: 600");
    EXPECT_EQ(s.fontWeight, 600);
    EXPECT_EQ(Apply("font-weight: heavy").fontWeight, 0);
    EXPECT_EQ(Apply("font-weight: bolder").fontWeight, 900);
    EXPECT_EQ(Apply("font-weight: 99999").fontWeight, 1000);
    EXPECT_EQ(Apply("FONT-STYLE: Italic").italic, 1);

    s = Apply("text-decoration: underline, overline");
    EXPECT_TRUE(s.underline && s.overline && !s.strikeOut);
    s = Apply("text-decoration: none", s);
    EXPECT_FALSE(s.underline || s.overline);

    s = Apply("text-align:center; vertical-align:middle; text-transform:uppercase; border-style:double");
    EXPECT_EQ(s.textAlign, 1);
    EXPECT_EQ(s.verticalAlign, 1);
    EXPECT_EQ(s.transform, 1);
    EXPECT_EQ(s.borderStyle, 6);
    EXPECT_EQ(Apply("text-align:justify").textAlign, 0); // unknown keywords leave the value

    EXPECT_EQ(Apply("border-width:thin").borderWidth, 3);
    EXPECT_EQ(Apply("border-width:thick").borderWidth, 5);
    EXPECT_EQ(Apply("size:7px").borderWidth, 7);
    s = Apply("margin-left:5px; padding-bottom:3px; background-color:yellow; border-color:#102030");
    EXPECT_EQ(s.marginLeft, 5);
    EXPECT_EQ(s.paddingBottom, 3);
    EXPECT_EQ(s.backMode, 2);
    EXPECT_EQ(s.backColor, RGB(255, 255, 0));
    EXPECT_EQ(s.borderDark, RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(Apply("background-color:transparent", s).backMode, 1);

    // Faces are cut to what a font description holds.
    s = Apply("font-family:\"abcdefghijklmnopqrstuvwxyz0123456789\"");
    EXPECT_STREQ(s.fontFamily, "abcdefghijklmnopqrstuvwxyz01234");
}

TEST_F(StyleSheetTest, Colours)
{
    const StyleSheet& sheet = drawer.Sheet();
    const COLORREF keep = RGB(1, 2, 3);
    struct Case {
        const char* value;
        COLORREF expected;
    } cases[] = {
        {"#f90", keep},
        {"#ff9900", 0x000099FF},
        {"255", RGB(255, 0, 0)},
        {"0x00ff00", RGB(0, 255, 0)},
        {"red", RGB(255, 0, 0)},
        {"RED", keep},
        {"#ff99zz", keep},
        {"#ff99001", keep},
        {"", keep},
        {"nosuch", keep},
        {"darkseagreen", RGB(0x8F, 0xBC, 0x8B)},
        {"0x7fffffff", 0x00FFFFFF},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sheet.ParseColor(c.value, keep), c.expected) << c.value;

    const ColorTable& table = drawer.Colors();
    EXPECT_EQ(table.Size(), 168u);
    COLORREF color;
    EXPECT_TRUE(table.Find("lightgrey", color));
    EXPECT_FALSE(table.Find("lightgray", color));
    EXPECT_FALSE(table.Find("grey", color));
    ASSERT_TRUE(table.Find("infobackground", color));
    EXPECT_EQ(color, GetSysColor(COLOR_INFOBK));
}

TEST_F(StyleSheetTest, Lengths)
{
    device.SelectFont(FontSpec{13, 400, false, false, false, "Verdana"});
    struct Case {
        const char* value;
        int base;
        bool html;
        int expected;
    } cases[] = {
        {"", 9, false, 9},
        {"2cm", 0, false, 75},
        {"10pt", 0, false, 13},
        {"65%", 13, false, 8},
        {"+1", 0, true, 8},
        {"3", 0, true, 12},
        {"7", 0, true, 36},
        {"8", 0, true, 8},
        {"3", 0, false, 3},
        {"12px", 0, false, 12},
        {"2em", 0, false, 26},
        {"1ex", 0, false, 13},
        {"1in", 0, false, 96},
        {"1pc", 0, false, 16},
        {"25.4mm", 0, false, 94},
        {"-5px", 0, false, 5},
        {"-20%", 13, false, 0},
        {"0x10", 0, false, 16},
        {"010", 0, false, 8},
        {"9999999999px", 0, false, 10000},
        {"99999999999999999999in", 0, false, 10000},
        {"0xffffffff", 0, false, 10000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StyleSheet::ParseLength(device, c.value, c.base, c.html), c.expected) << c.value;

    // Font sizes are held to their own range.
    TextStyle s = Apply("font-size: 5000px");
    EXPECT_EQ(s.fontSize, 1000);
}

TEST_F(StyleSheetTest, StyleLetters)
{
    TextStyle s = BaseStyle();
    StyleSheet::ParseFontStyleLetters("bu", s);
    EXPECT_EQ(s.fontWeight, 700);
    EXPECT_EQ(s.underline, 1);
    StyleSheet::ParseFontStyleLetters("-b-xu", s); // "x" leaves the pending "-" in force
    EXPECT_EQ(s.fontWeight, 400);
    EXPECT_EQ(s.underline, 0);
    StyleSheet::ParseFontStyleLetters("-+io", s);
    EXPECT_EQ(s.italic, 1);
    EXPECT_EQ(s.overline, 1);

    EXPECT_EQ(StyleSheet::ParseImageStyle("gs", 4, 4, true), kImageGrey | kImageBlurredShadow);
    EXPECT_EQ(StyleSheet::ParseImageStyle("sd", 4, 4, false), kImageSharpShadow | kImageDarker);
    EXPECT_EQ(StyleSheet::ParseImageStyle("s", 0, 0, true), 0);
    EXPECT_EQ(StyleSheet::ParseImageStyle("", 4, 4, true), 0);
}
