// Loading and painting a map scene of 100 masked device icons, against the same scene without
// icons, in the same run: the icons' regions and windows are what the operator waits for.
#include <stdio.h>

#include <algorithm>

#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/VuskEMapDev.h"
#include "station/core/datamodel/VuskEMapGroup.h"
#include "station/core/datamodel/VuskEMapTerm.h"
#include "station/ui/emap/DlgViewEMap.h"
#include "station/ui/emap/EMapIconPictures.h"
#include "station/ui/emap/EMapLoadTimes.h"
#include "station/ui/emap/EMapMessages.h"
#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"
#include "tests/support/TestBitmap.h"
#include "tests/support/TestSupport.h"

namespace {

const int kIcons = 100;
const int kRounds = 10;

// The quickest round's load (the scene's picture and its windows), its parts, and its paint, in
// milliseconds; and the clearing that follows, which the figure leaves out.
struct Spent {
    double load = 1e30;
    EMapLoadTimes parts;
    double paint = 1e30;
    double clear = 0;
    double Whole() const { return load + paint; }
};

// Loads the scene, paints the view and everything on it, and empties it again.
void LoadAndPaint(CDlgViewEMap* view, CVuskEMapTerm* scene, Spent& quickest)
{
    EMapLoadTimes parts;
    view->m_canvas.m_pLoadTimes = &parts;
    double begin = NowMs();
    view->ShowScene(scene);
    double loaded = NowMs();
    view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    double painted = NowMs();
    view->m_canvas.m_pLoadTimes = nullptr;
    view->ClearScene();
    double cleared = NowMs();
    if (painted - begin < quickest.Whole()) {
        quickest.load = loaded - begin;
        quickest.parts = parts;
        quickest.paint = painted - loaded;
        quickest.clear = cleared - painted;
    }
}

void PrintBreakdown(const char* what, const Spent& spent)
{
    double whole = spent.Whole();
    auto share = [whole](double ms) { return 100 * ms / whole; };
    const EMapLoadTimes& p = spent.parts;
    printf("  %s: %.1f ms = load %.1f ms (%.0f%%) + paint %.1f ms (%.0f%%)\n", what, whole, spent.load,
           share(spent.load), spent.paint, share(spent.paint));
    printf("    load: picture %.1f ms (%.0f%%), icon and link windows %.1f ms (%.0f%%), shapes %.1f ms (%.0f%%), "
           "tooltips %.1f ms (%.0f%%), drawing back on and timer %.1f ms (%.0f%%), the view %.1f ms (%.0f%%)\n",
           p.picture, share(p.picture), p.windows, share(p.windows), p.shapes, share(p.shapes), p.tooltips,
           share(p.tooltips), p.finish, share(p.finish), spent.load - p.Whole(), share(spent.load - p.Whole()));
    printf("    then clearing it (not in the figure): %.1f ms\n", spent.clear);
}

// The floor under the icons' windows: as many shaped child windows, with their text, id, place and
// a copy of the shape, made on the held canvas by plain calls (no framework, no map) and destroyed
// again; the quickest round, in milliseconds.
double PlainShapedWindows(CWnd& canvas, HRGN shape)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.lpszClassName = "WardenPlainShape";
    ::RegisterClassA(&wc);
    double quickest = 1e30;
    for (int round = 0; round < kRounds; ++round) {
        HWND windows[kIcons];
        canvas.SetRedraw(FALSE);
        double begin = NowMs();
        for (int i = 0; i < kIcons; ++i) {
            windows[i] =
                ::CreateWindowExA(WS_EX_NOPARENTNOTIFY, wc.lpszClassName, "设备",
                                  WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE, 40 + (i % 10) * 90, 40 + (i / 10) * 60, 32,
                                  24, canvas.m_hWnd, (HMENU)(UINT_PTR)1000, wc.hInstance, nullptr);
            ::SetWindowRgn(windows[i], CreateShapeRegion(shape), FALSE);
        }
        quickest = std::min(quickest, NowMs() - begin);
        for (HWND window : windows)
            ::DestroyWindow(window);
        canvas.SetRedraw(TRUE);
    }
    return quickest;
}

} // namespace

int main()
{
    TempDir dir(true);
    SetStartDirectory(dir.Path().c_str());
    ::CreateDirectoryA(dir.File("skin").c_str(), nullptr);
    const char* kinds[] = {"cam", "sensor", "output"};
    for (const char* kind : kinds) {
        std::string base = dir.File("skin\\emap_") + kind;
        WriteBitmap(base + ".bmp", 32, 24, [](int, int) { return RGB(0, 0, 255); });
        WriteBitmap(base + "_push.bmp", 32, 24, [](int, int) { return RGB(255, 0, 0); });
        // A round shape: many runs per row, as drawn icons have.
        WriteBitmap(base + "_area.bmp", 32, 24, [](int x, int y) {
            int dx = x - 16, dy = y - 12;
            return dx * dx + dy * dy < 120 ? RGB(0, 0, 0) : RGB(255, 255, 255);
        });
    }
    std::string plan = dir.File("plan.bmp");
    WriteBitmap(plan, 1000, 700, [](int x, int y) { return RGB(200 + x % 40, 220, 200 + y % 40); });

    g_pEMapGroup = new CVuskEMapGroup;
    CVuskEMapTerm* full = g_pEMapGroup->AddScene("满", nullptr);
    full->m_mapPath = plan.c_str();
    for (int i = 0; i < kIcons; ++i) {
        CVuskEMapDev* device = new CVuskEMapDev;
        device->m_kind = i % 3 == 0 ? emapCamera : i % 3 == 1 ? emapAlarmInput : emapAlarmOutput;
        device->m_index = i;
        device->m_x = 40 + (i % 10) * 90;
        device->m_y = 40 + (i / 10) * 60;
        device->m_caption.Format("设备%d", i);
        device->m_pScene = full;
        full->m_devices.AddTail(device);
    }
    CVuskEMapTerm* empty = g_pEMapGroup->AddScene("空", nullptr);
    empty->m_mapPath = plan.c_str();

    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1000, 720, nullptr,
                  nullptr);
    CDlgViewEMap* view = new CDlgViewEMap;
    view->CreateView(&host, WS_CHILD | WS_VISIBLE);
    view->MoveWindow(0, 0, 1000, 720);

    Spent withIcons, without;
    for (int round = 0; round < kRounds; ++round) {
        LoadAndPaint(view, full, withIcons);
        LoadAndPaint(view, empty, without);
    }
    printf("where the quickest round goes:\n");
    PrintBreakdown("100 icons", withIcons);
    PrintBreakdown("bare scene", without);
    view->ShowScene(full);
    HRGN shape = view->m_canvas.m_iconPictures.OfKind(emapCamera)->shape;
    double plain = shape != nullptr ? PlainShapedWindows(view->m_canvas, shape) : 0;
    view->ClearScene();
    printf("  the floor: %d shaped child windows made by plain calls: %.1f ms (the icons' windows and shapes above: "
           "%.1f ms)\n",
           kIcons, plain, withIcons.parts.windows + withIcons.parts.shapes);
    PrintFigure("e-map: load and paint a scene of 100 masked icons vs the bare scene", withIcons.Whole(),
                without.Whole(), "ms", "value < 150 ms");
    host.DestroyWindow();
    delete g_pEMapGroup;
    g_pEMapGroup = nullptr;
    return 0;
}
