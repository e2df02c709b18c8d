// The main dialog's electronic map: its run view and scene tree in place of the video wall, the
// map and editor commands, and the map's messages.
#include "station/ui/mainwindow/DlgMain.h"

#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/ui/mainwindow/FocusKeeper.h"
#include "station/ui/mainwindow/SkinLayout.h"
#include "station/ui/emap/DlgEMapTree.h"
#include "station/ui/emap/DlgEMapVideo.h"
#include "station/ui/emap/DlgEditEMap.h"
#include "station/ui/emap/DlgViewEMap.h"

namespace {

// The buttons that belong to the live view and leave with it while the map is shown.
const UINT kLiveViewButtons[] = {405, 406, 407, 408, 409, 410, 411, 412, 413, 414, 415, 416, 417, 442, 443, 441};

} // namespace

// The map's run view and scene tree are hidden until the map is shown: the layout only asks for
// them, and they are made after the first paint or when the map first needs them.
void CDlgMain::CreateEMapWindows()
{
    m_emapWanted = 1;
}

void CDlgMain::MakeEMapWindows()
{
    if (!m_emapWanted)
        return;
    m_emapWanted = 0;
    CFocusKeeper focus;
    MakeEMapWindowsNow();
    // Made after the loading, the scene tree is filled as the loading fills an existing one.
    if (g_pEMapGroup != nullptr)
        RefillEMapTree();
}

void CDlgMain::MakeEMapWindowsNow()
{
    CString layout = SkinLayoutPath();
    int x, y, w, h;
    CDlgViewEMap* view = new CDlgViewEMap;
    if (view->CreateView(this, WS_CHILD | WS_BORDER)) { // a failed view deleted itself
        ReadSkinRect(layout, "emapview", &x, &y, &w, &h, "VIDEO_WND");
        view->MoveWindow(x, y, w, h);
        view->ShowWindow(SW_HIDE);
        m_emapView = view;
    }
    CDlgEMapTree* tree = new CDlgEMapTree(m_emapView);
    if (!tree->Create(CDlgEMapTree::IDD, this)) {
        delete tree;
        return;
    }
    ReadSkinRect(layout, "emaptree", &x, &y, &w, &h, "VIDEO_WND");
    tree->MoveWindow(x, y, w, h);
    tree->FitTree();
    tree->ShowWindow(SW_HIDE);
    m_emapTree = tree;
}

void CDlgMain::DestroyEMapWindows()
{
    m_emapWanted = 0;
    if (m_emapTree != nullptr) {
        m_emapTree->DestroyWindow();
        delete m_emapTree;
        m_emapTree = nullptr;
    }
    if (m_emapView != nullptr && m_emapView->m_hWnd != nullptr)
        m_emapView->DestroyWindow(); // a view deletes itself
    m_emapView = nullptr;
}

void CDlgMain::RefillEMapTree()
{
    if (m_emapTree != nullptr)
        m_emapTree->Refill();
}

void CDlgMain::CloseEMapWindows()
{
    if (m_emapTree != nullptr)
        m_emapTree->CloseMapWindows();
}

void CDlgMain::OnEMap()
{
    if (!HasRight(5)) {
        AfxMessageBox(IDS_NO_PERMISSION);
        return;
    }
    if (IsTourRunning())
        return;
    if (WallIsFullScreen())
        ToggleFullScreen(0, -1);
    ShowEMapMode(!IsEMapShown());
}

void CDlgMain::ShowEMapMode(int show)
{
    if (show) {
        m_pageBeforeEMap = WallCurrentPage();
        if (m_videoWall != nullptr)
            m_videoWall->ShowWindow(SW_HIDE);
        m_tabCtrl.ShowWindow(SW_HIDE);
        m_serverTree.ShowWindow(SW_HIDE);
        ShowPanels(-1);
        MakeEMapWindows();
        if (m_emapTree != nullptr)
            m_emapTree->ShowEMap(1);
        WallShowPage(-1, -1, 0);
    } else {
        if (m_emapTree != nullptr)
            m_emapTree->ShowEMap(0);
        if (m_videoWall != nullptr)
            m_videoWall->ShowWindow(SW_SHOW);
        m_tabCtrl.ShowWindow(SW_SHOW);
        ShowControls(SW_SHOW);
        WallShowPage(m_pageBeforeEMap, -1, 0);
    }
    for (UINT id : kLiveViewButtons)
        ShowButton(id, !show);
    SetButtonCheck(403, show);
    EnableButton(402, !show);
    SetMenuState(ID_TOUR, !show || HasRight(6) ? MF_ENABLED : MF_GRAYED);
    SetMenuState(ID_SERVER_ASSIGN, !show || HasRight(1) ? MF_ENABLED : MF_GRAYED);
    SetMenuState(ID_EDIT_EMAP, !show || HasRight(5) ? MF_ENABLED : MF_GRAYED);
    if (m_ownerMenu != nullptr)
        ::CheckMenuItem(m_ownerMenu->m_hMenu, ID_EMAP, MF_BYCOMMAND | (show ? MF_CHECKED : MF_UNCHECKED));
}

void CDlgMain::OnEditEMap()
{
    if (!HasRight(5)) {
        AfxMessageBox(IDS_NO_PERMISSION);
        return;
    }
    m_editorOpen = 1;
    CloseEMapWindows();
    CDlgEditEMap editor(this);
    editor.m_editing = 1;
    editor.DoModal();
    RefillEMapTree();
    m_editorOpen = 0;
}

void CDlgMain::ShowEMapDevice(CVuskEMapDev* device)
{
    MakeEMapWindows();
    if (m_emapTree != nullptr)
        m_emapTree->ShowDevice(device);
}

LRESULT CDlgMain::OnEMapActivate(WPARAM item, LPARAM kind)
{
    MakeEMapWindows();
    if (m_emapTree != nullptr)
        m_emapTree->Activate(item, kind);
    return 0;
}

LRESULT CDlgMain::OnEMapPopupClosed(WPARAM popup, LPARAM)
{
    if (m_emapView != nullptr)
        m_emapView->RemovePopup(reinterpret_cast<CDlgEMapVideo*>(popup));
    return 0;
}
