// Skin scroll bars that stay true: whatever moves a control's scroll state (keys, the wheel, a selection
// that moves, auto-scroll while selecting with the mouse, the control's own messages), the skin bar on the
// screen is the one a skin bar at the control's real position draws, with no platform bar left over it.
// Removing the bars gives the window its own frame back and leaves a procedure set after them in place;
// the skinner's forwarding operations reach the control's own procedure.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/engine/interception/ApiHooks.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinnerServices.h"
#include "skin/skinners/scrolling/ScrollControlSkinner.h"
#include "skin/skinners/scrolling/SkinScrollBar.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"
#include "tests/skin/window/ControlTestWindows.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

namespace {

const int kRows = 60;

class ScrolledListsTest : public ControlTestBase {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run_.started);
        SetSkinnerServices(NULL);
        ASSERT_TRUE(LoadDefaultSkin());
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&icc);
    }
};

// The pixels of a rectangle of the window (window coordinates), read from the screen.
std::vector<COLORREF> WindowPixels(HWND hwnd, const RECT& r)
{
    HDC dc = GetWindowDC(hwnd);
    std::vector<COLORREF> pixels = ReadPixels(dc, r);
    ReleaseDC(hwnd, dc);
    return pixels;
}

// The control's own answer for its first shown row or line, whichever bars its scroll calls reached.
int ControlTop(HWND hwnd)
{
    char name[32] = "";
    GetClassNameA(hwnd, name, sizeof name);
    if (!lstrcmpiA(name, "Edit"))
        return static_cast<int>(SendMessageA(hwnd, EM_GETFIRSTVISIBLELINE, 0, 0));
    if (!lstrcmpiA(name, "ListBox"))
        return static_cast<int>(SendMessageA(hwnd, LB_GETTOPINDEX, 0, 0));
    if (!lstrcmpiA(name, WC_LISTVIEWA))
        return static_cast<int>(SendMessageA(hwnd, LVM_GETTOPINDEX, 0, 0));
    const LPARAM first = SendMessageA(hwnd, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0);
    int index = 0;
    for (LPARAM item = SendMessageA(hwnd, TVM_GETNEXTITEM, TVGN_ROOT, 0); item && item != first; ++index)
        item = SendMessageA(hwnd, TVM_GETNEXTITEM, TVGN_NEXT, item);
    return index;
}

void FillEdit(HWND edit)
{
    std::string text;
    for (int i = 0; i < kRows; ++i)
        text += "Line " + std::to_string(i) + "\r\n";
    SetWindowTextA(edit, text.c_str());
}

void FillListBox(HWND list)
{
    for (int i = 0; i < kRows; ++i)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(("Row " + std::to_string(i)).c_str()));
}

void FillListView(HWND view)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = 150;
    column.pszText = const_cast<char*>("Name");
    SendMessageA(view, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    for (int i = 0; i < kRows; ++i) {
        std::string text = "Camera " + std::to_string(i);
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = &text[0];
        SendMessageA(view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void FillTreeView(HWND tree)
{
    for (int i = 0; i < kRows; ++i) {
        std::string text = "Server " + std::to_string(i);
        TVINSERTSTRUCTA insert = {};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = &text[0];
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
    }
}

void Key(HWND hwnd, WPARAM key, int times = 1)
{
    for (int i = 0; i < times; ++i) {
        SendMessageA(hwnd, WM_KEYDOWN, key, 1);
        SendMessageA(hwnd, WM_KEYUP, key, 0xC0000001);
    }
}

void PageDown(HWND hwnd)
{
    Key(hwnd, VK_NEXT, 2);
}

void Wheel(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    SendMessageA(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA * 3)),
                 MAKELPARAM(r.left + 20, r.top + 20));
}

// Pressing the left button on the control and pulling the mouse below it, the way a user selects further
// than the control shows; the control scrolls on its own (on the moves and on its timer).
void SelectBelow(HWND hwnd, UINT_PTR timer)
{
    RECT client;
    GetClientRect(hwnd, &client);
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, client.bottom - 6));
    for (int i = 0; i < 40; ++i) {
        SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.right + 20, client.bottom + 30));
        SendMessageA(hwnd, WM_TIMER, timer, 0);
    }
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(client.right + 20, client.bottom + 30));
}

void EnsureRowVisible(HWND view)
{
    SendMessageA(view, LVM_ENSUREVISIBLE, kRows - 10, FALSE);
}

void MoveListSelection(HWND view)
{
    LVITEMA state = {};
    state.stateMask = state.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageA(view, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    Key(view, VK_DOWN, 25);
}

HTREEITEM TreeItem(HWND tree, int index)
{
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (int i = 0; i < index && item; ++i)
        item =
            reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
    return item;
}

void EnsureTreeItemVisible(HWND tree)
{
    SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(TreeItem(tree, kRows - 10)));
}

void MoveTreeSelection(HWND tree)
{
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(TreeItem(tree, 0)));
    Key(tree, VK_DOWN, 25);
}

struct ScrollPath {
    const char* name;
    const char* className;
    DWORD style;
    void (*fill)(HWND);
    void (*act)(HWND);
};

void EditPageDown(HWND h)
{
    PageDown(h);
}
void EditSelectBelow(HWND h)
{
    SelectBelow(h, 0);
}
void ListBoxSelectBelow(HWND h)
{
    SelectBelow(h, 2);
}
void ListBoxKeyDown(HWND h)
{
    Key(h, VK_DOWN, 25);
}

const ScrollPath kPaths[] = {
    {"edit: Page Down", "Edit", ES_MULTILINE | WS_VSCROLL, FillEdit, EditPageDown},
    {"edit: selecting below it", "Edit", ES_MULTILINE | WS_VSCROLL, FillEdit, EditSelectBelow},
    {"list box: a selection moved by the keys", "ListBox", WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, FillListBox,
     ListBoxKeyDown},
    {"list box: selecting below it", "ListBox", WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_EXTENDEDSEL, FillListBox,
     ListBoxSelectBelow},
    {"list box: wheel", "ListBox", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, FillListBox, Wheel},
    {"list view: Page Down", WC_LISTVIEWA, LVS_REPORT | LVS_SHOWSELALWAYS, FillListView, PageDown},
    {"list view: wheel", WC_LISTVIEWA, LVS_REPORT, FillListView, Wheel},
    {"list view: LVM_ENSUREVISIBLE", WC_LISTVIEWA, LVS_REPORT, FillListView, EnsureRowVisible},
    {"list view: a selection that moves", WC_LISTVIEWA, LVS_REPORT | LVS_SHOWSELALWAYS, FillListView,
     MoveListSelection},
    {"tree view: Page Down", WC_TREEVIEWA, TVS_HASLINES | TVS_SHOWSELALWAYS, FillTreeView, PageDown},
    {"tree view: wheel", WC_TREEVIEWA, TVS_HASLINES, FillTreeView, Wheel},
    {"tree view: TVM_ENSUREVISIBLE", WC_TREEVIEWA, TVS_HASLINES, FillTreeView, EnsureTreeItemVisible},
    {"tree view: a selection that moves", WC_TREEVIEWA, TVS_HASLINES | TVS_SHOWSELALWAYS, FillTreeView,
     MoveTreeSelection},
};

// The skin bar's record tells the control's own position, and the bar on the screen is that record drawn
// afresh (no platform bar over it, nothing stale).
void ExpectSkinBarShowsControl(HWND control)
{
    SCROLLINFO skin = {};
    skin.cbSize = sizeof skin;
    skin.fMask = SIF_ALL;
    SkinScrollGetScrollInfo(control, SB_VERT, &skin);
    EXPECT_EQ(ControlTop(control), skin.nPos) << "the skin bar's record";
    const RECT bar = GetSkinBarRect(control, SB_VERT);
    ASSERT_FALSE(IsRectEmpty(&bar));
    const std::vector<COLORREF> shown = WindowPixels(control, bar);
    SkinScrollUpdateScrollInfo(control, SB_VERT, &skin, TRUE);
    EXPECT_TRUE(shown == WindowPixels(control, bar)) << "the skin bar on the screen shows the control's position";
}

} // namespace

TEST_F(ScrolledListsTest, EveryWayAControlScrollsLeavesItsSkinBarTrue)
{
    for (const ScrollPath& path : kPaths) {
        SCOPED_TRACE(path.name);
        HWND parent = Track(MakeTestParent("ScrolledListsParent", DefWindowProcA, "Scrolled", 300, 260));
        HWND control = MakeTestControl(path.className, parent, path.style, 1, "", 10, 10, 200, 160, WS_EX_CLIENTEDGE);
        path.fill(control);
        Skin(parent);
        SetFocus(control);
        RedrawWindow(parent, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpMessages();
        ASSERT_NE(nullptr, GetSkinScrollState(control));
        const int before = ControlTop(control);
        path.act(control);
        PumpMessages();
        EXPECT_GT(ControlTop(control), before) << "the control scrolled";
        ExpectSkinBarShowsControl(control);
        DestroyWindow(parent);
    }
}

TEST_F(ScrolledListsTest, ListAndTreeAfterKeyboardScrollingScreenshot)
{
    HWND parent = Track(MakeTestParent("ScrolledListsParent", DefWindowProcA, "监控点", 460, 260));
    HWND view = MakeTestControl(WC_LISTVIEWA, parent, LVS_REPORT | LVS_SHOWSELALWAYS, 1, "", 10, 10, 210, 200,
                                WS_EX_CLIENTEDGE);
    HWND tree = MakeTestControl(WC_TREEVIEWA, parent, TVS_HASLINES | TVS_SHOWSELALWAYS, 2, "", 230, 10, 210, 200,
                                WS_EX_CLIENTEDGE);
    FillListView(view);
    FillTreeView(tree);
    Skin(parent);
    RedrawWindow(parent, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    SetFocus(view);
    MoveListSelection(view);
    PageDown(view);
    SetFocus(tree);
    MoveTreeSelection(tree);
    PageDown(tree);
    PumpMessages();
    for (HWND control : {view, tree}) {
        SCOPED_TRACE(control == view ? "list view" : "tree view");
        EXPECT_GT(ControlTop(control), 0);
        ExpectSkinBarShowsControl(control);
    }
    EXPECT_TRUE(SavePng(CaptureWindow(parent), ScreenshotPath(std::string("scrolled-lists") + RunSuffix())));
}

namespace {

LRESULT CALLBACK AnsweringProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP + 1)
        return 1234;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

WNDPROC g_beforeLater = NULL;
LRESULT CALLBACK LaterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP + 2)
        return 5678;
    return CallWindowProcA(g_beforeLater, hwnd, message, wParam, lParam);
}

// A screen point on the vertical bar, as WM_NCHITTEST takes it.
LPARAM NcPointOfVerticalBar(HWND hwnd)
{
    const RECT bar = GetSkinBarRect(hwnd, SB_VERT);
    RECT window;
    GetWindowRect(hwnd, &window);
    return MAKELPARAM(window.left + (bar.left + bar.right) / 2, window.top + (bar.top + bar.bottom) / 2);
}

} // namespace

TEST_F(ScrolledListsTest, RemovedBarsGiveBackTheFrameAndKeepALaterProcedure)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = AnsweringProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "ScrolledListsAnswering";
    RegisterClassA(&wc);
    for (bool subclassedLater : {false, true}) {
        SCOPED_TRACE(subclassedLater ? "subclassed after the bars" : "bars on top");
        HWND hwnd = Track(CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0, 0, 200, 150,
                                          NULL, NULL, GetModuleHandleA(NULL), NULL));
        SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE, 0, 99, 10, 0, 0};
        RealApi().setScrollInfo(hwnd, SB_VERT, &info, TRUE);
        RECT platform;
        GetClientRect(hwnd, &platform);
        ASSERT_TRUE(SkinScrollInstall(hwnd));
        const int skinWidth = GetSystemMetrics(SM_CXVSCROLL) + 14;
        ASSERT_TRUE(SkinScrollSetSize(hwnd, SB_VERT, 16, skinWidth));
        RECT skinned;
        GetClientRect(hwnd, &skinned);
        EXPECT_EQ(platform.right - 14, skinned.right);
        if (subclassedLater)
            g_beforeLater = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterProc)));
        EXPECT_EQ(S_OK, SkinScrollRemove(hwnd));
        RECT after;
        GetClientRect(hwnd, &after);
        EXPECT_EQ(platform.right, after.right) << "the platform's frame again";
        EXPECT_EQ(1234, SendMessageA(hwnd, WM_APP + 1, 0, 0)) << "the class's own procedure still answers";
        if (subclassedLater) {
            EXPECT_EQ(5678, SendMessageA(hwnd, WM_APP + 2, 0, 0)) << "the later procedure stays";
            // Bars once more: all three procedures answer, and the bars go again cleanly.
            ASSERT_TRUE(SkinScrollInstall(hwnd));
            EXPECT_EQ(1234, SendMessageA(hwnd, WM_APP + 1, 0, 0));
            EXPECT_EQ(5678, SendMessageA(hwnd, WM_APP + 2, 0, 0));
            EXPECT_EQ(HTVSCROLL, SendMessageA(hwnd, WM_NCHITTEST, 0, NcPointOfVerticalBar(hwnd)));
            EXPECT_EQ(S_OK, SkinScrollRemove(hwnd));
            EXPECT_EQ(1234, SendMessageA(hwnd, WM_APP + 1, 0, 0));
        }
        DestroyWindow(hwnd);
    }
}

TEST_F(ScrolledListsTest, ForwardingReachesTheControlsOwnProcedure)
{
    HWND parent = Track(MakeTestParent("ScrolledListsParent", DefWindowProcA, "Forward", 300, 260));
    HWND list = MakeTestControl("ListBox", parent, WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 1, "", 10, 10, 200, 160,
                                WS_EX_CLIENTEDGE);
    FillListBox(list);
    Skin(parent);
    ScrollControlSkinner* skinner = dynamic_cast<ScrollControlSkinner*>(SkinEngine::Instance().FindSkinnedWindow(list));
    ASSERT_NE(nullptr, skinner);
    HDC dc = GetDC(list);
    EXPECT_EQ(1, skinner->OnEraseBackground(dc)) << "the control paints its own background";
    ReleaseDC(list, dc);
    skinner->ForwardVScroll(SB_PAGEDOWN, 0, NULL);
    const LRESULT paged = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
    EXPECT_GT(paged, 0);
    skinner->ForwardVScroll(SB_LINEUP, 0, NULL);
    EXPECT_EQ(paged - 1, SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    RECT client;
    GetClientRect(list, &client);
    skinner->ForwardLButtonDown(MK_LBUTTON, 10, 5);
    skinner->ForwardLButtonUp(0, 10, 5);
    EXPECT_EQ(paged - 1, SendMessageA(list, LB_GETCURSEL, 0, 0)) << "the click selected the top row";
    POINT centre = {client.right / 2, client.bottom / 2};
    ClientToScreen(list, &centre);
    skinner->ForwardMouseWheel(0, -WHEEL_DELTA, centre.x, centre.y);
    EXPECT_GT(SendMessageA(list, LB_GETTOPINDEX, 0, 0), paged - 1);
}
