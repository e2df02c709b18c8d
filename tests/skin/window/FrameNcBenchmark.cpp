// Non-client repaint of a 1024 x 768 frame with a menu, native and then skinned (frame, caption buttons and
// the skinned menu bar), in the same run.
#include <windows.h>

#include <cstdio>

#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/Tessarine.h"
#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"

namespace {

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
    if (!TessarineInit(self) || !TessarineLoadSkin(self, "DEFAULT", "TESSARINE")) {
        std::printf("the toolkit or its default skin did not start (status %d)\n", TessarineGetStatus());
        return 1;
    }
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = self;
    wc.lpszClassName = "FrameNcBenchmark";
    RegisterClassA(&wc);
    HMENU menu = CreateMenu();
    for (const char* name : {"&File", "&Edit", "&View", "&Play", "&Help"}) {
        HMENU popup = CreatePopupMenu();
        AppendMenuA(popup, MF_STRING, 1, "&Open");
        AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), name);
    }
    HWND frame = CreateWindowExA(0, "FrameNcBenchmark", "Benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1024, 768,
                                 NULL, menu, self, NULL);
    Pump();
    auto repaint = [frame] { SendMessageA(frame, WM_NCPAINT, 1, 0); };
    const double native = MillisecondsPerRun(200, repaint);
    if (!SkinEngine::Instance().SkinTopLevelWindow(frame, "MainFrame")) {
        std::printf("the frame could not be skinned\n");
        return 1;
    }
    Pump();
    const double skinned = MillisecondsPerRun(200, repaint);
    PrintFigure("non-client repaint 1024 x 768 with menu bar, skinned vs native", skinned, native, "ms",
                "skinned under 3 ms");
    DestroyWindow(frame);
    TessarineShutdown();
    return 0;
}
