// The up-down and scroll-bar control skinners on real controls: the up-down's halves by skin version and
// mouse, the scroll-bar control's geometry, its own SCROLLINFO and messages, presses, repeats, thumb
// drags and lost captures, a size box's own mouse handling, and a screenshot of both kinds.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/objects/FramedSkinObjects.h"
#include "skin/engine/objects/ResourceSkinObjects.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinnerServices.h"
#include "skin/skinners/controls/ScrollBarSkinner.h"
#include "skin/skinners/controls/SpinSkinner.h"
#include "tests/skin/engine/SkinFixtures.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"
#include "tests/skin/window/ControlTestWindows.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

namespace {

// What the test parent saw of its scroll bars, and what it does when told to scroll.
struct ScrollNote {
    UINT message;
    int code;
    int position;
};
struct RangeParentLog {
    std::vector<ScrollNote> notes;
    std::vector<WPARAM> sysCommands;
    int pageStep = 0; // moves the bar by this much on each SB_PAGEDOWN, as an application would
};
RangeParentLog g_log;

LRESULT CALLBACK RangeParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL: {
        g_log.notes.push_back({message, LOWORD(wParam), static_cast<short>(HIWORD(wParam))});
        HWND bar = reinterpret_cast<HWND>(lParam);
        if (g_log.pageStep && LOWORD(wParam) == SB_PAGEDOWN)
            SendMessageA(bar, SBM_SETPOS, SendMessageA(bar, SBM_GETPOS, 0, 0) + g_log.pageStep, TRUE);
        return 0;
    }
    case WM_SYSCOMMAND:
        // Recorded, not run: a size box's press would start the parent's sizing loop.
        g_log.sysCommands.push_back(wParam);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

HWND MakeRangeParent(const char* title, int width = 420, int height = 300)
{
    return MakeTestParent("RangeTestParent", RangeParentProc, title, width, height);
}

SCROLLINFO Info(UINT mask, int minimum, int maximum, UINT page, int position)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = mask;
    info.nMin = minimum;
    info.nMax = maximum;
    info.nPage = page;
    info.nPos = position;
    return info;
}

LPARAM At(int x, int y)
{
    return MAKELPARAM(x, y);
}

// Whether the repeat timer was still set (killing it to find out).
bool RepeatTimerSet(HWND bar)
{
    return KillTimer(bar, ScrollBarSkinner::kRepeatTimer) != FALSE;
}

class RangeSkinnerTest : public ControlTestBase {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run_.started);
        SetSkinnerServices(NULL);
        ASSERT_TRUE(LoadDefaultSkin());
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
        InitCommonControlsEx(&icc);
        g_log = RangeParentLog();
    }
    // A skinned horizontal bar of 212 x 16: the default skin's arrows are 16 long, so its track is 180.
    ScrollBarSkinner* SkinnedBar(HWND* bar, DWORD style = SBS_HORZ, int minimum = 0, int maximum = 99, UINT page = 10,
                                 int position = 0)
    {
        HWND parent = Track(MakeRangeParent("Scroll bar"));
        const bool vertical = (style & SBS_VERT) != 0;
        *bar = MakeTestControl("ScrollBar", parent, style, 30, "", 10, 10, vertical ? 16 : 212, vertical ? 212 : 16);
        SCROLLINFO info = Info(SIF_ALL, minimum, maximum, page, position);
        SetScrollInfo(*bar, SB_CTL, &info, FALSE);
        Skin(parent);
        return dynamic_cast<ScrollBarSkinner*>(FindSkinnedWindow(*bar));
    }
    size_t Count(int code) const
    {
        size_t n = 0;
        for (const ScrollNote& note : g_log.notes)
            n += note.code == code;
        return n;
    }
};

} // namespace

TEST_F(RangeSkinnerTest, ScrollBarThumbGeometry)
{
    struct Case {
        const char* what;
        int minimum, maximum;
        UINT page;
        int position;
        int span;
        int thumbStart, thumbSize;
    };
    // Arrows 16 long, minimum thumb 8.
    const Case cases[] = {
        {"page in proportion, at the start", 0, 99, 10, 0, 200, 16, 17},
        {"the last position is flush with the second arrow", 0, 99, 10, 90, 200, 167, 17},
        {"a position past the range stays in the track", 0, 99, 10, 500, 200, 167, 17},
        {"a small page takes the minimum", 0, 1000, 1, 0, 200, 16, 8},
        {"without a page the minimum, in proportion", 0, 100, 0, 50, 200, 96, 8},
        {"an empty range", 5, 5, 0, 5, 200, 16, 8},
        {"maximum below minimum: no length at the first arrow's end", 10, 0, 0, 5, 200, 16, 0},
        {"reversed range with a page", 100, -100, 20, 0, 200, 16, 0},
        {"the widest range reads as reversed", INT_MIN, INT_MAX, 1, 0, 200, 16, 0},
    };
    for (const Case& c : cases) {
        const SkinBarLayout layout =
            ScrollBarSkinner::Layout(Info(SIF_ALL, c.minimum, c.maximum, c.page, c.position), c.span, 16, 8);
        EXPECT_EQ(16, layout.trackStart) << c.what;
        EXPECT_EQ(c.thumbStart, layout.thumbStart) << c.what;
        EXPECT_EQ(c.thumbSize, layout.thumbSize) << c.what;
    }
    const SkinBarLayout shortBar = ScrollBarSkinner::Layout(Info(SIF_ALL, 0, 99, 10, 0), 20, 16, 8);
    EXPECT_EQ(10, shortBar.arrow) << "a bar shorter than two arrows halves them";
    EXPECT_EQ(0, shortBar.trackLength);

    // Track 180, thumb 18, free track 162: 81 pixels are half the usable range of 90.
    const SCROLLINFO info = Info(SIF_ALL, 0, 99, 10, 0);
    const SkinBarLayout layout = ScrollBarSkinner::Layout(info, 212, 16, 8);
    ASSERT_EQ(18, layout.thumbSize);
    struct Drag {
        int along, grab, position;
    };
    const Drag drags[] = {{16 + 5, 5, 0}, {16 + 81 + 5, 5, 45}, {16 + 162, 0, 90}, {-50, 5, 0}, {900, 5, 90}};
    for (const Drag& d : drags)
        EXPECT_EQ(d.position, ScrollBarSkinner::DragPosition(info, layout, d.along, d.grab)) << d.along;
    EXPECT_EQ(7, ScrollBarSkinner::DragPosition(Info(SIF_ALL, 7, 7, 0, 7), layout, 100, 0)) << "nothing to scroll";

    struct Scroll {
        int minimum, maximum;
        UINT page;
        bool can;
    };
    const Scroll scrolls[] = {{0, 99, 10, true}, {0, 99, 100, false}, {0, 9, 10, false},
                              {5, 5, 0, false},  {0, 1, 0, true},     {10, 0, 0, false},
                              {0, 10, 10, true}, {-10, 0, 0, true},   {50, 60, 20, false}};
    for (const Scroll& s : scrolls)
        EXPECT_EQ(s.can, ScrollBarSkinner::CanScroll(Info(SIF_ALL, s.minimum, s.maximum, s.page, 0)))
            << s.minimum << ".." << s.maximum << " page " << s.page;
}

TEST_F(RangeSkinnerTest, ScrollBarKeepsItsOwnScrollInfo)
{
    HWND parent = Track(MakeRangeParent("Scroll info"));
    HWND bar = MakeTestControl("ScrollBar", parent, SBS_HORZ, 30, "", 10, 10, 212, 16);
    SCROLLINFO start = Info(SIF_ALL, 0, 100, 10, 20);
    SetScrollInfo(bar, SB_CTL, &start, FALSE);
    ASSERT_TRUE(SkinEngine::Instance().SkinTopLevelWindow(parent, "Dialog"));
    ScrollBarSkinner* skinner = dynamic_cast<ScrollBarSkinner*>(FindSkinnedWindow(bar));
    ASSERT_NE(nullptr, skinner);
    ASSERT_FALSE(skinner->Active());
    EXPECT_EQ(20, SendMessageA(bar, SBM_GETPOS, 0, 0)) << "the control answers until the skinner is active";
    PumpMessages();
    ASSERT_TRUE(skinner->Active());
    EXPECT_EQ(100, skinner->Info().nMax);
    EXPECT_EQ(10u, skinner->Info().nPage);

    struct Case {
        const char* what;
        SCROLLINFO in;
        LRESULT result;
        int minimum, maximum;
        UINT page;
        int position;
        BOOL enabled;
    };
    SCROLLINFO shortRecord = Info(SIF_POS, 0, 0, 0, 30);
    shortRecord.cbSize = sizeof(SCROLLINFO) - 4;
    const Case cases[] = {
        {"a position past the end stops a page before it", Info(SIF_POS, 0, 0, 0, 200), 91, 0, 100, 10, 91, TRUE},
        {"range, then page, then the position within both", Info(SIF_RANGE | SIF_PAGE | SIF_POS, 0, 50, 20, 40), 31, 0,
         50, 20, 31, TRUE},
        {"below the minimum", Info(SIF_POS, 0, 0, 0, -5), 0, 0, 50, 20, 0, TRUE},
        {"a range shorter than the page disables", Info(SIF_RANGE | SIF_DISABLENOSCROLL, 0, 10, 0, 0), 0, 0, 10, 20, 0,
         FALSE},
        {"a range longer than the page enables again", Info(SIF_RANGE | SIF_POS | SIF_DISABLENOSCROLL, 0, 100, 0, 70),
         70, 0, 100, 20, 70, TRUE},
        {"a record of the wrong size changes nothing", shortRecord, 70, 0, 100, 20, 70, TRUE},
        {"without a page the last position is the maximum", Info(SIF_PAGE | SIF_POS, 0, 0, 0, 500), 100, 0, 100, 0, 100,
         TRUE},
        {"a new range pulls the position in", Info(SIF_RANGE, 10, 40, 0, 0), 40, 10, 40, 0, 40, TRUE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.result, SendMessageA(bar, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&c.in))) << c.what;
        SCROLLINFO out = Info(SIF_ALL, -1, -1, 99, -1);
        EXPECT_TRUE(GetScrollInfo(bar, SB_CTL, &out)) << c.what;
        EXPECT_EQ(c.minimum, out.nMin) << c.what;
        EXPECT_EQ(c.maximum, out.nMax) << c.what;
        EXPECT_EQ(c.page, out.nPage) << c.what;
        EXPECT_EQ(c.position, out.nPos) << c.what;
        EXPECT_EQ(c.position, SendMessageA(bar, SBM_GETPOS, 0, 0)) << c.what;
        EXPECT_EQ(c.enabled, IsWindowEnabled(bar)) << c.what;
    }
    EXPECT_EQ(100, skinner->Info().nTrackPos) << "the last position set is the track position too";

    // The other setters are mirrored.
    EXPECT_EQ(40, SendMessageA(bar, SBM_SETPOS, 25, TRUE));
    EXPECT_EQ(25, SendMessageA(bar, SBM_GETPOS, 0, 0));
    EXPECT_EQ(25, SendMessageA(bar, SBM_SETRANGE, 0, 20));
    EXPECT_EQ(20, SendMessageA(bar, SBM_GETPOS, 0, 0)) << "the position follows the shorter range";
    SendMessageA(bar, SBM_SETRANGEREDRAW, 0, 200);
    EXPECT_EQ(200, skinner->Info().nMax);
    SendMessageA(bar, SBM_SETPOS, 150, FALSE);

    // The control was told everything too: unskinned, it holds the same.
    SkinEngine::Instance().RemoveWindow(bar, FALSE);
    SCROLLINFO own = Info(SIF_ALL, -1, -1, 99, -1);
    GetScrollInfo(bar, SB_CTL, &own);
    EXPECT_EQ(0, own.nMin);
    EXPECT_EQ(200, own.nMax);
    EXPECT_EQ(0u, own.nPage);
    EXPECT_EQ(150, own.nPos);
}

TEST_F(RangeSkinnerTest, HoldingAnArrowRepeatsUntilTheRelease)
{
    HWND bar = NULL;
    ScrollBarSkinner* skinner = SkinnedBar(&bar);
    ASSERT_NE(nullptr, skinner);
    ASSERT_TRUE(skinner->Active());
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(205, 8));
    ASSERT_EQ(1u, g_log.notes.size());
    EXPECT_EQ(static_cast<UINT>(WM_HSCROLL), g_log.notes[0].message);
    EXPECT_EQ(SB_LINEDOWN, g_log.notes[0].code);
    EXPECT_EQ(bar, GetCapture());
    EXPECT_EQ(ScrollBarSkinner::PartArrow2, skinner->HitPartState());
    EXPECT_TRUE(skinner->Pressed());
    // The real timer repeats it.
    EXPECT_TRUE(WaitUntil([] { return g_log.notes.size() >= 3; }, 5000));
    for (int i = 0; i < 3; ++i)
        SendMessageA(bar, WM_TIMER, ScrollBarSkinner::kRepeatTimer, 0);
    const size_t repeats = g_log.notes.size();
    EXPECT_EQ(repeats, Count(SB_LINEDOWN));
    // Sliding off the arrow stops the repeats, coming back starts them again.
    SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, At(100, 40));
    EXPECT_FALSE(RepeatTimerSet(bar));
    SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, At(204, 4));
    EXPECT_TRUE(RepeatTimerSet(bar));
    SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, At(204, 4));

    SendMessageA(bar, WM_LBUTTONUP, 0, At(204, 4));
    ASSERT_FALSE(g_log.notes.empty());
    EXPECT_EQ(SB_ENDSCROLL, g_log.notes.back().code);
    EXPECT_EQ(1u, Count(SB_ENDSCROLL));
    EXPECT_NE(bar, GetCapture());
    EXPECT_FALSE(RepeatTimerSet(bar)) << "the repeat timer ends with the press";
    const size_t atRelease = g_log.notes.size();
    SendMessageA(bar, WM_TIMER, ScrollBarSkinner::kRepeatTimer, 0);
    PumpMessages();
    EXPECT_EQ(atRelease, g_log.notes.size()) << "nothing after the release";

    // A page press repeats until the thumb has come to the cursor; the application moves the bar.
    g_log = RangeParentLog();
    g_log.pageStep = 10;
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(120, 8));
    EXPECT_EQ(1u, Count(SB_PAGEDOWN));
    for (int i = 0; i < 10; ++i)
        SendMessageA(bar, WM_TIMER, ScrollBarSkinner::kRepeatTimer, 0);
    const int position = static_cast<int>(SendMessageA(bar, SBM_GETPOS, 0, 0));
    const SkinBarLayout layout = ScrollBarSkinner::Layout(skinner->Info(), 212, 16, 16);
    EXPECT_LE(layout.thumbStart, 120) << "the thumb reached the cursor at position " << position;
    EXPECT_GT(layout.thumbStart + layout.thumbSize, 120 - 20);
    EXPECT_LT(Count(SB_PAGEDOWN), 11u) << "and the repeats stopped there";
    EXPECT_FALSE(RepeatTimerSet(bar));
    SendMessageA(bar, WM_LBUTTONUP, 0, At(120, 8));
    EXPECT_EQ(1u, Count(SB_ENDSCROLL));
}

TEST_F(RangeSkinnerTest, ThumbDragFollowsTheCursor)
{
    // Track 180, thumb 18 (at least the skin's 16), free track 162 for the usable range of 90.
    HWND bar = NULL;
    ScrollBarSkinner* skinner = SkinnedBar(&bar);
    ASSERT_NE(nullptr, skinner);
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(21, 8));
    ASSERT_EQ(ScrollBarSkinner::PartThumb, skinner->HitPartState());
    SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, At(21 + 81, 30));
    SCROLLINFO track = Info(SIF_TRACKPOS | SIF_POS, 0, 0, 0, 0);
    GetScrollInfo(bar, SB_CTL, &track);
    EXPECT_EQ(45, track.nTrackPos) << "the track position follows the drag";
    EXPECT_EQ(0, track.nPos) << "the position is the application's to set";
    SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, At(600, 8));
    SendMessageA(bar, WM_LBUTTONUP, 0, At(600, 8));
    const std::vector<int> codes = {SB_THUMBTRACK, SB_THUMBTRACK, SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL};
    const std::vector<int> positions = {0, 45, 90, 90, 0};
    ASSERT_EQ(codes.size(), g_log.notes.size());
    for (size_t i = 0; i < codes.size(); ++i) {
        EXPECT_EQ(codes[i], g_log.notes[i].code) << i;
        EXPECT_EQ(positions[i], g_log.notes[i].position) << i;
    }

    // A vertical bar takes the same along y.
    g_log = RangeParentLog();
    HWND vertical = NULL;
    ScrollBarSkinner* upright = SkinnedBar(&vertical, SBS_VERT);
    ASSERT_NE(nullptr, upright);
    SendMessageA(vertical, WM_LBUTTONDOWN, MK_LBUTTON, At(8, 21));
    SendMessageA(vertical, WM_MOUSEMOVE, MK_LBUTTON, At(8, 21 + 81));
    SendMessageA(vertical, WM_LBUTTONUP, 0, At(8, 21 + 81));
    ASSERT_EQ(4u, g_log.notes.size());
    EXPECT_EQ(static_cast<UINT>(WM_VSCROLL), g_log.notes[2].message);
    EXPECT_EQ(SB_THUMBPOSITION, g_log.notes[2].code);
    EXPECT_EQ(45, g_log.notes[2].position);
}

TEST_F(RangeSkinnerTest, LostCaptureEndsThePressOnce)
{
    HWND bar = NULL;
    ScrollBarSkinner* skinner = SkinnedBar(&bar);
    ASSERT_NE(nullptr, skinner);
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(4, 8));
    EXPECT_EQ(1u, Count(SB_LINEUP));
    ReleaseCapture();
    EXPECT_FALSE(skinner->Pressed());
    EXPECT_EQ(1u, Count(SB_ENDSCROLL));
    EXPECT_FALSE(RepeatTimerSet(bar));
    SendMessageA(bar, WM_LBUTTONUP, 0, At(4, 8));
    SendMessageA(bar, WM_TIMER, ScrollBarSkinner::kRepeatTimer, 0);
    EXPECT_EQ(2u, g_log.notes.size()) << "the late release and a stray tick add nothing";

    // Another window taking the capture in the middle of a drag ends it where it was.
    g_log = RangeParentLog();
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(21, 8));
    SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, At(21 + 81, 8));
    HWND other = Track(MakeRangeParent("Other"));
    SetCapture(other);
    ReleaseCapture();
    ASSERT_EQ(4u, g_log.notes.size());
    EXPECT_EQ(SB_THUMBPOSITION, g_log.notes[2].code);
    EXPECT_EQ(45, g_log.notes[2].position);
    EXPECT_EQ(SB_ENDSCROLL, g_log.notes[3].code);
}

TEST_F(RangeSkinnerTest, DisabledArrowsAndSizeBox)
{
    HWND parent = Track(MakeRangeParent("Arrows and size box"));
    HWND bar = MakeTestControl("ScrollBar", parent, SBS_HORZ, 30, "", 10, 10, 212, 16);
    SCROLLINFO info = Info(SIF_ALL, 0, 99, 10, 0);
    SetScrollInfo(bar, SB_CTL, &info, FALSE);
    HWND box = MakeTestControl("ScrollBar", parent, SBS_SIZEBOX | SBS_SIZEGRIP, 31, "", 240, 10, 16, 16);
    Skin(parent);
    ASSERT_NE(nullptr, dynamic_cast<ScrollBarSkinner*>(FindSkinnedWindow(bar)));
    ASSERT_NE(nullptr, dynamic_cast<ScrollBarSkinner*>(FindSkinnedWindow(box)));
    SendMessageA(bar, SBM_ENABLE_ARROWS, ESB_DISABLE_RTDN, 0);
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(205, 8));
    SendMessageA(bar, WM_LBUTTONUP, 0, At(205, 8));
    EXPECT_TRUE(g_log.notes.empty()) << "a disabled arrow does nothing";
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(4, 8));
    SendMessageA(bar, WM_LBUTTONUP, 0, At(4, 8));
    EXPECT_EQ(1u, Count(SB_LINEUP)) << "the other one still works";
    SendMessageA(bar, SBM_ENABLE_ARROWS, ESB_ENABLE_BOTH, 0);

    // A size box is painted from the skin but handles its mouse itself: the press asks the parent to size.
    g_log = RangeParentLog();
    SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, At(8, 8));
    SendMessageA(box, WM_LBUTTONUP, 0, At(8, 8));
    PumpMessages();
    EXPECT_TRUE(g_log.notes.empty());
    ASSERT_EQ(1u, g_log.sysCommands.size());
    EXPECT_EQ(static_cast<WPARAM>(SC_SIZE | WMSZ_BOTTOMRIGHT), g_log.sysCommands[0] & 0xFFFF);
}

namespace {

// Up-down pictures: the vertical up arrow is red with a green left edge, so a quarter turn shows where
// the edge went; the vertical down arrow blue; the horizontal pair yellow and magenta.
const COLORREF kRed = RGB(220, 0, 0), kGreen = RGB(0, 200, 0), kBlue = RGB(0, 0, 220), kYellow = RGB(240, 240, 0),
               kMagenta = RGB(200, 0, 200);

void SetPart(ImagePart& part, const char* image)
{
    std::strcpy(part.image, image);
    SetRect(&part.source, 0, 0, 16, 16);
    part.mode = 1;
}

void BuildSpinSkin(SkinStore& skin)
{
    skin.AddImage(MakeImage("UP.BMP", 16, 16, [](int x, int) { return x < 4 ? kGreen : kRed; }));
    skin.AddImage(MakeImage("DOWN.BMP", 16, 16, [](int, int) { return kBlue; }));
    skin.AddImage(MakeImage("LEFT.BMP", 16, 16, [](int, int) { return kYellow; }));
    skin.AddImage(MakeImage("RIGHT.BMP", 16, 16, [](int, int) { return kMagenta; }));
    AddObject<FrameWndSkinObject>(skin, "Dialog");
    SpinSkinObject* spin = AddObject<SpinSkinObject>(skin, "Spin");
    SetPart(spin->arrows[0], "UP.BMP");
    SetPart(spin->arrows[1], "DOWN.BMP");
    SetPart(spin->arrows[8], "LEFT.BMP");
    SetPart(spin->arrows[9], "RIGHT.BMP");
}

// A skin file of that version holding nothing, filled in memory afterwards: the objects are the same,
// only the version the file declared differs.
SkinStore* EmptySkinOfVersion(int major, int minor)
{
    RawBuilder raw;
    raw.Header(major, minor, 0).U32(0).U32(0);
    std::unique_ptr<MemoryStream> packed(PackedStream(raw.Bytes()));
    SkinStore* store = new SkinStore;
    EXPECT_TRUE(store->Load(*packed)) << store->GetStatus();
    return store;
}

} // namespace

TEST_F(RangeSkinnerTest, HorizontalUpDownPicturesByVersion)
{
    struct Case {
        const char* what;
        int minor;
        COLORREF leftTop, leftBottom, right;
    };
    // Turned, the up arrow's left edge runs along the bottom of the left half.
    const Case cases[] = {
        {"1.12 turns the vertical pictures", 12, kRed, kGreen, kBlue},
        {"1.16 draws the horizontal ones", 16, kYellow, kYellow, kMagenta},
    };
    for (const Case& c : cases) {
        SkinStore* store = EmptySkinOfVersion(1, c.minor);
        BuildSpinSkin(*store);
        for (const auto& entry : store->Objects())
            entry.second->CreateResources(*store);
        ASSERT_TRUE(SkinEngine::Instance().SetCurrentSkin(store));
        HWND parent = Track(MakeRangeParent("Up-down"));
        HWND updown = MakeTestControl(UPDOWN_CLASSA, parent, UDS_HORZ, 40, "", 10, 10, 32, 16);
        Skin(parent);
        SpinSkinner* skinner = dynamic_cast<SpinSkinner*>(FindSkinnedWindow(updown));
        ASSERT_NE(nullptr, skinner) << c.what;
        HDC screen = GetDC(updown);
        MemoryDC dc(screen, 32, 16);
        ReleaseDC(updown, screen);
        skinner->Paint(dc);
        EXPECT_EQ(c.leftTop, GetPixel(dc, 8, 1)) << c.what;
        EXPECT_EQ(c.leftBottom, GetPixel(dc, 8, 14)) << c.what;
        EXPECT_EQ(c.leftTop, GetPixel(dc, 1, 8)) << c.what << ": the edge is not on the left";
        EXPECT_EQ(c.right, GetPixel(dc, 24, 8)) << c.what;
        DestroyWindow(parent);
    }
    const SpinSkinObject empty;
    EXPECT_TRUE(SpinSkinner::TurnsVerticalPictures(empty, 1, 16)) << "no horizontal pictures";
    EXPECT_TRUE(SpinSkinner::TurnsVerticalPictures(empty, 0, 20));
}

TEST_F(RangeSkinnerTest, UpDownPartStatesFollowTheMouse)
{
    HWND parent = Track(MakeRangeParent("Up-down"));
    HWND buddy = MakeTestControl("EDIT", parent, WS_BORDER, 41, "", 10, 10, 60, 20);
    HWND updown = MakeTestControl(UPDOWN_CLASSA, parent, UDS_SETBUDDYINT, 42, "", 70, 10, 16, 32);
    SendMessageA(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    HWND sideways = MakeTestControl(UPDOWN_CLASSA, parent, UDS_HORZ, 43, "", 100, 10, 32, 16);
    Skin(parent);
    SpinSkinner* skinner = dynamic_cast<SpinSkinner*>(FindSkinnedWindow(updown));
    SpinSkinner* horizontal = dynamic_cast<SpinSkinner*>(FindSkinnedWindow(sideways));
    ASSERT_NE(nullptr, skinner);
    ASSERT_NE(nullptr, horizontal);
    struct Step {
        const char* what;
        UINT message;
        WPARAM keys;
        int x, y;
        int state;
    };
    const Step steps[] = {
        {"hover over the top half", WM_MOUSEMOVE, 0, 8, 4, SpinSkinner::FirstHovered},
        {"hover over the bottom half", WM_MOUSEMOVE, 0, 8, 28, SpinSkinner::SecondHovered},
        {"press the bottom half", WM_LBUTTONDOWN, MK_LBUTTON, 8, 28, SpinSkinner::SecondPressed},
        {"held, moved to the top", WM_MOUSEMOVE, MK_LBUTTON, 8, 4, SpinSkinner::FirstPressed},
        {"held, moved off", WM_MOUSEMOVE, MK_LBUTTON, 8, 60, SpinSkinner::PartNone},
        {"released over the top", WM_LBUTTONUP, 0, 8, 4, SpinSkinner::FirstHovered},
    };
    for (const Step& s : steps) {
        SendMessageA(updown, s.message, s.keys, At(s.x, s.y));
        EXPECT_EQ(s.state, skinner->PartState()) << s.what;
    }
    SendMessageA(updown, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(SpinSkinner::PartNone, skinner->PartState()) << "leaving ends the hover";

    SendMessageA(sideways, WM_MOUSEMOVE, 0, At(4, 8));
    EXPECT_EQ(SpinSkinner::FirstHovered, horizontal->PartState()) << "the left half is the first";
    SendMessageA(sideways, WM_MOUSEMOVE, 0, At(28, 8));
    EXPECT_EQ(SpinSkinner::SecondHovered, horizontal->PartState());
    const RECT client = {0, 0, 16, 32};
    EXPECT_EQ(0, SpinSkinner::HitPart(client, false, POINT{8, 32}));
    EXPECT_EQ(2, SpinSkinner::HitPart(client, false, POINT{8, 16}));
}

TEST_F(RangeSkinnerTest, Screenshot)
{
    HWND parent = Track(MakeRangeParent("滚动条和微调按钮", 360, 250));
    auto bar = [&](DWORD style, int id, int x, int y, int w, int h, int position) {
        HWND b = MakeTestControl("ScrollBar", parent, style, id, "", x, y, w, h);
        SCROLLINFO info = Info(SIF_ALL, 0, 99, 20, position);
        SetScrollInfo(b, SB_CTL, &info, FALSE);
        return b;
    };
    HWND hot = bar(SBS_HORZ, 50, 10, 10, 200, 16, 30);
    bar(SBS_HORZ | WS_DISABLED, 51, 10, 34, 200, 16, 30);
    HWND pressed = bar(SBS_HORZ, 52, 10, 58, 200, 16, 0);
    HWND last = bar(SBS_HORZ, 53, 10, 82, 200, 16, 80);
    bar(SBS_VERT, 54, 230, 10, 16, 180, 30);
    bar(SBS_VERT | WS_DISABLED, 55, 256, 10, 16, 180, 30);
    bar(SBS_SIZEBOX | SBS_SIZEGRIP, 56, 282, 174, 16, 16, 0);
    HWND buddy = MakeTestControl("EDIT", parent, WS_BORDER, 57, "", 10, 120, 60, 22);
    HWND updown = MakeTestControl(UPDOWN_CLASSA, parent, UDS_SETBUDDYINT, 58, "", 70, 120, 16, 22);
    SendMessageA(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageA(updown, UDM_SETPOS32, 0, 7);
    HWND sideways = MakeTestControl(UPDOWN_CLASSA, parent, UDS_HORZ, 59, "", 100, 120, 32, 16);
    MakeTestControl(UPDOWN_CLASSA, parent, WS_DISABLED, 60, "", 150, 120, 16, 32);
    Skin(parent);
    RedrawWindow(parent, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    // The real cursor over the first bar's left arrow makes it hot; the third bar's right arrow is held.
    POINT arrow = {4, 8};
    ClientToScreen(hot, &arrow);
    SetCursorPos(arrow.x, arrow.y);
    SendMessageA(hot, WM_MOUSEMOVE, 0, At(4, 8));
    PumpMessages();
    SendMessageA(pressed, WM_LBUTTONDOWN, MK_LBUTTON, At(195, 8));
    KillTimer(pressed, ScrollBarSkinner::kRepeatTimer);
    PumpMessages();
    for (HWND skinnedChild : {hot, pressed, last, updown, sideways})
        EXPECT_NE(nullptr, FindSkinnedWindow(skinnedChild));
    EXPECT_EQ(ScrollBarSkinner::PartArrow2,
              dynamic_cast<ScrollBarSkinner*>(FindSkinnedWindow(pressed))->HitPartState());
    EXPECT_TRUE(SavePng(CaptureWindow(parent), ScreenshotPath(std::string("range-skinners") + RunSuffix())));
    SendMessageA(pressed, WM_LBUTTONUP, 0, At(195, 8));
}
