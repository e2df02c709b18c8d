// The extended list filled with 10,000 rows of 5 columns and paged through a page per scroll (window
// updated each time), against the framework's plain list view filled and paged the same way in the
// same run. A third figure sets the extended list's fill while shown against the same fill hidden:
// the set operations redraw their cell at once, and this is what that costs.
#include <afxcmn.h>

#include <algorithm>
#include <cstdio>

#include "controls/GridListCtrl.h"
#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"

namespace {

const int kRows = 10000;
const int kColumns = 5;
const int kPages = 150;
const int kRounds = 3;

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

template <class List> void AddColumns(List& list)
{
    for (int c = 0; c < kColumns; ++c)
        list.InsertColumn(c, "column", LVCFMT_CENTER, 110);
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
}

template <class List> double Fill(List& list)
{
    char text[32];
    double begin = NowMs();
    for (int row = 0; row < kRows; ++row) {
        std::snprintf(text, sizeof text, "row %d", row);
        int index = list.InsertItem(row, text);
        for (int c = 1; c < kColumns; ++c) {
            std::snprintf(text, sizeof text, "%d", row * kColumns + c);
            list.SetItemText(index, c, text);
        }
    }
    list.UpdateWindow();
    Pump();
    return NowMs() - begin;
}

template <class List> double PageScroll(List& list)
{
    list.EnsureVisible(0, FALSE);
    list.UpdateWindow();
    double begin = NowMs();
    for (int page = 0; page < kPages; ++page) {
        list.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
        list.UpdateWindow();
    }
    double perPage = (NowMs() - begin) / kPages;
    Pump();
    return perPage;
}

struct Figures {
    double fill = 1e30, page = 1e30;
};

template <class List> Figures Measure(CWnd& host, bool shown)
{
    Figures best;
    for (int round = 0; round < kRounds; ++round) {
        List list;
        DWORD style = WS_CHILD | LVS_REPORT | LVS_SHOWSELALWAYS | (shown ? WS_VISIBLE : 0);
        list.Create(style, CRect(10, 10, 610, 410), &host, 1149);
        AddColumns(list);
        best.fill = std::min(best.fill, Fill(list));
        if (shown)
            best.page = std::min(best.page, PageScroll(list));
        list.DestroyWindow();
        Pump();
    }
    return best;
}

} // namespace

int main()
{
    AfxInitCommonControls();
    CWnd host;
    LPCSTR windowClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                             reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    host.CreateEx(0, windowClass, "list benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 460, nullptr, nullptr);
    Pump();

    Figures plain = Measure<CListCtrl>(host, true);
    Figures grid = Measure<CGridListCtrl>(host, true);
    Figures hidden = Measure<CGridListCtrl>(host, false);
    std::printf("fill of %d x %d: plain %.1f ms, extended %.1f ms (hidden %.1f ms); page scroll: plain %.2f ms, "
                "extended %.2f ms\n",
                kRows, kColumns, plain.fill, grid.fill, hidden.fill, plain.page, grid.page);
    PrintFigure("extended list: fill 10,000 x 5 vs plain list view", grid.fill, plain.fill, "ms", "<= 2x");
    PrintFigure("extended list: page scroll vs plain list view", grid.page, plain.page, "ms", "<= 2x");
    PrintFigure("extended list: fill shown vs hidden (per-cell redraw)", grid.fill, hidden.fill, "ms", "report");
    host.DestroyWindow();
    return 0;
}
