// The extended list against the framework's plain list view, both filled and paged the same way in
// the same run: 10,000 rows of 5 columns filled (the window hidden, as a visible list view under Wine
// spends some 10 ms a row on itself whoever drives it), then shown and paged through a page per
// scroll with the window updated each time; and 1,000 rows filled while shown, where the extended
// list's set operations also redraw their cell at once.
#include <afxcmn.h>

#include <algorithm>
#include <cstdio>

#include "controls/GridListCtrl.h"
#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"

namespace {

const int kRows = 10000;
const int kShownRows = 1000;
const int kColumns = 5;
const int kPages = 200;
const int kRounds = 2;

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

template <class List> double Fill(List& list, int rows)
{
    char text[32];
    double begin = NowMs();
    for (int row = 0; row < rows; ++row) {
        std::snprintf(text, sizeof text, "row %d", row);
        int index = list.InsertItem(row, text);
        for (int c = 1; c < kColumns; ++c) {
            std::snprintf(text, sizeof text, "%d", row * kColumns + c);
            list.SetItemText(index, c, text);
        }
    }
    list.UpdateWindow();
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
    return (NowMs() - begin) / kPages;
}

struct Figures {
    double fill = 1e30;      // kRows, hidden
    double page = 1e30;      // per page scroll, shown
    double shownFill = 1e30; // kShownRows, shown
};

template <class List> Figures Measure(CWnd& host)
{
    Figures best;
    const CRect rect(10, 10, 610, 410);
    for (int round = 0; round < kRounds; ++round) {
        List list;
        list.Create(WS_CHILD | LVS_REPORT | LVS_SHOWSELALWAYS, rect, &host, 1149);
        for (int c = 0; c < kColumns; ++c)
            list.InsertColumn(c, "column", LVCFMT_CENTER, 110);
        list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
        best.fill = std::min(best.fill, Fill(list, kRows));
        list.ShowWindow(SW_SHOW);
        list.UpdateWindow();
        Pump();
        best.page = std::min(best.page, PageScroll(list));
        list.DestroyWindow();
        Pump();
    }
    List shown;
    shown.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, rect, &host, 1149);
    for (int c = 0; c < kColumns; ++c)
        shown.InsertColumn(c, "column", LVCFMT_CENTER, 110);
    shown.SetExtendedStyle(shown.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    best.shownFill = Fill(shown, kShownRows);
    shown.DestroyWindow();
    Pump();
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

    Figures plain = Measure<CListCtrl>(host);
    Figures grid = Measure<CGridListCtrl>(host);
    std::printf("fill of %d x %d (hidden): plain %.1f ms, extended %.1f ms; page scroll: plain %.2f ms, extended "
                "%.2f ms; fill of %d x %d shown: plain %.1f ms, extended %.1f ms\n",
                kRows, kColumns, plain.fill, grid.fill, plain.page, grid.page, kShownRows, kColumns, plain.shownFill,
                grid.shownFill);
    PrintFigure("extended list: fill 10,000 x 5 vs plain list view", grid.fill, plain.fill, "ms", "<= 2x");
    PrintFigure("extended list: page scroll vs plain list view", grid.page, plain.page, "ms", "<= 2x");
    PrintFigure("extended list: fill 1,000 x 5 shown (per-cell redraw) vs plain", grid.shownFill, plain.shownFill, "ms",
                "<= 2x");
    host.DestroyWindow();
    return 0;
}
