// 16 live channels at the site's default frame rate into 16 windows: the station side's CPU time
// per second of video and the frame rate reached, against one channel in the same run.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "devices/conduit/Conduit.h"
#include "devices/devsim/control/DevsimControl.h"
#include "tests/support/TestSupport.h"
#include "tests/support/BenchmarkReport.h"

namespace {

LRESULT CALLBACK PaneProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    return msg == WM_ERASEBKGND ? 1 : DefWindowProcA(w, msg, wp, lp);
}

double ProcessCpuSeconds()
{
    FILETIME c, e, k, u;
    GetProcessTimes(GetCurrentProcess(), &c, &e, &k, &u);
    auto s = [](FILETIME f) { return (double(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 1e7; };
    return s(k) + s(u);
}

struct Result {
    double cpuPerVideoSecond; // CPU seconds per second of video of all channels together
    double framesPerSecond;   // per channel
};

Result Measure(DevsimSite& site, int channels, DWORD ms)
{
    std::vector<HWND> panes;
    std::vector<int> handles;
    unsigned short port = site.Port("Bench");
    for (int i = 0; i < channels; ++i) {
        HWND w = CreateWindowExA(0, "BenchPane", "", WS_POPUP | WS_VISIBLE, (i % 4) * 256, (i / 4) * 192, 256, 192,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        panes.push_back(w);
        ConduitConnectRecord r = {};
        r.serverName = "Bench";
        r.userName = "admin";
        r.password = "admin";
        r.transport = 3;
        r.showNow = 1;
        r.channel = static_cast<unsigned char>(i);
        r.displayWindow = w;
        handles.push_back(Conduit_Connect("127.0.0.1", &r, port));
    }
    auto frames = [&] {
        long total = 0;
        for (int h : handles) {
            int info[5] = {};
            if (Conduit_GetStreamInfo(h, info))
                total += info[4];
        }
        return total;
    };
    // Warm up until every channel draws, then measure.
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 10000) {
        PumpMessages();
        Sleep(20);
        int ready = 0;
        for (int h : handles) {
            int info[5] = {};
            ready += Conduit_GetStreamInfo(h, info) && info[4] > 5;
        }
        if (ready == channels)
            break;
    }
    long f0 = frames();
    double c0 = ProcessCpuSeconds();
    DWORD t0 = GetTickCount();
    while (GetTickCount() - t0 < ms) {
        PumpMessages();
        Sleep(10);
    }
    double seconds = (GetTickCount() - t0) / 1000.0;
    Result r = {(ProcessCpuSeconds() - c0) / seconds, (frames() - f0) / seconds / channels};
    for (int h : handles)
        Conduit_Disconnect(h);
    for (HWND w : panes)
        DestroyWindow(w);
    return r;
}

} // namespace

int main()
{
    TempDir dir;
    std::string ini = dir.File("bench.ini");
    WriteTextFile(ini, "[Server1]\r\nName=Bench\r\nChannels=16\r\nFrameRate=25\r\n");
    DevsimSite site;
    if (!site.Start(ini)) {
        std::printf("devsim did not start\n");
        return 1;
    }
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PaneProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "BenchPane";
    RegisterClassA(&wc);
    Conduit_Init(0, 0, 0, 0);
    Result one = Measure(site, 1, 4000);
    Result sixteen = Measure(site, 16, 8000);
    std::printf("1 channel:   %.3f CPU s per s of video, %.1f frames/s\n", one.cpuPerVideoSecond, one.framesPerSecond);
    std::printf("16 channels: %.3f CPU s per s of video (%.0f%% of one core), %.1f frames/s per channel "
                "(site rate 25)\n",
                sixteen.cpuPerVideoSecond, sixteen.cpuPerVideoSecond * 100, sixteen.framesPerSecond);
    PrintFigure("Conduit CPU, 16 channels vs 16 x 1", sixteen.cpuPerVideoSecond, 16 * one.cpuPerVideoSecond, "s/s",
                "at most 1.2");
    PrintFigure("Conduit frame rate, 16 channels vs 1", sixteen.framesPerSecond, one.framesPerSecond, "frames/s",
                "about 1");
    Conduit_Cleanup();
    return 0;
}
