// The server tree dialog: projects, groups, servers and cameras of a private copy of the tree.
#include "station/config/servers/DlgServerAssign.h"

#include "station/config/ConfigText.h"
#include "station/config/servers/DlgAddServer.h"
#include "station/config/servers/DlgCameraEdit.h"
#include "station/config/servers/DlgServerName.h"
#include "station/config/servers/ServerTreeEdit.h"
#include "station/config/servers/ServerTreeView.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"

BEGIN_MESSAGE_MAP(CDlgServerAssign, CConfigDialog)
ON_NOTIFY(NM_RCLICK, IDC_SERVER_TREE, OnTreeRightClick)
ON_NOTIFY(NM_DBLCLK, IDC_SERVER_TREE, OnTreeDoubleClick)
ON_COMMAND(ID_TREE_ADD_TOP_GROUP, OnAddTopGroup)
ON_COMMAND(ID_TREE_ADD_PROJECT, OnAddProject)
ON_COMMAND(ID_TREE_EDIT_PROJECT, OnEditProjectName)
ON_COMMAND(ID_TREE_ADD_GROUP, OnAddGroup)
ON_COMMAND(ID_TREE_DELETE_GROUP, OnDeleteGroup)
ON_COMMAND(ID_TREE_EDIT_GROUP, OnEditGroupName)
ON_COMMAND(ID_TREE_ADD_SERVER, OnAddServer)
ON_COMMAND(ID_TREE_EDIT_SERVER, OnEditServer)
ON_COMMAND(ID_TREE_DELETE_SERVER, OnDeleteServer)
ON_COMMAND(ID_TREE_EDIT_CAMERA, OnEditCamera)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgServerAssign::CDlgServerAssign(CWnd* pParent) : CConfigDialog(IDD, pParent), m_pCopy(nullptr) {}

void CDlgServerAssign::DoDataExchange(CDataExchange* pDX)
{
    CConfigDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SERVER_TREE, m_tree);
}

BOOL CDlgServerAssign::OnInitDialog()
{
    CConfigDialog::OnInitDialog();
    SetUpServerTreeImages(m_tree, m_images);
    m_pCopy = new CRecGroup();
    FillTree();
    return TRUE;
}

void CDlgServerAssign::FillTree()
{
    FillServerTree(m_tree, *m_pCopy, ServerTreeFillOptions());
}

void CDlgServerAssign::OnOK()
{
    m_pCopy->Save();
    EndDialog(IDOK);
}

void CDlgServerAssign::OnDestroy()
{
    delete m_pCopy;
    m_pCopy = nullptr;
    CConfigDialog::OnDestroy();
}

HTREEITEM CDlgServerAssign::SelectedItemOfKind(int kind) const
{
    HTREEITEM item = m_tree.GetSelectedItem();
    if (item == nullptr || GetTreeItemKind(m_tree, item) != kind)
        return nullptr;
    if (kind != treeKindProject && m_tree.GetItemData(item) == 0)
        return nullptr;
    return item;
}

void* CDlgServerAssign::SelectedData(int kind) const
{
    HTREEITEM item = SelectedItemOfKind(kind);
    return item != nullptr ? reinterpret_cast<void*>(m_tree.GetItemData(item)) : nullptr;
}

BOOL CDlgServerAssign::AskName(int mode, CString& name)
{
    CDlgServerName dialog(this);
    dialog.m_mode = mode;
    dialog.m_name = name;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    name = dialog.m_name;
    return TRUE;
}

void CDlgServerAssign::OnTreeRightClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CPoint screen;
    ::GetCursorPos(&screen);
    CPoint client = screen;
    m_tree.ScreenToClient(&client);
    HTREEITEM item = m_tree.HitTest(client);
    if (item == nullptr) {
        if (m_tree.GetCount() == 0)
            ShowRootMenu(TRUE);
        return;
    }
    m_tree.SelectItem(item);
    int kind = GetTreeItemKind(m_tree, item);
    if (kind == treeKindProject)
        ShowRootMenu(FALSE);
    else if (m_tree.GetItemData(item) != 0)
        ShowItemMenu(kind);
}

void CDlgServerAssign::ShowRootMenu(BOOL treeEmpty)
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_MENU_TREE_ROOT))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    const UINT onEmpty = treeEmpty ? MF_ENABLED : MF_GRAYED;
    const UINT onRoot = treeEmpty ? MF_GRAYED : MF_ENABLED;
    popup->EnableMenuItem(ID_TREE_ADD_PROJECT, MF_BYCOMMAND | onEmpty);
    popup->EnableMenuItem(ID_TREE_ADD_TOP_GROUP, MF_BYCOMMAND | onRoot);
    popup->EnableMenuItem(ID_TREE_EDIT_PROJECT, MF_BYCOMMAND | onRoot);
    CPoint screen;
    ::GetCursorPos(&screen);
    TrackContextMenu(popup, screen);
}

void CDlgServerAssign::ShowItemMenu(int kind)
{
    static const UINT groupCommands[] = {ID_TREE_ADD_GROUP, ID_TREE_DELETE_GROUP, ID_TREE_ADD_SERVER,
                                         ID_TREE_EDIT_GROUP};
    static const UINT serverCommands[] = {ID_TREE_DELETE_SERVER, ID_TREE_EDIT_SERVER};
    CMenu menu;
    if (!menu.LoadMenu(IDR_MENU_TREE_ITEM))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (kind == treeKindGroup) {
        for (UINT id : groupCommands)
            popup->EnableMenuItem(id, MF_BYCOMMAND | MF_ENABLED);
    } else if (kind == treeKindServer) {
        for (UINT id : serverCommands)
            popup->EnableMenuItem(id, MF_BYCOMMAND | MF_ENABLED);
    } else if (kind == treeKindCamera) {
        popup->EnableMenuItem(ID_TREE_EDIT_CAMERA, MF_BYCOMMAND | MF_ENABLED);
    }
    CPoint screen;
    ::GetCursorPos(&screen);
    TrackContextMenu(popup, screen);
}

void CDlgServerAssign::OnTreeDoubleClick(NMHDR*, LRESULT* pResult)
{
    if (HTREEITEM server = SelectedItemOfKind(treeKindServer)) {
        OnEditServer();
        // The tree toggles the item itself after this notification; toggling first undoes that.
        m_tree.Expand(server, TVE_TOGGLE);
    } else if (SelectedItemOfKind(treeKindCamera) != nullptr) {
        OnEditCamera();
    }
    *pResult = 0;
}

void CDlgServerAssign::OnAddProject()
{
    CString name;
    if (!AskName(CDlgServerName::modeAddProject, name))
        return;
    HTREEITEM root = InsertTreeItem(m_tree, name, treeKindProject, nullptr, TVI_ROOT);
    m_tree.SelectItem(root);
    SetWindowText(name);
    m_pCopy->m_rootCaption = name;
}

void CDlgServerAssign::OnEditProjectName()
{
    HTREEITEM root = m_tree.GetRootItem();
    if (root == nullptr)
        return;
    CString name = m_tree.GetItemText(root);
    if (!AskName(CDlgServerName::modeEditProject, name))
        return;
    m_pCopy->m_rootCaption = name;
    m_tree.SetItemText(root, name);
}

void CDlgServerAssign::AddGroupUnder(CTermData* parent, HTREEITEM parentItem, LPCSTR name)
{
    CTermData* group = m_pCopy->AddGroup(parent, name);
    group->m_pParent = parent;
    InsertTreeItem(m_tree, name, treeKindGroup, group, parentItem);
    m_tree.Expand(parentItem, TVE_EXPAND);
}

void CDlgServerAssign::OnAddTopGroup()
{
    HTREEITEM root = m_tree.GetRootItem();
    if (root == nullptr)
        return;
    CString name;
    if (!AskName(CDlgServerName::modeAddGroup, name))
        return;
    if (m_pCopy->ProjectExists(name)) {
        ConfigMessage(IDS_NAME_EXISTS);
        return;
    }
    AddGroupUnder(nullptr, root, name);
}

void CDlgServerAssign::OnAddGroup()
{
    if (SelectedItemOfKind(treeKindProject) != nullptr) {
        OnAddTopGroup();
        return;
    }
    HTREEITEM item = SelectedItemOfKind(treeKindGroup);
    if (item == nullptr)
        return;
    CTermData* group = reinterpret_cast<CTermData*>(m_tree.GetItemData(item));
    CString name;
    if (!AskName(CDlgServerName::modeAddGroup, name))
        return;
    if (group->NameInUse(name)) {
        ConfigMessage(IDS_NAME_EXISTS);
        return;
    }
    AddGroupUnder(group, item, name);
}

void CDlgServerAssign::OnDeleteGroup()
{
    HTREEITEM item = SelectedItemOfKind(treeKindGroup);
    if (item == nullptr)
        return;
    if (ConfigMessage(IDS_DELETE_GROUP, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    CTermData* group = reinterpret_cast<CTermData*>(m_tree.GetItemData(item));
    if (RemoveGroupObject(*m_pCopy, group))
        m_tree.DeleteItem(item);
}

void CDlgServerAssign::OnEditGroupName()
{
    HTREEITEM item = SelectedItemOfKind(treeKindGroup);
    if (item == nullptr)
        return;
    CTermData* group = reinterpret_cast<CTermData*>(m_tree.GetItemData(item));
    CString name = group->m_name;
    if (!AskName(CDlgServerName::modeEditGroup, name))
        return;
    if (m_pCopy->GroupNameClash(group->m_pParent, group, name)) {
        ConfigMessage(IDS_NAME_EXISTS);
        return;
    }
    group->m_name = name;
    m_tree.SetItemText(item, name);
}

void CDlgServerAssign::OnAddServer()
{
    HTREEITEM groupItem = SelectedItemOfKind(treeKindGroup);
    if (groupItem == nullptr)
        return;
    CTermData* group = reinterpret_cast<CTermData*>(m_tree.GetItemData(groupItem));
    CDlgAddServer dialog(this);
    dialog.m_pServerTree = m_pCopy;
    if (dialog.DoModal() != IDOK)
        return;
    CTermServer* server = new CTermServer;
    server->m_name = dialog.m_name;
    server->m_channelCount = dialog.m_channelCount;
    server->m_port = (WORD)dialog.m_port;
    server->m_address = dialog.m_address;
    server->m_useDdns = dialog.m_useDdns;
    server->m_user = dialog.m_user;
    server->m_password = dialog.m_password;
    server->m_pParent = group;
    server->m_id = m_pCopy->m_nextServerId++;
    group->m_servers.AddTail(server);
    HTREEITEM serverItem = InsertTreeItem(m_tree, server->m_name, treeKindServer, server, groupItem);
    m_tree.Expand(groupItem, TVE_EXPAND);
    for (int d = 0; d < server->m_channelCount; ++d) {
        CTermCamera* camera = new CTermCamera;
        camera->m_name = ConfigStringNumber(IDS_CAMERA_NUMBERED, d + 1);
        camera->m_channel = d;
        camera->m_transport = 3;
        camera->m_pServer = server;
        server->m_cameras.AddTail(camera);
        InsertTreeItem(m_tree, camera->m_name, treeKindCamera, camera, serverItem);
    }
    m_tree.Expand(serverItem, TVE_EXPAND);
}

void CDlgServerAssign::OnEditServer()
{
    HTREEITEM item = SelectedItemOfKind(treeKindServer);
    if (item == nullptr)
        return;
    CTermServer* server = reinterpret_cast<CTermServer*>(m_tree.GetItemData(item));
    CDlgAddServer dialog(this);
    dialog.m_pServerTree = m_pCopy;
    dialog.m_mode = CDlgAddServer::modeEdit;
    dialog.m_pEditedServer = server;
    dialog.m_useDdns = server->m_useDdns;
    dialog.m_name = server->m_name;
    dialog.m_password = server->m_password;
    dialog.m_port = server->m_port;
    dialog.m_address = server->m_address;
    dialog.m_user = server->m_user;
    if (dialog.DoModal() != IDOK)
        return;
    server->m_useDdns = dialog.m_useDdns;
    server->m_name = dialog.m_name;
    server->m_password = dialog.m_password;
    server->m_port = (WORD)dialog.m_port;
    server->m_address = dialog.m_address;
    server->m_user = dialog.m_user;
    m_tree.SetItemText(item, server->m_name);
}

void CDlgServerAssign::OnDeleteServer()
{
    HTREEITEM item = SelectedItemOfKind(treeKindServer);
    if (item == nullptr)
        return;
    if (ConfigMessage(IDS_DELETE_SERVER, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (RemoveServerObject(reinterpret_cast<CTermServer*>(m_tree.GetItemData(item))))
        m_tree.DeleteItem(item);
}

void CDlgServerAssign::OnEditCamera()
{
    HTREEITEM item = SelectedItemOfKind(treeKindCamera);
    if (item == nullptr)
        return;
    CTermCamera* camera = reinterpret_cast<CTermCamera*>(m_tree.GetItemData(item));
    CDlgCameraEdit dialog(this);
    dialog.m_name = camera->m_name;
    dialog.m_channelShown = camera->m_channel + 1;
    dialog.m_transportIndex = camera->m_transport - 1;
    dialog.m_disabled = camera->m_disabled;
    if (dialog.DoModal() != IDOK)
        return;
    if (camera->m_pServer != nullptr && camera->m_pServer->CameraNameClash(camera, dialog.m_name)) {
        ConfigMessage(IDS_CAMERA_NAME_EXISTS);
        return;
    }
    camera->m_name = dialog.m_name;
    camera->m_channel = dialog.m_channelShown - 1;
    camera->m_transport = dialog.m_transportIndex + 1;
    camera->m_disabled = dialog.m_disabled;
    m_tree.SetItemText(item, camera->m_name);
}
