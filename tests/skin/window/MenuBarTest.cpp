// The skinned menu bar on a real frame with a menu like the player's: the menu moves into the bar and
// back, rows wrap with the client below them, and the bar is driven by posted mouse messages and keys:
// click and slide, Alt and a mnemonic, arrows that wrap, disabled items, and the end of tracking (also
// when the program loses the mouse or the activation). A watchdog timer ends any menu loop a fault would
// leave running.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

#include "skin/engine/objects/FramedSkinObjects.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/engine/toolkit/SkinnerServices.h"
#include "skin/skinners/menu/MenuBar.h"
#include "skin/skinners/menu/MenuBarItem.h"
#include "skin/skinners/window/FrameWindowSkinner.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"
#include "tests/skin/window/RecordingFrame.h"
#include "tests/skin/window/WindowStackCapture.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

namespace {

enum { File, View, Tools, Help, Disabled };

HMENU MakePlayerLikeMenu()
{
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 101, "打开文件(&O)\tCtrl+O");
    AppendMenuA(file, MF_STRING | MF_GRAYED, 102, "关闭文件(&C)\tCtrl+C");
    AppendMenuA(file, MF_SEPARATOR, 0, NULL);
    AppendMenuA(file, MF_STRING, 103, "退出(&X)");
    HMENU zoom = CreatePopupMenu();
    AppendMenuA(zoom, MF_STRING, 211, "50%");
    AppendMenuA(zoom, MF_STRING, 212, "100%");
    HMENU view = CreatePopupMenu();
    AppendMenuA(view, MF_STRING | MF_GRAYED, 201, "全屏(&S)\tF2");
    AppendMenuA(view, MF_SEPARATOR, 0, NULL);
    AppendMenuA(view, MF_STRING | MF_CHECKED, 202, "单画面");
    AppendMenuA(view, MF_STRING, 203, "四画面");
    AppendMenuA(view, MF_POPUP, reinterpret_cast<UINT_PTR>(zoom), "缩放(&Z)");
    HMENU tools = CreatePopupMenu();
    AppendMenuA(tools, MF_STRING, 301, "远程文件检索\tF5");
    HMENU help = CreatePopupMenu();
    AppendMenuA(help, MF_STRING, 401, "关于(&A)...");
    HMENU off = CreatePopupMenu();
    AppendMenuA(off, MF_STRING, 501, "Never");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "文件(&F)");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), "查看(&V)");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(tools), "工具(&T)");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "帮助(&H)");
    AppendMenuA(bar, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(off), "禁用(&D)");
    return bar;
}

const UINT_PTR kWatchdog = 0x5eed;
bool g_watchdogFired = false;

void CALLBACK Watchdog(HWND hwnd, UINT, UINT_PTR, DWORD)
{
    g_watchdogFired = true;
    ADD_FAILURE() << "a menu loop was still running";
    PostMessageA(hwnd, WM_SKIN_MENUEND, 0, 0);
}

class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run_.started);
        SetSkinnerServices(NULL);
        ASSERT_TRUE(LoadDefaultSkin());
        FrameLog().clear();
        menu_ = MakePlayerLikeMenu();
        frame_ = MakeRecordingFrame("Clipview", WS_OVERLAPPEDWINDOW | WS_VISIBLE, menu_, 20, 20, 480, 340);
        ASSERT_TRUE(SkinEngine::Instance().SkinTopLevelWindow(frame_, "MainFrame"));
        skinner_ = dynamic_cast<FrameWindowSkinner*>(FindSkinnedWindow(frame_));
        ASSERT_NE(nullptr, skinner_);
        SetForegroundWindow(frame_);
        PumpMessages();
        g_watchdogFired = false;
        SetTimer(frame_, kWatchdog, 10000, &Watchdog);
    }
    void TearDown() override
    {
        if (IsWindow(frame_)) {
            KillTimer(frame_, kWatchdog);
            DestroyWindow(frame_);
        }
        PumpMessages();
    }
    MenuBar& Bar() { return skinner_->GetMenuBar(); }
    // The screen point at the middle of a bar item.
    LPARAM ItemPoint(int index)
    {
        Bar().LayoutItems();
        const RECT& r = Bar().Item(index)->GetRect();
        RECT window;
        GetWindowRect(frame_, &window);
        return MAKELPARAM(window.left + (r.left + r.right) / 2, window.top + (r.top + r.bottom) / 2);
    }
    void Keys(std::initializer_list<WPARAM> keys)
    {
        for (WPARAM key : keys)
            PostMessageA(frame_, WM_KEYDOWN, key, 0);
    }
    void Click(int index) { SendMessageA(frame_, WM_NCLBUTTONDOWN, HTMENU, ItemPoint(index)); }
    LRESULT AltKey(WPARAM key) { return SendMessageA(frame_, WM_SKIN_MENUKEY, key, 1 << 29); }
    // The commands delivered, once the queue has been served.
    std::vector<WPARAM> Commands()
    {
        PumpMessages();
        std::vector<WPARAM> ids;
        for (const RecordedMessage& m : FrameLogOf(WM_COMMAND))
            ids.push_back(LOWORD(m.wParam));
        return ids;
    }
    size_t PopupsOpened() { return FrameLogOf(WM_INITMENUPOPUP).size(); }

    ToolkitRun run_;
    HMENU menu_ = NULL;
    HWND frame_ = NULL;
    FrameWindowSkinner* skinner_ = NULL;
};

} // namespace

TEST_F(MenuBarTest, MenuIsInTheBarAtAttachAfterSetMenuAndBackAtDetach)
{
    EXPECT_EQ(nullptr, GetMenu(frame_));
    EXPECT_EQ(menu_, skinner_->GetMenu());
    EXPECT_EQ(5u, Bar().ItemCount());
    RECT bar;
    skinner_->GetMenuBarRect(&bar);
    EXPECT_GT(bar.bottom - bar.top, 0);
    POINT origin = {0, 0};
    ClientToScreen(frame_, &origin);
    RECT window;
    GetWindowRect(frame_, &window);
    EXPECT_EQ(bar.bottom, origin.y - window.top) << "the client starts under the bar";

    HMENU later = CreateMenu();
    AppendMenuA(later, MF_STRING, 900, "&Later");
    SetMenu(frame_, later);
    RedrawWindow(frame_, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages();
    EXPECT_EQ(later, skinner_->GetMenu()) << "a menu set on the window moves into the bar";
    EXPECT_EQ(nullptr, GetMenu(frame_));
    EXPECT_EQ(1u, Bar().ItemCount());

    ASSERT_TRUE(SkinEngine::Instance().RemoveWindow(frame_, FALSE));
    EXPECT_EQ(later, GetMenu(frame_)) << "the bar's current menu goes back";
    DestroyMenu(menu_);
}

TEST_F(MenuBarTest, RowsWrapAndTheClientStaysBelowThem)
{
    size_t previousRows = 0;
    for (int width : {480, 260, 200, 140}) {
        SetWindowPos(frame_, NULL, 0, 0, width, 340, SWP_NOMOVE | SWP_NOZORDER);
        PumpMessages();
        Bar().LayoutItems();
        std::set<LONG> tops;
        RECT bar;
        skinner_->GetMenuBarRect(&bar);
        for (size_t i = 0; i < Bar().ItemCount(); ++i) {
            const RECT& r = Bar().Item(i)->GetRect();
            tops.insert(r.top);
            EXPECT_LE(r.bottom, bar.bottom) << "width " << width << " item " << i;
            EXPECT_GE(r.left, bar.left) << "width " << width << " item " << i;
        }
        if (width == 480)
            EXPECT_EQ(1u, tops.size()) << "every item fits one row";
        else
            EXPECT_GE(tops.size(), previousRows) << "width " << width;
        previousRows = tops.size();
        POINT origin = {0, 0};
        ClientToScreen(frame_, &origin);
        RECT window;
        GetWindowRect(frame_, &window);
        EXPECT_EQ(bar.bottom, origin.y - window.top) << "width " << width;
    }
    EXPECT_GE(previousRows, 2u) << "a narrow bar wraps";
}

TEST_F(MenuBarTest, ClickAndSlideBetweenItems)
{
    PostMessageA(frame_, WM_NCMOUSEMOVE, HTMENU, ItemPoint(View));
    Keys({VK_DOWN, VK_DOWN, VK_RETURN}); // the greyed first item, then the checked one
    Click(File);
    EXPECT_EQ(std::vector<WPARAM>{202}, Commands());
    const std::vector<RecordedMessage> opened = FrameLogOf(WM_INITMENUPOPUP);
    ASSERT_EQ(2u, opened.size());
    EXPECT_EQ(reinterpret_cast<WPARAM>(GetSubMenu(menu_, File)), opened[0].wParam);
    EXPECT_EQ(reinterpret_cast<WPARAM>(GetSubMenu(menu_, View)), opened[1].wParam);
    EXPECT_EQ(-1, Bar().OpenIndex());

    // Over the bar with nothing open, an item turns hot.
    SendMessageA(frame_, WM_NCMOUSEMOVE, HTMENU, ItemPoint(Help));
    EXPECT_EQ(Help, Bar().HotIndex());
    EXPECT_EQ(MenuBarItem::StateHot, Bar().Item(Help)->GetState());

    // A press on the client closes the menu and is re-issued to the frame.
    FrameLog().clear();
    PostMessageA(frame_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 150));
    Click(File);
    PumpMessages();
    const std::vector<RecordedMessage> presses = FrameLogOf(WM_LBUTTONDOWN);
    ASSERT_EQ(1u, presses.size()) << "taken by the menu, then re-issued once";
    EXPECT_EQ(MAKELPARAM(50, 150), presses[0].lParam);
    EXPECT_TRUE(Commands().empty());

    // A second click on the open item closes it.
    FrameLog().clear();
    PostMessageA(frame_, WM_NCLBUTTONDOWN, HTMENU, ItemPoint(Tools));
    Click(Tools);
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(1u, PopupsOpened());
}

TEST_F(MenuBarTest, AltAndMnemonicOpenTheItem)
{
    Keys({VK_RETURN}); // opened by a key, the first item is selected
    EXPECT_EQ(1, AltKey('F'));
    EXPECT_EQ(std::vector<WPARAM>{101}, Commands());
    EXPECT_EQ(0, AltKey('Q')) << "no item has it";
    EXPECT_EQ(1, AltKey('D')) << "the disabled item has it, but does not open";
    EXPECT_EQ(1u, PopupsOpened());
}

TEST_F(MenuBarTest, KeystrokesReachTheBarThroughTheHook)
{
    SetForegroundWindow(frame_);
    SetFocus(frame_);
    PumpMessages();
    const BYTE keys[][2] = {{VK_MENU, 0}, {'F', 0}, {'F', 1}, {VK_MENU, 1}, {VK_RETURN, 0}, {VK_RETURN, 1}};
    for (const auto& key : keys)
        keybd_event(key[0], 0, key[1] ? KEYEVENTF_KEYUP : 0, 0);
    PumpMessages();
    EXPECT_EQ(std::vector<WPARAM>{101}, Commands());
}

TEST_F(MenuBarTest, LeftAndRightWrapAroundTheBar)
{
    Keys({VK_LEFT, VK_RETURN}); // from the first item to the last enabled one
    AltKey('F');
    EXPECT_EQ(std::vector<WPARAM>{401}, Commands());
    FrameLog().clear();
    Keys({VK_RIGHT, VK_RETURN}); // from the last enabled item to the first
    AltKey('H');
    EXPECT_EQ(std::vector<WPARAM>{101}, Commands());
}

TEST_F(MenuBarTest, DisabledItemsNeitherOpenNorPost)
{
    Click(Disabled);
    EXPECT_EQ(0u, PopupsOpened());
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(-1, Bar().OpenIndex());
    Keys({VK_DOWN, VK_RETURN, VK_ESCAPE}); // the greyed item is selected but not chosen
    AltKey('F');
    EXPECT_TRUE(Commands().empty());
}

TEST_F(MenuBarTest, MenuEndClosesTheOpenItem)
{
    PostMessageA(frame_, WM_SKIN_MENUEND, 0, 0);
    Click(File);
    EXPECT_EQ(1u, PopupsOpened());
    EXPECT_EQ(-1, Bar().OpenIndex());
    EXPECT_EQ(MenuBarItem::StateNormal, Bar().Item(File)->GetState());
    EXPECT_TRUE(Commands().empty());
}

TEST_F(MenuBarTest, TrackingEndsWithoutHangOrCrash)
{
    PostQuitMessage(3);
    Click(File);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is still queued after";
    EXPECT_EQ(3u, msg.wParam);
    EXPECT_EQ(-1, Bar().OpenIndex());

    // The frame is destroyed while its menu is open: its menu goes with it.
    SetStep([&] { DestroyWindow(frame_); });
    PostMessageA(frame_, kRunStep, 0, 0);
    Click(View);
    EXPECT_FALSE(IsWindow(frame_));
    EXPECT_FALSE(IsMenu(menu_)) << "the bar's menu went back to the window and was destroyed with it";
    EXPECT_EQ(nullptr, FindSkinnedWindow(frame_));
}

TEST_F(MenuBarTest, LosingTheMouseOrTheActivationClosesTheOpenMenu)
{
    HWND other = MakeRecordingFrame("Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, NULL, 300, 300, 200, 150);
    struct Case {
        const char* name;
        std::function<void()> event;
    } const cases[] = {
        {"another window takes the capture", [&] { SetCapture(other); }},
        {"the frame gets WM_CANCELMODE", [&] { SendMessageA(frame_, WM_CANCELMODE, 0, 0); }},
        {"another window is activated", [&] { SetActiveWindow(other); }},
    };
    for (const Case& c : cases) {
        SetActiveWindow(frame_);
        FrameLog().clear();
        bool open = false;
        SetStep([&] {
            open = Bar().OpenIndex() == View && FindWindowExA(NULL, NULL, "TessarinePopupMenuWnd", NULL) != NULL;
            c.event();
        });
        Keys({VK_UP, VK_RIGHT}); // the zoom submenu opens too
        PostMessageA(frame_, kRunStep, 0, 0);
        AltKey('V');
        EXPECT_TRUE(open) << c.name;
        EXPECT_FALSE(g_watchdogFired) << c.name << ": the menu stayed open";
        EXPECT_EQ(-1, Bar().OpenIndex()) << c.name;
        EXPECT_EQ(MenuBarItem::StateNormal, Bar().Item(View)->GetState()) << c.name;
        EXPECT_EQ(nullptr, FindWindowExA(NULL, NULL, "TessarinePopupMenuWnd", NULL)) << c.name;
        EXPECT_TRUE(Commands().empty()) << c.name;
        if (GetCapture())
            ReleaseCapture();
    }
    DestroyWindow(other);
}

TEST_F(MenuBarTest, SlidingOntoACommandItemClosesThePopupAndMakesItHot)
{
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 101, "&Open");
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenuA(menu, MF_STRING, 700, "&Refresh");
    ASSERT_TRUE(SetMenu(frame_, menu));
    RedrawWindow(frame_, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages();
    ASSERT_EQ(2u, Bar().ItemCount());
    FrameLog().clear();
    PostMessageA(frame_, WM_NCMOUSEMOVE, HTMENU, ItemPoint(1));
    Click(0);
    EXPECT_FALSE(g_watchdogFired) << "the popup stayed open";
    EXPECT_EQ(-1, Bar().OpenIndex());
    EXPECT_EQ(1, Bar().HotIndex());
    EXPECT_EQ(MenuBarItem::StateHot, Bar().Item(1)->GetState());
    EXPECT_EQ(MenuBarItem::StateNormal, Bar().Item(0)->GetState());
    EXPECT_TRUE(Commands().empty()) << "sliding over a command does not run it";
    DestroyMenu(menu_);
}

namespace {

BOOL CALLBACK CollectPopups(HWND hwnd, LPARAM list)
{
    char name[64] = "";
    if (IsWindowVisible(hwnd) && GetClassNameA(hwnd, name, sizeof name) && lstrcmpA(name, "TessarinePopupMenuWnd") == 0)
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

} // namespace

TEST_F(MenuBarTest, ScreenshotWithAnOpenSubmenu)
{
    bool saved = false;
    SetStep([&] {
        std::vector<HWND> popups;
        EnumThreadWindows(GetCurrentThreadId(), &CollectPopups, reinterpret_cast<LPARAM>(&popups));
        // Listed top first: the submenu lies over the menu, both over the frame.
        std::vector<HWND> stack = {frame_};
        stack.insert(stack.end(), popups.rbegin(), popups.rend());
        for (HWND hwnd : stack)
            UpdateWindow(hwnd);
        RedrawWindow(frame_, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(3u, stack.size()) << "the frame, the menu and its submenu";
        EXPECT_EQ(View, Bar().OpenIndex());
        EXPECT_EQ(MenuBarItem::StateOpen, Bar().Item(View)->GetState()) << "the open item shows pressed";
        saved = SavePng(CaptureStack(stack), ScreenshotPath(std::string("skinned-frame") + RunSuffix()));
        Keys({VK_ESCAPE, VK_ESCAPE});
    });
    Keys({VK_UP, VK_RIGHT}); // from the greyed first item up to the zoom submenu, which opens
    PostMessageA(frame_, kRunStep, 0, 0);
    AltKey('V');
    EXPECT_TRUE(saved);
    EXPECT_TRUE(Commands().empty());
}
