#include "station/ui/emap/DlgEMapTree.h"

#include "resources/warden/resource.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/VuskEMapDev.h"
#include "station/core/datamodel/VuskEMapTerm.h"
#include "station/ui/emap/DlgViewEMap.h"
#include "station/ui/emap/EMapLink.h"
#include "station/ui/emap/EMapIcon.h"
#include "station/ui/emap/EMapMessages.h"
#include "station/ui/emap/EMapSceneTree.h"

namespace {
const UINT kTreeId = IDC_EMAP_TREE;
}

BEGIN_MESSAGE_MAP(CDlgEMapTree, CDialog)
ON_NOTIFY(TVN_SELCHANGEDA, kTreeId, OnSelChanged)
ON_NOTIFY(NM_RCLICK, kTreeId, OnRightClick)
ON_NOTIFY(NM_DBLCLK, kTreeId, OnDoubleClick)
ON_WM_SIZE()
END_MESSAGE_MAP()

CDlgEMapTree::CDlgEMapTree(CDlgViewEMap* view) : CDialog(IDD), m_refilling(0), m_shown(0), m_pView(view) {}

void CDlgEMapTree::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kTreeId, m_tree);
}

BOOL CDlgEMapTree::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetUpMapTree(m_tree, m_images);
    FitTree();
    return TRUE;
}

void CDlgEMapTree::FitTree()
{
    if (m_tree.m_hWnd == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_tree.MoveWindow(&client);
}

void CDlgEMapTree::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    FitTree();
}

void CDlgEMapTree::Refill()
{
    m_refilling = 1;
    FillSceneTree(m_tree, g_pEMapGroup);
    m_refilling = 0;
}

void CDlgEMapTree::CloseMapWindows()
{
    if (m_pView == nullptr)
        return;
    m_pView->CloseAllPopups();
    m_pView->ClearScene();
}

// Selecting the item again loads its scene through the selection handler.
void CDlgEMapTree::ReselectForShow()
{
    HTREEITEM item = m_tree.GetSelectedItem();
    if (item == nullptr)
        item = m_tree.GetRootItem();
    if (item == nullptr)
        return;
    m_tree.SelectItem(nullptr);
    m_tree.SelectItem(item);
}

void CDlgEMapTree::ShowEMap(int show)
{
    show = show ? 1 : 0;
    if (show == m_shown)
        return;
    m_shown = show;
    if (show) {
        if (m_pView != nullptr)
            m_pView->ShowWindow(SW_SHOW);
        ShowWindow(SW_SHOW);
        ReselectForShow();
        m_tree.SetFocus();
        return;
    }
    if (m_pView != nullptr) {
        m_pView->ShowWindow(SW_HIDE);
        m_pView->CloseAllPopups();
        m_pView->ClearScene();
    }
    ShowWindow(SW_HIDE);
}

void CDlgEMapTree::ShowDevice(CVuskEMapDev* device)
{
    HTREEITEM item = FindCameraItem(m_tree, device);
    if (item == nullptr)
        return;
    m_tree.SetFocus();
    m_tree.SelectItem(item);
    if (CWnd* main = GetParent())
        main->PostMessage(WM_EMAP_ACTIVATE, (WPARAM)device, emapActivateDevice);
}

void CDlgEMapTree::Activate(WPARAM item, LPARAM kind)
{
    if (m_pView == nullptr)
        return;
    CVuskEMapDev* device = nullptr;
    switch (kind) {
    case emapActivateLink: {
        if (!m_pView->m_canvas.HasLink((void*)item))
            return;
        CVuskEMapTerm* scene = reinterpret_cast<CEMapLink*>(item)->m_pScene;
        m_pView->ShowScene(scene);
        if (scene->m_treeItem != 0)
            m_tree.SelectItem((HTREEITEM)scene->m_treeItem);
        return;
    }
    case emapActivateIcon:
        if (!m_pView->m_canvas.HasIcon((void*)item))
            return;
        device = reinterpret_cast<CEMapIcon*>(item)->m_pDevice;
        break;
    case emapActivateDevice:
        // Only a device still in the tree: a refill may have dropped it since.
        device = reinterpret_cast<CVuskEMapDev*>(item);
        if (FindCameraItem(m_tree, device) == nullptr)
            return;
        break;
    default:
        return;
    }
    if (device != nullptr && device->m_kind == emapCamera && device->IsBound())
        m_pView->OpenPopup(device);
}

void CDlgEMapTree::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (m_refilling)
        return;
    ShowTreeSelection(m_tree, reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->itemNew.hItem, m_pView);
}

void CDlgEMapTree::OnRightClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CPoint point;
    ::GetCursorPos(&point);
    m_tree.ScreenToClient(&point);
    if (HTREEITEM item = m_tree.HitTest(point))
        m_tree.SelectItem(item);
}

void CDlgEMapTree::OnDoubleClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    HTREEITEM item = m_tree.GetSelectedItem();
    if (item == nullptr || ItemImage(m_tree, item) != emapImageCamera)
        return;
    CVuskEMapDev* device = reinterpret_cast<CVuskEMapDev*>(m_tree.GetItemData(item));
    if (device != nullptr && GetParent() != nullptr)
        GetParent()->SendMessage(WM_EMAP_ACTIVATE, (WPARAM)device, emapActivateDevice);
}
