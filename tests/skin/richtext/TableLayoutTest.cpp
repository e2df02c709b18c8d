// Tables as numbers (fixed metrics: a body glyph is 6 x 13, cells have margins 2): spans, borders, fills,
// widths, nesting, and the damaged shapes that must lay out inside their grid. Every input ends at a guard
// page and the layout is built with bounds-checked containers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/skin/richtext/FixedMetricsDevice.h"
#include "tests/skin/richtext/GuardedText.h"
#include "skin/engine/richtext/RichTextDrawer.h"

namespace {

class TableTest : public testing::Test {
protected:
    // Measures and draws markup; the drawing rectangle's inner width is width - 1.
    SIZE Lay(std::string_view markup, int width = 101)
    {
        std::string_view text = guard.Place(markup);
        measuring = FixedMetricsDevice();
        drawing = FixedMetricsDevice();
        measuring.bitmapResources[5] = drawing.bitmapResources[5] = {8, 8};
        SIZE size = drawer.Measure(measuring, text);
        drawer.Draw(drawing, text, RECT{0, 0, width, 401});
        return size;
    }
    const std::deque<TableRecord>& Store() { return drawer.Layout().Tables().Store(); }
    std::vector<FixedMetricsDevice::Op> Texts() { return drawing.Ops(FixedMetricsDevice::kText); }
    std::vector<FixedMetricsDevice::Op> Frames() { return drawing.Ops(FixedMetricsDevice::kFrame); }
    std::vector<FixedMetricsDevice::Op> Fills() { return drawing.Ops(FixedMetricsDevice::kFill); }
    const FixedMetricsDevice::Op* TextOp(const std::string& text)
    {
        for (const auto& op : drawing.ops)
            if (op.kind == FixedMetricsDevice::kText && op.text == text) {
                last = op;
                return &last;
            }
        return nullptr;
    }

    GuardedText guard{1 << 20};
    RichTextDrawer drawer;
    FixedMetricsDevice measuring, drawing;
    FixedMetricsDevice::Op last{FixedMetricsDevice::kText};
};

void ExpectRect(const RECT& r, int left, int top, int right, int bottom)
{
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

} // namespace

TEST_F(TableTest, BordersWidenColumnsToTheRectangle)
{
    SIZE size = Lay("<table border=1><tr><td>a</td><td>bb</td></tr></table>");
    ASSERT_EQ(Store().size(), 1u);
    const TableRecord& t = Store()[0];
    ASSERT_EQ(t.columns, 2);
    ASSERT_EQ(t.rows, 1);
    EXPECT_EQ(t.cells[0].fullWidth, 12); // text + margins 2 + 2 + cell border 1 + 1
    EXPECT_EQ(t.cells[1].fullWidth, 18);
    EXPECT_EQ(t.cells[0].fullHeight, 19);
    EXPECT_EQ(size.cx, 34); // 12 + 18 + the table border 2, and the drawer's 2
    EXPECT_EQ(size.cy, 23);

    auto frames = Frames();
    ASSERT_EQ(frames.size(), 3u);
    ExpectRect(frames[0].rect, 0, 0, 100, 21);
    EXPECT_EQ(frames[0].width, 1);
    ExpectRect(frames[1].rect, 1, 1, 47, 20); // 98 inner pixels shared: 12 + 34 and 18 + 34
    ExpectRect(frames[2].rect, 47, 1, 99, 20);
    ASSERT_NE(TextOp("a"), nullptr);
    EXPECT_EQ(last.x, 4);
    EXPECT_EQ(last.y, 4);
    ASSERT_NE(TextOp("bb"), nullptr);
    EXPECT_EQ(last.x, 50);

    // An odd number of spare pixels: the first column takes the odd one.
    Lay("<table border=1><tr><td>a</td><td>bb</td></tr></table>", 100);
    frames = Frames();
    ASSERT_EQ(frames.size(), 3u);
    ExpectRect(frames[1].rect, 1, 1, 47, 20);
    ExpectRect(frames[2].rect, 47, 1, 98, 20);
}

TEST_F(TableTest, SpansShareTheirSize)
{
    Lay("<table><tr><td>a</td><td>a</td></tr><tr><td colspan=2><font size=14>aaa</font></td></tr></table>");
    ASSERT_EQ(Store().size(), 1u);
    EXPECT_EQ(Store()[0].columnWidths, (std::vector<int32_t>{12, 13})); // the odd pixel to the last column

    Lay("<table><tr><td rowspan=2>a\nb\nc</td><td>x</td></tr><tr><td>y</td></tr></table>");
    const TableRecord& t = Store()[0];
    EXPECT_EQ(t.rowHeights, (std::vector<int32_t>{22, 21})); // the odd pixel to the first row
    ASSERT_EQ(t.columns, 2);
    EXPECT_EQ(t.cells[2].colSpan, -1); // row 1, column 0: covered
    EXPECT_EQ(t.cells[3].colSpan, 1);  // "y" is pushed to column 1
    ASSERT_NE(TextOp("y"), nullptr);
    EXPECT_GT(last.x, 6);
}

TEST_F(TableTest, WidthsAlignmentAndNesting)
{
    SIZE size = Lay("<table width=50%><tr><td>aaaaaaaaaaaaaaaa</td></tr></table>", 401);
    EXPECT_EQ(size.cx, 202); // content 100 is half of 200
    auto frames = Frames();
    ASSERT_FALSE(frames.empty());
    ExpectRect(frames[0].rect, 0, 0, 200, 17);

    Lay("<table width=50% align=center><tr><td>aaaaaaaaaaaaaaaa</td></tr></table>", 401);
    ExpectRect(Frames()[0].rect, 100, 0, 300, 17);
    Lay("<table width=150><tr><td>a</td></tr></table>", 401);
    EXPECT_EQ(Frames()[0].rect.right, 150); // a length holds in both passes
    EXPECT_EQ(Lay("<table width=150><tr><td>a</td></tr></table>").cx, 152);

    // A nested table is drawn in its cell's inner width.
    Lay("<table><tr><td><table bgcolor=red><tr><td>n</td></tr></table></td><td>x</td></tr></table>");
    auto fills = Fills();
    ASSERT_EQ(fills.size(), 2u); // the table, and its cell inheriting the fill
    ExpectRect(fills[0].rect, 2, 2, 50, 19);
    EXPECT_EQ(fills[0].color, RGB(255, 0, 0));
    EXPECT_EQ(Store().size(), 2u);

    // Text and tables are stacked; the widest decides the width.
    size = Lay("x<table border=1><tr><td>a</td></tr></table>yyyy");
    EXPECT_EQ(size.cx, 26);
    EXPECT_EQ(size.cy, 49);
    ASSERT_NE(TextOp("yyyy"), nullptr);
    EXPECT_EQ(last.y, 34);
}

TEST_F(TableTest, FillsBackgroundsAndBoxes)
{
    // The table is filled first, then each cell, which inherits the table's fill.
    Lay("<table bgcolor=red><tr><td>x</td></tr></table>");
    ASSERT_EQ(Fills().size(), 2u);
    EXPECT_EQ(Fills()[0].style, 0);
    EXPECT_EQ(Fills()[0].color, RGB(255, 0, 0));
    ExpectRect(Fills()[0].rect, 0, 0, 100, 17);
    // Attribute values are taken as written: the name is not found, and the fill stays white.
    Lay("<table bgcolor=RED><tr><td>x</td></tr></table>");
    ASSERT_EQ(Fills().size(), 2u);
    EXPECT_EQ(Fills()[0].color, RGB(255, 255, 255));
    Lay("<table bgeffect=hgradient bgcolor=black bgendcolor=white><tr><td>x</td></tr></table>");
    ASSERT_EQ(Fills().size(), 2u);
    EXPECT_EQ(Fills()[0].style, 1);
    EXPECT_EQ(Fills()[0].color2, RGB(255, 255, 255));
    Lay("<table><tr><td bgcolor=blue>x</td></tr></table>");
    ASSERT_EQ(Fills().size(), 1u);

    Lay("<table background=idres:5><tr><td>x</td></tr></table>");
    ASSERT_EQ(drawing.Ops(FixedMetricsDevice::kTile).size(), 1u);
    EXPECT_EQ(drawing.openImages, 0);
    Lay("<table background=idres:99><tr><td>x</td></tr></table>");
    EXPECT_TRUE(drawing.Ops(FixedMetricsDevice::kTile).empty());

    Lay("<table border=1 borderstyle=double cellpadding=5 cellspacing=3><tr><td>a</td></tr></table>");
    EXPECT_EQ(Store()[0].cells[0].fullWidth, 6 + 10 + 6 + 6); // margins 5, paddings 3, double border 3

    Lay("<table><tr><td valign=middle>a</td><td>b\nc</td></tr><tr><td valign=bottom>d</td><td>e\nf</td></tr>"
        "</table>");
    ASSERT_NE(TextOp("a"), nullptr);
    EXPECT_EQ(last.y, 8);
    // "bottom" puts the content at the foot of the cell, and the text of the content at the foot of its line.
    ASSERT_NE(TextOp("d"), nullptr);
    EXPECT_EQ(last.y, 30 + 15 + 3);
}

TEST_F(TableTest, TagsAreMatchedExactly)
{
    SIZE size = Lay("<table><tr><TD>x</TD></tr></table>");
    EXPECT_EQ(size.cx, 2);
    EXPECT_TRUE(Texts().empty());

    Lay("<TABLE><TR><TD>x</TD></TR></TABLE>");
    ASSERT_EQ(Texts().size(), 1u); // not a table: its tags are unknown, its text is drawn
    EXPECT_TRUE(Store().empty());
    // Neither is a longer tag name, nor an escaped "<".
    Lay("<tablex><tr><td>x</td></tr></table>a<<table>b");
    ASSERT_EQ(Texts().size(), 2u);
    EXPECT_EQ(Texts()[0].text, "x");
    EXPECT_EQ(Texts()[1].text, "a<table>b");
    EXPECT_TRUE(Store().empty());

    // A table whose rows are never closed has no columns.
    EXPECT_EQ(Lay("<table><tr><td>a</td><td>b</td></table>").cx, 2);
    // A cell left open runs to the end; the tags in it are inline markup.
    Lay("<table><tr><td>a</tr></table>");
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].text, "a");
}

TEST_F(TableTest, DamagedShapesStayInsideTheirGrid)
{
    struct Case {
        const char* name;
        std::string markup;
        int columns, rows;
        std::vector<std::string> drawn;
    } cases[] = {
        {"rowspan past the end", "<table><tr><td rowspan=5>a</td><td>b</td></tr></table>", 2, 1, {"a", "b"}},
        {"placeholders pushing columns",
         "<table><tr><td rowspan=2>a</td><td>b</td></tr><tr><td>c</td><td>d</td></tr></table>",
         3,
         2,
         {"a", "b", "c", "d"}},
        {"row without its /tr", "<table><tr><td>a</td><tr><td>b</td><td>c</td></tr></table>", 3, 1, {"a", "b", "c"}},
        {"track is not a row", "<table><tr><td>a</td></tr><track><td>b</td></table>", 1, 1, {"a"}},
        {"huge spans",
         "<table><tr><td colspan=99999 rowspan=99999>a</td><td>b</td></tr><tr><td>c</td></tr></table>",
         1000,
         2,
         {"a"}},
        {"colspan in em", "<table><tr><td colspan=99em>a</td></tr></table>", 1000, 1, {"a"}},
        {"zero and empty spans",
         "<table><tr><td colspan=0>a</td><td colspan= rowspan=>b</td></tr></table>",
         2,
         1,
         {"a", "b"}},
        {"cell outside a row", "<table><td>x</td><tr><td>a</td></tr></table>", 1, 1, {"a"}},
        {"unclosed table", "<table><tr><td>a</td></tr>", 1, 1, {"a"}},
        {"cut table tag", "<table", 0, 0, {}},
        {"cut cell", "<table><tr><td>a</tr><td", 1, 1, {"a"}},
        {"nested table between rows",
         "<table><tr><td>a</td></tr><table><tr><td>n</td></tr></table><tr><td>b</td></tr></table>",
         1,
         2,
         {"a", "b"}},
    };
    for (const Case& c : cases) {
        Lay(c.markup);
        if (c.columns == 0) {
            EXPECT_TRUE(Store().empty() || Store()[0].columns == 0) << c.name;
        } else {
            ASSERT_FALSE(Store().empty()) << c.name;
            EXPECT_EQ(Store()[0].columns, c.columns) << c.name;
            EXPECT_EQ(Store()[0].rows, c.rows) << c.name;
        }
        std::vector<std::string> drawn;
        for (const auto& op : Texts())
            drawn.push_back(op.text);
        EXPECT_EQ(drawn, c.drawn) << c.name;
    }
}

TEST_F(TableTest, DeepNestingIsCapped)
{
    std::string markup;
    for (int i = 0; i < 50; ++i)
        markup += "<table border=1><tr><td>";
    markup += "x";
    for (int i = 0; i < 50; ++i)
        markup += "</td></tr></table>";
    SIZE size = Lay(markup);
    EXPECT_EQ(Store().size(), 8u); // deeper tables are read as text
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].text, "x");
    EXPECT_LE(size.cx, RichTextLimits::kMaxMeasure);
}

TEST_F(TableTest, GridBudgetsHold)
{
    // Many tables each asking for a thousand columns share one budget; past it tables have no grid.
    std::string markup;
    for (int i = 0; i < 400; ++i)
        markup += "<table><tr><td colspan=1000>x</td></tr></table>";
    Lay(markup);
    int64_t cells = 0;
    for (const TableRecord& t : Store())
        cells += int64_t(t.columns) * t.rows;
    EXPECT_LE(cells, RichTextLimits::kMaxStoreCells);
    EXPECT_EQ(Store().size(), 400u);

    // A long table keeps to the per-table grid limit.
    std::string rows = "<table>";
    for (int i = 0; i < 3000; ++i)
        rows += "<tr><td>a</td><td>b</td><td>c</td><td>d</td><td>e</td><td>f</td></tr>";
    rows += "</table>";
    Lay(rows);
    ASSERT_EQ(Store().size(), 1u);
    EXPECT_LE(int64_t(Store()[0].columns) * Store()[0].rows, RichTextLimits::kMaxTableCells);
    EXPECT_EQ(Store()[0].rows, 3000);
}
