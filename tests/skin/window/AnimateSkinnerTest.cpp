// The link and animation skinners on real windows with the default skin. A "Link Window" class of the
// test's own (underlined text, also drawn for WM_PRINTCLIENT) stands in for the platform's. Clips come from
// the test's AVI writer: the program carries one as resource, others are written as files. The frame
// thread's waits are handed out by a gate, one frame at a time, so nothing here sleeps or times.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <string>
#include <vector>

#include "skin/engine/objects/ButtonSkinObjects.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/skinners/controls/AnimateSkinner.h"
#include "skin/skinners/controls/LinkSkinner.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"
#include "tests/skin/window/ControlTestWindows.h"
#include "tests/skin/window/AviClipWriter.h"
#include "tests/skin/window/TestLinkWindow.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

namespace {

const COLORREF kHolderColor = RGB(30, 150, 140);
const COLORREF kLinkColor = kTestLinkColor;
const DWORD kGuardMs = 10000; // only ever reached when something hangs

struct Notes {
    int starts = 0;
    int stops = 0;
    std::vector<DWORD> backgroundThreads; // where the holder was asked for its picture
};
Notes g_notes;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == ACN_START)
        ++g_notes.starts;
    else if (message == WM_COMMAND && HIWORD(wParam) == ACN_STOP)
        ++g_notes.stops;
    else if (message == WM_COMMAND)
        return 0;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A plain window that paints one colour and gives it as the picture under its children.
LRESULT CALLBACK HolderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SKIN_DRAWBACKGROUND: {
        g_notes.backgroundThreads.push_back(GetCurrentThreadId());
        RECT r;
        GetClientRect(reinterpret_cast<HWND>(lParam), &r);
        HBRUSH brush = CreateSolidBrush(kHolderColor);
        FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
        DeleteObject(brush);
        return 1;
    }
    case WM_COMMAND:
        return ParentProc(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

void RegisterClasses()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    WNDCLASSA wc = {};
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpfnWndProc = ParentProc;
    wc.lpszClassName = "AnimateTestParent";
    RegisterClassA(&wc);
    wc.lpfnWndProc = HolderProc;
    wc.lpszClassName = "AnimateTestHolder";
    wc.hbrBackground = NULL;
    RegisterClassA(&wc);
    RegisterTestLinkWindow();
}

COLORREF ClientPixel(HWND hwnd, int x, int y)
{
    HDC dc = GetDC(hwnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

// The frame thread's waits, handed out one at a time. The thread reports each wait it enters; a step lets
// one wait pass (a frame is drawn) and returns once the thread waits again or has ended.
struct FrameGate {
    HANDLE tick = NULL;
    HANDLE entered = NULL;
    std::atomic<DWORD> threadId{0};
    HANDLE thread = NULL; // a handle of the thread that waits, taken at its first wait
    std::atomic<DWORD> period{0};
    std::atomic<int> waits{0};

    void Open()
    {
        tick = CreateSemaphoreA(NULL, 0, 1000, NULL);
        entered = CreateSemaphoreA(NULL, 0, 1000, NULL);
    }
    void Close()
    {
        ForgetThread();
        CloseHandle(tick);
        CloseHandle(entered);
    }
    void ForgetThread()
    {
        if (thread)
            CloseHandle(thread);
        thread = NULL;
        threadId = 0;
    }
    static BOOL Wait(HANDLE stopEvent, DWORD periodMs);
    // The thread is waiting for its first frame.
    bool AwaitFirstWait() { return WaitForSingleObject(entered, kGuardMs) == WAIT_OBJECT_0; }
    enum Outcome { Waiting, Ended, Hung };
    Outcome Step()
    {
        ReleaseSemaphore(tick, 1, NULL);
        HANDLE handles[2] = {entered, thread};
        const DWORD result = WaitForMultipleObjects(2, handles, FALSE, kGuardMs);
        return result == WAIT_OBJECT_0 ? Waiting : result == WAIT_OBJECT_0 + 1 ? Ended : Hung;
    }
    bool ThreadEnded() const { return thread && WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }
};
FrameGate g_gate;

BOOL FrameGate::Wait(HANDLE stopEvent, DWORD periodMs)
{
    if (g_gate.threadId != GetCurrentThreadId()) {
        HANDLE self = NULL;
        DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &self, SYNCHRONIZE, FALSE, 0);
        if (g_gate.thread)
            CloseHandle(g_gate.thread);
        g_gate.thread = self;
        g_gate.threadId = GetCurrentThreadId();
    }
    g_gate.period = periodMs;
    ++g_gate.waits;
    ReleaseSemaphore(g_gate.entered, 1, NULL);
    HANDLE handles[2] = {stopEvent, g_gate.tick};
    return WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0 + 1;
}

// The names of the temporary clips in the temporary folder.
std::set<std::string> TemporaryClips()
{
    char folder[MAX_PATH + 1] = "";
    GetTempPathA(MAX_PATH, folder);
    std::set<std::string> names;
    for (const char* pattern : {"VL*", "TSN$$TEMP*"}) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((std::string(folder) + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do
            names.insert(found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return names;
}

std::string WriteTempClip(const char* name, const AviClipSpec& spec)
{
    char folder[MAX_PATH + 1] = "";
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + name;
    return WriteClipFile(path, MakeAviClip(spec)) ? path : std::string();
}

LPARAM WholeClip()
{
    return MAKELONG(0, -1);
}

class AnimateSkinnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run_.started);
        SetSkinnerServices(NULL);
        ASSERT_TRUE(LoadDefaultSkin());
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_ANIMATE_CLASS};
        InitCommonControlsEx(&icc);
        RegisterClasses();
        g_notes = Notes();
        g_gate.Open();
        AnimateSkinner::SetFrameWait(FrameGate::Wait);
    }
    void TearDown() override
    {
        for (HWND hwnd : windows_)
            if (IsWindow(hwnd))
                DestroyWindow(hwnd);
        AnimateSkinner::SetFrameWait(NULL);
        g_gate.Close();
    }
    HWND Dialog(const char* title, int width = 320, int height = 240)
    {
        HWND hwnd = CreateWindowExA(0, "AnimateTestParent", title, WS_POPUP | WS_CAPTION | WS_VISIBLE, 60, 60, width,
                                    height, NULL, NULL, GetModuleHandleA(NULL), NULL);
        windows_.push_back(hwnd);
        return hwnd;
    }
    static void Skin(HWND dialog)
    {
        ASSERT_TRUE(SkinEngine::Instance().SkinTopLevelWindow(dialog, "Dialog"));
        PumpMessages();
    }
    static AnimateSkinner* Skinner(HWND animation)
    {
        return dynamic_cast<AnimateSkinner*>(FindSkinnedWindow(animation));
    }
    // Plays and waits until the frame thread waits for its first frame.
    static void Play(HWND animation, int repeat, LPARAM range)
    {
        g_gate.ForgetThread();
        ASSERT_EQ(1, SendMessageA(animation, ACM_PLAY, static_cast<WPARAM>(repeat), range));
        ASSERT_TRUE(g_gate.AwaitFirstWait());
    }
    ToolkitRun run_;
    std::vector<HWND> windows_;
};

} // namespace

TEST(AnimatePeriod, FromRateAndScale)
{
    struct Case {
        DWORD rate, scale, period;
    } const cases[] = {
        {10, 1, 100}, {1, 2, 2000}, {30000, 1001, 33}, {5000, 1, 1}, {0, 1, 100}, {0, 0, 100}, {1, 5000000, 0xFFFFFFFE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.period, FramePeriodMs(c.rate, c.scale)) << c.rate << "/" << c.scale;
}

TEST(AviClipWriter, TheCarriedClipIsTheWritersFourFrames)
{
    HRSRC found = FindResourceA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(1), "AVI");
    ASSERT_NE(nullptr, found);
    const unsigned char* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(NULL, found)));
    const std::vector<unsigned char> carried(bytes, bytes + SizeofResource(NULL, found));
    EXPECT_EQ(MakeAviClip(FourFrameClip()), carried);
}

TEST_F(AnimateSkinnerTest, ResourceClipPlaysItsFramesAndLeavesNoFile)
{
    HWND dialog = Dialog("资源动画");
    HWND animation = MakeTestControl(ANIMATE_CLASSA, dialog, 0, 201, "", 20, 20, 60, 60);
    Skin(dialog);
    AnimateSkinner* skinner = Skinner(animation);
    ASSERT_NE(nullptr, skinner);
    const std::set<std::string> before = TemporaryClips();

    ASSERT_EQ(1, SendMessageA(animation, ACM_OPENA, 0, reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(1))));
    ASSERT_TRUE(skinner->Player().IsOpen());
    EXPECT_EQ(4, skinner->Player().FrameCount());
    RECT r;
    GetClientRect(animation, &r);
    EXPECT_EQ(16, r.right) << "without ACS_CENTER the control takes the clip's size";
    EXPECT_EQ(16, r.bottom);
    UpdateWindow(animation);
    EXPECT_EQ(kFourFrameColors[0], ClientPixel(animation, 8, 8)) << "the first frame shows before playing";

    Play(animation, 1, WholeClip());
    EXPECT_EQ(1, g_notes.starts);
    EXPECT_EQ(100u, g_gate.period.load());
    for (int frame = 0; frame < 4; ++frame) {
        const FrameGate::Outcome outcome = g_gate.Step();
        ASSERT_NE(FrameGate::Hung, outcome);
        EXPECT_EQ(kFourFrameColors[frame], ClientPixel(animation, 8, 8)) << frame;
        EXPECT_EQ(frame < 3 ? FrameGate::Waiting : FrameGate::Ended, outcome) << frame;
    }
    EXPECT_FALSE(skinner->Playing());

    // Another open closes the clip first; opening nothing closes it for good.
    ASSERT_EQ(1, SendMessageA(animation, ACM_OPENA, 0, reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(1))));
    ASSERT_EQ(1, SendMessageA(animation, ACM_OPENA, 0, 0));
    EXPECT_FALSE(skinner->Player().IsOpen());
    EXPECT_EQ(before, TemporaryClips()) << "the clips written from the resource and their reserved names are gone";

    EXPECT_EQ(0, SendMessageA(animation, ACM_OPENA, 0, reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(77))));
    EXPECT_EQ(0, SendMessageA(animation, ACM_PLAY, 1, WholeClip())) << "nothing open: nothing plays";
    ASSERT_EQ(1, SendMessageA(animation, ACM_OPENA, 0, reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(1))));
    DestroyWindow(animation);
    EXPECT_EQ(before, TemporaryClips()) << "nor are they left by a control destroyed with a clip open";
}

TEST_F(AnimateSkinnerTest, EndlessPlayLoopsAndStopSendsOneStop)
{
    HWND dialog = Dialog("循环");
    HWND animation = MakeTestControl(ANIMATE_CLASSA, dialog, 0, 202, "", 20, 20, 16, 16);
    Skin(dialog);
    AnimateSkinner* skinner = Skinner(animation);
    ASSERT_NE(nullptr, skinner);
    ASSERT_EQ(1, SendMessageA(animation, ACM_OPENA, 0, reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(1))));
    // -1 loops for ever, and so does 0: the count of passes is compared once it is at least 1.
    for (int repeat : {-1, 0}) {
        Play(animation, repeat, WholeClip());
        for (int step = 1; step <= 14; ++step) {
            ASSERT_EQ(FrameGate::Waiting, g_gate.Step()) << repeat << " " << step;
            EXPECT_EQ(step % 4, skinner->CurrentFrame()) << repeat << " " << step;
        }
        EXPECT_TRUE(skinner->Playing());
        const int stops = g_notes.stops;
        ASSERT_EQ(1, SendMessageA(animation, ACM_STOP, 0, 0));
        EXPECT_TRUE(g_gate.ThreadEnded()) << "stop returns with the thread ended";
        EXPECT_EQ(stops + 1, g_notes.stops);
        SendMessageA(animation, ACM_STOP, 0, 0);
        EXPECT_EQ(stops + 1, g_notes.stops) << "stopped already: nothing more";
    }
}

TEST_F(AnimateSkinnerTest, CountedPlayEndsOnItsLastFrameWithoutStopAndPaintsIt)
{
    HWND dialog = Dialog("计数");
    HWND animation = MakeTestControl(ANIMATE_CLASSA, dialog, 0, 203, "", 20, 20, 16, 16);
    Skin(dialog);
    AnimateSkinner* skinner = Skinner(animation);
    ASSERT_NE(nullptr, skinner);
    ASSERT_EQ(1, SendMessageA(animation, ACM_OPENA, 0, reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(1))));
    for (int round = 0; round < 2; ++round) {
        // Frames 1 and 2, twice.
        Play(animation, 2, MAKELONG(1, 2));
        const int expected[] = {2, 1, 2, 2};
        for (int step = 0; step < 4; ++step) {
            const FrameGate::Outcome outcome = g_gate.Step();
            ASSERT_EQ(step < 3 ? FrameGate::Waiting : FrameGate::Ended, outcome) << step;
            EXPECT_EQ(expected[step], skinner->CurrentFrame()) << step;
        }
        EXPECT_FALSE(skinner->Playing());
        EXPECT_EQ(round + 1, g_notes.starts) << "a second play starts after the first ended by itself";
        EXPECT_EQ(0, g_notes.stops) << "a counted play ends without ACN_STOP";
    }
    SendMessageA(animation, ACM_STOP, 0, 0);
    EXPECT_EQ(0, g_notes.stops);

    // Stopped, a repaint shows the frame it stands on.
    HDC dc = GetDC(animation);
    RECT r = {0, 0, 16, 16};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(animation, dc);
    RedrawWindow(animation, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(kFourFrameColors[2], ClientPixel(animation, 8, 8));

    // A range beyond the clip ends on its last frame.
    Play(animation, 1, MAKELONG(2, 40));
    EXPECT_EQ(FrameGate::Waiting, g_gate.Step());
    EXPECT_EQ(FrameGate::Ended, g_gate.Step());
    EXPECT_EQ(3, skinner->CurrentFrame());
}

TEST_F(AnimateSkinnerTest, TransparentClipIsComposedWithoutAskingFromTheFrameThread)
{
    HWND dialog = Dialog("透明");
    HWND holder = MakeTestControl("AnimateTestHolder", dialog, 0, 0, "", 10, 10, 200, 100);
    HWND animation = MakeTestControl(ANIMATE_CLASSA, holder, ACS_TRANSPARENT | ACS_CENTER, 204, "", 20, 20, 32, 32);
    Skin(dialog);
    AnimateSkinner* skinner = Skinner(animation);
    ASSERT_NE(nullptr, skinner);
    // A magenta ring (the frame's top-left colour, so the key) around the frame's colour.
    AviClipSpec spec = FourFrameClip();
    spec.pixel = [](int frame, int x, int y) {
        return x < 4 || y < 4 || x >= 12 || y >= 12 ? RGB(255, 0, 255) : kFourFrameColors[frame % 4];
    };
    const std::string path = WriteTempClip("tessarine-ring.avi", spec);
    ASSERT_FALSE(path.empty());
    ASSERT_EQ(1, SendMessageA(animation, ACM_OPENA, 0, reinterpret_cast<LPARAM>(path.c_str())));
    const DWORD self = GetCurrentThreadId();

    Play(animation, -1, WholeClip());
    ASSERT_EQ(FrameGate::Waiting, g_gate.Step());
    // Centred at (8, 8) in the 32 x 32 control: the ring shows the holder, the middle the frame.
    EXPECT_EQ(kHolderColor, ClientPixel(animation, 9, 9));
    EXPECT_EQ(kFourFrameColors[0], ClientPixel(animation, 16, 16));
    EXPECT_EQ(kHolderColor, ClientPixel(animation, 2, 2));

    // Let a frame go and stop at once: the thread is drawing while the control's thread waits for it.
    ReleaseSemaphore(g_gate.tick, 1, NULL);
    const int stops = g_notes.stops;
    ASSERT_EQ(1, SendMessageA(animation, ACM_STOP, 0, 0));
    EXPECT_TRUE(g_gate.ThreadEnded()) << "the stop waited for the thread, which asked nothing of this one";
    EXPECT_EQ(stops + 1, g_notes.stops);
    EXPECT_FALSE(g_notes.backgroundThreads.empty());
    for (DWORD thread : g_notes.backgroundThreads)
        EXPECT_EQ(self, thread) << "the holder's picture is taken on the control's thread only";
    SendMessageA(animation, ACM_OPENA, 0, 0);
    DeleteFileA(path.c_str());
}

TEST_F(AnimateSkinnerTest, HalfFramePerSecondClipPlaysAtTwoSecondsAFrame)
{
    HWND dialog = Dialog("慢速");
    HWND animation = MakeTestControl(ANIMATE_CLASSA, dialog, 0, 205, "", 20, 20, 16, 16);
    Skin(dialog);
    AnimateSkinner* skinner = Skinner(animation);
    ASSERT_NE(nullptr, skinner);
    AviClipSpec spec = FourFrameClip();
    spec.rate = 1;
    spec.scale = 2;
    const std::string path = WriteTempClip("tessarine-slow.avi", spec);
    ASSERT_FALSE(path.empty());
    ASSERT_EQ(1, SendMessageA(animation, ACM_OPENA, 0, reinterpret_cast<LPARAM>(path.c_str())));
    EXPECT_EQ(2000u, skinner->Player().FramePeriod());
    Play(animation, -1, WholeClip());
    EXPECT_EQ(2000u, g_gate.period.load());
    for (int frame = 0; frame < 5; ++frame) {
        ASSERT_EQ(FrameGate::Waiting, g_gate.Step());
        EXPECT_EQ(kFourFrameColors[frame % 4], ClientPixel(animation, 8, 8)) << frame;
    }
    SendMessageA(animation, ACM_OPENA, 0, 0);
    EXPECT_FALSE(skinner->Playing());
    DeleteFileA(path.c_str());
}

TEST_F(AnimateSkinnerTest, CentredClipsShowTheirMiddleOrSitInTheMiddle)
{
    HWND dialog = Dialog("居中");
    HWND small = MakeTestControl(ANIMATE_CLASSA, dialog, ACS_CENTER, 206, "", 10, 10, 20, 20);
    HWND large = MakeTestControl(ANIMATE_CLASSA, dialog, ACS_CENTER, 207, "", 40, 10, 40, 30);
    Skin(dialog);
    // 40 x 40, blue but for the green middle 20 x 20.
    AviClipSpec big = FourFrameClip();
    big.width = big.height = 40;
    big.frames = 1;
    big.pixel = [](int, int x, int y) {
        return x >= 10 && x < 30 && y >= 10 && y < 30 ? RGB(0, 200, 0) : RGB(0, 0, 200);
    };
    const std::string path = WriteTempClip("tessarine-big.avi", big);
    ASSERT_FALSE(path.empty());
    ASSERT_EQ(1, SendMessageA(small, ACM_OPENA, 0, reinterpret_cast<LPARAM>(path.c_str())));
    ASSERT_EQ(1, SendMessageA(large, ACM_OPENA, 0, reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(1))));
    UpdateWindow(small);
    UpdateWindow(large);
    RECT r;
    GetClientRect(small, &r);
    EXPECT_EQ(20, r.right) << "ACS_CENTER keeps the control's size";
    const std::vector<COLORREF> middle = ClientPixels(small);
    for (COLORREF c : middle)
        ASSERT_EQ(RGB(0, 200, 0), c) << "a clip larger than the control shows its middle part";
    // The 16 x 16 clip in 40 x 30 starts at (12, 7).
    EXPECT_EQ(kFourFrameColors[0], ClientPixel(large, 12, 7));
    EXPECT_EQ(kFourFrameColors[0], ClientPixel(large, 27, 22));
    EXPECT_NE(kFourFrameColors[0], ClientPixel(large, 11, 7));
    EXPECT_NE(kFourFrameColors[0], ClientPixel(large, 28, 22));
    SendMessageA(small, ACM_OPENA, 0, 0);
    DeleteFileA(path.c_str());
}

TEST_F(AnimateSkinnerTest, LinkKeepsItsTextAndShowsTheSkinUnderItsWindowColour)
{
    // TRANSPARENT shows the holder's picture; otherwise BACKCOLOR (no BACKIMAGE in the default skin).
    for (bool transparent : {true, false}) {
        ASSERT_TRUE(LoadDefaultSkin());
        StaticSkinObject* object =
            dynamic_cast<StaticSkinObject*>(SkinEngine::Instance().GetCurrentSkin()->FindObjectByType(SkinTypeStatic));
        ASSERT_NE(nullptr, object);
        object->transparent = transparent;
        object->color = RGB(250, 230, 180);
        HWND dialog = Dialog("链接");
        HWND holder = MakeTestControl("AnimateTestHolder", dialog, 0, 0, "", 10, 10, 220, 60);
        HWND link = MakeTestControl("Link Window", holder, 0, 301, "访问网站 www", 10, 10, 160, 24);
        Skin(dialog);
        ASSERT_NE(nullptr, dynamic_cast<LinkSkinner*>(FindSkinnedWindow(link)));
        RedrawWindow(link, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);

        RECT r;
        GetClientRect(link, &r);
        HDC screen = GetDC(link);
        HDC own = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
        HGDIOBJ old = SelectObject(own, bitmap);
        PaintTestLink(link, own);
        const std::vector<COLORREF> drawn = ReadPixels(own, r);
        SelectObject(own, old);
        DeleteObject(bitmap);
        DeleteDC(own);
        ReleaseDC(link, screen);
        const std::vector<COLORREF> shown = ClientPixels(link);
        const COLORREF window = GetSysColor(COLOR_WINDOW);
        const COLORREF background = transparent ? kHolderColor : object->color;
        int text = 0, underline = 0;
        for (size_t i = 0; i < drawn.size(); ++i) {
            ASSERT_EQ(drawn[i] == window ? background : drawn[i], shown[i]) << transparent << " pixel " << i;
            text += drawn[i] == kLinkColor;
        }
        // The underline: a row of the link's colour a dozen pixels wide at least.
        for (int y = 0; y < r.bottom; ++y) {
            int run = 0;
            for (int x = 0; x < r.right; ++x) {
                run = drawn[size_t(y) * r.right + x] == kLinkColor ? run + 1 : 0;
                underline = std::max(underline, run);
            }
        }
        EXPECT_GT(text, 40);
        EXPECT_GT(underline, 40);
        DestroyWindow(dialog);
    }
}

TEST_F(AnimateSkinnerTest, Screenshot)
{
    HWND dialog = Dialog("链接与动画", 300, 180);
    HWND link = MakeTestControl("Link Window", dialog, 0, 311, "访问 Warden 网站", 20, 20, 200, 24);
    HWND animation = MakeTestControl(ANIMATE_CLASSA, dialog, ACS_CENTER, 312, "", 20, 60, 64, 64,
                                     WS_EX_CLIENTEDGE | WS_EX_STATICEDGE);
    Skin(dialog);
    ASSERT_NE(nullptr, dynamic_cast<LinkSkinner*>(FindSkinnedWindow(link)));
    ASSERT_NE(nullptr, Skinner(animation));
    ASSERT_EQ(1, SendMessageA(animation, ACM_OPENA, 0, reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(1))));
    Play(animation, 1, MAKELONG(2, 2));
    EXPECT_EQ(FrameGate::Ended, g_gate.Step());
    RedrawWindow(dialog, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    EXPECT_EQ(kFourFrameColors[2], ClientPixel(animation, 29, 29));
    HDC window = GetWindowDC(animation);
    EXPECT_EQ(RGB(122, 122, 122), GetPixel(window, 0, 0)) << "the edge is the skin's BORDER";
    ReleaseDC(animation, window);
    EXPECT_TRUE(SavePng(CaptureWindow(dialog), ScreenshotPath(std::string("link-animate-skinners") + RunSuffix())));
}
