// A small MDI frame skinned like the programs' main frames: its child's maximized place and size, the
// style the child's default processing sees around its activation, window-position and menu messages
// and a caption press, and the tracking limits of a real frame and of an MDI child.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "skin/engine/objects/FramedSkinObjects.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinnerServices.h"
#include "skin/skinners/window/FrameGeometry.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"
#include "tests/support/TestSupport.h"

namespace {

// The styles the child's own procedure saw: its own and its top-level parent's.
struct SeenStyle {
    UINT message;
    LONG child;
    LONG top;
};

HWND g_client = NULL;
std::vector<SeenStyle> g_seen;

LRESULT CALLBACK MdiFrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefFrameProcA(hwnd, g_client, message, wParam, lParam);
}

LRESULT CALLBACK MdiChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCACTIVATE:
    case WM_WINDOWPOSCHANGED:
    case WM_INITMENU:
    case WM_NCLBUTTONDOWN:
        g_seen.push_back(
            SeenStyle{message, GetWindowLongA(hwnd, GWL_STYLE), GetWindowLongA(GetAncestor(hwnd, GA_ROOT), GWL_STYLE)});
        // No system move loop in a test: the press ends here.
        if (message == WM_NCLBUTTONDOWN)
            return 0;
        break;
    default:
        break;
    }
    return DefMDIChildProcA(hwnd, message, wParam, lParam);
}

void RegisterClasses()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA wc = {};
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpfnWndProc = MdiFrameProc;
    wc.lpszClassName = "TessarineMdiFrame";
    RegisterClassA(&wc);
    wc.lpfnWndProc = MdiChildProc;
    wc.lpszClassName = "TessarineMdiChild";
    registered = RegisterClassA(&wc) != 0;
}

class MdiFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run_.started);
        SetSkinnerServices(NULL);
        ASSERT_TRUE(LoadDefaultSkin());
        RegisterClasses();
        frame_ = CreateWindowExA(0, "TessarineMdiFrame", "MDI", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 20,
                                 20, 600, 450, NULL, NULL, GetModuleHandleA(NULL), NULL);
        ASSERT_NE(nullptr, frame_);
        CLIENTCREATESTRUCT ccs = {NULL, 5000};
        g_client = CreateWindowExA(0, "MDICLIENT", NULL, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 100, 100,
                                   frame_, reinterpret_cast<HMENU>(1), GetModuleHandleA(NULL), &ccs);
        ASSERT_NE(nullptr, g_client);
        ASSERT_TRUE(SkinEngine::Instance().SkinTopLevelWindow(frame_, "MainFrame"));
        child_ = CreateMDIWindowA("TessarineMdiChild", "Child", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                                  g_client, GetModuleHandleA(NULL), 0);
        ASSERT_NE(nullptr, child_);
        ASSERT_TRUE(SkinEngine::Instance().SkinTopLevelWindow(child_, "MainFrame"));
        PumpMessages();
        const FramedSkinObject* framed = static_cast<const FramedSkinObject*>(
            SkinEngine::Instance().GetCurrentSkin()->FindObjectByName("MainFrame"));
        for (int i = 0; i < 9; ++i)
            design_[i] = framed->GetFrameRect(i);
        g_seen.clear();
    }
    void TearDown() override
    {
        if (IsWindow(frame_))
            DestroyWindow(frame_);
        g_client = NULL;
        PumpMessages();
    }
    // The last style the child's procedure saw for that message.
    const SeenStyle* Seen(UINT message) const
    {
        for (auto it = g_seen.rbegin(); it != g_seen.rend(); ++it)
            if (it->message == message)
                return &*it;
        return nullptr;
    }

    ToolkitRun run_;
    HWND frame_ = NULL;
    HWND child_ = NULL;
    RECT design_[9] = {};
};

} // namespace

TEST_F(MdiFrameTest, MaximizedChildHidesItsLeftAndTopSectionsOutsideTheClient)
{
    SendMessageA(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child_), 0);
    PumpMessages();
    ASSERT_TRUE(IsZoomed(child_));
    RECT client, child;
    GetClientRect(g_client, &client);
    GetWindowRect(child_, &child);
    MapWindowPoints(NULL, g_client, reinterpret_cast<POINT*>(&child), 2);
    EXPECT_EQ(-RectWidth(design_[3]), child.left);
    EXPECT_EQ(-RectHeight(design_[0]), child.top);
    EXPECT_EQ(client.right + RectWidth(design_[5]), child.right);
    EXPECT_EQ(client.bottom + RectHeight(design_[6]), child.bottom);

    MINMAXINFO info = {};
    SendMessageA(child_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(child_, MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_EQ(-RectWidth(design_[3]), info.ptMaxPosition.x);
    EXPECT_EQ(-RectHeight(design_[0]), info.ptMaxPosition.y);
    EXPECT_EQ(RectWidth(monitor.rcMonitor), info.ptMaxTrackSize.x);
    EXPECT_EQ(RectHeight(monitor.rcMonitor), info.ptMaxTrackSize.y);
}

TEST_F(MdiFrameTest, DefaultProcessingSeesNoSystemMenuOrBoxes)
{
    const LONG boxes = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    const LONG before = GetWindowLongA(child_, GWL_STYLE), topBefore = GetWindowLongA(frame_, GWL_STYLE);
    ASSERT_EQ(boxes, before & boxes);
    struct Case {
        UINT message;
        LONG hidden; // what the child's default processing must not see
        bool topHidden;
    } const cases[] = {
        {WM_NCACTIVATE, boxes, false},
        {WM_INITMENU, boxes, false},
        {WM_WINDOWPOSCHANGED, WS_SYSMENU, false},
        {WM_NCLBUTTONDOWN, WS_SYSMENU, true},
    };
    RECT window;
    GetWindowRect(child_, &window);
    for (const Case& c : cases) {
        g_seen.clear();
        switch (c.message) {
        case WM_NCACTIVATE:
            SendMessageA(child_, WM_NCACTIVATE, TRUE, 0);
            break;
        case WM_INITMENU:
            SendMessageA(child_, WM_INITMENU, 0, 0);
            break;
        case WM_WINDOWPOSCHANGED:
            SetWindowPos(child_, NULL, 0, 0, 320, 210, SWP_NOMOVE | SWP_NOZORDER);
            break;
        default: // a press on the caption, between the logo and the title
            SendMessageA(child_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(window.left + 28, window.top + 4));
            break;
        }
        const SeenStyle* seen = Seen(c.message);
        ASSERT_NE(nullptr, seen) << c.message;
        EXPECT_EQ(0, seen->child & c.hidden) << c.message;
        EXPECT_EQ(c.topHidden ? 0 : WS_SYSMENU, seen->top & WS_SYSMENU) << c.message;
        EXPECT_EQ(before, GetWindowLongA(child_, GWL_STYLE)) << c.message;
        EXPECT_EQ(topBefore, GetWindowLongA(frame_, GWL_STYLE)) << c.message;
    }
}

TEST_F(MdiFrameTest, RealFrameMaximizesToTheWorkAreaAndKeepsItsCorners)
{
    MINMAXINFO info = {};
    SendMessageA(frame_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    const SIZE least = FrameMinTrackSize(design_);
    EXPECT_EQ(least.cx, info.ptMinTrackSize.x);
    EXPECT_EQ(least.cy, info.ptMinTrackSize.y);

    ShowWindow(frame_, SW_MAXIMIZE);
    PumpMessages();
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(frame_, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT window;
    GetWindowRect(frame_, &window);
    EXPECT_TRUE(EqualRect(&monitor.rcWork, &window))
        << window.left << "," << window.top << "," << window.right << "," << window.bottom;
}
