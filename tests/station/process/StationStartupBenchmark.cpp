// Start-up of Warden.exe until its main window is painted (no splash: the start directory holds
// no "backpic.bmp"), against a program that only shows an empty dialog, started the same way, in
// the same run. The station's site runs on free ports so that its panes have servers to reach.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
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

// The station's start-up steps as its "startup" trace gives them: each step's milliseconds since
// the previous one (the first since the process was created), up to its first paint.
struct Steps {
    std::vector<std::string> names;
    std::map<std::string, std::vector<double>> spent;

    void Read(const std::string& file)
    {
        std::ifstream in(file);
        std::string line;
        double last = 0;
        while (std::getline(in, line)) {
            std::istringstream words(line);
            std::string channel, name;
            double at = 0;
            if (!(words >> channel >> at) || channel != "[startup]")
                continue;
            std::getline(words, name);
            name = name.substr(name.find_first_not_of(' '));
            while (!name.empty() && (name.back() == '\r' || name.back() == ' '))
                name.pop_back();
            if (spent.find(name) == spent.end())
                names.push_back(name);
            spent[name].push_back(at - last);
            last = at;
            if (name == "paint")
                break;
        }
    }
};

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
    Steps steps;
    for (int run = 0; run < kRuns; ++run) {
        StationRun warden(servers);
        ::DeleteFileA((warden.StartDir() + "\\backpic.bmp").c_str());
        const std::string trace = warden.StartDir() + "\\startup-trace.txt";
        ::SetEnvironmentVariableA("WARDEN_TRACE", "startup");
        ::SetEnvironmentVariableA("WARDEN_TRACE_FILE", trace.c_str());
        double ms = TimeUntilPainted(warden.Process(), [&] { return warden.Start() ? warden.MainWindow() : nullptr; });
        if (ms < 0) {
            std::fprintf(stderr, "Warden.exe did not show its main window\n");
            return 1;
        }
        station.push_back(ms);
        ::SetEnvironmentVariableA("WARDEN_TRACE", nullptr);
        ::SetEnvironmentVariableA("WARDEN_TRACE_FILE", nullptr);
        steps.Read(trace);

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
    // Where the start-up goes: each step's median, and its share of the whole until the first paint.
    double whole = 0;
    for (const std::string& name : steps.names)
        whole += Median(steps.spent[name]);
    std::printf("start-up steps until the first paint (median ms, share):\n");
    for (const std::string& name : steps.names) {
        double ms = Median(steps.spent[name]);
        std::printf("  %-26s %8.1f  %5.1f%%\n", ("until " + name).c_str(), ms, whole > 0 ? 100 * ms / whole : 0);
    }
    PrintFigure("Warden start-up until the main window is painted (median)", Median(station), Median(minimal), "ms",
                "<= 3");
    return 0;
}
