// Whole repaint (erase, frame, every child) of a settings dialog of about 60 controls on two tab pages,
// first unskinned, then skinned with the default skin: the same templates in the same run. After the
// figures, the log lists where the time goes: each kind of control repainted on its own, both ways.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "skin/engine/toolkit/Tessarine.h"
#include "tests/skin/window/DialogRepaintBenchmarkIds.h"
#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

namespace {

const int kBatches = 7;
const int kRuns = 8;
const UINT kWhole = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

INT_PTR CALLBACK PageProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

struct Settings {
    HWND dialog;
    HWND tab;
    HWND pages[2];
};

void Fill(const Settings& s)
{
    HWND record = s.pages[0], user = s.pages[1];
    for (const char* text : {"MP4", "ASF", "AVI"})
        SendDlgItemMessageA(record, IDC_BENCH_FORMAT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendDlgItemMessageA(record, IDC_BENCH_FORMAT, CB_SETCURSEL, 0, 0);
    SetDlgItemTextA(record, IDC_BENCH_DAYS, "30天");
    CheckDlgButton(record, IDC_BENCH_CHECKED, BST_CHECKED);
    CheckDlgButton(record, 1101, BST_CHECKED);
    SendDlgItemMessageA(record, IDC_BENCH_RATE, TBM_SETRANGE, TRUE, MAKELPARAM(0, 20));
    SendDlgItemMessageA(record, IDC_BENCH_RATE, TBM_SETPOS, TRUE, 12);
    SendDlgItemMessageA(record, IDC_BENCH_BRIGHT, TBM_SETPOS, TRUE, 40);
    SendDlgItemMessageA(record, IDC_BENCH_DISK, PBM_SETPOS, 64, 0);
    SendDlgItemMessageA(GetParent(s.tab), IDC_BENCH_SAVING, PBM_SETPOS, 30, 0);
    SetDlgItemTextA(record, 1104, "C:\\Program Files\\Player\\player.exe");
    SetDlgItemTextA(record, 1106, "D:\\Logs");
    SetDlgItemTextA(record, 1121, "20");

    HWND users = GetDlgItem(user, IDC_BENCH_USERS);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    const char* heads[] = {"用户名", "分组", "有效期"};
    for (int i = 0; i < 3; ++i) {
        column.cx = 80;
        column.pszText = const_cast<char*>(heads[i]);
        SendMessageA(users, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    for (int i = 0; i < 12; ++i) {
        char text[32];
        wsprintfA(text, "用户%d", i + 1);
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = text;
        SendMessageA(users, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<char*>(i % 2 ? "操作员" : "管理员");
        SendMessageA(users, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    }
    HWND tree = GetDlgItem(user, IDC_BENCH_TREE);
    TVINSERTSTRUCTA insert = {};
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    for (int server = 0; server < 3; ++server) {
        char text[32];
        wsprintfA(text, "服务器%d", server + 1);
        insert.hParent = TVI_ROOT;
        insert.item.pszText = text;
        HTREEITEM node =
            reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        for (int camera = 0; camera < 4; ++camera) {
            char name[32];
            wsprintfA(name, "摄像机%d", camera + 1);
            insert.hParent = node;
            insert.item.pszText = name;
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
        }
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
    }
    for (const char* text : {"管理员", "操作员", "访客"})
        SendDlgItemMessageA(user, IDC_BENCH_GROUP, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendDlgItemMessageA(user, IDC_BENCH_GROUP, CB_SETCURSEL, 1, 0);
    for (int i = 0; i < 20; ++i) {
        char text[32];
        wsprintfA(text, "登录记录 %d", i + 1);
        SendDlgItemMessageA(user, IDC_BENCH_LOG, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    CheckDlgButton(user, 1206, BST_CHECKED);
    CheckDlgButton(user, 1212, BST_CHECKED);
    SendDlgItemMessageA(user, IDC_BENCH_QUOTA, PBM_SETPOS, 80, 0);
}

INT_PTR CALLBACK MainProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    Settings* s = reinterpret_cast<Settings*>(lParam);
    s->dialog = hwnd;
    // As the programs do: the dialog is skinned first, so its pages are skinned as they are made; before
    // the toolkit starts this fails quietly and the dialog stays plain.
    TessarineAttachWindow(hwnd, "Dialog");
    s->tab = GetDlgItem(hwnd, IDC_BENCH_TAB);
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("录像设置");
    SendMessageA(s->tab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.pszText = const_cast<char*>("用户管理");
    SendMessageA(s->tab, TCM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&item));
    RECT display;
    GetWindowRect(s->tab, &display);
    MapWindowPoints(NULL, hwnd, reinterpret_cast<POINT*>(&display), 2);
    SendMessageA(s->tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const WORD templates[2] = {IDD_BENCH_RECORD, IDD_BENCH_USER};
    for (int i = 0; i < 2; ++i) {
        s->pages[i] = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(templates[i]), hwnd, PageProc, 0);
        SetWindowPos(s->pages[i], HWND_TOP, display.left, display.top, display.right - display.left,
                     display.bottom - display.top, i == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    }
    Fill(*s);
    return TRUE;
}

void ShowPage(const Settings& s, int page)
{
    SendMessageA(s.tab, TCM_SETCURSEL, page, 0);
    ShowWindow(s.pages[page], SW_SHOW);
    ShowWindow(s.pages[1 - page], SW_HIDE);
    Pump();
}

Settings MakeSettings()
{
    Settings s = {};
    CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_BENCH_MAIN), NULL, MainProc,
                       reinterpret_cast<LPARAM>(&s));
    if (s.dialog) {
        SetWindowPos(s.dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        Pump();
    }
    return s;
}

int CountControls(HWND parent)
{
    int count = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = "";
        GetClassNameA(child, name, sizeof name);
        count += lstrcmpA(name, "#32770") == 0 ? CountControls(child) : 1;
    }
    return count;
}

// Milliseconds per whole repaint with each page shown: the best of several batches, as other work on the
// machine only ever adds time.
struct Times {
    double pages[2];
    double Both() const { return (pages[0] + pages[1]) / 2; }
};

double BestOfBatches(const Settings& s)
{
    std::vector<double> batches;
    for (int i = 0; i < kBatches; ++i)
        batches.push_back(MillisecondsPerRun(kRuns, [&s] {
            RedrawWindow(s.dialog, NULL, NULL, kWhole);
            Pump();
        }));
    return *std::min_element(batches.begin(), batches.end());
}

Times TimeRepaint(const Settings& s)
{
    Times t = {};
    for (int page = 0; page < 2; ++page) {
        ShowPage(s, page);
        t.pages[page] = BestOfBatches(s);
    }
    ShowPage(s, 0);
    return t;
}

// Each visible control repainted alone (erase, frame, its own children), summed by window class; a page
// counts its own background only.
typedef std::map<std::string, std::pair<int, double>> ClassTimes;

void TimeControls(HWND parent, ClassTimes* times)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        char name[64] = "";
        GetClassNameA(child, name, sizeof name);
        const bool page = lstrcmpA(name, "#32770") == 0;
        const double ms = MillisecondsPerRun(20, [child, page] {
            RedrawWindow(child, NULL, NULL,
                         page ? RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_NOCHILDREN : kWhole);
            Pump();
        });
        std::pair<int, double>& entry = (*times)[page ? std::string("#32770 (page, no controls)") : std::string(name)];
        ++entry.first;
        entry.second += ms;
        if (page)
            TimeControls(child, times);
    }
}

// What was timed, each page shown: <name>-1.png and <name>-2.png.
void SaveScreenshots(const Settings& s, const std::string& name)
{
    for (int page = 0; page < 2; ++page) {
        ShowPage(s, page);
        RedrawWindow(s.dialog, NULL, NULL, kWhole);
        Pump();
        SavePng(CaptureWindow(s.dialog), ScreenshotPath(name + (page ? "-2" : "-1")));
    }
    ShowPage(s, 0);
}

ClassTimes TimeClasses(const Settings& s)
{
    ClassTimes times;
    for (int page = 0; page < 2; ++page) {
        ShowPage(s, page);
        TimeControls(s.dialog, &times);
    }
    ShowPage(s, 0);
    return times;
}

} // namespace

int main()
{
    HINSTANCE self = GetModuleHandleA(NULL);
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES |
                                                ICC_PROGRESS_CLASS | ICC_BAR_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);

    // The baseline before the toolkit starts: nothing of it touches this dialog.
    Settings plain = MakeSettings();
    if (!plain.dialog) {
        std::printf("the dialog could not be made\n");
        return 1;
    }
    const int controls = CountControls(plain.dialog);
    const Times plainTimes = TimeRepaint(plain);
    const ClassTimes plainClasses = TimeClasses(plain);
    SaveScreenshots(plain, "dialog-repaint-plain");
    DestroyWindow(plain.dialog);
    Pump();

    if (!TessarineInit(self) || !TessarineLoadSkin(self, "DEFAULT", "TESSARINE")) {
        std::printf("the toolkit or its default skin did not start (status %d)\n", TessarineGetStatus());
        return 1;
    }
    Settings skinned = MakeSettings();
    if (!skinned.dialog) {
        std::printf("the skinned dialog could not be made\n");
        return 1;
    }
    const Times skinnedTimes = TimeRepaint(skinned);
    const ClassTimes skinnedClasses = TimeClasses(skinned);
    SaveScreenshots(skinned, "dialog-repaint");

    char figure[128];
    wsprintfA(figure, "whole repaint of a %d-control dialog, skinned vs unskinned", controls);
    PrintFigure(figure, skinnedTimes.Both(), plainTimes.Both(), "ms", "within 2x");
    PrintFigure("  with the first page shown", skinnedTimes.pages[0], plainTimes.pages[0], "ms", "within 2x");
    PrintFigure("  with the second page shown", skinnedTimes.pages[1], plainTimes.pages[1], "ms", "within 2x");

    std::printf("\nper window class, each control repainted alone (ms per repaint, summed over the class):\n");
    std::printf("%-24s %5s %10s %10s %7s\n", "class", "count", "skinned", "plain", "ratio");
    for (const auto& entry : skinnedClasses) {
        const auto found = plainClasses.find(entry.first);
        const double base = found != plainClasses.end() ? found->second.second : 0.0;
        std::printf("%-24s %5d %10.3f %10.3f %7.2f\n", entry.first.c_str(), entry.second.first, entry.second.second,
                    base, base > 0 ? entry.second.second / base : 0.0);
    }
    std::fflush(stdout);
    DestroyWindow(skinned.dialog);
    Pump();
    TessarineShutdown();
    return 0;
}
