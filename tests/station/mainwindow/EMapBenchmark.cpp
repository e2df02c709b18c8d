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
#include "station/ui/emap/EMapMessages.h"
#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"
#include "tests/support/TestBitmap.h"
#include "tests/support/TestSupport.h"

namespace {

const int kIcons = 100;
const int kRounds = 10;

// The quickest round's load (the scene's picture and its windows) and paint, in milliseconds.
struct Spent {
    double load = 1e30;
    double paint = 1e30;
    double Whole() const { return load + paint; }
};

// Loads the scene, paints the view and everything on it, and empties it again.
void LoadAndPaint(CDlgViewEMap* view, CVuskEMapTerm* scene, Spent& quickest)
{
    double begin = NowMs();
    view->ShowScene(scene);
    double loaded = NowMs();
    view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    double painted = NowMs();
    view->ClearScene();
    if (painted - begin < quickest.Whole()) {
        quickest.load = loaded - begin;
        quickest.paint = painted - loaded;
    }
}

void PrintBreakdown(const char* what, const Spent& spent)
{
    printf("  %s: %.1f ms = load %.1f ms (%.0f%%) + paint %.1f ms (%.0f%%)\n", what, spent.Whole(), spent.load,
           100 * spent.load / spent.Whole(), spent.paint, 100 * spent.paint / spent.Whole());
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
    PrintFigure("e-map: load and paint a scene of 100 masked icons vs the bare scene", withIcons.Whole(),
                without.Whole(), "ms", "value < 150 ms");
    host.DestroyWindow();
    delete g_pEMapGroup;
    g_pEMapGroup = nullptr;
    return 0;
}
