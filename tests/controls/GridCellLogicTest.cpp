#include "controls/GridCellLogic.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace GridCell;

namespace {

const COLORREF kCellText = RGB(1, 1, 1);
const COLORREF kCellBack = RGB(2, 2, 2);
const SystemColors kColors = {RGB(10, 0, 0), RGB(11, 0, 0), RGB(12, 0, 0), RGB(13, 0, 0), RGB(14, 0, 0)};

} // namespace

TEST(GridCellLogic, DrawColors)
{
    struct Case {
        bool selected, fullRow;
        int column;
        bool focused, showSelAlways;
        COLORREF text, back;
    } cases[] = {
        // Unselected rows keep the cell's colours.
        {false, true, 0, true, true, kCellText, kCellBack},
        // Selected with focus: highlight, in column 0 always, elsewhere only with full-row selection.
        {true, true, 2, true, false, kColors.highlightText, kColors.highlight},
        {true, false, 0, true, false, kColors.highlightText, kColors.highlight},
        {true, false, 2, true, true, kCellText, kCellBack},
        // Without focus: window text on button face when the selection shows always, else the cell's own.
        {true, true, 1, false, true, kColors.windowText, kColors.buttonFace},
        {true, false, 0, false, true, kColors.windowText, kColors.buttonFace},
        {true, true, 1, false, false, kCellText, kCellBack},
    };
    for (const Case& c : cases) {
        CellState state = {c.selected, c.fullRow, c.column, c.focused, c.showSelAlways};
        COLORREF text = 0, back = 0;
        DrawColors(state, kCellText, kCellBack, kColors, &text, &back);
        EXPECT_EQ(c.text, text) << c.selected << c.fullRow << c.column << c.focused << c.showSelAlways;
        EXPECT_EQ(c.back, back) << c.selected << c.fullRow << c.column << c.focused << c.showSelAlways;
    }
}

TEST(GridCellLogic, CheckBoxPlaceAndNextState)
{
    RECT cell = {100, 20, 210, 38}; // 110 wide, 18 high: side 17
    RECT box = CheckBoxRect(cell, false);
    EXPECT_EQ(109, box.left);
    EXPECT_EQ(20, box.top);
    EXPECT_EQ(17, box.right - box.left);
    EXPECT_EQ(17, box.bottom - box.top);
    box = CheckBoxRect(cell, true); // centred: 100 + 55 - 8 - 1
    EXPECT_EQ(146, box.left);

    const int states[][2] = {{0, 1}, {1, 0}, {2, 0}, {-5, 0}, {7, 0}};
    for (const auto& s : states)
        EXPECT_EQ(s[1], NextCheckState(s[0])) << s[0];
}

TEST(GridCellLogic, AlignmentAndEditPlacement)
{
    EXPECT_EQ(UINT(DT_LEFT), Alignment(LVCFMT_LEFT));
    EXPECT_EQ(UINT(DT_CENTER), Alignment(LVCFMT_CENTER));
    EXPECT_EQ(UINT(DT_RIGHT), Alignment(LVCFMT_RIGHT));
    EXPECT_EQ(UINT(DT_RIGHT), Alignment(LVCFMT_JUSTIFYMASK)); // both bits: the right bit wins

    EXPECT_EQ(0, ScrollToCell(0, 300));
    EXPECT_EQ(0, ScrollToCell(300, 300)); // at the right edge: still visible
    EXPECT_EQ(-40, ScrollToCell(-40, 300));
    EXPECT_EQ(301, ScrollToCell(301, 300));

    RECT edit = EditBoxRect(60, 90, 20, 37, 400);
    EXPECT_EQ(62, edit.left);
    EXPECT_EQ(148, edit.right);
    EXPECT_EQ(21, edit.top);
    EXPECT_EQ(37, edit.bottom);
    EXPECT_EQ(300, EditBoxRect(250, 90, 20, 37, 300).right); // cut at the client's right edge
}
