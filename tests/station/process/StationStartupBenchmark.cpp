// Start-up of Warden.exe until its main window is painted (no splash: the start directory holds
// no "backpic.bmp"), against a program that only shows an empty dialog, started the same way, in
// the same run. The station's site runs on free ports so that its panes have servers to reach.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "devices/devsim/control/DevsimControl.h"
#include "tests/station/process/StationRun.h"
#include "tests/support/BenchmarkReport.h"

namespace {

const int kRuns = 5;

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times.empty() ? 0 : times[times.size() / 2];
}

// Milliseconds from CreateProcess until the window is shown and has answered its paint.
double TimeUntilPainted(ChildProcess& child, const std::function<HWND()>& start)
{
    const DWORD begin = ::GetTickCount();
    HWND window = start();
    if (window == nullptr)
        return -1;
    ::UpdateWindow(window); // sent to the program's thread: returns once it painted
    const double ms = ::GetTickCount() - begin;
    child.Kill();
    return ms;
}

} // namespace

int main()
{
    DevsimSite site;
    if (!site.Start(ProgramPath("demo-site.ini"))) {
        std::fprintf(stderr, "devsim did not start\n");
        return 1;
    }
    char servers[128];
    std::snprintf(servers, sizeof servers, "Lobby=%u Warehouse=%u parking.ddns=%u", site.Port("Lobby"),
                  site.Port("Warehouse"), site.DdnsPort());
    std::vector<double> station, minimal;
    for (int run = 0; run < kRuns; ++run) {
        StationRun warden(servers);
        ::DeleteFileA((warden.StartDir() + "\\backpic.bmp").c_str());
        double ms = TimeUntilPainted(warden.Process(), [&] { return warden.Start() ? warden.MainWindow() : nullptr; });
        if (ms < 0) {
            std::fprintf(stderr, "Warden.exe did not show its main window\n");
            return 1;
        }
        station.push_back(ms);

        ChildProcess dialog;
        ms = TimeUntilPainted(dialog, [&] {
            return dialog.Start(ProgramPath("minimal_dialog.exe"), "", warden.StartDir())
                       ? WaitForWindow(dialog.Id(), "MinimalDialog", 30000)
                       : nullptr;
        });
        if (ms < 0) {
            std::fprintf(stderr, "minimal_dialog.exe did not show its window\n");
            return 1;
        }
        minimal.push_back(ms);
    }
    PrintFigure("Warden start-up until the main window is painted (median)", Median(station), Median(minimal), "ms",
                "<= 3");
    return 0;
}
