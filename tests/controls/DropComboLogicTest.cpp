#include "controls/DropComboLogic.h"

#include <gtest/gtest.h>

using namespace DropCombo;

namespace {

DropHeightInput Height(int comboTop, int comboBottom, int items, int maxVisible)
{
    return {16, items, comboTop, comboBottom, 768, maxVisible, 5, 17};
}

} // namespace

TEST(DropComboGeometry, VerticalPlacement)
{
    struct Case {
        DropHeightInput in;
        int top, height;
    } cases[] = {
        {Height(80, 100, 20, 8), 100, 8 * 16 + 2},      // limited: 8 rows, the rest scrolls
        {Height(80, 100, 5, 8), 100, 5 * 16 + 2},       // fewer items than the limit: as high as they are
        {Height(80, 100, 100, -1), 100, 768 - 100},     // no limit: cut at the screen bottom
        {Height(80, 100, 0, -1), 100, 17},              // never lower than a scroll arrow
        {Height(580, 600, 50, 20), 600, 768 - 600 + 2}, // the limit passes the screen bottom
        {Height(700, 720, 20, -1), 700 - 322, 322},     // 3 rows below: opens upwards
        {Height(700, 720, 20, 8), 700 - 130, 130},      // upwards with the limit
        {Height(100, 760, 20, -1), 0, 100},             // upwards, cut at the screen top
        {Height(600, 688, 20, -1), 688, 768 - 688},     // exactly 5 rows below still opens downwards
    };
    for (const Case& c : cases) {
        Span span = DropVertical(c.in);
        EXPECT_EQ(c.top, span.pos) << "combo " << c.in.comboTop << "-" << c.in.comboBottom << " items "
                                   << c.in.itemCount;
        EXPECT_EQ(c.height, span.size) << "combo " << c.in.comboTop << "-" << c.in.comboBottom << " items "
                                       << c.in.itemCount;
    }
}

TEST(DropComboGeometry, HorizontalPlacement)
{
    struct Case {
        int widest, x;
        int expectX, expectWidth;
    } cases[] = {
        {40, 200, 200, 120},         // short texts: exactly the combo's width
        {90, 200, 200, 120},         // wider than the list part but not than the combo
        {300, 200, 200, 325},        // text + scroll bar + 8
        {300, 900, 1024 - 325, 325}, // moved left to end at the screen's right edge
        {2000, 200, 0, 1024},        // wider than the screen
        {40, 0, 0, 120},             // starting at x = 0
        {40, -50, 0, 120},           // starting left of the screen
    };
    for (const Case& c : cases) {
        Span span = DropHorizontal({c.widest, 17, c.x, 120, 120, 1024});
        EXPECT_EQ(c.expectX, span.pos) << "widest " << c.widest << " x " << c.x;
        EXPECT_EQ(c.expectWidth, span.size) << "widest " << c.widest << " x " << c.x;
    }
}

TEST(DropComboGeometry, GripStopsAtInitialSizePlusHundred)
{
    // Initial size 120 x 130: the grip may give 220 x 230 at most and never less than the combo's width.
    GripInput far = {5000, 5000, 4, 6, 120, 220, 230, 17, 17};
    Size2 size = GripSize(far);
    EXPECT_EQ(220, size.cx);
    EXPECT_EQ(230, size.cy);

    GripInput small = {0, 0, 4, 6, 120, 220, 230, 17, 17};
    size = GripSize(small);
    EXPECT_EQ(120, size.cx);
    EXPECT_EQ(18, size.cy);

    GripInput inside = {150, 100, 4, 6, 120, 220, 230, 17, 17};
    size = GripSize(inside);
    EXPECT_EQ(154, size.cx);
    EXPECT_EQ(108, size.cy);
}

TEST(DropComboPaging, OpenList)
{
    // 20 rows, 8 visible.
    EXPECT_EQ(0, ListPageDown(-1, 0, 8, 20));
    EXPECT_EQ(7, ListPageDown(0, 0, 8, 20));    // to the last visible row
    EXPECT_EQ(14, ListPageDown(7, 0, 8, 20));   // one page further
    EXPECT_EQ(19, ListPageDown(17, 10, 8, 20)); // never beyond the last row
    EXPECT_EQ(-1, ListPageDown(19, 12, 8, 20)); // last row selected: nothing
    EXPECT_EQ(-1, ListPageDown(-1, 0, 8, 0));

    EXPECT_EQ(-1, ListPageUp(0, 0, 8));
    EXPECT_EQ(-1, ListPageUp(-1, 0, 8));
    EXPECT_EQ(0, ListPageUp(7, 0, 8));   // to the top visible row
    EXPECT_EQ(3, ListPageUp(10, 10, 8)); // one page higher
    EXPECT_EQ(0, ListPageUp(3, 3, 8));   // at least row 0
}

TEST(DropComboPaging, ClosedMovesTenItems)
{
    EXPECT_EQ(10, ClosedPageDown(-1, 20));
    EXPECT_EQ(15, ClosedPageDown(5, 20));
    EXPECT_EQ(19, ClosedPageDown(15, 20));
    EXPECT_EQ(19, ClosedPageDown(19, 20));
    EXPECT_EQ(10, ClosedPageDown(25, 20)); // a stale index starts at 0
    EXPECT_EQ(-1, ClosedPageDown(-1, 0));

    EXPECT_EQ(5, ClosedPageUp(15, 20));
    EXPECT_EQ(0, ClosedPageUp(5, 20));
    EXPECT_EQ(0, ClosedPageUp(-1, 20));
}

TEST(DropComboKeys, StepsSkipDisabledItems)
{
    std::vector<bool> disabled = {false, true, true, false, true};
    EXPECT_EQ(3, NextEnabled(disabled, 0, 1));
    EXPECT_EQ(-1, NextEnabled(disabled, 3, 1)); // only disabled items follow
    EXPECT_EQ(0, NextEnabled(disabled, 3, -1));
    EXPECT_EQ(0, NextEnabled(disabled, -1, 1));
    EXPECT_EQ(-1, NextEnabled(disabled, -1, -1)); // Up without a selection changes nothing
    EXPECT_EQ(-1, NextEnabled({}, -1, 1));

    EXPECT_EQ(3, SkipDisabledRow(disabled, 0, 1)); // moving down
    EXPECT_EQ(0, SkipDisabledRow(disabled, 3, 2)); // moving up
    EXPECT_EQ(4, SkipDisabledRow(disabled, 3, 4)); // runs past the end: the row as asked
    EXPECT_EQ(7, SkipDisabledRow(disabled, 0, 7));
}

TEST(DropComboWheel, TenSmallNotchesMakeOneStep)
{
    int accumulated = 0;
    int steps = 0;
    for (int notch = 1; notch <= 10; ++notch) {
        int step = WheelStep(accumulated, 12);
        EXPECT_EQ(notch == 10 ? -1 : 0, step) << "notch " << notch;
        steps += step != 0;
    }
    EXPECT_EQ(1, steps);
    EXPECT_EQ(0, accumulated);
    EXPECT_EQ(1, WheelStep(accumulated, -240));
    EXPECT_EQ(0, accumulated);

    EXPECT_EQ(0, WheelTopRow(2, -1, 20));
    EXPECT_EQ(7, WheelTopRow(4, 1, 20));
    EXPECT_EQ(20, WheelTopRow(19, 1, 20));
}

TEST(DropComboMatching, ExactAppendAndSuggest)
{
    std::vector<std::string> items = {"alpha", "beta", "alpine", "Alpha", "beta", "al"};
    EXPECT_EQ(1, FindStringExact(items, -1, "beta"));
    EXPECT_EQ(4, FindStringExact(items, 2, "beta"));
    EXPECT_EQ(3, FindStringExact(items, 0, "Alpha")); // case counts
    EXPECT_EQ(-1, FindStringExact(items, 7, "beta"));
    EXPECT_EQ(-1, FindStringExact(items, -1, "gamma"));
    EXPECT_EQ(-1, FindStringExact({}, -1, ""));

    EXPECT_EQ(0, AppendMatch(items, "alp"));
    EXPECT_EQ(3, AppendMatch(items, "Al"));
    EXPECT_EQ(-1, AppendMatch(items, ""));
    EXPECT_EQ(-1, AppendMatch(items, "alphabet"));

    EXPECT_EQ((std::vector<int>{0, 2}), SuggestMatches(items, "al")); // "al" itself is never offered
    EXPECT_EQ((std::vector<int>{2}), SuggestMatches(items, "alpi"));
    EXPECT_TRUE(SuggestMatches(items, "").empty());
    EXPECT_TRUE(SuggestMatches(items, "beta").empty());
}
