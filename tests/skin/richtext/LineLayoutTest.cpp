// Line layout as numbers: a fixed-metrics device (glyphs half the font height wide; the body font is
// 13 pixels: 6 wide, ascent 10, descent 3) measures and records what each markup draws.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/skin/richtext/FixedMetricsDevice.h"
#include "tests/skin/richtext/GuardedText.h"
#include "skin/engine/richtext/RichTextDrawer.h"

namespace {

struct TextAt {
    std::string text;
    int x, y;
};

struct Laid {
    SIZE size;
    FixedMetricsDevice device;
};

// Measures, then draws into a rectangle whose inner width is 100 (the drawer takes one pixel off).
void LayOut(RichTextDrawer& drawer, std::string_view markup, Laid& out, RECT rect = RECT{0, 0, 101, 201})
{
    GuardedText guard;
    std::string_view text = guard.Place(markup);
    FixedMetricsDevice measuring;
    out.size = drawer.Measure(measuring, text);
    drawer.Draw(out.device, text, rect);
    EXPECT_EQ(measuring.passes, 1);
    EXPECT_EQ(out.device.passes, 1);
    // Drawing takes each run's extent from the measuring pass.
    EXPECT_EQ(out.device.extentCalls, 0);
}

std::vector<TextAt> Runs(const FixedMetricsDevice& device)
{
    std::vector<TextAt> runs;
    for (const auto& op : device.Ops(FixedMetricsDevice::kText))
        runs.push_back({op.text, op.x, op.y});
    return runs;
}

} // namespace

TEST(LineLayout, LinesAlignmentBreaksAndTabs)
{
    struct Case {
        const char* markup;
        SIZE size;
        std::vector<TextAt> runs;
    } cases[] = {
        {"Hello", {32, 15}, {{"Hello", 0, 0}}},
        {"", {2, 2}, {}},
        {"a\nbb", {14, 28}, {{"a", 0, 0}, {"bb", 0, 13}}},
        {"a\r\nb", {8, 28}, {{"a", 0, 0}, {"b", 0, 13}}},
        {"<center>ab</center>\nabcd", {26, 28}, {{"ab", 44, 0}, {"abcd", 0, 13}}},
        {"<right>ab", {14, 15}, {{"ab", 88, 0}}},
        {"abcdefg\tx", {72, 15}, {{"abcdefg", 0, 0}, {"x", 64, 0}}},
        {"abcdefg<t=2>x", {104, 15}, {{"abcdefg", 0, 0}, {"x", 96, 0}}},
        {"<t>x", {40, 15}, {{"x", 32, 0}}},
        {"a<br=3>b", {8, 54}, {{"a", 0, 0}, {"b", 0, 39}}},
        {"a</br>b", {8, 28}, {{"a", 0, 0}, {"b", 0, 13}}},
        {"a<br 2>b", {8, 28}, {{"a", 0, 0}, {"b", 0, 13}}},
        {"a<<b", {20, 15}, {{"a<b", 0, 0}}},
        {"ab<", {20, 15}, {{"ab<", 0, 0}}},
        {"two  blanks", {68, 15}, {{"two  blanks", 0, 0}}},
        {"<img>x<p>y", {14, 15}, {{"x", 0, 0}, {"y", 6, 0}}},
        // A 26-pixel "A" (13 wide, ascent 20, descent 6) beside body text: one baseline at 20.
        {"<font size=26>A</font>b", {21, 28}, {{"A", 0, 0}, {"b", 13, 10}}},
        {"<font size=26>A</font><top>b", {21, 28}, {{"A", 0, 0}, {"b", 13, 0}}},
        {"<font size=26>A</font><middle>b", {21, 28}, {{"A", 0, 0}, {"b", 13, 6}}},
        {"<font size=26>A</font><bottom>b", {21, 28}, {{"A", 0, 0}, {"b", 13, 16}}},
        // A line of 10 characters with a half-width rule, under a line of 12: 60 + 50% of 72 is the widest.
        {"aaaaaaaaaa<hr width=50%>\naaaaaaaaaaaa", {98, 28}, {{"aaaaaaaaaa", 0, 0}, {"aaaaaaaaaaaa", 0, 13}}},
        {"<hr width=50%>\naaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", {182, 24}, {{"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", 0, 9}}},
    };
    for (const Case& c : cases) {
        RichTextDrawer drawer;
        Laid laid;
        LayOut(drawer, c.markup, laid);
        EXPECT_EQ(laid.size.cx, c.size.cx) << c.markup;
        EXPECT_EQ(laid.size.cy, c.size.cy) << c.markup;
        std::vector<TextAt> runs = Runs(laid.device);
        ASSERT_EQ(runs.size(), c.runs.size()) << c.markup;
        for (size_t i = 0; i < runs.size(); ++i) {
            EXPECT_EQ(runs[i].text, c.runs[i].text) << c.markup;
            EXPECT_EQ(runs[i].x, c.runs[i].x) << c.markup << " run " << i;
            EXPECT_EQ(runs[i].y, c.runs[i].y) << c.markup << " run " << i;
        }
    }
}

TEST(LineLayout, LineRecords)
{
    RichTextDrawer drawer;
    Laid laid;
    LayOut(drawer, "<center>ab</center>\n<font size=26>A</font>b", laid);
    const std::vector<LineRecord>& lines = drawer.Layout().Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0].width, 12);
    EXPECT_EQ(lines[0].height, 13);
    EXPECT_EQ(lines[0].descent, 3);
    EXPECT_EQ(lines[0].alignment, 1);
    EXPECT_EQ(lines[1].width, 19);
    EXPECT_EQ(lines[1].height, 26);
    EXPECT_EQ(lines[1].descent, 6);
    EXPECT_EQ(lines[1].alignment, 0);
}

TEST(LineLayout, StylesOfTags)
{
    RichTextDrawer drawer;
    drawer.SetCssStyles("body {font-size:13px} .cap {text-transform:capitalize} .x {color:red} "
                        "pre {background-color:#fbedbb; font-size:12px}");
    struct Case {
        const char* markup;
        std::vector<std::string> texts;
        std::vector<int> weights;
        std::vector<int> italic;
        std::vector<COLORREF> colors;
    } cases[] = {
        {"<b>x</b>y", {"x", "y"}, {800, 400}, {0, 0}, {0, 0}},
        {"<b><b>x", {"x"}, {900}, {0}, {0}},
        {"<b><i>x</b>y</i>z", {"x", "y", "z"}, {800, 800, 800}, {1, 1, 0}, {0, 0, 0}},
        {"<i>x</em>y", {"x", "y"}, {400, 400}, {1, 0}, {0, 0}},
        {"<span class=x>a<span>b</span>c</span>", {"a", "b", "c"}, {400, 400, 400}, {0, 0, 0}, {255, 255, 0}},
        {"<FONT COLOR=RED>x", {"x"}, {400}, {0}, {RGB(255, 0, 0)}},
        {"<span class=cap>hELLO wORLD</span>", {"Hello World"}, {400}, {0}, {0}},
        {"<font weight=bold style=i>x", {"x"}, {700}, {1}, {0}},
    };
    for (const Case& c : cases) {
        Laid laid;
        LayOut(drawer, c.markup, laid);
        auto texts = laid.device.Ops(FixedMetricsDevice::kText);
        ASSERT_EQ(texts.size(), c.texts.size()) << c.markup;
        for (size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].text, c.texts[i]) << c.markup;
            EXPECT_EQ(texts[i].font.weight, c.weights[i]) << c.markup << " run " << i;
            EXPECT_EQ(texts[i].font.italic, c.italic[i] != 0) << c.markup << " run " << i;
            EXPECT_EQ(texts[i].color, c.colors[i]) << c.markup << " run " << i;
        }
    }

    Laid laid;
    LayOut(drawer, "<pre>a\nb</pre><font size=3>c<font size=+1>d<font bkgnd=yellow style=u>e", laid);
    auto texts = laid.device.Ops(FixedMetricsDevice::kText);
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0].backMode, 2);
    EXPECT_EQ(texts[0].back, RGB(0xFB, 0xED, 0xBB));
    EXPECT_EQ(texts[1].y, 12); // a line feed breaks inside pre as everywhere
    EXPECT_EQ(texts[2].font.height, 12);
    EXPECT_EQ(texts[3].font.height, 8); // the sign of "+1" is not applied
    EXPECT_EQ(texts[4].backMode, 2);
    EXPECT_EQ(texts[4].back, RGB(255, 255, 0));
    EXPECT_TRUE(texts[4].font.underline);
}

TEST(LineLayout, RulesAndOverlines)
{
    RichTextDrawer drawer;
    Laid laid;
    LayOut(drawer, "<hr>", laid, RECT{0, 0, 100, 20});
    EXPECT_EQ(laid.size.cx, 2);
    EXPECT_EQ(laid.size.cy, 11); // a rule alone is 9 pixels high
    auto lines = laid.device.Ops(FixedMetricsDevice::kLine);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x, 0);
    EXPECT_EQ(lines[0].x2, 99); // across the whole block
    EXPECT_EQ(lines[0].y, 4);
    EXPECT_EQ(lines[0].width, 1);

    Laid sized;
    LayOut(drawer, "<hr size=3 color=red width=40>", sized);
    EXPECT_EQ(sized.size.cx, 42);
    EXPECT_EQ(sized.size.cy, 13);
    lines = sized.device.Ops(FixedMetricsDevice::kLine);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x2 - lines[0].x, 40);
    EXPECT_EQ(lines[0].y, 5);
    EXPECT_EQ(lines[0].width, 3);
    EXPECT_EQ(lines[0].color, RGB(255, 0, 0));

    Laid none;
    LayOut(drawer, "<hr size=0>", none);
    EXPECT_TRUE(none.device.Ops(FixedMetricsDevice::kLine).empty());

    Laid over;
    LayOut(drawer, "<font style=o>ab</font><b><font style=o>cd", over);
    lines = over.device.Ops(FixedMetricsDevice::kLine);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].x, 0);
    EXPECT_EQ(lines[0].x2, 12);
    EXPECT_EQ(lines[0].y, 0);
    EXPECT_EQ(lines[0].width, 1);
    EXPECT_EQ(lines[1].width, 2); // bold overlines are 2 pixels
}

TEST(LineLayout, Pictures)
{
    struct Case {
        const char* markup;
        int loads;                // picture loads asked of the device (both passes)
        SIZE size;                // measured
        std::vector<RECT> images; // x, y, width, height as drawn
        bool shadow;
    } cases[] = {
        {"x<bmp idres=5>y", 2, {30, 15}, {{6, 0, 16, 10}}, false},
        {"<bmp idres=5 width=50%>", 2, {10, 12}, {{0, 0, 8, 10}}, false},
        {"<bmp idres=5 width=30 height=20>", 2, {32, 22}, {{0, 0, 30, 20}}, false},
        {"<bmp idres=5 style=s>", 2, {22, 16}, {{0, 0, 16, 10}}, true},
        {"<bmp idres=5 hoverstyle=s>", 2, {22, 16}, {{0, 0, 16, 10}}, true},
        {"<bmp idres=5 width=99999%>", 2, {1026, 12}, {{0, 0, 1024, 10}}, false},
        {"<bmp idres=70000>", 0, {2, 15}, {}, false},
        {"<bmp idres=6>", 2, {2, 15}, {}, false},
        {"<bmp file=\\\\server\\share\\a.bmp>", 0, {2, 15}, {}, false},
        {"<bmp file=//server/a.bmp>", 0, {2, 15}, {}, false},
        {"<bmp file=c:\\pics\\a.bmp>", 2, {10, 10}, {{0, 0, 8, 8}}, false},
        {"<bmp handle=4660>", 2, {14, 14}, {{0, 0, 12, 12}}, false},
        {"<bmp handle=0x1234>", 2, {14, 14}, {{0, 0, 12, 12}}, false},
        {"<bmp handle=999>", 2, {2, 15}, {}, false},
        {"<imglist idres=7 cx=16 cy=16 index=2>", 2, {18, 18}, {{0, 0, 16, 16}}, false},
        {"<imglist idres=7 cx=16 cy=16 index=2 width=50%>", 2, {10, 18}, {{0, 0, 8, 16}}, false},
        {"<imglist idres=7 cx=0 cy=16>", 0, {2, 15}, {}, false},
        {"<imglist idres=7 cx=16 cy=16 index=4>", 2, {2, 15}, {}, false},
        {"<imglist idres=7 cx=100 cy=16>", 2, {2, 15}, {}, false},
        {"<icon idres=9>", 2, {34, 34}, {{0, 0, 32, 32}}, false},
        {"<icon idres=9 width=16 height=16>", 2, {18, 18}, {{0, 0, 16, 16}}, false},
        {"<icon handle=77>", 2, {22, 22}, {{0, 0, 20, 20}}, false},
    };
    for (const Case& c : cases) {
        RichTextDrawer drawer;
        GuardedText guard;
        std::string_view text = guard.Place(c.markup);
        auto prepare = [](FixedMetricsDevice& d) {
            d.bitmapResources[5] = {16, 10};
            d.bitmapResources[7] = {64, 16};
            d.iconResources[9] = {32, 32};
            d.bitmapFiles["c:\\pics\\a.bmp"] = {8, 8};
            d.bitmapHandles[4660] = {12, 12};
            d.iconHandles[77] = {20, 20};
        };
        FixedMetricsDevice measuring, drawing;
        prepare(measuring);
        prepare(drawing);
        SIZE size = drawer.Measure(measuring, text);
        drawer.Draw(drawing, text, RECT{0, 0, 101, 201});
        EXPECT_EQ(measuring.loadCalls + drawing.loadCalls, c.loads) << c.markup;
        EXPECT_EQ(size.cx, c.size.cx) << c.markup;
        EXPECT_EQ(size.cy, c.size.cy) << c.markup;
        auto images = drawing.Ops(FixedMetricsDevice::kImage);
        ASSERT_EQ(images.size(), c.images.size()) << c.markup;
        for (size_t i = 0; i < images.size(); ++i) {
            EXPECT_EQ(images[i].x, c.images[i].left) << c.markup;
            EXPECT_EQ(images[i].y, c.images[i].top) << c.markup;
            EXPECT_EQ(images[i].x2, c.images[i].right) << c.markup;
            EXPECT_EQ(images[i].y2, c.images[i].bottom) << c.markup;
            EXPECT_EQ(images[i].shadow, c.shadow) << c.markup;
        }
        EXPECT_EQ(measuring.openImages, 0) << c.markup;
        EXPECT_EQ(drawing.openImages, 0) << c.markup;
    }
}

TEST(LineLayout, StripCellsAreCutFromTheirPlace)
{
    RichTextDrawer drawer;
    FixedMetricsDevice device;
    device.bitmapResources[7] = {64, 32};
    drawer.Measure(device, "<imglist idres=7 cx=16 cy=16 index=5>");
    ASSERT_EQ(device.cutCells.size(), 1u);
    EXPECT_EQ(device.cutCells[0].left, 16);
    EXPECT_EQ(device.cutCells[0].top, 16);
}

TEST(LineLayout, StringElementAndStringParts)
{
    RichTextDrawer drawer;
    drawer.SetResourceInstance(GetModuleHandleA(nullptr));
    Laid laid;
    LayOut(drawer, "<string idres=103>|<string dllres=102>|<string idres=999>|<string idres=70000>", laid);
    auto texts = laid.device.Ops(FixedMetricsDevice::kText);
    std::string joined;
    for (const auto& t : texts)
        joined += t.text;
    EXPECT_EQ(joined, "字符串|Single part||");

    EXPECT_EQ(drawer.GetStringPart(101, 0), "打开文件");
    EXPECT_EQ(drawer.GetStringPart(101, 1), "打开一个录像文件");
    EXPECT_EQ(drawer.GetStringPart(101, 2), "");
    EXPECT_EQ(drawer.GetStringPart(102, 0), "Single part");
    EXPECT_EQ(drawer.GetStringPart(102, 1), "");
    EXPECT_EQ(drawer.GetStringPart(999, 0), "");
    EXPECT_EQ(drawer.GetStringPart(101, -1), "");
    EXPECT_EQ(drawer.LoadResourceString(4100), "Far block");
    EXPECT_EQ(drawer.LoadResourceString(0), "");
    EXPECT_EQ(drawer.LoadResourceString(200000), "");
}

TEST(LineLayout, DrawingReplaysOnlyWhatWasMeasured)
{
    // Without a measuring pass there are no line records: nothing is drawn.
    RichTextDrawer fresh;
    FixedMetricsDevice device;
    fresh.Draw(device, "abc\ndef", RECT{0, 0, 100, 100});
    EXPECT_TRUE(device.ops.empty());

    // A longer text than the one measured: its extra lines have no records and are not drawn.
    RichTextDrawer drawer;
    FixedMetricsDevice measuring, drawing;
    drawer.Measure(measuring, "one");
    drawer.Draw(drawing, "one\ntwo\nthree<table><tr><td>x</td></tr></table>", RECT{0, 0, 100, 100});
    auto runs = Runs(drawing);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, "one");

    // Runs that differ from the measured ones, in text or in font, are measured anew.
    drawer.Measure(measuring, "ab<b>cd</b><i>e</i>f");
    FixedMetricsDevice other;
    drawer.Draw(other, "abc<b>cd</b>ef", RECT{0, 0, 100, 100});
    std::vector<TextAt> expected = {{"abc", 0, 0}, {"cd", 18, 0}, {"ef", 30, 0}};
    runs = Runs(other);
    ASSERT_EQ(runs.size(), expected.size());
    for (size_t i = 0; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i].text, expected[i].text);
        EXPECT_EQ(runs[i].x, expected[i].x) << runs[i].text;
    }
}

TEST(LineLayout, BoundsOfRunawayMarkup)
{
    RichTextDrawer drawer;
    struct Case {
        std::string markup;
        int maxWidth, maxHeight;
    } cases[] = {
        {std::string(20000, 'x'), 4096, 4096}, {std::string(5000, '\n'), 4096, 4096}, {"<br=99999999999>x", 4096, 4096},
        {"<t=99999999>x", 4096, 4096},         {"<font size=99999999>x", 4096, 4096},
    };
    for (const Case& c : cases) {
        FixedMetricsDevice device;
        SIZE size = drawer.Measure(device, c.markup);
        EXPECT_LE(size.cx, c.maxWidth);
        EXPECT_LE(size.cy, c.maxHeight);
        EXPECT_GE(size.cx, 2);
    }
    // A thousand unclosed opening tags stop growing the style stack; the text still comes out.
    std::string deep;
    for (int i = 0; i < 1000; ++i)
        deep += "<b><i>";
    deep += "end";
    Laid laid;
    LayOut(drawer, deep, laid);
    auto runs = Runs(laid.device);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, "end");
    // The font size after 10 doublings of a repeated <font size=200%> stays in its range.
    std::string grow;
    for (int i = 0; i < 40; ++i)
        grow += "<font size=200%>";
    Laid big;
    LayOut(drawer, grow + "x", big);
    EXPECT_EQ(big.device.Ops(FixedMetricsDevice::kText).at(0).font.height, 1000);
}
