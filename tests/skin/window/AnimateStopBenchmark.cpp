// Stopping a playing transparent clip whose frames come every 2 seconds: the stop ends the frame thread
// at once instead of waiting out a period. Baseline: one repaint of the same stopped control, in the
// same run.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/Tessarine.h"
#include "tests/skin/window/AviClipWriter.h"
#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"

namespace {

const int kRuns = 20;

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace

int main()
{
    HINSTANCE self = GetModuleHandleA(NULL);
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_ANIMATE_CLASS};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = self;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "AnimateStopBenchmark";
    RegisterClassA(&wc);
    if (!TessarineInit(self) || !TessarineLoadSkin(self, "DEFAULT", "TESSARINE")) {
        std::printf("the toolkit or its default skin did not start (status %d)\n", TessarineGetStatus());
        return 1;
    }
    HWND host = CreateWindowExA(0, "AnimateStopBenchmark", "Stop", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 240, 160,
                                NULL, NULL, self, NULL);
    HWND animation = CreateWindowExA(0, ANIMATE_CLASSA, "", WS_CHILD | WS_VISIBLE | ACS_TRANSPARENT | ACS_CENTER, 20,
                                     20, 64, 64, host, NULL, self, NULL);
    if (!SkinEngine::Instance().SkinTopLevelWindow(host, "Dialog")) {
        std::printf("the dialog could not be skinned\n");
        return 1;
    }
    Pump();
    AviClipSpec spec = FourFrameClip();
    spec.rate = 1;
    spec.scale = 2;
    char folder[MAX_PATH + 1] = "";
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "tessarine-stop-benchmark.avi";
    if (!WriteClipFile(path, MakeAviClip(spec)) ||
        !SendMessageA(animation, ACM_OPENA, 0, reinterpret_cast<LPARAM>(path.c_str()))) {
        std::printf("the clip could not be written or opened\n");
        return 1;
    }
    double stopping = 0;
    for (int i = 0; i < kRuns; ++i) {
        SendMessageA(animation, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(0, -1));
        const double start = NowMs();
        SendMessageA(animation, ACM_STOP, 0, 0);
        stopping += NowMs() - start;
    }
    const double repaint = MillisecondsPerRun(
        kRuns, [animation] { RedrawWindow(animation, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); });
    PrintFigure("stop a transparent 0.5 fps clip, vs one repaint of it", stopping / kRuns, repaint, "ms",
                "under 100 ms (a period is 2000 ms)");
    SendMessageA(animation, ACM_OPENA, 0, 0);
    DeleteFileA(path.c_str());
    DestroyWindow(host);
    TessarineShutdown();
    return 0;
}
