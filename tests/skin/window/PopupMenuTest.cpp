// Skinned popup menus driven by posted keys and messages: results, delivered commands, and the ends of
// tracking that must not hang or crash (separators only, WM_QUIT, a destroyed menu or owner).
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/skinners/menu/PopupMenuTracking.h"
#include "skin/skinners/menu/PopupMenuWindow.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"
#include "tests/support/TestSupport.h"

namespace {

class PopupMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run_.started);
        ASSERT_TRUE(LoadDefaultSkin());
        owner_ = MakeFrame("Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        menu_ = CreatePopupMenu();
        AppendMenuA(menu_, MF_STRING, 11, "&Open");
        AppendMenuA(menu_, MF_SEPARATOR, 0, NULL);
        AppendMenuA(menu_, MF_STRING | MF_GRAYED, 12, "&Greyed");
        AppendMenuA(menu_, MF_STRING | MF_CHECKED, 13, "&Checked\tCtrl+C");
        HMENU sub = CreatePopupMenu();
        AppendMenuA(sub, MF_STRING, 21, "&Inner");
        AppendMenuA(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&More");
        PumpMessages();
    }
    void TearDown() override
    {
        if (IsMenu(menu_))
            DestroyMenu(menu_);
        if (IsWindow(owner_))
            DestroyWindow(owner_);
        PumpMessages();
    }
    void Keys(std::initializer_list<WPARAM> keys)
    {
        for (WPARAM key : keys)
            PostMessageA(owner_, WM_KEYDOWN, key, 0);
    }
    // The first message of the kind waiting for the owner, taken off the queue; 0 when none.
    WPARAM Posted(UINT message)
    {
        MSG msg;
        return PeekMessageA(&msg, owner_, message, message, PM_REMOVE) ? msg.wParam : 0;
    }
    int Track(UINT flags, BOOL system = FALSE) { return TrackSkinnedPopupMenu(menu_, flags, 100, 100, owner_, system); }

    ToolkitRun run_;
    HWND owner_ = NULL;
    HMENU menu_ = NULL;
};

} // namespace

TEST_F(PopupMenuTest, EscapeReturnsZero)
{
    Keys({VK_ESCAPE});
    EXPECT_EQ(0, Track(0));
    EXPECT_EQ(0u, Posted(WM_COMMAND));
}

TEST_F(PopupMenuTest, ReturnCommandPostsNothingElseACommandIsPosted)
{
    Keys({VK_DOWN, VK_RETURN});
    EXPECT_EQ(11, Track(TPM_RETURNCMD));
    EXPECT_EQ(0u, Posted(WM_COMMAND));

    Keys({VK_DOWN, VK_RETURN});
    EXPECT_EQ(1, Track(0));
    EXPECT_EQ(11u, Posted(WM_COMMAND));
}

TEST_F(PopupMenuTest, ArrowsSkipSeparatorsAndWrap)
{
    Keys({VK_UP, VK_RETURN}); // from no selection: the last item, a submenu, which opens
    Keys({VK_RETURN});
    EXPECT_EQ(21, Track(TPM_RETURNCMD));
    Keys({VK_DOWN, VK_DOWN, VK_RETURN}); // the separator is skipped, the greyed item is not chosen
    Keys({VK_ESCAPE});
    EXPECT_EQ(0, Track(TPM_RETURNCMD));
    Keys({VK_UP, VK_DOWN, VK_RETURN}); // wraps from the last to the first
    EXPECT_EQ(11, Track(TPM_RETURNCMD));
}

TEST_F(PopupMenuTest, MnemonicsOpenSubmenusAndSkipDisabledItems)
{
    Keys({'M', 'I'});
    EXPECT_EQ(21, Track(TPM_RETURNCMD));
    Keys({'G', VK_ESCAPE});
    EXPECT_EQ(0, Track(TPM_RETURNCMD)) << "a greyed item is neither chosen nor posted";
    EXPECT_EQ(0u, Posted(WM_COMMAND));
}

TEST_F(PopupMenuTest, EndsWithoutHangOrCrash)
{
    HMENU separators = CreatePopupMenu();
    AppendMenuA(separators, MF_SEPARATOR, 0, NULL);
    AppendMenuA(separators, MF_SEPARATOR, 0, NULL);
    Keys({VK_DOWN, VK_UP, VK_RETURN, VK_ESCAPE});
    EXPECT_EQ(0, TrackSkinnedPopupMenu(separators, TPM_RETURNCMD, 10, 10, owner_, FALSE));
    DestroyMenu(separators);

    HMENU gone = CreatePopupMenu();
    DestroyMenu(gone);
    EXPECT_EQ(0, TrackSkinnedPopupMenu(gone, 0, 10, 10, owner_, FALSE));

    PostQuitMessage(7);
    EXPECT_EQ(0, Track(0));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is still queued after";
    EXPECT_EQ(7u, msg.wParam);

    PostMessageA(owner_, WM_CLOSE, 0, 0); // the owner is destroyed while tracking
    EXPECT_EQ(0, Track(TPM_RETURNCMD));
    EXPECT_FALSE(IsWindow(owner_));
}

TEST_F(PopupMenuTest, SystemMenuDeliversSysCommand)
{
    HMENU system = CreatePopupMenu();
    AppendMenuA(system, MF_STRING, SC_MINIMIZE, "Mi&nimize");
    AppendMenuA(system, MF_STRING, SC_CLOSE, "&Close");
    Keys({'C'});
    EXPECT_EQ(SC_CLOSE, TrackSkinnedPopupMenu(system, 0, 10, 10, owner_, TRUE));
    EXPECT_EQ(static_cast<WPARAM>(SC_CLOSE), Posted(WM_SYSCOMMAND));
    DestroyMenu(system);
}

TEST_F(PopupMenuTest, TallMenuScrollsAndKeepsTheSelectionInView)
{
    HMENU tall = CreatePopupMenu();
    for (int i = 0; i < 40; ++i)
        AppendMenuA(tall, MF_STRING, 100 + i, "Item");
    PopupMenuWindow popup(owner_, NULL, 3);
    ASSERT_TRUE(popup.Create());
    popup.SetMenu(tall);
    MoveWindow(popup.GetHwnd(), 0, 0, 120, 150, FALSE);
    popup.Arrange();
    ASSERT_GT(popup.VisibleCount(), 0);
    EXPECT_LT(popup.VisibleCount(), 40);
    popup.Key(VK_UP); // from no selection: the last item
    EXPECT_EQ(39, popup.Selected());
    EXPECT_EQ(40, popup.FirstVisible() + popup.VisibleCount());
    popup.Key(VK_DOWN);
    EXPECT_EQ(0, popup.Selected());
    EXPECT_EQ(0, popup.FirstVisible());
    popup.Close();
    DestroyMenu(tall);
}

TEST_F(PopupMenuTest, SubmenuOpensOnItsTimerAndClosesForAnotherItem)
{
    PopupMenuWindow popup(owner_, NULL, 3);
    ASSERT_TRUE(popup.Create());
    popup.SetMenu(menu_);
    MoveWindow(popup.GetHwnd(), 100, 100, 160, 200, FALSE);
    popup.Arrange();
    ShowWindow(popup.GetHwnd(), SW_SHOWNOACTIVATE);
    popup.Key(VK_UP); // the last item, which has a submenu: its timer starts
    EXPECT_EQ(nullptr, popup.Child()) << "nothing opens before the timer";
    SendMessageA(popup.GetHwnd(), WM_TIMER, 1001, 0); // the 500 ms tick
    ASSERT_NE(nullptr, popup.Child());
    EXPECT_TRUE(IsWindowVisible(popup.Child()->GetHwnd()));
    POINT first = {12, 8}; // on the first item, under the top frame section
    ClientToScreen(popup.GetHwnd(), &first);
    popup.MouseMove(first);
    EXPECT_EQ(0, popup.Selected());
    EXPECT_EQ(nullptr, popup.Child()) << "another item closes the submenu";
    popup.Close();
}
