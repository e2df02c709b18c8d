// 64 cameras on 4 simulated servers connected at once through their channel sessions: the time
// from the first connect to the last camera connected (connect results handled on this thread as
// the main dialog handles them), against one camera alone; and the station side's CPU per second
// while 16 of them are shown live in panes, against one pane, and while one of the 64 is shown,
// against that camera connected alone. Each figure comes with where its time went.
#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <map>
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

double Seconds(FILETIME f)
{
    return (double(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 1e7;
}

double ProcessCpuSeconds()
{
    FILETIME c, e, k, u;
    GetProcessTimes(GetCurrentProcess(), &c, &e, &k, &u);
    return Seconds(k) + Seconds(u);
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
        lastPostMs = NowMs();
        postMs.push_back(lastPostMs);
        LeaveCriticalSection(&lock_);
        PostThreadMessageA(windowThread_, WM_NULL, 0, 0); // wakes the window thread, as the dialog's message does
    }
    void Deliver()
    {
        EnterCriticalSection(&lock_);
        std::vector<std::pair<CChannelSession*, int>> taken;
        taken.swap(results_);
        LeaveCriticalSection(&lock_);
        for (auto& r : taken) {
            double t0 = NowMs();
            HandleConnectResultMessage(reinterpret_cast<WPARAM>(r.first), r.second);
            handlingMs += NowMs() - t0;
        }
    }
    double lastPostMs = 0;      // when the library last posted a connect result
    std::vector<double> postMs; // when it posted each (taken while no connect runs)
    double handlingMs = 0;      // window-thread time spent on connect results
    void AppendConnectInfo(LPCSTR text) override { std::printf("connect info: %s", text); }

private:
    CRITICAL_SECTION lock_;
    DWORD windowThread_ = GetCurrentThreadId();
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

std::map<DWORD, double> ThreadCpuSeconds();

// What the connect callback of a camera asks its server beside the live channel, on the library's
// thread: the PTZ description and the relay states, each a log-in and an answer.
double ServerQueriesMs(const CTermServer& server)
{
    const int kRounds = 8;
    char text[CONDUIT_PTZ_DESCRIPTION_SIZE];
    unsigned char relays[4];
    double start = NowMs();
    for (int i = 0; i < kRounds; ++i) {
        Conduit_GetPtzDescription(server.m_name, server.m_address, 0, server.m_user, server.m_password, text,
                                  (unsigned short)server.m_port);
        Conduit_GetAlarmOutputs(server.m_name, server.m_address, server.m_user, server.m_password, relays,
                                (unsigned short)server.m_port);
    }
    return (NowMs() - start) / kRounds;
}

// Where the time of a connect went, in milliseconds from the first Connect call.
struct ConnectTimes {
    double total = -1;                       // to the last session connected; -1: not all within 60 s
    double calls = 0;                        // in the Connect calls themselves (window thread)
    double lastResult = 0;                   // until the library had posted the last connect result
    double handling = 0;                     // handling the connect results (window thread)
    double firstResult = 0, halfResults = 0; // until the first and the middle connect result
    int threadsAdded = 0;                    // threads of this process after the connects less before
    double bareThreads = -1;                 // making as many bare threads here (-1: not measured)
    double queries = -1;                     // a connect callback's server queries, for one camera alone
};

void PrintShare(const char* what, double value, double total, const char* unit = "ms")
{
    std::printf("  %-58s %9.1f %-4s %5.1f%%\n", what, value, unit, total > 0 ? 100.0 * value / total : 0.0);
}

void PrintConnectTimes(const char* title, const ConnectTimes& t)
{
    std::printf("%s: %.1f ms\n", title, t.total);
    PrintShare("Connect calls (window thread)", t.calls, t.total);
    std::printf("  %-58s %9d\n", "threads added to serve the channels", t.threadsAdded);
    if (t.bareThreads >= 0)
        PrintShare("making as many bare threads here, for scale", t.bareThreads, t.total);
    if (t.queries >= 0)
        PrintShare("a connect callback's server queries (PTZ, relays), alone", t.queries, t.total);
    PrintShare("until the library posted the first connect result", t.firstResult, t.total);
    PrintShare("until it posted half of them", t.halfResults, t.total);
    PrintShare("until the library posted the last connect result", t.lastResult, t.total);
    PrintShare("connect-result handling (window thread, in all)", t.handling, t.total);
}

ConnectTimes ConnectAll(size_t count)
{
    ConnectTimes t;
    g_windows.handlingMs = 0;
    g_windows.postMs.clear();
    size_t threads0 = ThreadCpuSeconds().size();
    double start = NowMs();
    for (size_t i = 0; i < count; ++i)
        g_sessions[i]->Connect(1, 0);
    t.calls = NowMs() - start;
    while (CountConnected(count) < (int)count) {
        if (NowMs() - start > 60000)
            return t;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        PumpMessages();
        g_windows.Deliver();
    }
    t.total = NowMs() - start;
    t.threadsAdded = int(ThreadCpuSeconds().size()) - int(threads0);
    t.lastResult = g_windows.lastPostMs - start;
    t.handling = g_windows.handlingMs;
    t.firstResult = g_windows.postMs.front() - start;
    t.halfResults = g_windows.postMs[g_windows.postMs.size() / 2] - start;
    return t;
}

DWORD WINAPI DoNothing(void*)
{
    return 0;
}

// What making `count` threads costs in this process, with nothing else to do.
double BareThreadsMs(int count)
{
    std::vector<HANDLE> threads;
    double start = NowMs();
    for (int i = 0; i < count; ++i)
        threads.push_back(CreateThread(nullptr, 0, DoNothing, nullptr, 0, nullptr));
    double made = NowMs() - start;
    for (HANDLE t : threads) {
        WaitForSingleObject(t, INFINITE);
        CloseHandle(t);
    }
    return made;
}

void DisconnectAll()
{
    for (CChannelSession* s : g_sessions)
        s->Connect(0, 0);
    PumpMessages();
    g_windows.Deliver();
}

double ThreadCpuSeconds(HANDLE thread)
{
    FILETIME c, e, k, u;
    return GetThreadTimes(thread, &c, &e, &k, &u) ? Seconds(k) + Seconds(u) : 0;
}

// CPU seconds of every thread of this process.
std::map<DWORD, double> ThreadCpuSeconds()
{
    std::map<DWORD, double> cpu;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return cpu;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != GetCurrentProcessId())
            continue;
        HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        if (thread != nullptr) {
            cpu[entry.th32ThreadID] = ThreadCpuSeconds(thread);
            CloseHandle(thread);
        }
    }
    CloseHandle(snapshot);
    return cpu;
}

int PicturesReceived(size_t count)
{
    int total = 0;
    for (size_t i = 0; i < count; ++i) {
        int info[5] = {};
        if (Conduit_GetStreamInfo(g_sessions[i]->m_liveHandle, info))
            total += info[4];
    }
    return total;
}

// CPU seconds per second of this process while `shown` sessions draw into panes and the first
// `connected` sessions are connected, ticking the sessions once a second as the main dialog does.
// Prints where the CPU went: the window thread, the busiest other threads (the library's threads,
// each serving up to 16 channels, draw the shown ones), and the rest.
double LiveCpu(const char* title, int shown, size_t connected, DWORD ms)
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
    std::map<DWORD, double> threads0 = ThreadCpuSeconds();
    int pictures0 = PicturesReceived(connected);
    double c0 = ProcessCpuSeconds();
    double t0 = NowMs();
    double nextTick = t0 + 1000;
    double tickCpu = 0;
    while (NowMs() - t0 < ms) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
        g_windows.Deliver();
        if (NowMs() >= nextTick) {
            double before = ThreadCpuSeconds(GetCurrentThread());
            TickAllSessions();
            tickCpu += ThreadCpuSeconds(GetCurrentThread()) - before;
            nextTick += 1000;
        }
    }
    double seconds = (NowMs() - t0) / 1000.0;
    double cpu = (ProcessCpuSeconds() - c0) / seconds;
    int pictures = PicturesReceived(connected) - pictures0;
    std::map<DWORD, double> threads1 = ThreadCpuSeconds();
    for (int i = 0; i < shown; ++i)
        g_sessions[(size_t)i * 4]->AttachPane(0, nullptr, 0);

    double window = 0;
    std::vector<double> others;
    for (const auto& t : threads1) {
        double used = (t.second - threads0[t.first]) / seconds;
        if (t.first == GetCurrentThreadId())
            window = used;
        else
            others.push_back(used);
    }
    std::sort(others.rbegin(), others.rend());
    double busiest = 0, rest = 0;
    for (size_t i = 0; i < others.size(); ++i)
        (i < (size_t)shown ? busiest : rest) += others[i];
    std::printf("%s: %.3f s/s, %zu threads, %.0f pictures received a second\n", title, cpu, threads1.size(),
                pictures / seconds);
    PrintShare("window thread", window * 1000, cpu * 1000, "ms/s");
    PrintShare("of it the sessions' once-a-second ticks", tickCpu / seconds * 1000, cpu * 1000, "ms/s");
    PrintShare("busiest other threads, as many as shown panes (the library's)", busiest * 1000, cpu * 1000, "ms/s");
    PrintShare("all other threads", rest * 1000, cpu * 1000, "ms/s");
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

    ConnectTimes one = ConnectAll(1);
    DisconnectAll();
    ConnectTimes all = ConnectAll(g_sessions.size());
    all.bareThreads = BareThreadsMs(all.threadsAdded);
    one.bareThreads = BareThreadsMs(one.threadsAdded);
    one.queries = ServerQueriesMs(*g_sessions[0]->m_pCamera->m_pServer);
    if (one.total < 0 || all.total < 0) {
        std::printf("not every camera connected\n");
        return 1;
    }
    PrintConnectTimes("connect 1 camera", one);
    PrintConnectTimes("connect 64 cameras", all);
    PrintFigure("connect 64 cameras at once vs 1 camera", all.total, one.total, "ms",
                "at most 4x: the cameras connect side by side");

    double cpuOne = LiveCpu("64 connected, 1 shown", 1, g_sessions.size(), 5000);
    double cpuSixteen = LiveCpu("64 connected, 16 shown", 16, g_sessions.size(), 5000);
    DisconnectAll();
    if (ConnectAll(1).total < 0) {
        std::printf("the camera did not connect again\n");
        return 1;
    }
    double cpuAlone = LiveCpu("1 connected and shown", 1, 1, 5000);
    PrintFigure("station CPU, 64 connected, 16 shown vs 1 shown", cpuSixteen, cpuOne, "s/s",
                "16 panes stay smooth (under 1 core)");
    PrintFigure("station CPU, 64 connected and 1 shown vs 1 connected and shown", cpuOne, cpuAlone, "s/s",
                "at most 1.3x: hidden channels do no picture work");

    delete g_pRecGroup; // disconnects every session
    g_pRecGroup = nullptr;
    delete g_pSysParam;
    g_pSysParam = nullptr;
    SetStationWindows(nullptr);
    Conduit_Cleanup();
    return 0;
}
