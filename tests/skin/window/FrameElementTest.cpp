// Caption buttons on skinned frames and dialogs: the event table of a plain and a check button, buttons
// enabled by the window's style, shaped corners, and the actions by clicks on real windows.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/engine/objects/FrameElementSkinObjects.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinnerServices.h"
#include "skin/skinners/window/CaptionButton.h"
#include "skin/skinners/window/DialogSkinner.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"
#include "tests/skin/window/RecordingFrame.h"
#include "tests/support/TestSupport.h"

namespace {

class CaptionButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run_.started);
        SetSkinnerServices(NULL);
        ASSERT_TRUE(LoadDefaultSkin());
        FrameLog().clear();
    }
    void TearDown() override
    {
        for (HWND hwnd : windows_)
            if (IsWindow(hwnd))
                DestroyWindow(hwnd);
        PumpMessages();
    }
    HWND Skinned(DWORD style, const char* object = "MainFrame")
    {
        HWND hwnd = MakeRecordingFrame("Caption buttons", style, NULL, 30, 30, 400, 260);
        windows_.push_back(hwnd);
        EXPECT_TRUE(SkinEngine::Instance().SkinTopLevelWindow(hwnd, object));
        ShowWindow(hwnd, SW_SHOW);
        PumpMessages();
        return hwnd;
    }
    static CaptionButton* ButtonOf(HWND hwnd, int action)
    {
        SkinnedWindow* skinner = FindSkinnedWindow(hwnd);
        if (!skinner)
            return NULL;
        const RECT bounds = skinner->GetWindowBounds();
        for (FrameElement* element : skinner->Elements()) {
            CaptionButton* button = dynamic_cast<CaptionButton*>(element);
            if (button && button->GetAction() == action) {
                button->Layout(bounds);
                return button;
            }
        }
        return NULL;
    }
    // A release at a window point, as the captured mouse brings it (client coordinates).
    static void ReleaseAt(HWND hwnd, POINT window)
    {
        RECT r;
        GetWindowRect(hwnd, &r);
        POINT client = {r.left + window.x, r.top + window.y};
        ScreenToClient(hwnd, &client);
        SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    }
    static LPARAM Screen(HWND hwnd, POINT window)
    {
        RECT r;
        GetWindowRect(hwnd, &r);
        return MAKELPARAM(r.left + window.x, r.top + window.y);
    }
    static POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    static int Commands(HWND hwnd)
    {
        int count = 0;
        MSG msg;
        while (PeekMessageA(&msg, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE))
            ++count;
        return count;
    }

    ToolkitRun run_;
    std::vector<HWND> windows_;
};

enum Event { MoveOn, MoveOff, PressOn, ReleaseOn, ReleaseOff, Leave };

struct Step {
    Event event;
    int state;
    BOOL pressed;
    int commands; // posted since the table began
};

void RunTable(CaptionButton& button, HWND owner, const Step* steps, size_t count, const char* name)
{
    const RECT r = button.GetRect();
    const POINT on = {(r.left + r.right) / 2, (r.top + r.bottom) / 2}, off = {r.left - 40, r.bottom + 40};
    int commands = 0;
    for (size_t i = 0; i < count; ++i) {
        const Step& s = steps[i];
        switch (s.event) {
        case MoveOn:
            button.OnMouseMove(on);
            break;
        case MoveOff:
            button.OnMouseMove(off);
            break;
        case PressOn:
            button.OnLButtonDown(on);
            break;
        case ReleaseOn:
            button.OnLButtonUp(on);
            break;
        case ReleaseOff:
            button.OnLButtonUp(off);
            break;
        case Leave:
            button.OnMouseLeave();
            break;
        }
        MSG msg;
        while (PeekMessageA(&msg, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE))
            ++commands;
        EXPECT_EQ(s.state, button.GetState()) << name << " step " << i;
        EXPECT_EQ(s.pressed, button.IsPressed()) << name << " step " << i;
        EXPECT_EQ(s.commands, commands) << name << " step " << i;
    }
}

} // namespace

TEST_F(CaptionButtonTest, EventTableOfPlainAndCheckButtons)
{
    HWND frame = Skinned(WS_OVERLAPPEDWINDOW);
    SkinnedWindow* skinner = FindSkinnedWindow(frame);
    ASSERT_NE(nullptr, skinner);
    CaptionButtonSkinObject object;
    SetRect(&object.rect, 100, 4, 118, 20);
    object.action = CaptionButton::ActionCommand;
    object.commandId = 77;

    CaptionButton plain(object.rect, skinner);
    plain.SetSkinObject(&object);
    const Step plainSteps[] = {
        {MoveOn, CaptionButton::StateHover, FALSE, 0},     {PressOn, CaptionButton::StatePressed, TRUE, 0},
        {MoveOff, CaptionButton::StatePressed, TRUE, 0},   {ReleaseOff, CaptionButton::StateNormal, FALSE, 0},
        {PressOn, CaptionButton::StatePressed, TRUE, 0},   {Leave, CaptionButton::StateNormal, FALSE, 0},
        {ReleaseOn, CaptionButton::StateNormal, FALSE, 0}, {PressOn, CaptionButton::StatePressed, TRUE, 0},
        {ReleaseOn, CaptionButton::StateHover, FALSE, 1},  {PressOn, CaptionButton::StatePressed, TRUE, 1},
        {ReleaseOn, CaptionButton::StateHover, FALSE, 2},
    };
    RunTable(plain, frame, plainSteps, sizeof plainSteps / sizeof plainSteps[0], "plain");

    object.twoState = 1;
    CaptionButton check(object.rect, skinner);
    check.SetSkinObject(&object);
    const Step checkSteps[] = {
        {PressOn, CaptionButton::StateNormal, TRUE, 0},     {ReleaseOn, CaptionButton::StatePressed, FALSE, 1},
        {PressOn, CaptionButton::StatePressed, TRUE, 1},    {ReleaseOn, CaptionButton::StateNormal, FALSE, 2},
        {PressOn, CaptionButton::StateNormal, TRUE, 2},     {ReleaseOff, CaptionButton::StateNormal, FALSE, 2},
        {PressOn, CaptionButton::StateNormal, TRUE, 2},     {Leave, CaptionButton::StateNormal, TRUE, 2},
        {ReleaseOn, CaptionButton::StatePressed, FALSE, 3},
    };
    RunTable(check, frame, checkSteps, sizeof checkSteps / sizeof checkSteps[0], "check");
}

TEST_F(CaptionButtonTest, StyleEnablesButtonsAndShapedCornersAreIgnored)
{
    HWND frame = Skinned(WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX);
    CaptionButton* maximize = ButtonOf(frame, CaptionButton::ActionMaximize);
    CaptionButton* minimize = ButtonOf(frame, CaptionButton::ActionMinimize);
    CaptionButton* close = ButtonOf(frame, CaptionButton::ActionClose);
    ASSERT_NE(nullptr, maximize);
    ASSERT_NE(nullptr, minimize);
    ASSERT_NE(nullptr, close);
    EXPECT_FALSE(maximize->IsEnabled());
    EXPECT_FALSE(maximize->HitTest(Centre(maximize->GetRect())));
    EXPECT_TRUE(minimize->IsEnabled());
    EXPECT_TRUE(close->HitTest(Centre(close->GetRect())));
    const RECT r = close->GetRect();
    EXPECT_FALSE(close->HitTest(POINT{r.left, r.top})) << "the transparent corner of the picture";

    // A disabled button is no button: the press goes to the caption.
    SkinnedWindow* skinner = FindSkinnedWindow(frame);
    EXPECT_EQ(0, skinner->ElementHitTest(Centre(maximize->GetRect())));
    EXPECT_EQ(HTCAPTION, skinner->ElementHitTest(Centre(r)));
}

TEST_F(CaptionButtonTest, ActionsRunOnAReleaseOverTheButton)
{
    HWND frame = Skinned(WS_OVERLAPPEDWINDOW);
    CaptionButton* close = ButtonOf(frame, CaptionButton::ActionClose);
    CaptionButton* minimize = ButtonOf(frame, CaptionButton::ActionMinimize);
    ASSERT_NE(nullptr, close);
    ASSERT_NE(nullptr, minimize);
    const POINT closeAt = Centre(close->GetRect()), minimizeAt = Centre(minimize->GetRect());
    EXPECT_EQ(HTCAPTION, SendMessageA(frame, WM_NCHITTEST, 0, Screen(frame, closeAt)));

    // Pressed on close, released on minimize: nothing runs, and the press started no move loop.
    SendMessageA(frame, WM_NCLBUTTONDOWN, HTCAPTION, Screen(frame, closeAt));
    EXPECT_EQ(frame, GetCapture()) << "the release comes back to the frame";
    ReleaseAt(frame, minimizeAt);
    PumpMessages();
    EXPECT_TRUE(FrameLogOf(WM_SYSCOMMAND).empty());

    SendMessageA(frame, WM_NCLBUTTONDOWN, HTCAPTION, Screen(frame, closeAt));
    ReleaseAt(frame, closeAt);
    SendMessageA(frame, WM_NCLBUTTONDOWN, HTCAPTION, Screen(frame, minimizeAt));
    SendMessageA(frame, WM_NCLBUTTONUP, HTCAPTION, Screen(frame, minimizeAt));
    PumpMessages();
    const std::vector<RecordedMessage> commands = FrameLogOf(WM_SYSCOMMAND);
    ASSERT_EQ(2u, commands.size());
    EXPECT_EQ(static_cast<WPARAM>(SC_CLOSE), commands[0].wParam);
    EXPECT_EQ(static_cast<WPARAM>(SC_MINIMIZE), commands[1].wParam);
    EXPECT_TRUE(IsWindow(frame));
}

TEST_F(CaptionButtonTest, DialogCloseButtonAndItsTip)
{
    HWND dialog = MakeRecordingFrame("Dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE, NULL,
                                     60, 60, 300, 200);
    windows_.push_back(dialog);
    SkinEngine& engine = SkinEngine::Instance();
    SkinnedWindow* skinner = new DialogSkinner(FALSE);
    ASSERT_TRUE(engine.AddWindow(skinner, dialog));
    skinner->SetSkinObject(engine.GetCurrentSkin()->FindObjectByName("Dialog"));
    ASSERT_TRUE(skinner->Attach(dialog));
    PumpMessages();
    CaptionButton* close = ButtonOf(dialog, CaptionButton::ActionClose);
    ASSERT_NE(nullptr, close);
    EXPECT_FALSE(close->TipText().empty());
    SendMessageA(dialog, WM_NCACTIVATE, FALSE, 0);
    SendMessageA(dialog, WM_NCACTIVATE, TRUE, 0);
    EXPECT_TRUE(IsWindowVisible(dialog)) << "activation keeps the dialog's style";
    const POINT at = Centre(close->GetRect());
    EXPECT_EQ(HTCAPTION, SendMessageA(dialog, WM_NCHITTEST, 0, Screen(dialog, at)));
    SendMessageA(dialog, WM_NCLBUTTONDOWN, HTCAPTION, Screen(dialog, at));
    ReleaseAt(dialog, at);
    PumpMessages();
    const std::vector<RecordedMessage> commands = FrameLogOf(WM_SYSCOMMAND);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(static_cast<WPARAM>(SC_CLOSE), commands[0].wParam);
}

TEST_F(CaptionButtonTest, SystemMenuButtonRunsOnThePressAndLeavesTheMouseFree)
{
    // The default skin's close button made a system-menu button (action 5) for this test's skin.
    SkinObject* frameObject = SkinEngine::Instance().GetCurrentSkin()->FindObjectByName("MainFrame");
    ASSERT_NE(nullptr, frameObject);
    bool changed = false;
    for (const auto& entry : frameObject->Children())
        if (CaptionButtonSkinObject* object = dynamic_cast<CaptionButtonSkinObject*>(entry.second))
            if (object->action == CaptionButton::ActionClose) {
                object->action = CaptionButton::ActionSystemMenu;
                changed = true;
            }
    ASSERT_TRUE(changed);
    HWND frame = Skinned(WS_OVERLAPPEDWINDOW);
    CaptionButton* button = ButtonOf(frame, CaptionButton::ActionSystemMenu);
    ASSERT_NE(nullptr, button);
    PostMessageA(frame, WM_KEYDOWN, VK_ESCAPE, 0); // ends the system menu the press opens
    SendMessageA(frame, WM_NCLBUTTONDOWN, HTCAPTION, Screen(frame, Centre(button->GetRect())));
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(nullptr, GetCapture()) << "the menu ran on the press; nothing awaits a release";
}
