// Skinned popup menus driven by posted keys and messages: results, delivered commands, the ends of
// tracking that must not hang or crash (separators only, WM_QUIT, a destroyed menu or owner), the end
// when the program loses the mouse or the activation, and what a tall menu and a submenu item show.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/skinners/menu/PopupMenuTracking.h"
#include "skin/skinners/menu/PopupMenuWindow.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"
#include "tests/skin/window/WindowStackCapture.h"
#include "tests/support/TestSupport.h"

namespace {

std::function<void()> g_inLoop;
bool g_watchdogFired = false;

void CALLBACK RunInLoop(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(NULL, id);
    std::function<void()> step;
    step.swap(g_inLoop);
    if (step)
        step();
}

// Runs the step from inside the next menu loop, once the keys already posted have been served.
void InLoop(const std::function<void()>& step)
{
    g_inLoop = step;
    SetTimer(NULL, 0, 0, &RunInLoop);
}

// Ends a loop that a fault left running, and says so: Escape again on every tick closes one popup of the
// cascade after the other.
void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD)
{
    g_watchdogFired = true;
    ADD_FAILURE() << "the menu loop was still running";
    PostThreadMessageA(GetCurrentThreadId(), WM_KEYDOWN, VK_ESCAPE, 0);
}

class WatchdogTimer {
public:
    WatchdogTimer() : id_(SetTimer(NULL, 0, 3000, &Watchdog)) { g_watchdogFired = false; }
    ~WatchdogTimer() { KillTimer(NULL, id_); }
    bool Fired() const { return g_watchdogFired; }

private:
    UINT_PTR id_;
};

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
    // Keys pressed with Alt held, as the system posts them.
    void AltKeys(std::initializer_list<WPARAM> keys)
    {
        for (WPARAM key : keys)
            PostMessageA(owner_, WM_SYSKEYDOWN, key, 1 << 29);
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

TEST_F(PopupMenuTest, LosingTheMouseOrTheActivationEndsTheWholeCascade)
{
    // Shown without activation: the activation the display reports for a window shown active arrives
    // later and would end the first menu before its event.
    HWND other = MakeFrame("Other", WS_OVERLAPPEDWINDOW);
    ShowWindow(other, SW_SHOWNOACTIVATE);
    PumpMessages();
    struct Case {
        const char* name;
        std::function<void()> event;
    } const cases[] = {
        {"another window takes the capture", [&] { SetCapture(owner_); }},
        {"the owner gets WM_CANCELMODE", [&] { SendMessageA(owner_, WM_CANCELMODE, 0, 0); }},
        {"another window is activated", [&] { SetActiveWindow(other); }},
    };
    for (const Case& c : cases) {
        for (UINT flags : {0u, static_cast<UINT>(TPM_RETURNCMD)}) {
            SetActiveWindow(owner_);
            Keys({VK_UP, VK_RIGHT}); // the submenu is open when the event comes
            bool cascade = false;
            InLoop([&] {
                cascade = FindWindowExA(NULL, NULL, "TessarinePopupMenuWnd", NULL) != NULL;
                c.event();
            });
            WatchdogTimer watchdog;
            EXPECT_EQ(0, Track(flags)) << c.name;
            EXPECT_FALSE(watchdog.Fired()) << c.name << ": the menu stayed open";
            EXPECT_TRUE(cascade) << c.name;
            EXPECT_EQ(nullptr, FindWindowExA(NULL, NULL, "TessarinePopupMenuWnd", NULL)) << c.name;
            EXPECT_EQ(0u, Posted(WM_COMMAND)) << c.name;
            if (GetCapture())
                ReleaseCapture();
        }
    }
    DestroyWindow(other);
}

TEST_F(PopupMenuTest, AltWithALetterNoItemHasEndsAContextMenu)
{
    {
        WatchdogTimer watchdog;
        AltKeys({'Q'});
        EXPECT_EQ(1, Track(0)) << "ended, not escaped";
        EXPECT_FALSE(watchdog.Fired());
        EXPECT_EQ(0u, Posted(WM_COMMAND));
    }
    AltKeys({VK_MENU, 'O'}); // Alt itself is no letter; a mnemonic with Alt chooses its item
    EXPECT_EQ(1, Track(0));
    EXPECT_EQ(11u, Posted(WM_COMMAND));
    AltKeys({'Q'}); // a menu that returns its command goes on
    Keys({VK_DOWN, VK_RETURN});
    EXPECT_EQ(11, Track(TPM_RETURNCMD));
}

namespace {

bool IsDark(COLORREF c)
{
    return GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90;
}

// Dark pixels of a capture inside a rectangle (capture coordinates).
int DarkPixels(const Capture& capture, const RECT& r)
{
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            count += IsDark(capture.Pixel(x, y)) ? 1 : 0;
    return count;
}

} // namespace

TEST_F(PopupMenuTest, TallMenuShowsScrollArrowsAndTheSkinsSubmenuArrow)
{
    HMENU inner = CreatePopupMenu();
    AppendMenuA(inner, MF_STRING, 301, "Inner");
    HMENU tall = CreatePopupMenu();
    AppendMenuA(tall, MF_STRING | MF_CHECKED, 200, "Checked");
    AppendMenuA(tall, MF_POPUP, reinterpret_cast<UINT_PTR>(inner), "Submenu");
    for (int i = 0; i < 40; ++i)
        AppendMenuA(tall, MF_STRING, 100 + i, "Item\tCtrl+I");
    PopupMenuWindow popup(owner_, NULL, 3);
    ASSERT_TRUE(popup.Create());
    popup.BindSkin(PopupMenuWindow::CurrentSkinObject());
    popup.SetMenu(tall);
    const SIZE size = popup.MeasureSize();
    MoveWindow(popup.GetHwnd(), 60, 40, size.cx, 200, FALSE);
    popup.Arrange();
    ShowWindow(popup.GetHwnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(popup.GetHwnd());
    const Capture plain = CaptureStack({popup.GetHwnd()});
    popup.Key(VK_DOWN);
    popup.Key(VK_DOWN); // the submenu item, highlighted
    UpdateWindow(popup.GetHwnd());
    const Capture selected = CaptureStack({popup.GetHwnd()});
    SendMessageA(popup.GetHwnd(), WM_TIMER, 1001, 0); // the submenu opens beside it
    ASSERT_NE(nullptr, popup.Child());
    UpdateWindow(popup.Child()->GetHwnd());
    EXPECT_TRUE(SavePng(CaptureStack({popup.GetHwnd(), popup.Child()->GetHwnd()}),
                        ScreenshotPath(std::string("menus") + RunSuffix())));

    const RECT up = popup.ScrollArea(true), down = popup.ScrollArea(false);
    ASSERT_FALSE(IsRectEmpty(&up));
    ASSERT_FALSE(IsRectEmpty(&down));
    EXPECT_GT(DarkPixels(plain, up), 6) << "an arrow shows the menu scrolls up";
    EXPECT_GT(DarkPixels(plain, down), 6) << "an arrow shows the menu scrolls down";

    // The skin's arrow picture (8 x 8, its tallest column 7 pixels) in the item's right-hand square,
    // drawn without its transparent colour over the plain and the highlighted item alike.
    const RECT band = popup.ItemBand(1);
    const int square = band.bottom - band.top;
    const RECT cell = {band.right - 4 - square, band.top, band.right - 4, band.bottom};
    for (const Capture* capture : {&plain, &selected}) {
        int tallest = 0, magenta = 0;
        for (int x = cell.left; x < cell.right; ++x) {
            int run = 0;
            for (int y = cell.top; y < cell.bottom; ++y) {
                const COLORREF c = capture->Pixel(x, y);
                magenta += c == RGB(255, 0, 255) ? 1 : 0;
                run += IsDark(c) ? 1 : 0;
            }
            tallest = run > tallest ? run : tallest;
        }
        EXPECT_EQ(7, tallest) << (capture == &plain ? "plain" : "selected");
        EXPECT_EQ(0, magenta) << (capture == &plain ? "plain" : "selected");
    }
    popup.Close();
    DestroyMenu(tall);
}
