// The player's figures: four 704x576 panes at normal speed (pictures a second per pane, and the
// player's processor time against the bare library playing the same files), and the start-up of
// Clipview.exe until its window shows against a program that only shows an empty dialog.
#include <algorithm>
#include <string>
#include <vector>

#include "devices/framewell/FramewellApi.h"
#include "player/PlayPane.h"
#include "player/PlayerApp.h"
#include "player/PlayerDlg.h"
#include "tests/player/PlayerTestSupport.h"
#include "tests/support/BenchmarkReport.h"
#include "tests/support/TestSupport.h"

namespace {

const DWORD kRunMs = 4000;

double ProcessSeconds()
{
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto value = [](const FILETIME& t) { return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime); };
    return (value(kernel) + value(user)) / 1e7;
}

void Idle(DWORD ms)
{
    WaitUntil([] { return false; }, ms);
}

// The library alone: four players into four plain windows. Processor seconds over the run.
double BareLibrary(const std::vector<std::string>& files)
{
    const FramewellApi& fw = GetFramewellApi();
    fw.Init();
    std::vector<PlainWindow*> windows;
    std::vector<int> handles;
    for (const std::string& file : files) {
        windows.push_back(new PlainWindow(704, 576)); // the size of a pane in the player run
        handles.push_back(fw.OpenFile(file.c_str(), 0));
        fw.Play(handles.back(), windows.back()->Handle());
    }
    const double before = ProcessSeconds();
    Idle(kRunMs);
    const double used = ProcessSeconds() - before;
    for (int h : handles)
        fw.Stop(h);
    for (PlainWindow* w : windows)
        delete w;
    fw.Cleanup();
    return used;
}

// The player with four panes. Pictures a second per pane (the slowest) and processor seconds.
void FourPanes(const std::vector<std::string>& files, double& slowestFps, double& seconds)
{
    Player().displayMode = 1;
    Player().activePane = 0;
    CPlayerDlg dialog;
    dialog.m_screenWidth = 1600;
    dialog.m_screenHeight = 1200;
    dialog.Create(CPlayerDlg::IDD);
    dialog.SetDisplayMode(4);
    for (int i = 0; i < 4; ++i)
        dialog.Pane(i)->m_transport.OpenFile(files[i].c_str());
    std::vector<int> start(4);
    for (int i = 0; i < 4; ++i)
        start[i] = GetFramewellApi().GetPlayTime(dialog.Pane(i)->m_transport.m_handle);
    const DWORD begin = ::GetTickCount();
    const double before = ProcessSeconds();
    Idle(kRunMs);
    seconds = ProcessSeconds() - before;
    const double wall = (::GetTickCount() - begin) / 1000.0;
    slowestFps = 1e9;
    for (int i = 0; i < 4; ++i) {
        const int played = GetFramewellApi().GetPlayTime(dialog.Pane(i)->m_transport.m_handle) - start[i];
        slowestFps = std::min(slowestFps, played / 40.0 / wall);
    }
    dialog.DestroyWindow();
}

double StartUpMs(const std::string& program, const std::string& caption, const std::string& dir)
{
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        ChildProcess child;
        const DWORD begin = ::GetTickCount();
        child.Start(ProgramPath(program), "", dir);
        HWND window = WaitForWindow(child.Id(), caption, 30000);
        if (window != nullptr)
            ::UpdateWindow(window);
        times.push_back(::GetTickCount() - begin);
        if (window != nullptr)
            ::PostMessageA(window, WM_CLOSE, 0, 0);
        child.Wait(10000);
        child.Kill();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main()
{
    TempDir dir;
    CopyText(Player().programDirectory, dir.Path().c_str());
    std::vector<std::string> files;
    for (int i = 0; i < 4; ++i) {
        files.push_back(dir.File("pane" + std::to_string(i) + ".mp4"));
        WriteRecording(files.back(), 200, 704, 576);
    }
    double fps = 0, playerSeconds = 0;
    FourPanes(files, fps, playerSeconds);
    const double bareSeconds = BareLibrary(files);
    PrintFigure("four 704x576 panes: pictures a second, slowest pane", fps, 25.0, "fps", "value 25.0");
    PrintFigure("four panes: player CPU against the library alone", playerSeconds, bareSeconds, "s", "<= 1.2");
    const double clipview = StartUpMs("Clipview.exe", "Clipviewer", dir.Path());
    const double minimal = StartUpMs("minimal_dialog.exe", "MinimalDialog", dir.Path());
    PrintFigure("Clipview start-up until its window shows", clipview, minimal, "ms", "<= 3");
    return 0;
}
