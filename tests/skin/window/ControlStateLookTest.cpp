// What skinned controls show of their state with the default skin: a disabled up-down, trackbar and
// progress bar look disabled, an up-down's four states each have their own picture, a time picker shows
// the field being edited, an animation sits on a plain background, and a group box gives back the
// transparency it took once it is unskinned.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinnerServices.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"
#include "tests/skin/window/ControlTestWindows.h"
#include "tests/support/TestSupport.h"

namespace {

class ControlStateLookTest : public ControlTestBase {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run_.started);
        SetSkinnerServices(NULL);
        ASSERT_TRUE(LoadDefaultSkin());
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_UPDOWN_CLASS | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                                    ICC_DATE_CLASSES | ICC_ANIMATE_CLASS};
        InitCommonControlsEx(&icc);
    }
    HWND Parent(const char* title) { return Track(MakeTestParent("StateLookParent", DefWindowProcA, title, 360, 240)); }
};

bool Coloured(COLORREF c)
{
    const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    return std::abs(r - g) > 24 || std::abs(g - b) > 24 || std::abs(r - b) > 24;
}

bool Dark(COLORREF c)
{
    return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100;
}

size_t CountOf(const std::vector<COLORREF>& pixels, bool (*test)(COLORREF))
{
    size_t n = 0;
    for (COLORREF c : pixels)
        n += test(c);
    return n;
}

void Repaint(HWND hwnd)
{
    RedrawWindow(hwnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    PumpMessages();
}

} // namespace

TEST_F(ControlStateLookTest, DisabledRangeControlsLookDisabled)
{
    HWND parent = Parent("Disabled");
    HWND progress = MakeTestControl(PROGRESS_CLASSA, parent, 0, 1, "", 10, 10, 200, 20);
    SendMessageA(progress, PBM_SETRANGE32, 0, 100);
    SendMessageA(progress, PBM_SETPOS, 60, 0);
    HWND slider = MakeTestControl(TRACKBAR_CLASSA, parent, 0, 2, "", 10, 40, 200, 30);
    SendMessageA(slider, TBM_SETPOS, TRUE, 50);
    HWND spin = MakeTestControl(UPDOWN_CLASSA, parent, 0, 3, "", 230, 10, 18, 40);
    Skin(parent);
    PumpMessages();
    struct Case {
        const char* name;
        HWND control;
        bool (*ink)(COLORREF); // what the enabled control shows and the disabled one must not
    } cases[] = {{"progress bar", progress, Coloured}, {"trackbar", slider, Coloured}, {"up-down", spin, Dark}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Repaint(c.control);
        EXPECT_GT(CountOf(ClientPixels(c.control), c.ink), 10u) << "enabled";
        EnableWindow(c.control, FALSE);
        Repaint(c.control);
        EXPECT_EQ(0u, CountOf(ClientPixels(c.control), c.ink)) << "disabled";
        EnableWindow(c.control, TRUE);
    }
}

TEST_F(ControlStateLookTest, UpDownStatesHaveTheirOwnPictures)
{
    // The four states of the vertical halves, as the default skin draws them (hot and pressed by the mouse).
    HWND parent = Parent("Up-down");
    HWND spin = MakeTestControl(UPDOWN_CLASSA, parent, 0, 3, "", 10, 10, 18, 40);
    Skin(parent);
    PumpMessages();
    std::vector<std::vector<COLORREF>> looks;
    Repaint(spin);
    looks.push_back(ClientPixels(spin));
    SendMessageA(spin, WM_MOUSEMOVE, 0, MAKELPARAM(8, 5));
    Repaint(spin);
    looks.push_back(ClientPixels(spin));
    SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 5));
    Repaint(spin);
    looks.push_back(ClientPixels(spin));
    SendMessageA(spin, WM_LBUTTONUP, 0, MAKELPARAM(8, 5));
    SendMessageA(spin, WM_MOUSELEAVE, 0, 0);
    EnableWindow(spin, FALSE);
    Repaint(spin);
    looks.push_back(ClientPixels(spin));
    for (size_t a = 0; a < looks.size(); ++a)
        for (size_t b = a + 1; b < looks.size(); ++b)
            EXPECT_NE(looks[a], looks[b]) << "states " << a << " and " << b;
}

TEST_F(ControlStateLookTest, TimePickerShowsTheFieldBeingEdited)
{
    HWND parent = Parent("Time");
    HWND picker = MakeTestControl(DATETIMEPICK_CLASSA, parent, DTS_TIMEFORMAT, 1, "", 10, 10, 160, 24);
    SYSTEMTIME time = {2026, 12, 5, 11, 14, 30, 5, 0};
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    Skin(parent);
    SetForegroundWindow(parent);
    SetFocus(picker);
    PumpMessages();
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    // The leftmost column of highlighted pixels: where the selected field begins.
    auto selectedFrom = [&]() {
        Repaint(picker);
        RECT client;
        GetClientRect(picker, &client);
        HDC dc = GetDC(picker);
        int from = -1;
        for (int x = 0; x < client.right && from < 0; ++x)
            for (int y = 0; y < client.bottom && from < 0; ++y)
                if (GetPixel(dc, x, y) == highlight)
                    from = x;
        ReleaseDC(picker, dc);
        return from;
    };
    auto right = [&] {
        SendMessageA(picker, WM_KEYDOWN, VK_RIGHT, 1);
        SendMessageA(picker, WM_KEYUP, VK_RIGHT, 0xC0000001);
    };
    right();
    const int first = selectedFrom();
    EXPECT_GE(first, 0) << "a field is highlighted while the picker has the focus";
    right();
    const int second = selectedFrom();
    EXPECT_GT(second, first) << "the next field is highlighted after the right arrow";
    SetFocus(parent);
    PumpMessages();
    EXPECT_EQ(-1, selectedFrom()) << "nothing highlighted without the focus";
}

TEST_F(ControlStateLookTest, AnimationSitsOnAPlainBackground)
{
    HWND parent = Parent("Animation");
    HWND animation = MakeTestControl(ANIMATE_CLASSA, parent, ACS_CENTER, 1, "", 10, 10, 120, 80);
    Skin(parent);
    Repaint(animation);
    const std::vector<COLORREF> pixels = ClientPixels(animation);
    EXPECT_EQ(1u, std::set<COLORREF>(pixels.begin(), pixels.end()).size()) << "one colour, no picture in it";
}

TEST_F(ControlStateLookTest, GroupBoxGivesBackTheTransparencyItTook)
{
    HWND parent = Parent("Group");
    HWND plain = MakeTestControl("Button", parent, BS_GROUPBOX, 1, "Plain", 10, 10, 150, 80);
    HWND own = MakeTestControl("Button", parent, BS_GROUPBOX, 2, "Own", 170, 10, 150, 80, WS_EX_TRANSPARENT);
    Skin(parent);
    EXPECT_TRUE(GetWindowLongA(plain, GWL_EXSTYLE) & WS_EX_TRANSPARENT) << "skinned over the parent's picture";
    SkinEngine::Instance().RemoveWindow(plain, FALSE);
    SkinEngine::Instance().RemoveWindow(own, FALSE);
    EXPECT_FALSE(GetWindowLongA(plain, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    EXPECT_TRUE(GetWindowLongA(own, GWL_EXSTYLE) & WS_EX_TRANSPARENT) << "a box's own transparency stays";
}
