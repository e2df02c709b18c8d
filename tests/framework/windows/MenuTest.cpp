// Menus: loading from the resources, item states, popup menus answered through their seam, and
// owner-drawn items drawn by the CMenu object that owns them.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/framework/windows/WindowTestIds.h"
#include "tests/framework/windows/WindowTestSupport.h"

namespace {

std::vector<std::string> menuCalls;

class CCommandDlg : public CDialog {
public:
    CCommandDlg() : CDialog(IDD_SIMPLE) {}

protected:
    afx_msg void OnOpen() { menuCalls.push_back("open"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandDlg, CDialog)
ON_COMMAND(ID_CMD_OPEN, &CCommandDlg::OnOpen)
END_MESSAGE_MAP()

UINT popupChoice = 0;
std::vector<UINT> popupStates;
HWND popupOwner = nullptr;

UINT ChooseFromPopup(HMENU menu, UINT, int, int, HWND owner)
{
    popupOwner = owner;
    popupStates.clear();
    for (UINT id : {ID_CMD_OPEN, ID_CMD_SAVE, ID_CMD_NESTED})
        popupStates.push_back(::GetMenuState(menu, id, MF_BYCOMMAND));
    return popupChoice;
}

class ScopedPopupChoice {
public:
    explicit ScopedPopupChoice(UINT choice) : previous_(Seams::ReplacePopupMenu(ChooseFromPopup))
    {
        popupChoice = choice;
    }
    ~ScopedPopupChoice() { Seams::ReplacePopupMenu(previous_); }

private:
    Seams::PopupMenuFunc previous_;
};

TEST(Menu, LoadsFromTheResourcesWithItsStates)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_POPUP));
    CMenu* pPopup = menu.GetSubMenu(0);
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pPopup->GetMenuItemCount(), 3u);
    CString text;
    pPopup->GetMenuString(ID_CMD_OPEN, text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "打开");
    EXPECT_TRUE(pPopup->GetMenuState(ID_CMD_SAVE, MF_BYCOMMAND) & MF_GRAYED);
    pPopup->EnableMenuItem(ID_CMD_SAVE, MF_BYCOMMAND | MF_ENABLED);
    pPopup->CheckMenuItem(ID_CMD_OPEN, MF_BYCOMMAND | MF_CHECKED);
    EXPECT_FALSE(pPopup->GetMenuState(ID_CMD_SAVE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(pPopup->GetMenuState(ID_CMD_OPEN, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(pPopup->GetSubMenu(2)->GetMenuItemID(0), (UINT)ID_CMD_NESTED);
    HMENU hMenu = menu.m_hMenu;
    EXPECT_EQ(CMenu::FromHandlePermanent(hMenu), &menu);
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_FALSE(::IsMenu(hMenu));
    EXPECT_EQ(CMenu::FromHandlePermanent(hMenu), nullptr);
}

TEST(Menu, PopupChoiceArrivesAsACommand)
{
    CCommandDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_SIMPLE));
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_POPUP));
    menuCalls.clear();
    {
        ScopedPopupChoice choose(ID_CMD_OPEN);
        EXPECT_TRUE(menu.GetSubMenu(0)->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 10, 10, &dlg));
        EXPECT_EQ(popupOwner, dlg.m_hWnd);
        EXPECT_EQ(popupStates, std::vector<UINT>({MF_ENABLED, MF_GRAYED, MF_ENABLED}));
        // Posted, as the platform does: it arrives with the next messages.
        EXPECT_TRUE(menuCalls.empty());
        PumpFrameworkMessages();
        EXPECT_EQ(menuCalls, std::vector<std::string>({"open"}));

        // TPM_RETURNCMD hands the choice back instead.
        menuCalls.clear();
        EXPECT_EQ(menu.GetSubMenu(0)->TrackPopupMenu(TPM_RETURNCMD, 10, 10, &dlg), (BOOL)ID_CMD_OPEN);
        PumpFrameworkMessages();
        EXPECT_TRUE(menuCalls.empty());
    }
    {
        ScopedPopupChoice dismiss(0);
        EXPECT_TRUE(menu.GetSubMenu(0)->TrackPopupMenu(TPM_LEFTALIGN, 10, 10, &dlg));
        PumpFrameworkMessages();
        EXPECT_TRUE(menuCalls.empty());
    }
    dlg.DestroyWindow();
}

// Draws and measures its owner-drawn items; records which.
class CDrawnMenu : public CMenu {
public:
    std::vector<std::string> m_calls;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override
    {
        m_calls.push_back("measure " + std::to_string(lpMeasureItemStruct->itemID));
        lpMeasureItemStruct->itemWidth = 60;
        lpMeasureItemStruct->itemHeight = 20;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        m_calls.push_back("draw " + std::to_string(lpDrawItemStruct->itemID));
    }
};

MEASUREITEMSTRUCT MenuMeasure(UINT id)
{
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemID = id;
    return mis;
}

DRAWITEMSTRUCT MenuDraw(HMENU hMenu, UINT id, HDC hdc)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = id;
    dis.hwndItem = (HWND)hMenu;
    dis.hDC = hdc;
    return dis;
}

TEST(Menu, OwnerDrawnItemsOfTheMenuBarGoToTheirMenuObject)
{
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_SIMPLE));
    // A bar that is a plain menu, with an owner-drawn pop-up object inside it.
    CMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    CDrawnMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_OWNERDRAW, ID_CMD_DRAWN_A, (LPCSTR)1);
    // A nested pop-up without an object of its own: its items belong to the enclosing object.
    HMENU hNested = ::CreatePopupMenu();
    ::AppendMenuA(hNested, MF_OWNERDRAW, ID_CMD_DRAWN_B, (LPCSTR)2);
    popup.AppendMenu(MF_POPUP, (UINT_PTR)hNested, "更多");
    bar.AppendMenu(MF_POPUP, (UINT_PTR)popup.m_hMenu, "文件");
    ASSERT_TRUE(dlg.SetMenu(&bar));

    HDC hdc = ::GetDC(dlg.m_hWnd);
    for (UINT id : {ID_CMD_DRAWN_A, ID_CMD_DRAWN_B}) {
        MEASUREITEMSTRUCT mis = MenuMeasure(id);
        dlg.SendMessage(WM_MEASUREITEM, 0, (LPARAM)&mis);
        EXPECT_EQ(mis.itemHeight, 20u);
    }
    DRAWITEMSTRUCT dis = MenuDraw(popup.m_hMenu, ID_CMD_DRAWN_A, hdc);
    dlg.SendMessage(WM_DRAWITEM, 0, (LPARAM)&dis);
    dis = MenuDraw(hNested, ID_CMD_DRAWN_B, hdc);
    dlg.SendMessage(WM_DRAWITEM, 0, (LPARAM)&dis);
    ::ReleaseDC(dlg.m_hWnd, hdc);
    EXPECT_EQ(popup.m_calls, std::vector<std::string>({"measure 32780", "measure 32781", "draw 32780", "draw 32781"}));

    dlg.SetMenu(nullptr);
    popup.Detach(); // the bar owns it now
    dlg.DestroyWindow();
}

CDrawnMenu* trackedMenu = nullptr;

// While a popup menu is tracked, the platform asks its owner to measure and draw the items.
UINT MeasureWhileTracking(HMENU menu, UINT, int, int, HWND owner)
{
    MEASUREITEMSTRUCT mis = MenuMeasure(ID_CMD_DRAWN_A);
    ::SendMessageA(owner, WM_MEASUREITEM, 0, (LPARAM)&mis);
    HDC hdc = ::GetDC(owner);
    DRAWITEMSTRUCT dis = MenuDraw(menu, ID_CMD_DRAWN_A, hdc);
    ::SendMessageA(owner, WM_DRAWITEM, 0, (LPARAM)&dis);
    ::ReleaseDC(owner, hdc);
    return 0;
}

TEST(Menu, OwnerDrawnItemsOfATrackedPopupGoToTheTrackedMenu)
{
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_SIMPLE));
    CDrawnMenu popup;
    trackedMenu = &popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_OWNERDRAW, ID_CMD_DRAWN_A, (LPCSTR)1);
    Seams::PopupMenuFunc previous = Seams::ReplacePopupMenu(MeasureWhileTracking);
    popup.TrackPopupMenu(TPM_LEFTALIGN, 0, 0, &dlg);
    Seams::ReplacePopupMenu(previous);
    EXPECT_EQ(popup.m_calls, std::vector<std::string>({"measure 32780", "draw 32780"}));
    dlg.DestroyWindow();
}

} // namespace
