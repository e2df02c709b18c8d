#include <gtest/gtest.h>

#include "station/ui/liveview/PaneGeometry.h"

#include <vector>

namespace {

struct RectCase {
    int mode;
    int position;
    int width;
    int height;
    RECT expected; // left, top, right, bottom
};

TEST(PaneGeometry, PositionsOfEverySplitMode)
{
    const RectCase cases[] = {
        // 1023 x 767 in the 16-split: columns 255 wide, the last 258; rows 191 high, the last 194.
        {16, 0, 1023, 767, {0, 0, 255, 191}},
        {16, 3, 1023, 767, {765, 0, 1023, 191}},
        {16, 12, 1023, 767, {0, 573, 255, 767}},
        {16, 15, 1023, 767, {765, 573, 1023, 767}},
        // The 8-split on 800 x 600: large pane 600 x 450, the others 200 x 150.
        {8, 0, 800, 600, {0, 0, 600, 450}},
        {8, 1, 800, 600, {600, 0, 800, 150}},
        {8, 3, 800, 600, {600, 300, 800, 450}},
        {8, 4, 800, 600, {0, 450, 200, 600}},
        {8, 6, 800, 600, {400, 450, 600, 600}},
        {8, 7, 800, 600, {600, 450, 800, 600}},
        {9, 0, 1000, 700, {0, 0, 333, 233}},
        {9, 8, 1000, 700, {666, 466, 1000, 700}},
        {4, 3, 1001, 701, {500, 350, 1001, 701}},
        {1, 0, 640, 480, {0, 0, 640, 480}},
        {6, 0, 1000, 700, {0, 0, 666, 466}},
        {6, 1, 1000, 700, {666, 0, 1000, 233}},
        {6, 2, 1000, 700, {666, 233, 1000, 466}},
        {6, 3, 1000, 700, {0, 466, 333, 700}},
        {6, 4, 1000, 700, {333, 466, 666, 700}},
        {6, 5, 1000, 700, {666, 466, 1000, 700}},
        // A mode outside the six counts as 16.
        {7, 15, 1023, 767, {765, 573, 1023, 767}},
        // A position outside the mode is empty.
        {4, 4, 800, 600, {0, 0, 0, 0}},
    };
    for (const RectCase& c : cases) {
        RECT r = SplitPositionRect(c.mode, c.position, c.width, c.height);
        EXPECT_EQ(c.expected.left, r.left) << c.mode << "/" << c.position;
        EXPECT_EQ(c.expected.top, r.top) << c.mode << "/" << c.position;
        EXPECT_EQ(c.expected.right, r.right) << c.mode << "/" << c.position;
        EXPECT_EQ(c.expected.bottom, r.bottom) << c.mode << "/" << c.position;
    }
}

TEST(PaneGeometry, PositionsTileTheWholeArea)
{
    const int modes[] = {1, 4, 6, 8, 9, 16};
    for (int mode : modes) {
        long long area = 0;
        for (int k = 0; k < SplitPositionCount(mode); ++k) {
            RECT r = SplitPositionRect(mode, k, 1023, 767);
            area += static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
        }
        EXPECT_EQ(1023LL * 767, area) << mode;
    }
}

struct GroupCase {
    int mode;
    int selected;
    std::vector<int> panes;
};

TEST(PaneGeometry, GroupsHoldTheSelectedPane)
{
    const GroupCase cases[] = {
        {6, 13, {12, 13, 14, 15, 0, 1}},
        {9, 10, {0, 1, 9, 10, 11, 12, 13, 14, 15}},
        {6, 8, {6, 7, 8, 9, 10, 11}},
        {6, 0, {0, 1, 2, 3, 4, 5}},
        {9, 8, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {4, 7, {4, 5, 6, 7}},
        {8, 15, {8, 9, 10, 11, 12, 13, 14, 15}},
        {1, 11, {11}},
        {16, 5, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
    };
    for (const GroupCase& c : cases) {
        int panes[16];
        int n = SplitGroupPanes(c.mode, SplitGroupOf(c.mode, c.selected), c.selected, panes);
        EXPECT_EQ(c.panes, std::vector<int>(panes, panes + n)) << c.mode << "/" << c.selected;
    }
}

TEST(PaneGeometry, SplitModesOutsideTheSixCountAs16)
{
    EXPECT_EQ(16, NormaliseSplitMode(16));
    EXPECT_EQ(16, NormaliseSplitMode(0));
    EXPECT_EQ(16, NormaliseSplitMode(-1));
    EXPECT_EQ(16, NormaliseSplitMode(12));
    EXPECT_EQ(6, NormaliseSplitMode(6));
    EXPECT_FALSE(IsValidSplitMode(2));
}

} // namespace
