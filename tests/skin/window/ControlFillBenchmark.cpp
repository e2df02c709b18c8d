// Filling a list box and a list view with 5,000 rows each, inside a skinned dialog (skin scroll bars,
// resynchronised after the changes) against the same controls in a plain window, in the same run.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/Tessarine.h"
#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"

namespace {

const int kRows = 5000;

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

struct Lists {
    HWND host;
    HWND listBox;
    HWND listView;
};

Lists MakeLists(HINSTANCE self)
{
    Lists lists;
    lists.host = CreateWindowExA(0, "ControlFillBenchmark", "Fill", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 640, 420,
                                 NULL, NULL, self, NULL);
    lists.listBox =
        CreateWindowExA(WS_EX_CLIENTEDGE, "ListBox", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 10,
                        10, 280, 360, lists.host, NULL, self, NULL);
    lists.listView = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 300, 10,
                                     320, 360, lists.host, NULL, self, NULL);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = 280;
    column.pszText = const_cast<char*>("Row");
    SendMessageA(lists.listView, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    Pump();
    return lists;
}

double FillListBox(HWND list)
{
    return MillisecondsPerRun(1, [list] {
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        char text[32];
        for (int i = 0; i < kRows; ++i) {
            wsprintfA(text, "Row %d", i);
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
        Pump();
    });
}

double FillListView(HWND view)
{
    return MillisecondsPerRun(1, [view] {
        SendMessageA(view, LVM_DELETEALLITEMS, 0, 0);
        char text[32];
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.pszText = text;
        for (int i = 0; i < kRows; ++i) {
            wsprintfA(text, "Row %d", i);
            item.iItem = i;
            SendMessageA(view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
        Pump();
    });
}

} // namespace

int main()
{
    HINSTANCE self = GetModuleHandleA(NULL);
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = self;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "ControlFillBenchmark";
    RegisterClassA(&wc);

    // The baseline before the toolkit starts: nothing of it touches these windows.
    Lists plain = MakeLists(self);
    const double plainListBox = FillListBox(plain.listBox);
    const double plainListView = FillListView(plain.listView);
    DestroyWindow(plain.host);

    if (!TessarineInit(self) || !TessarineLoadSkin(self, "DEFAULT", "TESSARINE")) {
        std::printf("the toolkit or its default skin did not start (status %d)\n", TessarineGetStatus());
        return 1;
    }
    Lists skinned = MakeLists(self);
    if (!SkinEngine::Instance().SkinTopLevelWindow(skinned.host, "Dialog")) {
        std::printf("the dialog could not be skinned\n");
        return 1;
    }
    Pump();
    const double skinnedListBox = FillListBox(skinned.listBox);
    const double skinnedListView = FillListView(skinned.listView);
    PrintFigure("fill a list box with 5,000 rows, skinned vs plain", skinnedListBox, plainListBox, "ms", "within 2x");
    PrintFigure("fill a list view with 5,000 rows, skinned vs plain", skinnedListView, plainListView, "ms",
                "within 2x");
    DestroyWindow(skinned.host);
    TessarineShutdown();
    return 0;
}
