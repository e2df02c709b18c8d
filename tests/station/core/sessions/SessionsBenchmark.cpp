// 64 cameras on 4 simulated servers connected at once through their channel sessions: the time
// from the first connect to the last camera connected (connect results handled on this thread as
// the main dialog handles them), against one camera alone; and the station side's CPU per second
// while 16 of them are shown live in panes, against one pane.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/core/sessions/ChannelSessionLinks.h"
#include "devices/conduit/Conduit.h"
#include "devices/devsim/control/DevsimControl.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "tests/station/core/sessions/SilentPane.h"
#include "tests/support/TestSupport.h"

namespace {

const int kServers = 4;
const int kChannels = 16;

double ProcessCpuSeconds()
{
    FILETIME c, e, k, u;
    GetProcessTimes(GetCurrentProcess(), &c, &e, &k, &u);
    auto s = [](FILETIME f) { return (double(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 1e7; };
    return s(k) + s(u);
}

LRESULT CALLBACK PaneProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    return msg == WM_ERASEBKGND ? 1 : DefWindowProcA(w, msg, wp, lp);
}

// The main dialog as far as the benchmark needs it: connect results queue for this thread.
class BenchWindows : public CNullStationWindows {
public:
    BenchWindows() { InitializeCriticalSection(&lock_); }
    void PostConnectResult(CChannelSession* session, int result) override
    {
        EnterCriticalSection(&lock_);
        results_.push_back({session, result});
        LeaveCriticalSection(&lock_);
    }
    void Deliver()
    {
        EnterCriticalSection(&lock_);
        std::vector<std::pair<CChannelSession*, int>> taken;
        taken.swap(results_);
        LeaveCriticalSection(&lock_);
        for (auto& r : taken)
            HandleConnectResultMessage(reinterpret_cast<WPARAM>(r.first), r.second);
    }
    void AppendConnectInfo(LPCSTR text) override { std::printf("connect info: %s", text); }

private:
    CRITICAL_SECTION lock_;
    std::vector<std::pair<CChannelSession*, int>> results_;
};

class BenchPane : public SilentPane {
public:
    explicit BenchPane(int index)
        : SilentPane(CreateWindowExA(0, "SessionBenchPane", "", WS_POPUP | WS_VISIBLE, (index % 4) * 256,
                                     (index / 4) * 192, 256, 192, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr))
    {
    }
};

std::vector<CChannelSession*> g_sessions;
BenchWindows g_windows;

int CountConnected(size_t count)
{
    int n = 0;
    for (size_t i = 0; i < count; ++i)
        n += g_sessions[i]->m_state == sessionConnected;
    return n;
}

// Milliseconds from the first Connect to the last session connected, or -1 after 60 s.
double ConnectAll(size_t count)
{
    double start = NowMs();
    for (size_t i = 0; i < count; ++i)
        g_sessions[i]->Connect(1, 0);
    while (CountConnected(count) < (int)count) {
        if (NowMs() - start > 60000)
            return -1;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        PumpMessages();
        g_windows.Deliver();
    }
    return NowMs() - start;
}

void DisconnectAll()
{
    for (CChannelSession* s : g_sessions)
        s->Connect(0, 0);
    PumpMessages();
    g_windows.Deliver();
}

// CPU seconds per second of this process while `shown` sessions draw into panes (all 64 stay
// connected), ticking the sessions once a second as the main dialog does.
double LiveCpu(int shown, DWORD ms)
{
    std::vector<std::unique_ptr<BenchPane>> panes;
    for (int i = 0; i < shown; ++i) {
        panes.emplace_back(new BenchPane(i));
        g_sessions[(size_t)i * 4]->AttachPane(1, panes.back().get(), 0);
    }
    DWORD warm = GetTickCount();
    while (GetTickCount() - warm < 1500) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
    }
    double c0 = ProcessCpuSeconds();
    double t0 = NowMs();
    double nextTick = t0 + 1000;
    while (NowMs() - t0 < ms) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
        g_windows.Deliver();
        if (NowMs() >= nextTick) {
            TickAllSessions();
            nextTick += 1000;
        }
    }
    double cpu = (ProcessCpuSeconds() - c0) / ((NowMs() - t0) / 1000.0);
    for (int i = 0; i < shown; ++i)
        g_sessions[(size_t)i * 4]->AttachPane(0, nullptr, 0);
    return cpu;
}

} // namespace

int main()
{
    TempDir dir(true);
    SetStartDirectory(dir.Path().c_str());
    std::string site = "[Site]\r\n";
    for (int s = 1; s <= kServers; ++s)
        site += "[Server" + std::to_string(s) + "]\r\nName=Bench" + std::to_string(s) +
                "\r\nUser=admin\r\nPassword=admin\r\nChannels=16\r\nFrameRate=25\r\n";
    WriteTextFile(dir.File("bench.ini"), site);
    DevsimSite devsim;
    if (!devsim.Start(dir.File("bench.ini"))) {
        std::printf("devsim did not start\n");
        return 1;
    }
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PaneProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SessionBenchPane";
    RegisterClassA(&wc);
    Conduit_Init(0, 0, 0, 0);

    g_pSysParam = new CSysParam;
    g_pRecGroup = new CRecGroup;
    CTermData* project = g_pRecGroup->AddGroup(nullptr, "Bench");
    for (int s = 1; s <= kServers; ++s) {
        CTermServer* server = new CTermServer;
        server->m_id = s;
        server->m_name.Format("Bench%d", s);
        server->m_address = "127.0.0.1";
        server->m_port = devsim.Port(std::string(server->m_name));
        server->m_user = server->m_password = "admin";
        server->m_pParent = project;
        project->m_servers.AddTail(server);
        for (int c = 0; c < kChannels; ++c) {
            CTermCamera* camera = new CTermCamera;
            camera->m_name.Format("Camera%d", c + 1);
            camera->m_channel = c;
            camera->m_pServer = server;
            server->m_cameras.AddTail(camera);
            CChannelSession* session = new CChannelSession;
            session->m_pCamera = camera;
            camera->m_pSession = session;
            g_sessions.push_back(session);
        }
    }
    for (int& right : CurrentUser().rights)
        right = 1;
    SetStationWindows(&g_windows);
    InstallChannelSessionLinks();

    double one = ConnectAll(1);
    DisconnectAll();
    double all = ConnectAll(g_sessions.size());
    if (one < 0 || all < 0) {
        std::printf("not every camera connected\n");
        return 1;
    }
    PrintFigure("connect 64 cameras at once vs 1 camera", all, one, "ms", "far below 64");

    double cpuOne = LiveCpu(1, 5000);
    double cpuSixteen = LiveCpu(16, 5000);
    PrintFigure("station CPU, 64 connected, 16 shown vs 1 shown", cpuSixteen, cpuOne, "s/s",
                "16 panes stay smooth (under 1 core)");

    delete g_pRecGroup; // disconnects every session
    g_pRecGroup = nullptr;
    delete g_pSysParam;
    g_pSysParam = nullptr;
    SetStationWindows(nullptr);
    Conduit_Cleanup();
    return 0;
}
