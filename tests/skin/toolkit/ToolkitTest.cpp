// The programming interface and the per-thread hooks: operations before start-up, start-up and shut-down
// per thread (twice, from two threads, after a failure), the skin resource (missing, damaged, valid),
// attaching and detaching windows, controls and child dialogs caught by the hook as they are created,
// toolbars on tool windows, a skin change re-binding windows, the menu keys and the popup menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <thread>
#include <vector>

#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/Tessarine.h"
#include "skin/engine/toolkit/TessarineInternal.h"
#include "tests/support/TestSupport.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"

namespace {

HINSTANCE Self()
{
    return GetModuleHandleA(NULL);
}

std::string SelfPath()
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof path);
    return path;
}

// The toolkit running on this thread with the default skin and the recording skinners.
class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run_.started);
        ASSERT_TRUE(LoadDefaultSkin());
    }
    RecordingServices services_;
    ToolkitRun run_;
};

// A child dialog template: WS_CHILD, one push button with id 1001.
std::vector<WORD> ChildDialogTemplate()
{
    std::vector<WORD> t;
    auto dword = [&t](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    auto text = [&t](const wchar_t* s) {
        while (*s)
            t.push_back(*s++);
        t.push_back(0);
    };
    dword(WS_CHILD | WS_VISIBLE | DS_CONTROL);
    dword(0);
    t.push_back(1);
    for (WORD v : {0, 0, 100, 60})
        t.push_back(v);
    t.push_back(0); // no menu
    t.push_back(0); // the dialog class
    text(L"");
    if (t.size() % 2)
        t.push_back(0);
    dword(WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON);
    dword(0);
    for (WORD v : {5, 5, 50, 14})
        t.push_back(v);
    t.push_back(1001);
    t.push_back(0xFFFF);
    t.push_back(0x0080); // Button
    text(L"OK");
    t.push_back(0);
    return t;
}

// The toolkit's tooltip window in this process (other test programs may run beside this one).
HWND OwnTooltipWindow()
{
    for (HWND hwnd = FindWindowExA(NULL, NULL, "TessarineTooltip32", NULL); hwnd;
         hwnd = FindWindowExA(NULL, hwnd, "TessarineTooltip32", NULL)) {
        DWORD process = 0;
        GetWindowThreadProcessId(hwnd, &process);
        if (process == GetCurrentProcessId())
            return hwnd;
    }
    return NULL;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

} // namespace

// Runs only in a process where the toolkit was never started; the test below starts one.
TEST(ToolkitBeforeInit, OperationsRecordNineteen)
{
    if (TessarineInitialised())
        GTEST_SKIP() << "the toolkit already ran in this process";
    HWND frame = MakeFrame();
    EXPECT_FALSE(TessarineLoadSkin(Self(), "DEFAULT", "TESSARINE"));
    EXPECT_EQ(TESSARINE_NOT_INITIALISED, TessarineGetStatus());
    EXPECT_FALSE(TessarineAttachWindow(frame, "Dialog"));
    EXPECT_FALSE(TessarineDetachWindow(frame));
    EXPECT_EQ(0, TessarinePopupMenu(CreatePopupMenu(), 0, 0, 0, frame));
    EXPECT_EQ(TESSARINE_NOT_INITIALISED, TessarineGetStatus());
    TessarineShutdown(); // nothing to stop
    EXPECT_FALSE(TessarineProcessSetUp());
    DestroyWindow(frame);
}

TEST(Toolkit, OperationsBeforeInitInAFreshProcess)
{
    ChildProcess child;
    ASSERT_TRUE(child.Start(SelfPath(), "--gtest_filter=ToolkitBeforeInit.*"));
    EXPECT_EQ(0, child.Wait(60000));
}

TEST(Toolkit, StartAndStopTwiceOnOneThread)
{
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(TessarineInit(Self()));
        EXPECT_EQ(TESSARINE_OK, TessarineGetStatus());
        EXPECT_TRUE(TessarineProcessSetUp());
        EXPECT_TRUE(TessarineThreadStarted());
        EXPECT_NE(nullptr, OwnTooltipWindow());
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        EXPECT_TRUE(GetClassInfoExA(Self(), "TessarinePopupMenuWnd", &wc));
        // A second start on a started thread installs nothing new.
        ASSERT_TRUE(TessarineInit(Self()));
        EXPECT_EQ(1u, TessarineStartedThreads());
        ASSERT_TRUE(LoadDefaultSkin());
        TessarineShutdown();
        EXPECT_FALSE(TessarineProcessSetUp());
        EXPECT_FALSE(TessarineThreadStarted());
        EXPECT_EQ(nullptr, OwnTooltipWindow());
        EXPECT_FALSE(GetClassInfoExA(Self(), "TessarinePopupMenuWnd", &wc));
        // The engine was reset: the other operations still answer, against an empty skin.
        HWND frame = MakeFrame();
        EXPECT_FALSE(TessarineAttachWindow(frame, "Dialog"));
        DestroyWindow(frame);
        // A second shut-down finds nothing to do.
        TessarineShutdown();
        EXPECT_FALSE(TessarineProcessSetUp());
    }
}

TEST(Toolkit, TwoThreads)
{
    RecordingServices services;
    ASSERT_TRUE(TessarineInit(Self()));
    ASSERT_TRUE(LoadDefaultSkin());
    bool started = false, caught = false, stillSetUp = false;
    size_t threads = 0;
    int status = -1;
    std::thread other([&] {
        started = TessarineInit(Self()) != FALSE;
        status = TessarineGetStatus();
        threads = TessarineStartedThreads();
        // Its own hook catches the controls of its own windows.
        HWND frame = MakeFrame();
        if (TessarineAttachWindow(frame, "Dialog")) {
            HWND button = MakeChild("Button", frame);
            caught = FindSkinnedWindow(button) != nullptr;
        }
        DestroyWindow(frame);
        TessarineShutdown();
        stillSetUp = TessarineProcessSetUp();
    });
    other.join();
    EXPECT_TRUE(started);
    EXPECT_EQ(TESSARINE_OK, status);
    EXPECT_EQ(2u, threads);
    EXPECT_TRUE(caught);
    EXPECT_TRUE(stillSetUp);
    EXPECT_EQ(1u, TessarineStartedThreads());
    // A thread that never started only finds nothing to unhook.
    std::thread stranger([] {
        TessarineShutdown();
        EXPECT_EQ(TESSARINE_OK, TessarineGetStatus());
    });
    stranger.join();
    EXPECT_TRUE(TessarineProcessSetUp());
    EXPECT_TRUE(TessarineThreadStarted());
    TessarineShutdown();
    EXPECT_FALSE(TessarineProcessSetUp());
    SkinEngine::Instance().Reset();
}

TEST(Toolkit, FailedStartUpIsTakenBack)
{
    // A module handle that names no module: the hooks cannot be made for it.
    HINSTANCE bogus = reinterpret_cast<HINSTANCE>(0x7A000000);
    EXPECT_FALSE(TessarineInit(bogus));
    // The process was set up for it (classes, tooltip, interception) before its hook failed.
    EXPECT_EQ(TESSARINE_CALLWNDPROC_FAILED, TessarineGetStatus());
    EXPECT_FALSE(TessarineProcessSetUp());
    EXPECT_FALSE(TessarineThreadStarted());
    EXPECT_EQ(nullptr, OwnTooltipWindow());
    ASSERT_TRUE(TessarineInit(Self()));
    EXPECT_TRUE(TessarineProcessSetUp());
    TessarineShutdown();
}

TEST_F(ToolkitTest, SkinResourceStatuses)
{
    SkinStore* current = SkinEngine::Instance().GetCurrentSkin();
    ASSERT_NE(nullptr, current->FindObjectByName("Dialog"));
    const int major = SkinFormatMajor(), minor = SkinFormatMinor();
    struct Case {
        const char* name;
        const char* type;
        int status;
    } failures[] = {
        {"MISSING", "TESSARINE", TESSARINE_RESOURCE_NOT_FOUND},
        {"DEFAULT", "OTHERTYPE", TESSARINE_RESOURCE_NOT_FOUND},
        {"JUNK", "TESSARINE", TESSARINE_SKIN_UNPACK_FAILED},
        {"TINY", "TESSARINE", TESSARINE_SKIN_DAMAGED},
    };
    for (const Case& c : failures) {
        EXPECT_FALSE(TessarineLoadSkin(Self(), c.name, c.type)) << c.name;
        EXPECT_EQ(c.status, TessarineGetStatus()) << c.name;
        // The current skin stays, read at its own version.
        EXPECT_EQ(current, SkinEngine::Instance().GetCurrentSkin()) << c.name;
        EXPECT_EQ(major, SkinFormatMajor());
        EXPECT_EQ(minor, SkinFormatMinor());
    }
    // A valid skin replaces it and leaves the recorded status as it was.
    ASSERT_TRUE(TessarineLoadSkin(Self(), "DEFAULT", "TESSARINE"));
    EXPECT_NE(current, SkinEngine::Instance().GetCurrentSkin());
    EXPECT_EQ(TESSARINE_SKIN_DAMAGED, TessarineGetStatus());
}

TEST_F(ToolkitTest, AttachAndDetachTopLevelWindows)
{
    HWND frame = MakeFrame();
    const LONG_PTR ownProc = GetWindowLongPtrA(frame, GWLP_WNDPROC);
    ASSERT_TRUE(TessarineAttachWindow(frame, "MainFrame"));
    EXPECT_EQ(1, Log().frames);
    EXPECT_STREQ("MainFrame", FindSkinnedWindow(frame)->GetSkinObjectName());
    EXPECT_FALSE(TessarineAttachWindow(frame, "Dialog"));
    HWND other = MakeFrame();
    EXPECT_FALSE(TessarineAttachWindow(other, "NoSuchFrame"));
    EXPECT_FALSE(TessarineAttachWindow(other, "Button")); // not a frame object
    ASSERT_TRUE(TessarineDetachWindow(frame));
    EXPECT_EQ(ownProc, GetWindowLongPtrA(frame, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, FindSkinnedWindow(frame));
    EXPECT_FALSE(TessarineDetachWindow(frame));
    DestroyWindow(frame);
    DestroyWindow(other);
}

TEST_F(ToolkitTest, ControlsCreatedBelowASkinnedWindow)
{
    HWND frame = MakeFrame();
    ASSERT_TRUE(TessarineAttachWindow(frame, "Dialog"));
    HWND box = MakeChild("TessarineTestFrame", frame);
    HWND button = MakeChild("Button", box, BS_AUTOCHECKBOX);
    HWND edit = MakeChild("Edit", frame);
    ASSERT_NE(nullptr, FindSkinnedWindow(button));
    EXPECT_EQ(SkinTypeCheckBox, FindSkinnedWindow(button)->GetSkinType());
    ASSERT_NE(nullptr, FindSkinnedWindow(edit));
    EXPECT_TRUE(FindSkinnedWindow(frame)->HasChild(edit));
    EXPECT_EQ(std::vector<int>({SkinTypeCheckBox, SkinTypeEdit}), Log().createdTypes);
    // The control's messages pass through its skinner to its own procedure.
    SetWindowTextA(edit, "text");
    char text[16] = "";
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ("text", text);
    // Below an unskinned window nothing happens.
    HWND plain = MakeFrame();
    HWND unskinned = MakeChild("Button", plain);
    EXPECT_EQ(nullptr, FindSkinnedWindow(unskinned));
    DestroyWindow(plain);
    DestroyWindow(frame);
    EXPECT_EQ(0u, SkinEngine::Instance().WindowCount());
}

TEST_F(ToolkitTest, SkinWithoutADialogFrameLeavesDialogsAlone)
{
    MakeCurrentSkin([](SkinStore& skin) { AddTyped(skin, SkinTypeButton, "Button"); });
    HWND frame = MakeFrame();
    EXPECT_FALSE(TessarineAttachWindow(frame, "Dialog"));
    HWND button = MakeChild("Button", frame);
    EXPECT_EQ(nullptr, FindSkinnedWindow(button));
    DestroyWindow(frame);
}

TEST_F(ToolkitTest, ChildDialogsGetAFramelessDialogSkinner)
{
    HWND frame = MakeFrame();
    ASSERT_TRUE(TessarineAttachWindow(frame, "Dialog"));
    std::vector<WORD> dialogTemplate = ChildDialogTemplate();
    HWND page = CreateDialogIndirectParamA(Self(), reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()), frame,
                                           PlainDialogProc, 0);
    ASSERT_NE(nullptr, page);
    ASSERT_EQ(std::vector<BOOL>({TRUE}), Log().dialogs);
    SkinnedWindow* pageSkinner = FindSkinnedWindow(page);
    ASSERT_NE(nullptr, pageSkinner);
    EXPECT_EQ(FindSkinnedWindow(frame)->GetSkinObject(), pageSkinner->GetSkinObject());
    // The page's own controls are skinned as the page's children.
    HWND ok = GetDlgItem(page, 1001);
    ASSERT_NE(nullptr, FindSkinnedWindow(ok));
    EXPECT_TRUE(pageSkinner->HasChild(ok));
    // A dialog that is a popup of its own is not a page: it attaches itself.
    HWND popup = CreateDialogIndirectParamA(Self(), reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()), NULL,
                                            PlainDialogProc, 0);
    EXPECT_EQ(1u, Log().dialogs.size());
    DestroyWindow(popup);
    DestroyWindow(frame);
    EXPECT_EQ(0u, SkinEngine::Instance().WindowCount());
}

TEST_F(ToolkitTest, ToolbarsOnToolWindowsAreSkinnedOnTheirOwn)
{
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
    RegisterPlainClass("AfxControlBar42s");
    HWND frame = MakeFrame();
    struct Case {
        const char* hostClass;
        DWORD hostExStyle;
        bool skinned;
    } cases[] = {
        {"TessarineTestFrame", WS_EX_TOOLWINDOW, true},
        {"AfxControlBar42s", WS_EX_TOOLWINDOW, false},
        {"TessarineTestFrame", 0, false},
    };
    for (const Case& c : cases) {
        HWND host = CreateWindowExA(c.hostExStyle, c.hostClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 40, frame, NULL,
                                    Self(), NULL);
        HWND toolbar = MakeChild(TOOLBARCLASSNAMEA, host);
        ASSERT_NE(nullptr, toolbar);
        EXPECT_EQ(c.skinned, FindSkinnedWindow(toolbar) != nullptr) << c.hostClass << " " << c.hostExStyle;
        DestroyWindow(host);
    }
    EXPECT_EQ(1, Log().toolbars);
    // A tool window without a parent of its own does not count.
    HWND floating = MakeFrame("Floating", WS_POPUP, WS_EX_TOOLWINDOW);
    HWND toolbar = MakeChild(TOOLBARCLASSNAMEA, floating);
    EXPECT_EQ(nullptr, FindSkinnedWindow(toolbar));
    DestroyWindow(floating);
    DestroyWindow(frame);
}

TEST_F(ToolkitTest, SkinChangeRebindsAttachedWindows)
{
    HWND frame = MakeFrame();
    ASSERT_TRUE(TessarineAttachWindow(frame, "Dialog"));
    HWND button = MakeChild("Button", frame);
    const SkinObject* before = FindSkinnedWindow(frame)->GetSkinObject();
    ASSERT_TRUE(LoadDefaultSkin());
    SkinStore* now = SkinEngine::Instance().GetCurrentSkin();
    EXPECT_EQ(now->FindObjectByName("Dialog"), FindSkinnedWindow(frame)->GetSkinObject());
    EXPECT_NE(before, FindSkinnedWindow(frame)->GetSkinObject());
    ASSERT_NE(nullptr, FindSkinnedWindow(button));
    EXPECT_EQ(now->FindObjectByType(SkinTypeButton), FindSkinnedWindow(button)->GetSkinObject());
    DestroyWindow(frame);
}

TEST_F(ToolkitTest, MenuKeysReachTheActiveSkinnedFrame)
{
    HWND frame = MakeFrame();
    ShowWindow(frame, SW_SHOW);
    SetActiveWindow(frame);
    ASSERT_EQ(frame, GetActiveWindow());
    ASSERT_TRUE(TessarineAttachWindow(frame, "MainFrame"));
    const LPARAM down = 1, up = static_cast<LPARAM>(0xC0000001), alt = 1 << 29;
    struct Case {
        WPARAM key;
        LPARAM data;
        LRESULT answer;
        LRESULT swallowed; // the hook's result
        std::vector<WPARAM> sent;
    } cases[] = {
        {VK_F10, down, 1, 1, {VK_F10}},
        {VK_F10, up, 1, 1, {VK_F10}},
        {'F', down | alt, 1, 1, {'F'}},
        {'F', up | alt, 1, 0, {}},      // Alt and a letter going up
        {'F', down, 1, 0, {}},          // no Alt
        {'F', down | alt, 0, 0, {'F'}}, // the frame has no use for it
        {VK_MENU, down | alt, 1, 1, {static_cast<WPARAM>(-1)}},
        {VK_MENU, down, 1, 1, {}}, // Alt without its context bit: swallowed, nothing sent
    };
    for (const Case& c : cases) {
        Log().menuKeys.clear();
        Log().menuKeyAnswer = c.answer;
        EXPECT_EQ(c.swallowed, KeyboardHook(HC_ACTION, c.key, c.data)) << c.key << " " << std::hex << c.data;
        EXPECT_EQ(c.sent, Log().menuKeys) << c.key << " " << std::hex << c.data;
    }
    // With a skinned popup menu active, the keys go to the frame that owns the menu.
    SkinnedWindow menuObject;
    HWND popup = CreateWindowExA(WS_EX_TOOLWINDOW, "TessarinePopupMenuWnd", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 frame, NULL, Self(), &menuObject);
    ASSERT_NE(nullptr, popup);
    SetActiveWindow(popup);
    ASSERT_EQ(popup, GetActiveWindow());
    Log().menuKeys.clear();
    Log().menuKeyAnswer = 1;
    EXPECT_EQ(1, KeyboardHook(HC_ACTION, VK_F10, down));
    EXPECT_EQ(std::vector<WPARAM>({VK_F10}), Log().menuKeys);
    DestroyWindow(popup);
    DestroyWindow(frame);
}

TEST_F(ToolkitTest, RealKeystrokeGoesThroughTheHook)
{
    HWND frame = MakeFrame();
    ShowWindow(frame, SW_SHOW);
    SetForegroundWindow(frame);
    ASSERT_TRUE(TessarineAttachWindow(frame, "MainFrame"));
    PumpMessages();
    if (GetForegroundWindow() != frame)
        GTEST_SKIP() << "the window did not get the keyboard";
    Log().menuKeys.clear();
    Log().menuKeyAnswer = 1;
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_F10;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(2u, SendInput(2, keys, sizeof keys[0]));
    for (int i = 0; i < 50 && Log().menuKeys.size() < 2; ++i)
        PumpMessages();
    EXPECT_EQ(std::vector<WPARAM>({VK_F10, VK_F10}), Log().menuKeys);
    DestroyWindow(frame);
}

TEST_F(ToolkitTest, PopupMenuGoesToTheSkinnedMenu)
{
    HWND frame = MakeFrame();
    HMENU menu = CreatePopupMenu();
    Log().trackAnswer = 42;
    EXPECT_EQ(42, TessarinePopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTALIGN, 100, 120, frame));
    ASSERT_EQ(1u, Log().tracks.size());
    const SkinnerLog::Track& t = Log().tracks[0];
    EXPECT_EQ(menu, t.menu);
    EXPECT_EQ(static_cast<UINT>(TPM_RETURNCMD | TPM_RIGHTALIGN), t.flags);
    EXPECT_EQ(100, t.x);
    EXPECT_EQ(120, t.y);
    EXPECT_EQ(frame, t.owner);
    EXPECT_FALSE(t.systemMenu);
    DestroyMenu(menu);
    DestroyWindow(frame);
}
