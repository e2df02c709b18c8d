#include "station/ui/emap/DlgEditEMap.h"

#include <afxdlgs.h>

#include "framework/WindowSeams.h"
#include "resources/warden/resource.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskEMapDev.h"
#include "station/core/datamodel/VuskEMapGroup.h"
#include "station/core/datamodel/VuskEMapTerm.h"
#include "station/ui/mainwindow/PVMenu.h"
#include "station/ui/emap/DlgEMapDevSelect.h"
#include "station/ui/emap/DlgViewEditMap.h"
#include "station/ui/emap/EMapLink.h"
#include "station/ui/emap/EMapMessages.h"
#include "station/ui/emap/EMapSceneTree.h"

namespace {
const UINT kTreeId = IDC_EMAP_TREE;
}

BEGIN_MESSAGE_MAP(CDlgEditEMap, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_DESTROY()
ON_NOTIFY(NM_RCLICK, kTreeId, OnTreeRightClick)
ON_NOTIFY(TVN_SELCHANGEDA, kTreeId, OnTreeSelChanged)
ON_NOTIFY(TVN_ENDLABELEDITA, kTreeId, OnTreeEndLabelEdit)
ON_MESSAGE(WM_EMAP_ACTIVATE, OnEMapActivate)
ON_MESSAGE(WM_EMAP_LABEL_EDITED, OnLabelEdited)
ON_COMMAND(IDM_EMAP_ADD_SCENE, OnAddScene)
ON_COMMAND(IDM_EMAP_ADD_CHILD_SCENE, OnAddChildScene)
ON_COMMAND(IDM_EMAP_LOAD_PICTURE, OnLoadPicture)
ON_COMMAND(IDM_EMAP_DELETE_SCENE, OnDeleteScene)
ON_COMMAND(IDM_EMAP_ADD_CAMERA, OnAddCamera)
ON_COMMAND(IDM_EMAP_ADD_INPUT, OnAddInput)
ON_COMMAND(IDM_EMAP_ADD_OUTPUT, OnAddOutput)
ON_COMMAND(IDM_EMAP_DELETE_DEVICE, OnDeleteDevice)
ON_COMMAND(IDM_EMAP_RENAME, OnRename)
END_MESSAGE_MAP()

CDlgEditEMap::CDlgEditEMap(CWnd* parent) : CDialog(IDD, parent), m_editing(1), m_nameCounter(1), m_pView(nullptr) {}

void CDlgEditEMap::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kTreeId, m_tree);
}

BOOL CDlgEditEMap::OnInitDialog()
{
    CDialog::OnInitDialog();
    MoveWindow(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    CRect client;
    GetClientRect(&client);
    int treeWidth = (int)(client.Width() * 0.2);
    m_tree.MoveWindow(0, 0, treeWidth, client.Height());
    SetUpMapTree(m_tree, m_images);
    m_pView = new CDlgViewEditMap(m_editing);
    if (m_pView->CreateView(this, WS_CHILD | WS_BORDER)) {
        m_pView->MoveWindow(treeWidth, 0, client.Width() - treeWidth, client.Height());
        m_pView->ClearScene();
        m_pView->ShowWindow(SW_SHOW);
    } else {
        m_pView = nullptr; // a view that failed to create deleted itself
    }
    FillSceneTree(m_tree, g_pEMapGroup);
    return TRUE;
}

// Only the close command leaves the editor; the frame neither moves nor resizes.
void CDlgEditEMap::OnSysCommand(UINT id, LPARAM lParam)
{
    switch (id & 0xFFF0) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MAXIMIZE:
        return;
    case SC_CLOSE:
        EndDialog(IDCANCEL);
        return;
    }
    CDialog::OnSysCommand(id, lParam);
}

// The view's canvas writes the icons' and links' positions into the map as it goes; then the map
// is saved.
void CDlgEditEMap::OnDestroy()
{
    if (m_pView != nullptr && m_pView->m_hWnd != nullptr)
        m_pView->DestroyWindow();
    m_pView = nullptr;
    if (m_editing && g_pEMapGroup != nullptr)
        g_pEMapGroup->Save();
    CDialog::OnDestroy();
}

CVuskEMapTerm* CDlgEditEMap::SelectedScene() const
{
    HTREEITEM item = m_tree.GetSelectedItem();
    if (item == nullptr || ItemImage(m_tree, item) != emapImageScene)
        return nullptr;
    return reinterpret_cast<CVuskEMapTerm*>(m_tree.GetItemData(item));
}

CVuskEMapDev* CDlgEditEMap::SelectedDevice() const
{
    HTREEITEM item = m_tree.GetSelectedItem();
    int image = ItemImage(m_tree, item);
    if (image != emapImageCamera && image != emapImageInput && image != emapImageOutput)
        return nullptr;
    return reinterpret_cast<CVuskEMapDev*>(m_tree.GetItemData(item));
}

EMapMenuTarget CDlgEditEMap::MenuTarget() const
{
    if (m_tree.GetCount() == 0)
        return emapMenuEmptyTree;
    HTREEITEM item = m_tree.GetSelectedItem();
    switch (ItemImage(m_tree, item)) {
    case emapImageScene:
        return SelectedScene()->m_mapPath.IsEmpty() ? emapMenuSceneWithoutPicture : emapMenuSceneWithPicture;
    case emapImageCamera:
        return emapMenuCamera;
    case emapImageInput:
    case emapImageOutput:
        return emapMenuInputOrOutput;
    }
    return emapMenuNoSelection;
}

void CDlgEditEMap::OnTreeRightClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 1;
    if (!m_editing)
        return;
    CPoint screen;
    ::GetCursorPos(&screen);
    CPoint point = screen;
    m_tree.ScreenToClient(&point);
    if (m_tree.GetCount() != 0) {
        if (HTREEITEM item = m_tree.HitTest(point))
            m_tree.SelectItem(item);
    }
    ShowContextMenu(screen);
}

void CDlgEditEMap::ShowContextMenu(CPoint screen)
{
    const UINT* enabled = EnabledMapCommands(MenuTarget());
    if (enabled[0] == 0)
        return;
    CMenu menu;
    if (!menu.LoadMenu(IDR_EMAP_MENU))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (popup == nullptr)
        return;
    for (UINT id : kAllMapCommands)
        popup->EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
    for (const UINT* id = enabled; *id != 0; ++id)
        popup->EnableMenuItem(*id, MF_BYCOMMAND | MF_ENABLED);
    CPVMenu owner;
    owner.LoadPopup(popup);
    owner.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, this);
}

void CDlgEditEMap::OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    ShowTreeSelection(m_tree, reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->itemNew.hItem, m_pView);
}

CString CDlgEditEMap::NextName(UINT format)
{
    CString name;
    name.Format(format, m_nameCounter++);
    return name;
}

// On a child scene the new scene becomes its sibling; otherwise a new top-level scene.
void CDlgEditEMap::OnAddScene()
{
    if (g_pEMapGroup == nullptr)
        return;
    CVuskEMapTerm* selected = SelectedScene();
    CVuskEMapTerm* parent = selected != nullptr ? selected->m_pParent : nullptr;
    CVuskEMapTerm* scene = g_pEMapGroup->AddScene(NextName(IDS_EMAP_SCENE_NAME), parent);
    InsertSceneItem(m_tree, scene, parent != nullptr ? (HTREEITEM)parent->m_treeItem : nullptr);
}

void CDlgEditEMap::OnAddChildScene()
{
    CVuskEMapTerm* selected = SelectedScene();
    if (selected == nullptr || g_pEMapGroup == nullptr)
        return;
    CVuskEMapTerm* scene = g_pEMapGroup->AddScene(NextName(IDS_EMAP_CHILD_SCENE_NAME), selected);
    HTREEITEM parentItem = m_tree.GetSelectedItem();
    InsertSceneItem(m_tree, scene, parentItem);
    m_tree.Expand(parentItem, TVE_EXPAND);
    if (m_pView != nullptr && m_pView->m_pScene == selected)
        m_pView->m_canvas.AddLink(scene);
}

void CDlgEditEMap::OnLoadPicture()
{
    CVuskEMapTerm* scene = SelectedScene();
    if (scene == nullptr)
        return;
    CFileDialog dialog(TRUE, "bmp", nullptr, OFN_HIDEREADONLY, "bmp文件(*.bmp)|*.bmp||", this);
    INT_PTR answer = dialog.DoModal();
    ::SetCurrentDirectoryA(GetStartDirectory());
    if (answer != IDOK)
        return;
    scene->m_mapPath = dialog.GetPathName();
    if (m_pView != nullptr) {
        m_pView->ClearScene();
        m_pView->ShowScene(scene);
    }
}

void CDlgEditEMap::OnDeleteScene()
{
    CVuskEMapTerm* scene = SelectedScene();
    if (scene == nullptr || g_pEMapGroup == nullptr)
        return;
    CString question;
    question.LoadString(IDS_EMAP_CONFIRM_DELETE_SCENE);
    if (Seams::ShowMessageBox(m_hWnd, question, nullptr, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_tree.DeleteItem(m_tree.GetSelectedItem());
    if (m_pView != nullptr)
        m_pView->ClearScene();
    g_pEMapGroup->DeleteScene(scene);
}

void CDlgEditEMap::ChooseDevices(int kind)
{
    HTREEITEM item = m_tree.GetSelectedItem();
    if (SelectedScene() == nullptr)
        return;
    CDlgEMapDevSelect chooser(this, kind, item);
    chooser.DoModal();
}

void CDlgEditEMap::OnAddCamera()
{
    ChooseDevices(emapCamera);
}

void CDlgEditEMap::OnAddInput()
{
    ChooseDevices(emapAlarmInput);
}

void CDlgEditEMap::OnAddOutput()
{
    ChooseDevices(emapAlarmOutput);
}

void CDlgEditEMap::AddCheckedDevices(HTREEITEM sceneItem, CTreeCtrl& tree, int kind, HTREEITEM item)
{
    for (HTREEITEM child = tree.GetChildItem(item); child != nullptr; child = tree.GetNextSiblingItem(child)) {
        if (tree.ItemHasChildren(child)) {
            AddCheckedDevices(sceneItem, tree, kind, child);
            continue;
        }
        if (ItemImage(tree, child) != 3 || !tree.GetCheck(child))
            continue;
        CTermServer* server = reinterpret_cast<CTermServer*>(tree.GetItemData(tree.GetParentItem(child)));
        AddDevice(sceneItem, server, (int)tree.GetItemData(child), kind);
    }
}

void CDlgEditEMap::AddDevice(HTREEITEM sceneItem, CTermServer* server, int index, int kind)
{
    CVuskEMapTerm* scene = reinterpret_cast<CVuskEMapTerm*>(m_tree.GetItemData(sceneItem));
    if (scene == nullptr || server == nullptr)
        return;
    CVuskEMapDev* device = new CVuskEMapDev;
    device->m_index = index;
    device->m_serverId = server->m_id;
    device->m_kind = kind;
    device->m_pScene = scene;
    device->m_pServer = server;
    if (kind == emapAlarmInput || kind == emapAlarmOutput)
        device->m_name.Format(kind == emapAlarmInput ? IDS_EMAP_INPUT_NAME : IDS_EMAP_OUTPUT_NAME, index + 1);
    device->Link();
    scene->m_devices.AddTail(device);
    if (m_pView != nullptr && m_pView->m_pScene == scene)
        m_pView->m_canvas.AddIcon(device);
    InsertDeviceItem(m_tree, device, sceneItem);
}

void CDlgEditEMap::OnDeleteDevice()
{
    CVuskEMapDev* device = SelectedDevice();
    if (device == nullptr)
        return;
    CString question;
    question.LoadString(IDS_EMAP_CONFIRM_DELETE_DEVICE);
    if (Seams::ShowMessageBox(m_hWnd, question, nullptr, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_tree.DeleteItem(m_tree.GetSelectedItem());
    if (m_pView != nullptr)
        m_pView->m_canvas.RemoveIcon(device);
    if (device->m_pScene != nullptr)
        device->m_pScene->RemoveDevice(device);
}

void CDlgEditEMap::OnRename()
{
    HTREEITEM item = m_tree.GetSelectedItem();
    int image = ItemImage(m_tree, item);
    if (item == nullptr || image == emapImageCamera)
        return;
    if (image == emapImageInput || image == emapImageOutput)
        m_tree.SetItemText(item, SelectedDevice()->m_name);
    m_tree.ModifyStyle(0, TVS_EDITLABELS);
    m_tree.EditLabel(item);
}

// The edit box's text is taken as it stands. Escape (no text) renames nothing: a device's item gets
// its caption back.
void CDlgEditEMap::OnTreeEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = FALSE;
    HTREEITEM item = m_tree.GetSelectedItem();
    int image = ItemImage(m_tree, item);
    if (reinterpret_cast<NMTVDISPINFOA*>(pNMHDR)->item.pszText == nullptr) {
        if (image == emapImageInput || image == emapImageOutput)
            PostMessage(WM_EMAP_LABEL_EDITED, (WPARAM)item, 0);
        m_tree.ModifyStyle(TVS_EDITLABELS, 0);
        return;
    }
    CString text;
    if (HWND edit = (HWND)m_tree.SendMessage(TVM_GETEDITCONTROL))
        CWnd::FromHandle(edit)->GetWindowText(text);
    if (image == emapImageScene) {
        reinterpret_cast<CVuskEMapTerm*>(m_tree.GetItemData(item))->m_name = text;
        *pResult = TRUE;
    } else if (image == emapImageInput || image == emapImageOutput) {
        CVuskEMapDev* device = reinterpret_cast<CVuskEMapDev*>(m_tree.GetItemData(item));
        device->m_name = text;
        device->Link();
        PostMessage(WM_EMAP_LABEL_EDITED, (WPARAM)item, 0);
    }
    m_tree.ModifyStyle(TVS_EDITLABELS, 0);
}

LRESULT CDlgEditEMap::OnLabelEdited(WPARAM item, LPARAM)
{
    HTREEITEM treeItem = (HTREEITEM)item;
    int image = ItemImage(m_tree, treeItem);
    if (image == emapImageInput || image == emapImageOutput)
        m_tree.SetItemText(treeItem, reinterpret_cast<CVuskEMapDev*>(m_tree.GetItemData(treeItem))->m_caption);
    return 0;
}

LRESULT CDlgEditEMap::OnEMapActivate(WPARAM item, LPARAM kind)
{
    if (kind != emapActivateLink || m_pView == nullptr || !m_pView->m_canvas.HasLink((void*)item))
        return 0;
    CVuskEMapTerm* scene = reinterpret_cast<CEMapLink*>(item)->m_pScene;
    m_pView->ShowScene(scene);
    if (scene->m_treeItem != 0)
        m_tree.SelectItem((HTREEITEM)scene->m_treeItem);
    return 0;
}
