// The control skinners on real controls with the default skin: the parent's veto, fonts, button
// behaviour and check states, the colours of the scrolling controls, skin scroll bars on a plain window
// and on list controls, the replacement functions' dispatch, and the screenshot of a skinned dialog.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/interception/ApiHooks.h"
#include "skin/engine/interception/ApiReplacements.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/engine/toolkit/SkinnerServices.h"
#include "skin/skinners/controls/ButtonSkinner.h"
#include "skin/skinners/controls/ComboBoxSkinner.h"
#include "skin/skinners/controls/ControlSkinner.h"
#include "skin/skinners/controls/EditSkinner.h"
#include "skin/skinners/controls/HeaderSkinner.h"
#include "skin/skinners/controls/ProgressSkinner.h"
#include "skin/skinners/controls/QuarterTurn.h"
#include "skin/skinners/scrolling/ScrollControlSkinner.h"
#include "skin/skinners/scrolling/SkinScrollBar.h"
#include "skin/skinners/controls/TabSkinner.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"
#include "tests/skin/window/ControlTestWindows.h"
#include "tests/skin/window/TestLinkWindow.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

namespace {

// What the test parent saw: click notifications and scroll messages.
struct ParentLog {
    std::vector<int> clicks; // control ids
    std::vector<WPARAM> scrolls;
    int vetoId = -1;
};
ParentLog g_parent;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            g_parent.clicks.push_back(LOWORD(wParam));
        return 0;
    case WM_SKIN_QUERYCONTROLSKIN:
        return static_cast<int>(wParam) == g_parent.vetoId;
    case WM_VSCROLL:
    case WM_HSCROLL:
        g_parent.scrolls.push_back(wParam);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

HWND MakeParent(const char* title, int width = 420, int height = 320)
{
    return MakeTestParent("ControlTestParent", ParentProc, title, width, height);
}

void InitCommonControlClasses()
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES |
                                                ICC_PROGRESS_CLASS | ICC_BAR_CLASSES | ICC_DATE_CLASSES |
                                                ICC_COOL_CLASSES | ICC_UPDOWN_CLASS | ICC_ANIMATE_CLASS};
    InitCommonControlsEx(&icc);
}

ScrollControlSkinObject* ScrollObject(const char* name)
{
    return dynamic_cast<ScrollControlSkinObject*>(SkinEngine::Instance().GetCurrentSkin()->FindObjectByName(name));
}

class ControlSkinnerTest : public ControlTestBase {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run_.started);
        SetSkinnerServices(NULL);
        ASSERT_TRUE(LoadDefaultSkin());
        InitCommonControlClasses();
        g_parent = ParentLog();
    }
    static void Click(HWND control, int x, int y, int releaseX, int releaseY)
    {
        SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(releaseX, releaseY));
        PumpMessages();
    }
};

bool Skinned(HWND control)
{
    return GetPropA(control, kObjectProperty) != NULL;
}

} // namespace

TEST_F(ControlSkinnerTest, VetoKeepsTheControlNativeAndFontsComeAndGo)
{
    HWND parent = Track(MakeParent("Veto"));
    HFONT own = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
    HWND kept = MakeTestControl("Button", parent, BS_PUSHBUTTON, 7, "Kept", 10, 10, 80, 24);
    HWND skinned = MakeTestControl("Button", parent, BS_PUSHBUTTON, 8, "Skinned", 100, 10, 80, 24);
    HWND progress = MakeTestControl(PROGRESS_CLASSA, parent, 0, 9, "", 10, 50, 80, 16);
    for (HWND w : {kept, skinned, progress})
        SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(own), FALSE);
    RECT keptBefore;
    GetWindowRect(kept, &keptBefore);
    MapWindowPoints(NULL, parent, reinterpret_cast<POINT*>(&keptBefore), 2);
    g_parent.vetoId = 7;
    Skin(parent);

    EXPECT_FALSE(Skinned(kept)) << "the parent's veto keeps it native";
    EXPECT_EQ(reinterpret_cast<LRESULT>(own), SendMessageA(kept, WM_GETFONT, 0, 0));
    RECT keptAfter;
    GetWindowRect(kept, &keptAfter);
    MapWindowPoints(NULL, parent, reinterpret_cast<POINT*>(&keptAfter), 2);
    EXPECT_TRUE(EqualRect(&keptBefore, &keptAfter));

    ASSERT_TRUE(Skinned(skinned));
    const ControlSkinObject* object =
        dynamic_cast<const ControlSkinObject*>(SkinEngine::Instance().GetCurrentSkin()->FindObjectByName("Button"));
    ASSERT_NE(nullptr, object);
    ASSERT_TRUE(object->autoSkinFont);
    EXPECT_EQ(reinterpret_cast<LRESULT>(object->Font()), SendMessageA(skinned, WM_GETFONT, 0, 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(own), SendMessageA(progress, WM_GETFONT, 0, 0))
        << "range controls never take the skin's font";

    SkinEngine::Instance().RemoveWindow(skinned, FALSE);
    EXPECT_FALSE(Skinned(skinned));
    EXPECT_EQ(reinterpret_cast<LRESULT>(own), SendMessageA(skinned, WM_GETFONT, 0, 0)) << "its own font back";
}

TEST_F(ControlSkinnerTest, PushButtonClicksOnlyOnReleaseInside)
{
    HWND parent = Track(MakeParent("Clicks"));
    HWND button = MakeTestControl("Button", parent, BS_PUSHBUTTON, 11, "OK", 10, 10, 80, 24);
    Skin(parent);
    ASSERT_NE(nullptr, dynamic_cast<ButtonSkinner*>(FindSkinnedWindow(button)));

    Click(button, 5, 5, 200, 200);
    EXPECT_TRUE(g_parent.clicks.empty()) << "released outside: no click";
    EXPECT_EQ(NULL, GetCapture());
    Click(button, 5, 5, 6, 6);
    EXPECT_EQ(std::vector<int>{11}, g_parent.clicks);
    SendMessageA(button, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(button, WM_KEYUP, VK_SPACE, 0);
    PumpMessages();
    EXPECT_EQ((std::vector<int>{11, 11}), g_parent.clicks);

    // A capture taken away releases the button without a click.
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ButtonSkinner* skinner = dynamic_cast<ButtonSkinner*>(FindSkinnedWindow(button));
    ASSERT_NE(nullptr, skinner);
    EXPECT_TRUE(skinner->Pressed());
    SetCapture(parent);
    ReleaseCapture();
    EXPECT_FALSE(skinner->Pressed());
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpMessages();
    EXPECT_EQ(2u, g_parent.clicks.size());
}

TEST_F(ControlSkinnerTest, ButtonRegionFollowsItsSizeAndStaticKindsStayNative)
{
    HWND parent = Track(MakeParent("Regions"));
    HWND button = MakeTestControl("Button", parent, BS_PUSHBUTTON, 12, "OK", 10, 10, 80, 24);
    HWND ownerDrawn = MakeTestControl("Static", parent, SS_OWNERDRAW, 13, "", 10, 50, 80, 20);
    HWND simple = MakeTestControl("Static", parent, SS_SIMPLE, 14, "simple", 10, 80, 80, 20);
    HWND etched = MakeTestControl("Static", parent, SS_ETCHEDHORZ, 15, "", 10, 110, 80, 2);
    HWND text = MakeTestControl("Static", parent, SS_LEFT, 16, "text", 10, 120, 80, 20);
    Skin(parent);
    EXPECT_FALSE(Skinned(ownerDrawn));
    EXPECT_FALSE(Skinned(simple));
    EXPECT_FALSE(Skinned(etched)) << "frames and etched lines keep their own drawing";
    EXPECT_TRUE(Skinned(text));

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetWindowRgn(button, region));
    RECT box;
    GetRgnBox(region, &box);
    EXPECT_EQ(80, box.right);
    EXPECT_EQ(24, box.bottom);
    EXPECT_FALSE(PtInRegion(region, 0, 0)) << "the picture's magenta corner is left out";
    EXPECT_TRUE(PtInRegion(region, 40, 12));
    SetWindowPos(button, NULL, 0, 0, 120, 30, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_NE(ERROR, GetWindowRgn(button, region));
    GetRgnBox(region, &box);
    EXPECT_EQ(120, box.right);
    EXPECT_EQ(30, box.bottom);
    DeleteObject(region);

    // Unskinned, the static loses the transparency the skinner gave it.
    EXPECT_TRUE(GetWindowLongA(text, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    SkinEngine::Instance().RemoveWindow(text, FALSE);
    EXPECT_FALSE(GetWindowLongA(text, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
}

TEST_F(ControlSkinnerTest, CheckStatesLiveInTheButtonsOwnWord)
{
    HWND parent = Track(MakeParent("Checks"));
    HWND three = MakeTestControl("Button", parent, BS_AUTO3STATE, 21, "Three", 10, 10, 120, 20);
    HWND plain = MakeTestControl("Button", parent, BS_CHECKBOX, 22, "Plain", 10, 40, 120, 20);
    HWND native = MakeTestControl("Button", parent, BS_AUTOCHECKBOX, 23, "Native", 10, 70, 120, 20);
    g_parent.vetoId = 23;
    Skin(parent);
    ASSERT_TRUE(Skinned(three));
    const LRESULT cycle[3] = {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED};
    for (LRESULT expected : cycle) {
        Click(three, 5, 5, 5, 5);
        EXPECT_EQ(expected, SendMessageA(three, BM_GETCHECK, 0, 0));
        EXPECT_EQ(expected, SendMessageA(three, BM_GETSTATE, 0, 0) & 3) << "BM_GETSTATE agrees";
    }
    Click(plain, 5, 5, 5, 5);
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(plain, BM_GETCHECK, 0, 0)) << "a plain check box changes nothing itself";
    EXPECT_EQ(22, g_parent.clicks.back()) << "but still clicks";

    // BM_SETCHECK answers the same on a skinned and a native button.
    for (HWND w : {three, native}) {
        SendMessageA(w, BM_SETCHECK, BST_CHECKED, 0);
        EXPECT_EQ(BST_CHECKED, SendMessageA(w, BM_GETCHECK, 0, 0));
        EXPECT_EQ(BST_CHECKED, SendMessageA(w, BM_GETSTATE, 0, 0) & 3);
        SendMessageA(w, BM_SETCHECK, BST_UNCHECKED, 0);
        EXPECT_EQ(0, SendMessageA(w, BM_GETSTATE, 0, 0) & 3);
    }
}

TEST_F(ControlSkinnerTest, RadioGroupEndsAtTheNextGroup)
{
    HWND parent = Track(MakeParent("Radios"));
    HWND first = MakeTestControl("Button", parent, BS_AUTORADIOBUTTON | WS_GROUP, 31, "A", 10, 10, 100, 20);
    HWND second = MakeTestControl("Button", parent, BS_AUTORADIOBUTTON, 32, "B", 10, 35, 100, 20);
    HWND third = MakeTestControl("Button", parent, BS_AUTORADIOBUTTON, 33, "C", 10, 60, 100, 20);
    HWND other = MakeTestControl("Button", parent, BS_AUTORADIOBUTTON | WS_GROUP, 34, "D", 10, 85, 100, 20);
    Skin(parent);
    SendMessageA(first, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(other, BM_SETCHECK, BST_CHECKED, 0);
    Click(second, 5, 5, 5, 5);
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(first, BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_CHECKED, SendMessageA(second, BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(third, BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_CHECKED, SendMessageA(other, BM_GETCHECK, 0, 0)) << "the next group is left alone";
}

TEST_F(ControlSkinnerTest, ColoursOfTheScrollingControls)
{
    ScrollControlSkinObject* edit = ScrollObject("Edit");
    ScrollControlSkinObject* list = ScrollObject("ListBox");
    ScrollControlSkinObject* view = ScrollObject("ListView");
    ScrollControlSkinObject* tree = ScrollObject("TreeView");
    ASSERT_TRUE(edit && list && view && tree);
    edit->color = RGB(1, 2, 3);
    edit->textColor = RGB(4, 5, 6);
    edit->transparentColor = RGB(7, 8, 9);
    list->color = RGB(10, 11, 12);
    view->color = RGB(13, 14, 15);
    view->textColor = RGB(16, 17, 18);
    tree->color = RGB(19, 20, 21);
    tree->textColor = RGB(22, 23, 24);

    HWND parent = Track(MakeParent("Colours"));
    HWND writable = MakeTestControl("Edit", parent, 0, 41, "text", 10, 10, 100, 22, WS_EX_CLIENTEDGE);
    HWND readOnly = MakeTestControl("Edit", parent, ES_READONLY, 42, "text", 10, 40, 100, 22, WS_EX_CLIENTEDGE);
    HWND listBox =
        MakeTestControl("ListBox", parent, WS_VSCROLL | LBS_NOTIFY, 43, "", 120, 10, 100, 80, WS_EX_CLIENTEDGE);
    HWND listView = MakeTestControl(WC_LISTVIEWA, parent, LVS_REPORT, 44, "", 230, 10, 150, 80, WS_EX_CLIENTEDGE);
    HWND treeView = MakeTestControl(WC_TREEVIEWA, parent, TVS_HASLINES, 45, "", 230, 100, 150, 80, WS_EX_CLIENTEDGE);
    Skin(parent);

    HDC dc = GetDC(parent);
    const LRESULT editBrush =
        SendMessageA(parent, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(writable));
    EXPECT_NE(0, editBrush);
    EXPECT_EQ(RGB(1, 2, 3), GetBkColor(dc));
    EXPECT_EQ(RGB(4, 5, 6), GetTextColor(dc));
    SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(readOnly));
    EXPECT_EQ(RGB(7, 8, 9), GetBkColor(dc)) << "a read-only edit in the read-only colour";
    SendMessageA(parent, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(listBox));
    EXPECT_EQ(RGB(10, 11, 12), GetBkColor(dc));
    ReleaseDC(parent, dc);

    EXPECT_EQ(RGB(13, 14, 15), static_cast<COLORREF>(SendMessageA(listView, LVM_GETBKCOLOR, 0, 0)));
    EXPECT_EQ(RGB(13, 14, 15), static_cast<COLORREF>(SendMessageA(listView, LVM_GETTEXTBKCOLOR, 0, 0)));
    EXPECT_EQ(RGB(16, 17, 18), static_cast<COLORREF>(SendMessageA(listView, LVM_GETTEXTCOLOR, 0, 0)));
    EXPECT_EQ(RGB(19, 20, 21), static_cast<COLORREF>(SendMessageA(treeView, TVM_GETBKCOLOR, 0, 0)));
    EXPECT_EQ(RGB(22, 23, 24), static_cast<COLORREF>(SendMessageA(treeView, TVM_GETTEXTCOLOR, 0, 0)));
    EXPECT_EQ(static_cast<TreeViewSkinObject*>(tree)->line & 0xFFFFFF,
              static_cast<COLORREF>(SendMessageA(treeView, TVM_GETLINECOLOR, 0, 0)));
}

namespace {

COLORREF BrushColour(LRESULT brush)
{
    LOGBRUSH logical = {};
    if (!brush || !GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof logical, &logical))
        return CLR_INVALID;
    return logical.lbColor;
}

// A child of the dialog's object for one control, as a skin source names it with CONTROLID.
template <class T> T* AddOwnObject(T* object, const char* name, int controlId, COLORREF colour)
{
    object->SetName(name);
    object->controlId = controlId;
    object->color = colour;
    SkinObject* dialog = SkinEngine::Instance().GetCurrentSkin()->FindObjectByName("Dialog");
    EXPECT_TRUE(dialog && dialog->AddChild(object));
    return object;
}

} // namespace

TEST_F(ControlSkinnerTest, BrushesComeFromTheBoundObjectAfterARebind)
{
    AddOwnObject(new ScrollControlSkinObject(SkinTypeEdit), "OwnEdit", 51, RGB(50, 60, 70));
    AddOwnObject(new ScrollControlSkinObject(SkinTypeListBox), "OwnList", 52, RGB(80, 90, 100));
    AddOwnObject(new ComboBoxSkinObject(), "OwnCombo", 53, RGB(110, 120, 130));
    HWND parent = Track(MakeParent("Own objects"));
    HWND edit = MakeTestControl("Edit", parent, 0, 51, "text", 10, 10, 100, 22, WS_EX_CLIENTEDGE);
    HWND list = MakeTestControl("ListBox", parent, WS_VSCROLL, 52, "", 120, 10, 100, 80, WS_EX_CLIENTEDGE);
    HWND combo = MakeTestControl("ComboBox", parent, CBS_DROPDOWN, 53, "", 230, 10, 120, 120);
    Skin(parent);
    struct Case {
        HWND control;
        const char* defaultObject;
        UINT message;
        HWND asked; // the window the colour message names
        COLORREF colour;
    } cases[] = {
        {edit, "Edit", WM_CTLCOLOREDIT, edit, RGB(50, 60, 70)},
        {list, "ListBox", WM_CTLCOLORLISTBOX, list, RGB(80, 90, 100)},
        {combo, "ComboBox", WM_CTLCOLOREDIT, FindWindowExA(combo, NULL, "Edit", NULL), RGB(110, 120, 130)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.defaultObject);
        SkinnedWindow* skinner = SkinEngine::Instance().FindSkinnedWindow(c.control);
        ASSERT_NE(nullptr, skinner);
        // A skin change offers the type's default object; the dialog's own object for the control wins.
        skinner->SetSkinObject(SkinEngine::Instance().GetCurrentSkin()->FindObjectByName(c.defaultObject));
        HDC dc = GetDC(parent);
        const LRESULT brush = SendMessageA(c.message == WM_CTLCOLORLISTBOX ? c.control : GetParent(c.asked), c.message,
                                           reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(c.asked));
        EXPECT_EQ(c.colour, GetBkColor(dc));
        EXPECT_EQ(c.colour, BrushColour(brush)) << "the brush and the text background agree";
        ReleaseDC(parent, dc);
    }
}

TEST_F(ControlSkinnerTest, ComboKeepsSimpleAndVariableNativeAndColoursItsEdit)
{
    HWND parent = Track(MakeParent("Combos"));
    HWND dropDown = MakeTestControl("ComboBox", parent, CBS_DROPDOWN | WS_VSCROLL, 51, "", 10, 10, 120, 200);
    HWND simple = MakeTestControl("ComboBox", parent, CBS_SIMPLE, 52, "", 140, 10, 120, 100);
    HWND variable = MakeTestControl("ComboBox", parent, CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS, 53,
                                    "", 10, 60, 120, 200);
    Skin(parent);
    EXPECT_NE(nullptr, dynamic_cast<ComboBoxSkinner*>(FindSkinnedWindow(dropDown)));
    EXPECT_FALSE(Skinned(simple));
    EXPECT_FALSE(Skinned(variable));
    HWND simpleList = FindWindowExA(simple, NULL, "ComboLBox", NULL);
    if (simpleList) {
        EXPECT_TRUE(Skinned(simpleList)) << "the simple combo's list is skinned as a list box";
    }

    const ComboBoxSkinObject* combo =
        dynamic_cast<const ComboBoxSkinObject*>(SkinEngine::Instance().GetCurrentSkin()->FindObjectByName("ComboBox"));
    ASSERT_NE(nullptr, combo);
    HWND edit = FindWindowExA(dropDown, NULL, "Edit", NULL);
    ASSERT_NE(nullptr, edit);
    HDC dc = GetDC(dropDown);
    SendMessageA(dropDown, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit));
    EXPECT_EQ(combo->color & 0xFFFFFF, GetBkColor(dc));
    EXPECT_EQ(combo->textColor & 0xFFFFFF, GetTextColor(dc));
    EnableWindow(dropDown, FALSE);
    SendMessageA(dropDown, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit));
    EXPECT_EQ(combo->disabledBackground & 0xFFFFFF, GetBkColor(dc));
    EXPECT_EQ(combo->disabledText & 0xFFFFFF, GetTextColor(dc));
    ReleaseDC(dropDown, dc);
}

namespace {

std::vector<WPARAM> g_scrolls;

LRESULT CALLBACK ScrollWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_VSCROLL || message == WM_HSCROLL) {
        g_scrolls.push_back(wParam);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND MakeScrolledWindow()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ScrollWindowProc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.hCursor = LoadCursor(NULL, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "SkinScrollTestWindow";
        RegisterClassA(&wc);
        registered = true;
    }
    HWND hwnd = CreateWindowExA(0, "SkinScrollTestWindow", "Scrolled", WS_POPUP | WS_BORDER | WS_VSCROLL | WS_VISIBLE,
                                60, 60, 200, 250, NULL, NULL, GetModuleHandleA(NULL), NULL);
    SCROLLINFO info = {sizeof info, SIF_ALL, 0, 99, 10, 0, 0};
    RealApi().setScrollInfo(hwnd, SB_VERT, &info, TRUE);
    return hwnd;
}

POINT ScreenPointOfBar(HWND hwnd, int along)
{
    const RECT bar = GetSkinBarRect(hwnd, SB_VERT);
    RECT window;
    GetWindowRect(hwnd, &window);
    return POINT{window.left + (bar.left + bar.right) / 2, window.top + bar.top + along};
}

LPARAM Packed(POINT p)
{
    return MAKELPARAM(p.x, p.y);
}

} // namespace

TEST_F(ControlSkinnerTest, SkinScrollBarPressesAndDragsOnAPlainWindow)
{
    HWND hwnd = Track(MakeScrolledWindow());
    ASSERT_TRUE(SkinScrollInstall(hwnd));
    EXPECT_FALSE(SkinScrollInstall(hwnd)) << "one state a window";
    EXPECT_FALSE(SkinScrollSetSize(hwnd, SB_BOTH, 0, 16));
    EXPECT_FALSE(SkinScrollSetSize(hwnd, SB_BOTH, 300, 16));
    ASSERT_TRUE(SkinScrollSetSize(hwnd, SB_BOTH, 16, 16));
    PumpMessages();
    const RECT bar = GetSkinBarRect(hwnd, SB_VERT);
    ASSERT_FALSE(IsRectEmpty(&bar));
    EXPECT_EQ(16, bar.right - bar.left);
    EXPECT_EQ(HTVSCROLL, SendMessageA(hwnd, WM_NCHITTEST, 0, Packed(ScreenPointOfBar(hwnd, 20))));

    // The lower arrow: one line at once; the release ends the scroll and nothing follows.
    g_scrolls.clear();
    const POINT arrow = ScreenPointOfBar(hwnd, bar.bottom - bar.top - 4);
    SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, Packed(arrow));
    EXPECT_EQ(hwnd, GetCapture());
    SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
    PumpMessages();
    EXPECT_EQ((std::vector<WPARAM>{SB_LINEDOWN, SB_ENDSCROLL}), g_scrolls);
    EXPECT_EQ(NULL, GetCapture());

    // A thumb pressed and released unmoved reports the position it began at.
    SCROLLINFO info = {sizeof info, SIF_POS, 0, 0, 0, 95, 0};
    EXPECT_EQ(90, SkinSetScrollInfo(hwnd, SB_VERT, &info, TRUE)) << "95 clamps to 90";
    info.nPos = 40;
    SkinScrollSetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    SkinScrollState* state = GetSkinScrollState(hwnd);
    ASSERT_NE(nullptr, state);
    const RECT barRect = GetSkinBarRect(hwnd, SB_VERT);
    const SkinBarLayout layout = LayoutSkinBar(state->vertical, barRect.top, barRect.bottom);
    g_scrolls.clear();
    const POINT thumb = ScreenPointOfBar(hwnd, layout.thumbStart - barRect.top + 2);
    SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, Packed(thumb));
    EXPECT_TRUE(state->tracking);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ((std::vector<WPARAM>{MAKEWPARAM(SB_THUMBPOSITION, 40), SB_ENDSCROLL}), g_scrolls);
    EXPECT_FALSE(state->tracking);

    // Holding the arrow: the first repeat tick switches to the fast one; each tick repeats while the
    // cursor stays on the arrow and pauses while it is off; after the release nothing more comes.
    g_scrolls.clear();
    SetCursorPos(arrow.x, arrow.y);
    SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, Packed(arrow));
    SendMessageA(hwnd, WM_TIMER, kSkinScrollFirstRepeat, 0);
    SendMessageA(hwnd, WM_TIMER, kSkinScrollRepeat, 0);
    SetCursorPos(arrow.x + 100, arrow.y + 100);
    SendMessageA(hwnd, WM_TIMER, kSkinScrollRepeat, 0);
    SetCursorPos(arrow.x, arrow.y);
    SendMessageA(hwnd, WM_TIMER, kSkinScrollRepeat, 0);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
    SendMessageA(hwnd, WM_TIMER, kSkinScrollRepeat, 0);
    EXPECT_EQ((std::vector<WPARAM>{SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_ENDSCROLL}), g_scrolls);

    // A drag far off the bar puts the thumb back where it started; coming back resumes it.
    g_scrolls.clear();
    SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, Packed(thumb));
    POINT onBar = {thumb.x, thumb.y + 40}, farOff = {thumb.x + 200, thumb.y + 40};
    ScreenToClient(hwnd, &onBar);
    ScreenToClient(hwnd, &farOff);
    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, Packed(onBar));
    ASSERT_EQ(1u, g_scrolls.size());
    EXPECT_EQ(SB_THUMBTRACK, LOWORD(g_scrolls[0]));
    EXPECT_GT(static_cast<int>(HIWORD(g_scrolls[0])), 40);
    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, Packed(farOff));
    ASSERT_EQ(2u, g_scrolls.size());
    EXPECT_EQ(MAKEWPARAM(SB_THUMBTRACK, 40), g_scrolls[1]) << "outside the snap rectangle: back at the start";
    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, Packed(onBar));
    EXPECT_EQ(g_scrolls[0], g_scrolls[2]);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(MAKEWPARAM(SB_THUMBPOSITION, HIWORD(g_scrolls[0])), g_scrolls[3]);
    EXPECT_EQ(WPARAM(SB_ENDSCROLL), g_scrolls[4]);

    // A capture lost in the middle of a press ends it like a release.
    g_scrolls.clear();
    SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, Packed(arrow));
    ReleaseCapture();
    PumpMessages();
    EXPECT_EQ((std::vector<WPARAM>{SB_LINEDOWN, SB_ENDSCROLL}), g_scrolls);

    // The replacements answer from the skin bar; other bars and windows go to the platform.
    EXPECT_EQ(40, SkinGetScrollPos(hwnd, SB_VERT));
    int minimum = -1, maximum = -1;
    EXPECT_TRUE(SkinGetScrollRange(hwnd, SB_VERT, &minimum, &maximum));
    EXPECT_EQ(0, minimum);
    EXPECT_EQ(99, maximum);
    EXPECT_EQ(RealApi().getScrollPos(hwnd, SB_CTL), SkinGetScrollPos(hwnd, SB_CTL));
    EXPECT_TRUE(SkinSetScrollRange(hwnd, SB_VERT, 5, 5, TRUE));
    EXPECT_FALSE(state->vertical.shown) << "an empty range hides the bar";

    EXPECT_EQ(S_OK, SkinScrollRemove(hwnd));
    EXPECT_EQ(nullptr, GetSkinScrollState(hwnd));
    EXPECT_EQ(E_FAIL, SkinScrollRemove(hwnd));
    HWND plain = Track(MakeScrolledWindow());
    RealApi().setScrollPos(plain, SB_VERT, 30, FALSE);
    EXPECT_EQ(GetScrollPos(plain, SB_VERT), SkinGetScrollPos(plain, SB_VERT));
}

TEST_F(ControlSkinnerTest, ListControlsCarrySkinBarsMatchingThePlatform)
{
    HWND parent = Track(MakeParent("Lists"));
    HWND list = MakeTestControl("ListBox", parent, WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 61, "", 10, 10, 150, 120,
                                WS_EX_CLIENTEDGE);
    HWND view = MakeTestControl(WC_LISTVIEWA, parent, LVS_REPORT, 62, "", 170, 10, 200, 120, WS_EX_CLIENTEDGE);
    Skin(parent);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = 150;
    column.pszText = const_cast<char*>("Name");
    SendMessageA(view, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    for (int i = 0; i < 50; ++i) {
        char text[16];
        wsprintfA(text, "Row %d", i);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = text;
        SendMessageA(view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(list, LB_SETTOPINDEX, 20, 0);
    PumpMessages();
    for (HWND w : {list, view}) {
        ASSERT_NE(nullptr, GetSkinScrollState(w));
        // Whichever way the control's own calls went, the skin bar tells its rows and its top row.
        SCROLLINFO skin = {};
        skin.cbSize = sizeof skin;
        skin.fMask = SIF_ALL;
        SkinScrollGetScrollInfo(w, SB_VERT, &skin);
        EXPECT_EQ(0, skin.nMin);
        EXPECT_EQ(49, skin.nMax);
        EXPECT_GT(skin.nPage, 0u);
        const LRESULT top = SendMessageA(w, w == list ? LB_GETTOPINDEX : LVM_GETTOPINDEX, 0, 0);
        EXPECT_EQ(top, skin.nPos);
        RECT bar = GetSkinBarRect(w, SB_VERT);
        EXPECT_FALSE(IsRectEmpty(&bar));
    }

    // A thumb drag scrolls the list view by its real rows.
    SendMessageA(view, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 10), 0);
    PumpMessages();
    if (ScrollControlSkinner::NeedsResync()) {
        EXPECT_EQ(10, SendMessageA(view, LVM_GETTOPINDEX, 0, 0)) << "the row under the thumb is at the top";
    }

    // Unskinned, the control gets its own bars back.
    SkinEngine::Instance().RemoveWindow(list, FALSE);
    EXPECT_EQ(nullptr, GetSkinScrollState(list));
}

TEST_F(ControlSkinnerTest, Screenshot)
{
    HWND dialog = Track(MakeParent("控件皮肤", 460, 400));
    HWND tab = MakeTestControl(WC_TABCONTROLA, dialog, WS_CLIPSIBLINGS, 100, "", 8, 8, 436, 352);
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("常规");
    SendMessageA(tab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.pszText = const_cast<char*>("高级");
    SendMessageA(tab, TCM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&item));
    // The page sits over the tab's display area, as a property page does; the controls are its children.
    RegisterPlainClass("TessarineTestFrame");
    RECT display = {0, 0, 436, 352};
    SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    HWND page = CreateWindowExA(0, "TessarineTestFrame", "", WS_CHILD | WS_VISIBLE, 8 + display.left, 8 + display.top,
                                display.right - display.left, display.bottom - display.top, dialog, NULL,
                                GetModuleHandleA(NULL), NULL);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    std::vector<HWND> made;
    auto add = [&](const char* cls, DWORD style, int id, const char* text, int x, int y, int w, int h, DWORD ex = 0) {
        HWND c = MakeTestControl(cls, page, style, id, text, x - 12, y - 32, w, h, ex);
        SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        made.push_back(c);
        return c;
    };
    add("Button", BS_GROUPBOX, 101, "选项", 20, 40, 200, 110);
    add("Button", BS_AUTOCHECKBOX | WS_GROUP, 102, "启用录像", 32, 60, 170, 20);
    HWND checked = add("Button", BS_AUTOCHECKBOX, 103, "报警联动", 32, 84, 170, 20);
    add("Button", BS_AUTOCHECKBOX | WS_DISABLED, 104, "禁用选项", 32, 108, 170, 20);
    add("Button", BS_GROUPBOX | WS_GROUP, 105, "方式", 232, 40, 196, 110);
    HWND radio = add("Button", BS_AUTORADIOBUTTON | WS_GROUP, 106, "TCP", 244, 60, 170, 20);
    add("Button", BS_AUTORADIOBUTTON, 107, "UDP", 244, 84, 170, 20);
    add("Button", BS_AUTORADIOBUTTON, 108, "多播", 244, 108, 170, 20);
    add("Static", SS_LEFT | WS_GROUP, 109, "名称:", 20, 164, 60, 18);
    add("Edit", ES_AUTOHSCROLL, 110, "摄像机1", 84, 160, 136, 22, WS_EX_CLIENTEDGE);
    add("Static", SS_LEFT, 111, "地址:", 20, 192, 60, 18);
    add("Edit", ES_READONLY, 112, "192.168.1.10", 84, 188, 136, 22, WS_EX_CLIENTEDGE);
    add("Static", SS_LEFT | WS_DISABLED, 113, "端口:", 20, 220, 60, 18);
    add("Edit", WS_DISABLED, 114, "37010", 84, 216, 136, 22, WS_EX_CLIENTEDGE);
    HWND combo = add("ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, 115, "", 232, 160, 196, 200);
    HWND combo2 = add("ComboBox", CBS_DROPDOWN | WS_VSCROLL, 116, "", 232, 188, 196, 200);
    HWND list = add("ListBox", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 117, "", 20, 248, 200, 100, WS_EX_CLIENTEDGE);
    HWND memo = add("Edit", ES_MULTILINE | WS_VSCROLL | ES_AUTOVSCROLL, 118, "", 232, 220, 196, 86, WS_EX_CLIENTEDGE);
    add("Button", BS_DEFPUSHBUTTON | WS_GROUP, IDOK, "确定", 232, 316, 60, 24);
    add("Button", BS_PUSHBUTTON, IDCANCEL, "取消", 300, 316, 60, 24);
    add("Button", BS_PUSHBUTTON | WS_DISABLED, 119, "应用", 368, 316, 60, 24);
    for (const char* text : {"关闭", "定时", "报警", "手动"}) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendMessageA(combo2, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    SetWindowTextA(combo2, "自定义");
    for (int i = 0; i < 30; ++i) {
        char text[32];
        wsprintfA(text, "通道 %d", i + 1);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SetWindowTextA(memo, "第一行\r\n第二行\r\n第三行\r\n第四行\r\n第五行\r\n第六行\r\n第七行\r\n第八行");
    SendMessageA(checked, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
    Skin(dialog);
    ASSERT_NE(nullptr, page);
    ASSERT_TRUE(SkinEngine::Instance().SkinDialog(page, FindSkinnedWindow(dialog)));
    SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SendMessageA(checked, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(list, LB_SETCURSEL, 2, 0);
    PumpMessages();
    RedrawWindow(dialog, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    // A transparent static shows the page's picture under its text.
    HWND label = GetDlgItem(page, 109);
    RECT r;
    GetClientRect(label, &r);
    HDC labelDc = GetDC(label);
    const COLORREF underLabel = GetPixel(labelDc, r.right - 2, r.bottom - 2);
    ReleaseDC(label, labelDc);
    HDC pageDc = GetDC(page);
    POINT corner = {r.right - 2, r.bottom - 2};
    MapWindowPoints(label, page, &corner, 1);
    const COLORREF besideLabel = GetPixel(pageDc, corner.x, corner.y + 6);
    ReleaseDC(page, pageDc);
    EXPECT_EQ(besideLabel, underLabel);
    for (HWND c : made)
        EXPECT_TRUE(Skinned(c)) << GetDlgCtrlID(c);
    EXPECT_NE(nullptr, GetSkinScrollState(list));
    EXPECT_TRUE(SavePng(CaptureWindow(dialog), ScreenshotPath(std::string("skinned-controls") + RunSuffix())));
}

namespace {

// A row of dark pixels in the columns [from, to) of the DC's row y.
bool DarkPixelIn(HDC dc, int from, int to, int top, int bottom)
{
    for (int y = top; y < bottom; ++y)
        for (int x = from; x < to; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            if (GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80)
                return true;
        }
    return false;
}

} // namespace

TEST_F(ControlSkinnerTest, ProgressKeepsItsStateInRangeAndHandsItBack)
{
    HWND parent = Track(MakeParent("Progress"));
    HWND bar = MakeTestControl(PROGRESS_CLASSA, parent, 0, 20, "", 10, 10, 200, 18);
    SendMessageA(bar, PBM_SETRANGE32, 0, 100);
    SendMessageA(bar, PBM_SETSTEP, 10, 0);
    SendMessageA(bar, PBM_SETPOS, 30, 0);
    Skin(parent);
    ProgressSkinner* skinner = dynamic_cast<ProgressSkinner*>(FindSkinnedWindow(bar));
    ASSERT_NE(nullptr, skinner);
    ASSERT_TRUE(skinner->Active());
    EXPECT_EQ(30, SendMessageA(bar, PBM_GETPOS, 0, 0)) << "the probe for the step leaves the position as it was";
    EXPECT_EQ(10, skinner->Step());

    struct Case {
        const char* what;
        UINT message;
        WPARAM wParam;
        LRESULT result;
        int position;
    };
    const Case cases[] = {
        {"set past the maximum", PBM_SETPOS, 150, 30, 100},
        {"step at the maximum stays there", PBM_STEPIT, 0, 100, 100},
        {"delta past the maximum", PBM_DELTAPOS, 5, 100, 100},
        {"negative delta past the minimum", PBM_DELTAPOS, static_cast<WPARAM>(-500), 100, 0},
        {"step from the minimum", PBM_STEPIT, 0, 0, 10},
        {"set below the minimum", PBM_SETPOS, static_cast<WPARAM>(-4), 10, 0},
        {"largest delta does not wrap", PBM_DELTAPOS, static_cast<WPARAM>(INT_MAX), 0, 100},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.result, SendMessageA(bar, c.message, c.wParam, 0)) << c.what;
        EXPECT_EQ(c.position, SendMessageA(bar, PBM_GETPOS, 0, 0)) << c.what;
    }
    PBRANGE range = {-1, -1};
    EXPECT_EQ(0, SendMessageA(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)));
    EXPECT_EQ(0, range.iLow);
    EXPECT_EQ(100, range.iHigh);
    EXPECT_EQ(100, SendMessageA(bar, PBM_GETRANGE, FALSE, 0)) << "without a pointer";
    EXPECT_EQ(MAKELONG(0, 100), SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(10, 50)));
    EXPECT_EQ(50, SendMessageA(bar, PBM_GETPOS, 0, 0)) << "the position follows the narrower range";
    EXPECT_EQ(10, SendMessageA(bar, PBM_SETSTEP, 7, 0));
    EXPECT_EQ(CLR_DEFAULT, static_cast<COLORREF>(SendMessageA(bar, PBM_SETBARCOLOR, 0, RGB(1, 2, 3))));
    // The progress dialog's sequence: a fresh range, the position from the start, steps of one.
    SendMessageA(bar, PBM_SETRANGE32, 0, 20);
    SendMessageA(bar, PBM_SETPOS, 0, 0);
    SendMessageA(bar, PBM_SETSTEP, 1, 0);
    for (int i = 0; i < 25; ++i)
        SendMessageA(bar, PBM_STEPIT, 0, 0);
    EXPECT_EQ(20, SendMessageA(bar, PBM_GETPOS, 0, 0));
    SendMessageA(bar, PBM_SETPOS, 12, 0);
    SendMessageA(bar, PBM_SETSTEP, 3, 0);

    SkinEngine::Instance().RemoveWindow(bar, FALSE);
    ASSERT_FALSE(Skinned(bar));
    EXPECT_EQ(0, SendMessageA(bar, PBM_GETRANGE, TRUE, 0));
    EXPECT_EQ(20, SendMessageA(bar, PBM_GETRANGE, FALSE, 0));
    EXPECT_EQ(12, SendMessageA(bar, PBM_GETPOS, 0, 0));
    SendMessageA(bar, PBM_STEPIT, 0, 0);
    EXPECT_EQ(15, SendMessageA(bar, PBM_GETPOS, 0, 0)) << "the control got the step back";
}

TEST_F(ControlSkinnerTest, ProgressFillByStyle)
{
    HWND parent = Track(MakeParent("Progress fill"));
    HWND bar = MakeTestControl(PROGRESS_CLASSA, parent, 0, 21, "", 10, 10, 200, 18);
    SendMessageA(bar, PBM_SETRANGE32, 0, 100);
    Skin(parent);
    ProgressSkinner* skinner = dynamic_cast<ProgressSkinner*>(FindSkinnedWindow(bar));
    ASSERT_NE(nullptr, skinner);
    ProgressSkinObject* object = dynamic_cast<ProgressSkinObject*>(skinner->GetSkinObject());
    ASSERT_NE(nullptr, object);
    const SlicedImage savedImage = object->progressImage; // the skin is loaded again for every test
    RECT client;
    GetClientRect(bar, &client);
    HDC screen = GetDC(bar);
    MemoryDC dc(screen, client.right, client.bottom);
    ReleaseDC(bar, screen);
    const COLORREF fillColour = RGB(0, 0, 255);
    object->textColor = fillColour;
    const int block = object->progressImage.source.right - object->progressImage.source.left;
    ASSERT_GT(block, 4);

    struct Case {
        const char* what;
        uint32_t style;
        bool image;
        int position;
        int x;          // the column looked at
        bool fillThere; // the fill colour is there
    };
    const int lessThanABlock = (block - 1) * 100 / client.right;
    const Case cases[] = {
        {"blocks without a picture fill with the colour", 2, false, 50, client.right / 4, true},
        {"blocks without a picture stop at the fill", 2, false, 50, client.right * 3 / 4, false},
        {"stretched without a picture", 0, false, 50, client.right / 4, true},
        {"empty range", 0, false, 0, 2, false},
    };
    for (const Case& c : cases) {
        object->style = c.style;
        if (!c.image)
            object->progressImage = SlicedImage{};
        SendMessageA(bar, PBM_SETPOS, c.position, 0);
        skinner->Paint(dc);
        EXPECT_EQ(c.fillThere, GetPixel(dc, c.x, client.bottom / 2) == fillColour) << c.what;
        object->progressImage = savedImage;
    }
    // A fill shorter than one block shows no block: the bar looks as at the minimum.
    object->style = 2;
    SendMessageA(bar, PBM_SETPOS, 0, 0);
    skinner->Paint(dc);
    const COLORREF empty = GetPixel(dc, block / 2, client.bottom / 2);
    SendMessageA(bar, PBM_SETPOS, lessThanABlock, 0);
    skinner->Paint(dc);
    EXPECT_EQ(empty, GetPixel(dc, block / 2, client.bottom / 2));
    SendMessageA(bar, PBM_SETPOS, 100, 0);
    skinner->Paint(dc);
    EXPECT_NE(empty, GetPixel(dc, block / 2, client.bottom / 2)) << "a whole block is drawn";

    EXPECT_EQ(0, ProgressSkinner::FillLength(5, 10, 10, 200));
    EXPECT_EQ(0, ProgressSkinner::FillLength(5, 20, 10, 200)) << "a reversed range";
    EXPECT_EQ(200, ProgressSkinner::FillLength(INT_MAX, INT_MIN, INT_MAX, 200));
    EXPECT_EQ(0, ProgressSkinner::FillLength(INT_MIN, INT_MIN, INT_MAX, 200));
}

TEST_F(ControlSkinnerTest, TrackbarPointsBothWaysOnlyWhileSkinned)
{
    HWND parent = Track(MakeParent("Trackbar"));
    HWND bar = MakeTestControl(TRACKBAR_CLASSA, parent, TBS_AUTOTICKS, 22, "", 10, 10, 200, 30);
    HWND vertical = MakeTestControl(TRACKBAR_CLASSA, parent, TBS_VERT | TBS_BOTH, 23, "", 220, 10, 30, 150);
    Skin(parent);
    ASSERT_TRUE(Skinned(bar));
    EXPECT_TRUE(GetWindowLongA(bar, GWL_STYLE) & TBS_BOTH);
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 15));
    SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(150, 15));
    SkinEngine::Instance().RemoveWindow(bar, FALSE);
    EXPECT_FALSE(GetWindowLongA(bar, GWL_STYLE) & TBS_BOTH);
    SkinEngine::Instance().RemoveWindow(vertical, FALSE);
    EXPECT_TRUE(GetWindowLongA(vertical, GWL_STYLE) & TBS_BOTH) << "a style it had stays";
}

TEST_F(ControlSkinnerTest, HeaderAlignsItsTextsAndAsksOnlyForThem)
{
    struct Case {
        int format;
        UINT align;
    };
    const Case cases[] = {
        {HDF_LEFT, 0}, {HDF_CENTER, DT_CENTER}, {HDF_RIGHT, DT_RIGHT}, {HDF_RIGHT | HDF_STRING, DT_RIGHT}};
    for (const Case& c : cases) {
        const UINT format = HeaderTextFormat(c.format);
        EXPECT_EQ(c.align, format & (DT_CENTER | DT_RIGHT)) << c.format;
        EXPECT_TRUE(format & DT_WORD_ELLIPSIS);
    }
    HWND parent = Track(MakeParent("Header"));
    HWND header = MakeTestControl(WC_HEADERA, parent, HDS_HORZ | HDS_FILTERBAR, 24, "", 10, 10, 300, 24);
    HDITEMA item = {};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_WIDTH;
    item.cxy = 150;
    item.fmt = HDF_RIGHT | HDF_STRING;
    item.pszText = const_cast<char*>("OK");
    SendMessageA(header, HDM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.fmt = HDF_LEFT | HDF_STRING;
    item.pszText = const_cast<char*>("一个很长很长很长很长很长很长的标题");
    SendMessageA(header, HDM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&item));
    Skin(parent);
    HeaderSkinner* skinner = dynamic_cast<HeaderSkinner*>(FindSkinnedWindow(header));
    ASSERT_NE(nullptr, skinner);
    RECT client;
    GetClientRect(header, &client);
    HDC screen = GetDC(header);
    MemoryDC dc(screen, client.right, client.bottom);
    ReleaseDC(header, screen);
    skinner->Paint(dc);
    EXPECT_FALSE(DarkPixelIn(dc, 4, 75, 2, client.bottom - 2)) << "a right-aligned text leaves the left empty";
    EXPECT_TRUE(DarkPixelIn(dc, 100, 148, 2, client.bottom - 2));
    EXPECT_FALSE(DarkPixelIn(dc, 299, 300, 2, client.bottom - 2)) << "the long text ends in an ellipsis inside";
}

TEST_F(ControlSkinnerTest, TabSidesTurnsAndOwnerDrawnTabs)
{
    struct Case {
        LONG style;
        TabSide side;
    };
    const Case cases[] = {
        {0, TabTop},
        {TCS_BOTTOM, TabBottom},
        {TCS_VERTICAL, TabLeft},
        {TCS_VERTICAL | TCS_RIGHT, TabLeft},
        {TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE, TabRight},
        {TCS_VERTICAL | TCS_BOTTOM, TabLeft},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.side, TabSideFromStyle(c.style)) << c.style;

    // A two-colour picture, red on the left and blue on the right, turned each way.
    HDC screen = GetDC(NULL);
    MemoryDC source(screen, 4, 2);
    MemoryDC target(screen, 4, 4);
    ReleaseDC(NULL, screen);
    const RECT left = {0, 0, 2, 2}, right = {2, 0, 4, 2};
    FillRectColor(source, left, RGB(255, 0, 0));
    FillRectColor(source, right, RGB(0, 0, 255));
    struct Turn {
        int angle;
        POINT red; // where a red pixel lands
        POINT blue;
    };
    const Turn turns[] = {{180, {3, 0}, {0, 1}}, {90, {0, 0}, {1, 3}}, {270, {0, 3}, {1, 0}}};
    for (const Turn& t : turns) {
        BlitTurned(target, 0, 0, source, 4, 2, t.angle);
        EXPECT_EQ(RGB(255, 0, 0), GetPixel(target, t.red.x, t.red.y)) << t.angle;
        EXPECT_EQ(RGB(0, 0, 255), GetPixel(target, t.blue.x, t.blue.y)) << t.angle;
    }
    // With a key its pixels are left out (pictures masked into tab rectangles).
    const RECT all = {0, 0, 4, 4};
    FillRectColor(target, all, RGB(0, 255, 0));
    const COLORREF key = RGB(0, 0, 255);
    BlitTurned(target, 0, 0, source, 4, 2, 180, &key);
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(target, 3, 0));
    EXPECT_EQ(RGB(0, 255, 0), GetPixel(target, 0, 1));
    const RECT r = {1, 0, 3, 1};
    const RECT turned = TurnRect(r, 4, 2, 270);
    EXPECT_TRUE(turned.left == 0 && turned.top == 1 && turned.right == 1 && turned.bottom == 3);

    HWND parent = Track(MakeParent("Owner-drawn tabs"));
    HWND ownerDrawn = MakeTestControl(WC_TABCONTROLA, parent, TCS_OWNERDRAWFIXED, 25, "", 10, 10, 200, 100);
    HWND plain = MakeTestControl(WC_TABCONTROLA, parent, 0, 26, "", 10, 120, 200, 100);
    Skin(parent);
    EXPECT_FALSE(Skinned(ownerDrawn));
    EXPECT_TRUE(Skinned(plain));
}

TEST_F(ControlSkinnerTest, TabKeepsPagesPixelsAndItsBackgroundUntilItChanges)
{
    HWND parent = Track(MakeParent("Tab pages", 420, 320));
    HWND tab = MakeTestControl(WC_TABCONTROLA, parent, WS_CLIPSIBLINGS, 27, "", 10, 10, 380, 260);
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("常规");
    SendMessageA(tab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    WNDCLASSA wc = {};
    if (!GetClassInfoA(GetModuleHandleA(NULL), "TessarineBlackPageS", &wc)) {
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = "TessarineBlackPageS";
        RegisterClassA(&wc);
    }
    // A visible page over the tab and a hidden one beside it.
    HWND page = CreateWindowExA(0, "TessarineBlackPageS", "", WS_CHILD | WS_VISIBLE, 40, 60, 100, 100, parent, NULL,
                                GetModuleHandleA(NULL), NULL);
    HWND hidden = CreateWindowExA(0, "TessarineBlackPageS", "", WS_CHILD, 200, 60, 100, 100, parent, NULL,
                                  GetModuleHandleA(NULL), NULL);
    SetWindowPos(tab, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Skin(parent);
    TabSkinner* skinner = dynamic_cast<TabSkinner*>(FindSkinnedWindow(tab));
    ASSERT_NE(nullptr, skinner);
    RedrawWindow(parent, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    InvalidateRect(tab, NULL, TRUE);
    UpdateWindow(tab);
    HDC dc = GetDC(parent);
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc, 90, 110)) << "the page keeps its pixels";
    EXPECT_NE(RGB(0, 0, 0), GetPixel(dc, 250, 110)) << "no hole where a hidden page is";
    ReleaseDC(parent, dc);

    // The kept background is painted once for many children and again after each change.
    HDC screen = GetDC(page);
    MemoryDC under(screen, 100, 100);
    ReleaseDC(page, screen);
    const int before = skinner->BackgroundPaints();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(1, SendMessageA(tab, WM_SKIN_DRAWBACKGROUND, reinterpret_cast<WPARAM>(under.Dc()),
                                  reinterpret_cast<LPARAM>(page)));
    EXPECT_EQ(before + 1, skinner->BackgroundPaints());
    item.pszText = const_cast<char*>("高级");
    SendMessageA(tab, TCM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&item));
    SendMessageA(tab, WM_SKIN_DRAWBACKGROUND, reinterpret_cast<WPARAM>(under.Dc()), reinterpret_cast<LPARAM>(page));
    EXPECT_EQ(before + 2, skinner->BackgroundPaints()) << "items";
    SetWindowPos(tab, NULL, 0, 0, 360, 250, SWP_NOMOVE | SWP_NOZORDER);
    SendMessageA(tab, WM_SKIN_DRAWBACKGROUND, reinterpret_cast<WPARAM>(under.Dc()), reinterpret_cast<LPARAM>(page));
    EXPECT_EQ(before + 3, skinner->BackgroundPaints()) << "size";
    skinner->SetSkinObject(skinner->GetSkinObject());
    SendMessageA(tab, WM_SKIN_DRAWBACKGROUND, reinterpret_cast<WPARAM>(under.Dc()), reinterpret_cast<LPARAM>(page));
    EXPECT_EQ(before + 4, skinner->BackgroundPaints()) << "skin";
    DestroyWindow(hidden);
}

TEST_F(ControlSkinnerTest, GalleryOfEveryControlKind)
{
    HWND dialog = Track(MakeParent("控件画廊", 900, 640));
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    auto add = [&](const char* cls, DWORD style, int id, const char* text, int x, int y, int w, int h) {
        HWND c = MakeTestControl(cls, dialog, style, id, text, x, y, w, h);
        SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return c;
    };
    auto tabs = [&](HWND tab, int selection) {
        const char* names[] = {"常规", "高级", "报警"};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        for (int i = 0; i < 3; ++i) {
            item.pszText = const_cast<char*>(names[i]);
            SendMessageA(tab, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
        SendMessageA(tab, TCM_SETCURSEL, selection, 0);
    };
    tabs(add(WC_TABCONTROLA, WS_CLIPSIBLINGS, 200, "", 8, 8, 190, 110), 0);
    tabs(add(WC_TABCONTROLA, WS_CLIPSIBLINGS | TCS_BOTTOM, 201, "", 206, 8, 190, 110), 1);
    tabs(add(WC_TABCONTROLA, WS_CLIPSIBLINGS | WS_DISABLED, 202, "", 404, 8, 180, 110), 2);
    tabs(add(WC_TABCONTROLA, WS_CLIPSIBLINGS | TCS_VERTICAL | TCS_MULTILINE, 203, "", 8, 126, 190, 110), 1);
    struct Bar {
        DWORD style;
        int position;
        RECT place;
    };
    const Bar bars[] = {{0, 60, {206, 130, 396, 148}},
                        {WS_DISABLED, 30, {206, 156, 396, 174}},
                        {0, 100, {206, 182, 396, 200}},
                        {PBS_VERTICAL, 70, {404, 126, 422, 236}}};
    int id = 210;
    for (const Bar& b : bars) {
        HWND bar = add(PROGRESS_CLASSA, b.style, id++, "", b.place.left, b.place.top, b.place.right - b.place.left,
                       b.place.bottom - b.place.top);
        SendMessageA(bar, PBM_SETPOS, b.position, 0);
    }
    HWND slider = add(TRACKBAR_CLASSA, TBS_AUTOTICKS, 220, "", 206, 206, 190, 30);
    SendMessageA(slider, TBM_SETPOS, TRUE, 30);
    HWND disabledSlider = add(TRACKBAR_CLASSA, WS_DISABLED, 221, "", 206, 240, 190, 30);
    SendMessageA(disabledSlider, TBM_SETPOS, TRUE, 80);
    HWND vertical = add(TRACKBAR_CLASSA, TBS_VERT, 222, "", 440, 126, 30, 150);
    SendMessageA(vertical, TBM_SETPOS, TRUE, 60);
    HWND header = add(WC_HEADERA, HDS_HORZ, 230, "", 8, 290, 576, 24);
    const struct {
        const char* text;
        int format;
        int width;
    } columns[] = {{"通道", HDF_LEFT, 120},
                   {"开始时间", HDF_CENTER, 200},
                   {"大小", HDF_RIGHT, 120},
                   {"一个很长很长很长很长的标题", HDF_LEFT, 136}};
    for (int i = 0; i < 4; ++i) {
        HDITEMA item = {};
        item.mask = HDI_TEXT | HDI_FORMAT | HDI_WIDTH;
        item.cxy = columns[i].width;
        item.fmt = columns[i].format | HDF_STRING;
        item.pszText = const_cast<char*>(columns[i].text);
        SendMessageA(header, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    add(DATETIMEPICK_CLASSA, DTS_SHORTDATEFORMAT, 240, "", 8, 330, 140, 22);
    add(DATETIMEPICK_CLASSA, DTS_TIMEFORMAT, 241, "", 156, 330, 140, 22);
    add(DATETIMEPICK_CLASSA, DTS_SHORTDATEFORMAT | WS_DISABLED, 242, "", 304, 330, 140, 22);

    // Buttons, texts and lists along the bottom.
    add("Button", BS_DEFPUSHBUTTON | WS_GROUP, 250, "确定", 8, 366, 70, 24);
    add("Button", BS_PUSHBUTTON, 251, "取消", 84, 366, 70, 24);
    add("Button", BS_PUSHBUTTON | WS_DISABLED, 252, "应用", 160, 366, 70, 24);
    HWND check = add("Button", BS_AUTOCHECKBOX | WS_GROUP, 253, "启用录像", 8, 398, 100, 20);
    add("Button", BS_AUTOCHECKBOX, 254, "报警联动", 112, 398, 100, 20);
    HWND disabledCheck = add("Button", BS_AUTOCHECKBOX | WS_DISABLED, 255, "禁用", 216, 398, 80, 20);
    HWND radio = add("Button", BS_AUTORADIOBUTTON | WS_GROUP, 256, "TCP", 8, 422, 100, 20);
    add("Button", BS_AUTORADIOBUTTON, 257, "UDP", 112, 422, 100, 20);
    add("Button", BS_AUTORADIOBUTTON | WS_DISABLED, 258, "多播", 216, 422, 80, 20);
    add("Button", BS_GROUPBOX | WS_GROUP, 259, "地址", 304, 360, 280, 90);
    add("Static", SS_LEFT, 260, "名称:", 316, 382, 50, 18);
    HWND edit = add("Edit", ES_AUTOHSCROLL, 261, "摄像机1", 370, 378, 202, 22);
    SetWindowLongA(edit, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    add("Static", SS_LEFT | WS_DISABLED, 262, "端口:", 316, 412, 50, 18);
    HWND disabledEdit = add("Edit", WS_DISABLED, 263, "37010", 370, 408, 202, 22);
    SetWindowLongA(disabledEdit, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    HWND combo = add("ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, 264, "", 8, 452, 140, 200);
    for (const char* text : {"关闭", "定时", "报警"})
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    HWND list = add("ListBox", WS_VSCROLL | LBS_NOINTEGRALHEIGHT | WS_BORDER, 265, "", 8, 484, 140, 84);
    for (int i = 1; i <= 12; ++i) {
        char text[32];
        wsprintfA(text, "通道 %d", i);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    HWND tree =
        add(WC_TREEVIEWA, TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | WS_BORDER, 266, "", 156, 456, 140, 112);
    TVINSERTSTRUCTA node = {};
    node.hInsertAfter = TVI_LAST;
    node.item.mask = TVIF_TEXT;
    node.item.pszText = const_cast<char*>("大厅");
    HTREEITEM root =
        reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&node)));
    node.hParent = root;
    for (const char* text : {"摄像机1", "摄像机2", "摄像机3"}) {
        node.item.pszText = const_cast<char*>(text);
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&node));
    }
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    HWND view = add(WC_LISTVIEWA, LVS_REPORT | WS_BORDER, 267, "", 304, 456, 280, 112);
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 130;
    column.pszText = const_cast<char*>("文件");
    SendMessageA(view, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    column.pszText = const_cast<char*>("大小");
    SendMessageA(view, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
    for (int i = 0; i < 3; ++i) {
        char text[32];
        wsprintfA(text, "录像%d.mp4", i + 1);
        LVITEMA row = {};
        row.mask = LVIF_TEXT;
        row.iItem = i;
        row.pszText = text;
        SendMessageA(view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
    }

    // The right-hand column: calendar, bars, spins, scroll bars, a link and an animation.
    add(MONTHCAL_CLASSA, 0, 270, "", 596, 8, 290, 180);
    HWND toolbar =
        add(TOOLBARCLASSNAMEA, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_FLAT | TBSTYLE_LIST, 271, "",
            596, 196, 290, 28);
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    HIMAGELIST icons = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 3, 0);
    for (COLORREF color : {RGB(40, 100, 200), RGB(200, 60, 50), RGB(60, 160, 70)}) {
        HDC screen = GetDC(NULL);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
        HDC memory = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(memory, bitmap);
        RECT square = {0, 0, 16, 16};
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(memory, &square, brush);
        DeleteObject(brush);
        SelectObject(memory, old);
        DeleteDC(memory);
        ReleaseDC(NULL, screen);
        ImageList_AddMasked(icons, bitmap, RGB(255, 0, 255));
        DeleteObject(bitmap);
    }
    SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(icons));
    const char* toolTexts[] = {"打开", "保存", "导出"};
    const BYTE toolStates[] = {TBSTATE_ENABLED, TBSTATE_ENABLED | TBSTATE_CHECKED, 0};
    for (int i = 0; i < 3; ++i) {
        TBBUTTON button = {};
        button.iBitmap = i;
        button.idCommand = 700 + i;
        button.fsState = toolStates[i];
        button.fsStyle = i == 1 ? BTNS_CHECK : BTNS_BUTTON;
        button.iString =
            static_cast<INT_PTR>(SendMessageA(toolbar, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>(toolTexts[i])));
        SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    }
    HWND rebar = add(REBARCLASSNAMEA, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 272, "", 596, 230, 290, 30);
    REBARBANDINFOA band = {};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_TEXT | RBBIM_STYLE | RBBIM_SIZE;
    band.fStyle = RBBS_GRIPPERALWAYS;
    band.cx = 140;
    for (const char* text : {"通道", "地址"}) {
        band.lpText = const_cast<char*>(text);
        SendMessageA(rebar, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
    }
    HWND buddy = add("Edit", ES_NUMBER, 273, "7", 596, 268, 60, 22);
    SetWindowLongA(buddy, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    HWND spin = add(UPDOWN_CLASSA, UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, 274, "", 0, 0, 0, 0);
    SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageA(spin, UDM_SETRANGE32, 0, 99);
    SendMessageA(spin, UDM_SETPOS32, 0, 7);
    add(UPDOWN_CLASSA, UDS_HORZ, 275, "", 672, 268, 36, 22);
    add(UPDOWN_CLASSA, WS_DISABLED, 276, "", 716, 266, 18, 26);
    HWND scroll = add("ScrollBar", SBS_HORZ, 277, "", 596, 300, 290, 17);
    SCROLLINFO info = {sizeof info, SIF_ALL, 0, 100, 20, 30, 0};
    SendMessageA(scroll, SBM_SETSCROLLINFO, FALSE, reinterpret_cast<LPARAM>(&info));
    HWND disabledScroll = add("ScrollBar", SBS_HORZ | WS_DISABLED, 278, "", 596, 324, 290, 17);
    SendMessageA(disabledScroll, SBM_SETSCROLLINFO, FALSE, reinterpret_cast<LPARAM>(&info));
    HWND upright = add("ScrollBar", SBS_VERT, 279, "", 750, 348, 17, 150);
    info.nPos = 70;
    SendMessageA(upright, SBM_SETSCROLLINFO, FALSE, reinterpret_cast<LPARAM>(&info));
    RegisterTestLinkWindow();
    add("Link Window", 0, 280, "访问 Warden 网站", 596, 350, 150, 22);
    HWND animation = add(ANIMATE_CLASSA, ACS_CENTER, 281, "", 596, 380, 60, 60);
    SetWindowLongA(animation, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    SetWindowPos(animation, NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    HWND status = add(STATUSCLASSNAMEA, 0, 282, "就绪", 0, 0, 0, 0);
    const int edges[] = {300, 600, -1};
    SendMessageA(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    SendMessageA(status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("通道 1-16 在线"));
    Skin(dialog);
    EXPECT_EQ(1, SendMessageA(animation, ACM_OPENA, 0, reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(1))));
    SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(disabledCheck, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
    PumpMessages();
    RedrawWindow(dialog, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    // The time picker is given the focus and a field to edit (the right arrow): that field is highlighted.
    HWND timePicker = GetDlgItem(dialog, 241);
    SetForegroundWindow(dialog);
    SetFocus(timePicker);
    SendMessageA(timePicker, WM_KEYDOWN, VK_RIGHT, 1);
    SendMessageA(timePicker, WM_KEYUP, VK_RIGHT, 0xC0000001);
    PumpMessages();
    for (int skinnedId = 250; skinnedId <= 282; ++skinnedId)
        if (HWND control = GetDlgItem(dialog, skinnedId))
            EXPECT_TRUE(Skinned(control)) << skinnedId;
    for (int skinnedId : {200, 201, 202, 203, 210, 211, 212, 213, 220, 221, 222, 230, 240, 241, 242})
        EXPECT_TRUE(Skinned(GetDlgItem(dialog, skinnedId))) << skinnedId;
    EXPECT_TRUE(SavePng(CaptureWindow(dialog), ScreenshotPath(std::string("skinner-gallery") + RunSuffix())));
    DestroyWindow(dialog);
    ImageList_Destroy(icons);
}
