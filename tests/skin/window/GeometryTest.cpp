// The skinners' pure geometry by tables: frame and dialog hit tests, the client inside the frame, the
// menu-bar wrapping rule, popup placement against the work area, and the double-click timing.
#include <gtest/gtest.h>

#include <vector>

#include "skin/skinners/menu/MenuBarWrap.h"
#include "skin/skinners/menu/PopupPlacement.h"
#include "skin/skinners/window/CaptionStatic.h"
#include "skin/skinners/window/FrameElement.h"
#include "skin/skinners/window/FrameGeometry.h"
#include "skin/skinners/window/FrameWindowSkinner.h"

namespace {

// A 200 x 100 window: 30-pixel caption row, 4-pixel sides, 6-pixel bottom row, corners 20 wide.
const RECT kSections[9] = {
    {0, 0, 20, 30},     {20, 0, 180, 30}, {180, 0, 200, 30},  {0, 30, 4, 94},      {4, 30, 196, 94},
    {196, 30, 200, 94}, {0, 94, 20, 100}, {20, 94, 180, 100}, {180, 94, 200, 100},
};

// A shaped frame: the top-left corner section is left out (a transparent corner).
RECT ShapedSections(int index)
{
    return index == 0 ? RECT{0, 0, 0, 0} : kSections[index];
}

struct HitCase {
    int x, y;
    int resizable, fixed, maximized;
};

TEST(FrameHitTest, SectionsCornersAndTopStrip)
{
    const HitCase cases[] = {
        {1, 1, HTTOPLEFT, HTCAPTION, HTCAPTION},        {10, 10, HTCAPTION, HTCAPTION, HTCAPTION},
        {100, 2, HTTOP, HTCAPTION, HTCAPTION},          {100, 20, HTCAPTION, HTCAPTION, HTCAPTION},
        {198, 2, HTTOPRIGHT, HTCAPTION, HTCAPTION},     {185, 20, HTCAPTION, HTCAPTION, HTCAPTION},
        {2, 50, HTLEFT, HTNOWHERE, HTNOWHERE},          {198, 50, HTRIGHT, HTNOWHERE, HTNOWHERE},
        {100, 50, HTCLIENT, HTCLIENT, HTCLIENT},        {1, 98, HTBOTTOMLEFT, HTNOWHERE, HTNOWHERE},
        {10, 95, HTBOTTOM, HTNOWHERE, HTNOWHERE},       {100, 97, HTBOTTOM, HTNOWHERE, HTNOWHERE},
        {198, 98, HTBOTTOMRIGHT, HTNOWHERE, HTNOWHERE}, {185, 95, HTBOTTOM, HTNOWHERE, HTNOWHERE},
        {250, 50, HTERROR, HTERROR, HTNOWHERE},         {-1, -1, HTERROR, HTERROR, HTNOWHERE},
    };
    for (const HitCase& c : cases) {
        const POINT p = {c.x, c.y};
        FrameHitState state = {true, false, {0, 0, 0, 0}, 0};
        EXPECT_EQ(c.resizable, FrameHitTest(kSections, p, state)) << c.x << "," << c.y << " resizable";
        state.resizable = false;
        EXPECT_EQ(c.fixed, FrameHitTest(kSections, p, state)) << c.x << "," << c.y << " fixed";
        state.resizable = true;
        state.maximized = true;
        EXPECT_EQ(c.maximized, FrameHitTest(kSections, p, state)) << c.x << "," << c.y << " maximized";
    }
}

TEST(FrameHitTest, MenuBarElementsAndShapedCorners)
{
    FrameHitState state = {true, false, {4, 30, 196, 50}, 0};
    EXPECT_EQ(HTMENU, FrameHitTest(kSections, POINT{100, 40}, state));
    state.maximized = true;
    EXPECT_EQ(HTMENU, FrameHitTest(kSections, POINT{100, 40}, state)) << "the menu bar before the maximized rule";
    state = FrameHitState{true, false, {0, 0, 0, 0}, HTCLOSE};
    EXPECT_EQ(HTCLOSE, FrameHitTest(kSections, POINT{185, 10}, state)) << "an element answers first";

    RECT shaped[9];
    for (int i = 0; i < 9; ++i)
        shaped[i] = ShapedSections(i);
    state = FrameHitState{true, false, {0, 0, 0, 0}, 0};
    EXPECT_EQ(HTERROR, FrameHitTest(shaped, POINT{1, 1}, state)) << "a transparent corner is in no section";
}

TEST(DialogHitTest, FixedAndResizableDialogs)
{
    const HitCase cases[] = {
        // x, y: resizable, fixed, zoomed
        {1, 1, HTTOPLEFT, HTCAPTION, HTCAPTION}, {100, 2, HTTOP, HTCAPTION, HTCAPTION},
        {2, 50, HTLEFT, HTNOWHERE, HTNOWHERE},   {198, 98, HTBOTTOMRIGHT, HTNOWHERE, HTNOWHERE},
        {100, 50, HTCLIENT, HTCLIENT, HTCLIENT}, {250, 50, HTNOWHERE, HTNOWHERE, HTNOWHERE},
    };
    for (const HitCase& c : cases) {
        const POINT p = {c.x, c.y};
        EXPECT_EQ(c.resizable, DialogHitTest(kSections, p, true, false, 0)) << c.x << "," << c.y;
        EXPECT_EQ(c.fixed, DialogHitTest(kSections, p, false, false, 0)) << c.x << "," << c.y;
        EXPECT_EQ(c.maximized, DialogHitTest(kSections, p, true, true, 0)) << c.x << "," << c.y;
    }
    EXPECT_EQ(HTCAPTION, DialogHitTest(kSections, POINT{100, 50}, true, false, HTCAPTION));
}

TEST(FrameGeometry, ClientInsideTheFrameAndLeastSize)
{
    const RECT client = FrameClientRect(RECT{100, 100, 300, 200}, kSections, 20);
    EXPECT_EQ(104, client.left);
    EXPECT_EQ(296, client.right);
    EXPECT_EQ(150, client.top) << "caption row plus menu bar";
    EXPECT_EQ(194, client.bottom);
    const RECT tiny = FrameClientRect(RECT{0, 0, 5, 5}, kSections, 0);
    EXPECT_LE(tiny.left, tiny.right) << "never inverted";
    EXPECT_LE(tiny.top, tiny.bottom);
    const SIZE least = FrameMinTrackSize(kSections);
    EXPECT_EQ(42, least.cx);
    EXPECT_EQ(38, least.cy);
}

struct WrapCase {
    int width;
    std::vector<int> items;
    int mdiReserve;
    int rows;
    std::vector<int> rowOfItem;
};

TEST(MenuBarWrap, OneRuleForHeightAndLayout)
{
    const WrapCase cases[] = {
        {200, {}, 0, 0, {}},
        {200, {40, 40, 40}, 0, 1, {1, 1, 1}},
        {100, {40, 40, 40}, 0, 2, {1, 1, 2}},  // 4 + 40 + 40 = 84, the third passes 100
        {78, {40, 40, 40}, 0, 3, {1, 2, 3}},   // the indent pushes the second item down
        {30, {50, 50}, 0, 2, {1, 2}},          // a too-wide first item overhangs, no empty row
        {200, {40, 40, 40}, 80, 2, {1, 1, 1}}, // the MDI buttons need a row of their own
        {200, {40, 40, 40}, 40, 1, {1, 1, 1}},
    };
    for (const WrapCase& c : cases) {
        const RECT area = {0, 10, c.width, 100};
        const MenuBarWrap wrap = WrapMenuBar(area, 4, c.items, 18, c.mdiReserve);
        EXPECT_EQ(c.rows, wrap.rows) << "width " << c.width;
        EXPECT_EQ(c.rows * 20, wrap.height) << "width " << c.width;
        ASSERT_EQ(c.items.size(), wrap.items.size());
        for (size_t i = 0; i < c.items.size(); ++i) {
            EXPECT_EQ(10 + (c.rowOfItem[i] - 1) * 20, wrap.items[i].top) << "width " << c.width << " item " << i;
            // Every item lies within the measured height: the client starts below the last row.
            EXPECT_LE(wrap.items[i].bottom, 10 + wrap.height);
        }
    }
}

struct PlaceCase {
    POINT at;
    UINT flags;
    SIZE size;
    RECT expected;
};

TEST(PopupPlacement, FlagsAgainstTheWorkArea)
{
    const RECT work = {0, 0, 800, 600};
    const PlaceCase cases[] = {
        {{100, 100}, 0, {50, 80}, {100, 100, 150, 180}},
        {{100, 100}, TPM_RIGHTALIGN, {50, 80}, {50, 100, 100, 180}},
        {{100, 100}, TPM_CENTERALIGN, {50, 80}, {75, 100, 125, 180}},
        {{100, 100}, TPM_BOTTOMALIGN, {50, 80}, {100, 20, 150, 100}},
        {{100, 100}, TPM_VCENTERALIGN, {50, 80}, {100, 60, 150, 140}},
        {{790, 590}, 0, {50, 80}, {750, 520, 800, 600}}, // shifted inside
        {{10, 10}, TPM_BOTTOMALIGN | TPM_RIGHTALIGN, {50, 80}, {0, 0, 50, 80}},
        {{100, 100}, 0, {50, 900}, {100, 0, 150, 600}}, // taller than the area: spans it
        {{100, 100}, 0, {1000, 80}, {0, 100, 800, 180}},
    };
    for (const PlaceCase& c : cases) {
        const RECT r = PlaceTrackedPopup(c.size, c.at, c.flags, work);
        EXPECT_TRUE(EqualRect(&r, &c.expected)) << c.at.x << "," << c.at.y << " flags " << c.flags << ": " << r.left
                                                << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST(PopupPlacement, SubmenusAndMenuBarPopups)
{
    const RECT work = {0, 0, 800, 600};
    const RECT parent = {600, 100, 760, 300};
    RECT r = PlaceSubmenu(SIZE{100, 50}, RECT{600, 120, 750, 140}, parent, work);
    EXPECT_EQ(500, r.left) << "left of the parent when the right side has no room";
    EXPECT_EQ(120, r.top);
    r = PlaceSubmenu(SIZE{30, 100}, RECT{100, 550, 200, 570}, RECT{100, 500, 210, 590}, work);
    EXPECT_EQ(200, r.left);
    EXPECT_EQ(599, r.bottom) << "raised to end a pixel above the bottom";
    r = PlaceSubmenu(SIZE{30, 700}, RECT{100, 550, 200, 570}, RECT{100, 500, 210, 590}, work);
    EXPECT_EQ(1, r.top) << "never above the top";

    r = PlaceMenuBarPopup(SIZE{120, 200}, RECT{10, 20, 60, 40}, work);
    const RECT under = {10, 40, 130, 240};
    EXPECT_TRUE(EqualRect(&r, &under));
    r = PlaceMenuBarPopup(SIZE{120, 200}, RECT{750, 20, 790, 40}, work);
    EXPECT_EQ(790, r.right) << "ends at the item's right edge";
    r = PlaceMenuBarPopup(SIZE{120, 200}, RECT{10, 500, 60, 520}, work);
    EXPECT_EQ(500, r.bottom) << "above the item";
}

TEST(FrameWindowSkinner, DoubleClickIsTwoReleasesWithinTheSystemTime)
{
    struct Case {
        DWORD previous, now;
        bool second;
    } const cases[] = {
        {1000, 1200, true},        {1000, 1500, true},
        {1000, 1501, false},       {1000, 3601000, false}, // an hour later in the same minute and second
        {0xFFFFFF00u, 0x50, true},                         // across the wrap of the counter
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.second, FrameWindowSkinner::IsSecondClick(c.previous, c.now, 500)) << c.previous << " " << c.now;
}

} // namespace

TEST(FrameElementLayout, AnchorsMoveTheDesignRectangle)
{
    const RECT design = {200, 6, 218, 22};
    const SIZE frame = {276, 160}, window = {476, 210};
    struct Case {
        int anchor;
        RECT expected;
    } const cases[] = {
        {0, {200, 6, 218, 22}}, {1, {200, 6, 218, 22}}, {2, {200, 56, 218, 72}}, {8, {200, 56, 218, 72}},
        {4, {400, 6, 418, 22}}, {6, {400, 6, 418, 22}}, {5, {400, 56, 418, 72}}, {3, {200, 6, 218, 22}},
    };
    for (const Case& c : cases) {
        const RECT r = AnchorElementRect(design, c.anchor, window, frame);
        EXPECT_TRUE(EqualRect(&r, &c.expected)) << "anchor " << c.anchor << ": " << r.left << "," << r.top;
    }
}

TEST(FrameElementLayout, CaptionTextAnchorFlags)
{
    struct Case {
        bool nearEdge, farEdge;
        LONG start, end;
    } const cases[] = {
        {false, false, 30, 200}, // keeps its design position
        {true, false, 30, 200},  // keeps its distance to the near edge
        {false, true, 130, 300}, // moves with the far edge
        {true, true, 30, 300},   // stretches with the window
    };
    for (const Case& c : cases) {
        LONG start = 30, end = 200;
        AnchorSpan(start, end, c.nearEdge, c.farEdge, 276, 376);
        EXPECT_EQ(c.start, start) << c.nearEdge << c.farEdge;
        EXPECT_EQ(c.end, end) << c.nearEdge << c.farEdge;
    }
}

TEST(FrameElementLayout, VisibilityConditionsAndHitTestCodes)
{
    const OwnerState normal = {false, false, true, true}, iconic = {true, false, false, true},
                     zoomed = {false, true, true, false};
    struct Case {
        int visibility;
        bool normal, iconic, zoomed;
    } const cases[] = {
        {0, true, true, true},   {1, false, true, false}, {2, true, false, true},    {3, false, false, true},
        {4, true, true, false},  {5, true, false, true},  {6, false, true, false},   {7, true, true, false},
        {8, false, false, true}, {9, true, false, false}, {10, false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.normal, ElementVisibleFor(c.visibility, normal)) << c.visibility;
        EXPECT_EQ(c.iconic, ElementVisibleFor(c.visibility, iconic)) << c.visibility;
        EXPECT_EQ(c.zoomed, ElementVisibleFor(c.visibility, zoomed)) << c.visibility;
    }
    const int codes[12] = {HTNOWHERE, HTCAPTION,     HTLEFT,   HTTOPLEFT,    HTTOP,     HTTOPRIGHT,
                           HTRIGHT,   HTBOTTOMRIGHT, HTBOTTOM, HTBOTTOMLEFT, HTCAPTION, HTNOWHERE};
    for (int kind = 0; kind < 12; ++kind)
        EXPECT_EQ(codes[kind], CaptionHitTestCode(kind)) << kind;
}
