// The video wall with 16 live cameras of the simulated site, in one run: the time of a switch of
// split mode or page (the wall laid out and repainted) against 16 bare child windows moved and
// repainted the same way; and the process's CPU while 16 live panes show, against one pane and
// against the same 16 streams drawn into bare windows.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "resources/warden/resource.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/ui/liveview/DisplayPage.h"
#include "station/ui/liveview/DlgVideoWall.h"
#include "station/ui/liveview/PaneGeometry.h"
#include "station/ui/mainwindow/SkinLayout.h"
#include "tests/station/core/sessions/SilentPane.h"
#include "tests/station/ui/LiveWallSite.h"
#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"
#include "tests/support/TestSupport.h"

namespace {

const int kModes[6] = {1, 4, 6, 8, 9, 16};
const int kWidth = 800, kHeight = 600;

double ProcessCpuSeconds()
{
    FILETIME c, e, k, u;
    GetProcessTimes(GetCurrentProcess(), &c, &e, &k, &u);
    auto s = [](FILETIME f) { return (double(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 1e7; };
    return s(k) + s(u);
}

LRESULT CALLBACK BareProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        FillRect(dc, &ps.rcPaint, (HBRUSH)GetStockObject(BLACK_BRUSH));
        EndPaint(w, &ps);
        return 0;
    }
    return msg == WM_ERASEBKGND ? 1 : DefWindowProcA(w, msg, wp, lp);
}

// A bare window a session draws into, as the baseline of the panes.
class BarePane : public SilentPane {
public:
    BarePane(HWND parent, int index) : SilentPane(MakeWindow(parent, index)) {}

private:
    static HWND MakeWindow(HWND parent, int index)
    {
        RECT r = SplitPositionRect(16, index, kWidth, kHeight);
        return CreateWindowExA(0, "WallBenchBare", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
};

// Lays 16 bare windows out as the wall lays its panes out for the mode and the selected pane.
void LayoutBare(const std::vector<HWND>& windows, int mode, int selected)
{
    int panes[16];
    int count = SplitGroupPanes(mode, SplitGroupOf(mode, selected), selected, panes);
    HDWP defer = BeginDeferWindowPos(16);
    std::vector<bool> shown(16, false);
    for (int position = 0; position < count; ++position) {
        RECT r = SplitPositionRect(mode, position, kWidth, kHeight);
        shown[panes[position]] = true;
        defer = DeferWindowPos(defer, windows[panes[position]], nullptr, r.left, r.top, r.right - r.left,
                               r.bottom - r.top, SWP_NOZORDER | SWP_SHOWWINDOW);
    }
    for (int i = 0; i < 16; ++i) {
        if (!shown[i])
            defer = DeferWindowPos(defer, windows[i], nullptr, 0, 0, 0, 0,
                                   SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW);
    }
    EndDeferWindowPos(defer);
}

void Flush(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Milliseconds per switch: split switches (every mode in turn on the first page) and page
// switches (to the second page, split 9, and back), each timed on its own, and of each the part
// spent in the switch call itself (layout, sessions moving between panes) apart from the paint
// that follows.
struct SwitchTimes {
    double split = 0;
    double page = 0;
    double splitCall = 0;
    double pageCall = 0;
};

template <typename Switch> void TimedSwitch(HWND window, Switch doSwitch, double& whole, double& call)
{
    double begin = NowMs();
    doSwitch();
    double called = NowMs();
    Flush(window);
    call += called - begin;
    whole += NowMs() - begin;
}

template <typename SetMode, typename SetPage>
SwitchTimes TimeSwitches(HWND window, LiveWallSite& site, int rounds, SetMode setMode, SetPage setPage)
{
    SwitchTimes spent;
    for (int round = 0; round < rounds; ++round) {
        for (int mode : kModes)
            TimedSwitch(
                window, [&] { setMode(mode); }, spent.split, spent.splitCall);
        TimedSwitch(
            window, [&] { setPage(1); }, spent.page, spent.pageCall);
        TimedSwitch(
            window, [&] { setPage(0); }, spent.page, spent.pageCall);
        site.Run(20); // the pictures that arrived meanwhile are drawn outside the timing
    }
    spent.split /= rounds * 6;
    spent.splitCall /= rounds * 6;
    spent.page /= rounds * 2;
    spent.pageCall /= rounds * 2;
    return spent;
}

void PrintBreakdown(const char* what, double whole, double call)
{
    std::printf("  %s: %.1f ms = switch call %.1f ms (%.0f%%) + paint %.1f ms (%.0f%%)\n", what, whole, call,
                whole > 0 ? 100 * call / whole : 0, whole - call, whole > 0 ? 100 * (whole - call) / whole : 0);
}

// What the messages of one switch are: those sent to the windows during the switch call and during
// the paint after it, and of the paint the windows painted, erased and given a frame paint. Counted
// in a round of their own: the counting hook costs time.
// The paints are timed by the kind of window as well: panes (and the wall), video surfaces,
// status icons, captions, input buttons.
enum PaintedKind { paintedPane, paintedSurface, paintedIcon, paintedCaption, paintedButton, paintedKinds };
const char* const kPaintedKinds[paintedKinds] = {"pane", "video surface", "status icon", "caption", "input button"};

struct SwitchMessages {
    int switches = 0;
    int call = 0;
    int paint = 0;
    int painted = 0;
    int erased = 0;
    int framed = 0;
    int placed = 0;
    int paintsOf[paintedKinds] = {};
    double paintMsOf[paintedKinds] = {};
};

SwitchMessages* counting = nullptr;
bool countingPaint = false;
double paintStart = 0;

PaintedKind KindOf(HWND window)
{
    int id = GetDlgCtrlID(window);
    if (id == IDC_PANE_SURFACE)
        return paintedSurface;
    if (id >= IDC_PANE_RECORD && id <= IDC_PANE_ALARM)
        return paintedIcon;
    if (id == IDC_PANE_CAPTION)
        return paintedCaption;
    if (id >= IDC_PANE_INPUT0 && id <= IDC_PANE_INPUT3)
        return paintedButton;
    return paintedPane;
}

// A window's paint is timed from its WM_PAINT to the return of its window procedure; the paints
// of the wall's windows do not nest.
LRESULT CALLBACK TimePaintReturn(int code, WPARAM wp, LPARAM lp)
{
    if (code == HC_ACTION && counting != nullptr && countingPaint) {
        const CWPRETSTRUCT* done = reinterpret_cast<const CWPRETSTRUCT*>(lp);
        if (done->message == WM_PAINT) {
            PaintedKind kind = KindOf(done->hwnd);
            counting->paintsOf[kind]++;
            counting->paintMsOf[kind] += NowMs() - paintStart;
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK CountMessage(int code, WPARAM wp, LPARAM lp)
{
    if (code == HC_ACTION && counting != nullptr) {
        const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lp);
        (countingPaint ? counting->paint : counting->call)++;
        counting->painted += countingPaint && sent->message == WM_PAINT;
        counting->erased += countingPaint && sent->message == WM_ERASEBKGND;
        counting->framed += countingPaint && sent->message == WM_NCPAINT;
        counting->placed += sent->message == WM_WINDOWPOSCHANGED;
        if (countingPaint && sent->message == WM_PAINT)
            paintStart = NowMs();
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

template <typename Switch> void CountedSwitch(HWND window, Switch doSwitch, SwitchMessages& messages)
{
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountMessage, nullptr, GetCurrentThreadId());
    HHOOK returns = SetWindowsHookExA(WH_CALLWNDPROCRET, TimePaintReturn, nullptr, GetCurrentThreadId());
    counting = &messages;
    countingPaint = false;
    doSwitch();
    countingPaint = true;
    Flush(window);
    counting = nullptr;
    UnhookWindowsHookEx(returns);
    UnhookWindowsHookEx(hook);
    ++messages.switches;
}

void PrintMessages(const char* what, const SwitchMessages& m)
{
    double n = m.switches > 0 ? m.switches : 1;
    std::printf("  %s: sent messages %.0f in the call + %.0f in the paint; windows painted %.0f, erased %.0f, "
                "frame-painted %.0f; windows placed %.0f\n",
                what, m.call / n, m.paint / n, m.painted / n, m.erased / n, m.framed / n, m.placed / n);
    std::printf("    paints by window (ms per switch, windows):");
    for (int kind = 0; kind < paintedKinds; ++kind)
        std::printf("%s %s %.2f ms (%.1f)", kind > 0 ? "," : "", kPaintedKinds[kind], m.paintMsOf[kind] / n,
                    m.paintsOf[kind] / n);
    std::printf("\n");
}

// The panes a round of split switches lays out, per switch.
double PanesPerSplitSwitch()
{
    double panes = 0;
    for (int mode : kModes)
        panes += mode;
    return panes / 6;
}

SwitchTimes WallSwitches(CDlgVideoWall& wall, CWnd& host, LiveWallSite& site, int rounds)
{
    return TimeSwitches(
        host.m_hWnd, site, rounds, [&](int mode) { wall.SetSplitMode(mode, -1); },
        [&](int page) { page == 1 ? wall.NextPage() : wall.PrevPage(); });
}

SwitchTimes BareSwitches(HWND parent, const std::vector<HWND>& windows, LiveWallSite& site, int rounds)
{
    // The first page is left in split 16 by the last mode of the round, the second shows split 9.
    return TimeSwitches(
        parent, site, rounds, [&](int mode) { LayoutBare(windows, mode, 5); },
        [&](int page) { LayoutBare(windows, page == 1 ? 9 : 16, 5); });
}

// CPU seconds per second of this process over ms, after a warm-up.
double CpuWhile(LiveWallSite& site, DWORD ms)
{
    site.Run(1500);
    double c0 = ProcessCpuSeconds(), t0 = NowMs();
    site.Run(ms);
    return (ProcessCpuSeconds() - c0) / ((NowMs() - t0) / 1000.0);
}

} // namespace

int main()
{
    TempDir dir(true);
    SetStartDirectory(dir.Path().c_str());
    CopyStationSkin(dir.Path());
    SetSkinScreenSize(1024, 768);
    LiveWallSite site;
    if (!site.Start(dir.Path())) {
        std::printf("devsim did not start\n");
        return 1;
    }
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BareProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "WallBenchBare";
    RegisterClassA(&wc);

    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kWidth, kHeight,
                  nullptr, nullptr);
    CDlgVideoWall* wall = new CDlgVideoWall;
    wall->CreateWall(&host, 0, 0, kWidth, kHeight);
    wall->ShowPage(0, 5, 0);
    if (!site.ConnectAll(60000)) {
        std::printf("not every camera connected\n");
        return 1;
    }
    site.Run(1500);

    // The bare windows live in a window of their own beside the wall, hidden while not measured.
    HWND bareParent = CreateWindowExA(0, "WallBenchBare", "", WS_POPUP | WS_CLIPCHILDREN, 0, 0, kWidth, kHeight,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    std::vector<std::unique_ptr<BarePane>> bare;
    std::vector<HWND> bareWindows;
    for (int i = 0; i < 16; ++i) {
        bare.emplace_back(new BarePane(bareParent, i));
        bareWindows.push_back(bare.back()->GetVideoSurface());
    }

    WallSwitches(*wall, host, site, 3); // warm-up
    SwitchTimes wallTimes = WallSwitches(*wall, host, site, 25);
    host.ShowWindow(SW_HIDE);
    ShowWindow(bareParent, SW_SHOW);
    BareSwitches(bareParent, bareWindows, site, 3);
    SwitchTimes bareTimes = BareSwitches(bareParent, bareWindows, site, 25);
    ShowWindow(bareParent, SW_HIDE);
    host.ShowWindow(SW_SHOW);
    // The two pages show the same cameras in the same panes; a third one shows every camera in
    // another pane, so that a switch to it moves all 16 sessions.
    DisplayPage* moved = DisplayPageTable().Append(9);
    for (int i = 0; i < 16; ++i)
        moved->cameras[i] = site.sessions[(i + 1) % 16]->m_pCamera;
    double movedWhole = 0, movedCall = 0;
    const int movedRounds = 10;
    for (int round = 0; round < movedRounds + 1; ++round) {
        double whole = 0, call = 0;
        TimedSwitch(
            host.m_hWnd, [&] { wall->ShowPage(2, -1, 0); }, whole, call);
        TimedSwitch(
            host.m_hWnd, [&] { wall->ShowPage(0, -1, 0); }, whole, call);
        if (round > 0) // the first is a warm-up
            movedWhole += whole / 2, movedCall += call / 2;
        site.Run(20);
    }
    movedWhole /= movedRounds;
    movedCall /= movedRounds;

    SwitchMessages splitMessages, pageMessages, movedMessages;
    for (int mode : kModes)
        CountedSwitch(
            host.m_hWnd, [&] { wall->SetSplitMode(mode, -1); }, splitMessages);
    CountedSwitch(
        host.m_hWnd, [&] { wall->NextPage(); }, pageMessages);
    CountedSwitch(
        host.m_hWnd, [&] { wall->PrevPage(); }, pageMessages);
    CountedSwitch(
        host.m_hWnd, [&] { wall->ShowPage(2, -1, 0); }, movedMessages);
    CountedSwitch(
        host.m_hWnd, [&] { wall->ShowPage(0, -1, 0); }, movedMessages);
    DisplayPageTable().Truncate(2);
    wall->ShowPage(0, 5, 1);

    std::printf("where a switch goes (ms per switch):\n");
    PrintBreakdown("wall split switch", wallTimes.split, wallTimes.splitCall);
    std::printf("    per pane laid out (%.1f a switch): %.2f ms, of it %.2f ms in the call\n", PanesPerSplitSwitch(),
                wallTimes.split / PanesPerSplitSwitch(), wallTimes.splitCall / PanesPerSplitSwitch());
    PrintBreakdown("bare split switch", bareTimes.split, bareTimes.splitCall);
    PrintBreakdown("wall page switch", wallTimes.page, wallTimes.pageCall);
    PrintBreakdown("bare page switch", bareTimes.page, bareTimes.pageCall);
    PrintBreakdown("wall page switch, every camera to another pane (no figure)", movedWhole, movedCall);
    std::printf("what a wall switch sends (per switch, counted in a round of their own; a pane the wall "
                "repaints has its status icons drawn at once, in the switch call, not painted each by itself):\n");
    PrintMessages("split switch", splitMessages);
    PrintMessages("page switch", pageMessages);
    PrintMessages("page switch, every camera to another pane", movedMessages);
    PrintFigure("wall: split-mode switch, 16 live panes vs 16 bare windows", wallTimes.split, bareTimes.split, "ms",
                "ratio under 3");
    PrintFigure("wall: page switch, 16 live panes vs 16 bare windows", wallTimes.page, bareTimes.page, "ms",
                "ratio under 3");

    // CPU: 16 live panes, then one pane (the others stay connected), then the 16 streams drawn
    // into bare windows of the same size.
    wall->ShowPage(0, 5, 0);
    wall->SetSplitMode(16, -1);
    double cpu16 = CpuWhile(site, 5000);
    DisplayPage* single = DisplayPageTable().Append(1);
    single->cameras[0] = site.sessions[0]->m_pCamera;
    wall->ShowPage(2, 0, 0);
    double cpu1 = CpuWhile(site, 5000);
    wall->ShowPage(-1, -1, 0);
    host.ShowWindow(SW_HIDE);
    LayoutBare(bareWindows, 16, 0);
    ShowWindow(bareParent, SW_SHOW);
    for (int i = 0; i < 16; ++i)
        site.sessions[i]->AttachPane(1, bare[i].get(), 0);
    double cpuBare = CpuWhile(site, 5000);
    for (int i = 0; i < 16; ++i)
        site.sessions[i]->AttachPane(0, nullptr, 0);
    PrintFigure("wall CPU: 16 live panes vs the same 16 streams in bare windows", cpu16, cpuBare, "s/s",
                "ratio under 1.2");
    PrintFigure("wall CPU: 16 live panes vs 1 pane", cpu16, cpu1, "s/s", "16 panes stay smooth");

    site.Stop();
    bare.clear();
    DestroyWindow(bareParent);
    wall->DestroyWindow();
    delete wall;
    host.DestroyWindow();
    return 0;
}
