// The server tree view, its menus and the left-hand tabs.
#include "station/ui/mainwindow/DlgMain.h"

#include "framework/WindowSeams.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskPageGroup.h"
#include "station/core/sessions/AlarmBoxPoller.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/ui/mainwindow/MainRights.h"

void CDlgMain::FillServerTree()
{
    if (g_pRecGroup == nullptr || g_pRecGroup->m_rootCaption.IsEmpty())
        return;
    HTREEITEM root = m_serverTree.InsertItem(g_pRecGroup->m_rootCaption, TREE_ROOT, TREE_ROOT);
    for (POSITION pos = g_pRecGroup->m_projects.GetHeadPosition(); pos != nullptr;) {
        CTermData* project = g_pRecGroup->m_projects.GetNext(pos);
        HTREEITEM item = m_serverTree.InsertItem(project->m_name, TREE_GROUP, TREE_GROUP, root);
        m_serverTree.SetItemData(item, (DWORD_PTR)project);
        FillGroup(item, project);
    }
}

void CDlgMain::FillGroup(HTREEITEM parent, CTermData* group)
{
    for (POSITION pos = group->m_childGroups.GetHeadPosition(); pos != nullptr;) {
        CTermData* child = group->m_childGroups.GetNext(pos);
        HTREEITEM item = m_serverTree.InsertItem(child->m_name, TREE_GROUP, TREE_GROUP, parent);
        m_serverTree.SetItemData(item, (DWORD_PTR)child);
        FillGroup(item, child);
    }
    for (POSITION pos = group->m_servers.GetHeadPosition(); pos != nullptr;)
        FillServer(parent, group->m_servers.GetNext(pos));
}

void CDlgMain::FillServer(HTREEITEM parent, CTermServer* server)
{
    HTREEITEM item = m_serverTree.InsertItem(server->m_name, TREE_SERVER, TREE_SERVER, parent);
    m_serverTree.SetItemData(item, (DWORD_PTR)server);
    server->m_pAlarmBoxPoller = nullptr;
    if (server->m_alarmBoxEnabled) {
        CAlarmBoxPoller* poller = new CAlarmBoxPoller;
        poller->m_pServer = server;
        server->m_pAlarmBoxPoller = poller;
        poller->Enable(1);
    }
    for (POSITION pos = server->m_cameras.GetHeadPosition(); pos != nullptr;) {
        CTermCamera* camera = server->m_cameras.GetNext(pos);
        if (camera == nullptr || camera->m_disabled)
            continue;
        HTREEITEM cameraItem = m_serverTree.InsertItem(camera->m_name, TREE_CAMERA, TREE_CAMERA, item);
        m_serverTree.SetItemData(cameraItem, (DWORD_PTR)camera);
        if (camera->m_pSession == nullptr) {
            CChannelSession* session = new CChannelSession;
            session->m_pCamera = camera;
            camera->m_pSession = session;
            session->OpenPtzProtocol();
        }
    }
}

int CDlgMain::SelectedTreeKind(HTREEITEM* item, void** record)
{
    HTREEITEM selected = m_serverTree.m_hWnd != nullptr ? m_serverTree.GetSelectedItem() : nullptr;
    if (item != nullptr)
        *item = selected;
    if (selected == nullptr)
        return -1;
    if (record != nullptr)
        *record = (void*)m_serverTree.GetItemData(selected);
    int image = -1, selectedImage = -1;
    m_serverTree.GetItemImage(selected, image, selectedImage);
    return image;
}

CTermServer* CDlgMain::SelectedTreeServer()
{
    void* record = nullptr;
    int kind = SelectedTreeKind(nullptr, &record);
    if (record == nullptr)
        return nullptr;
    if (kind == TREE_SERVER)
        return (CTermServer*)record;
    if (kind == TREE_CAMERA)
        return ((CTermCamera*)record)->m_pServer;
    return nullptr;
}

CTermCamera* CDlgMain::SelectedTreeCamera()
{
    void* record = nullptr;
    return SelectedTreeKind(nullptr, &record) == TREE_CAMERA ? (CTermCamera*)record : nullptr;
}

void CDlgMain::OnTreeDblClk(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    void* record = nullptr;
    int kind = SelectedTreeKind(nullptr, &record);
    if (record == nullptr)
        return;
    if (kind == TREE_SERVER)
        DoubleClickServer((CTermServer*)record);
    else if (kind == TREE_CAMERA)
        DoubleClickCamera((CTermCamera*)record);
}

void CDlgMain::DoubleClickServer(CTermServer* server)
{
    if (g_pPageGroup == nullptr || g_pSysParam == nullptr)
        return;
    int page = WallCurrentPage(), pane = WallSelectedPane();
    int mode = g_pSysParam->m_serverDoubleClick;
    if (mode == 0) {
        g_pPageGroup->AddServerCameras(server, page, pane);
        return;
    }
    int added = 0;
    for (POSITION pos = server->m_cameras.GetHeadPosition(); pos != nullptr;) {
        CTermCamera* camera = server->m_cameras.GetNext(pos);
        // Disabled cameras have no session and are never shown.
        if (camera == nullptr || camera->m_disabled || WallFindPageOfCamera(camera) != -1)
            continue;
        added = 1;
        int slot = mode == 2 ? 0 : WallSelectedPane();
        g_pPageGroup->AddCamera(camera, page, slot, 0);
    }
    if (added)
        return;
    HTREEITEM selected = m_serverTree.GetSelectedItem();
    HTREEITEM first = selected != nullptr ? m_serverTree.GetChildItem(selected) : nullptr;
    if (first != nullptr)
        ShowCamera((CTermCamera*)m_serverTree.GetItemData(first));
}

void CDlgMain::DoubleClickCamera(CTermCamera* camera)
{
    if (g_pPageGroup == nullptr || g_pSysParam == nullptr || WallFindPageOfCamera(camera) != -1)
        return;
    int page = WallCurrentPage(), pane = WallSelectedPane(), first = 0;
    switch (g_pSysParam->m_cameraDoubleClick) {
    case 1:
        g_pPageGroup->AddCamera(camera, page, pane, 0);
        break;
    case 2:
        g_pPageGroup->AddCamera(camera, page, first, 0);
        break;
    default:
        g_pPageGroup->PlaceCamera(camera, page, pane, 0);
        break;
    }
}

void CDlgMain::OnTreeRClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CPoint screen;
    ::GetCursorPos(&screen);
    CPoint client = screen;
    m_serverTree.ScreenToClient(&client);
    UINT flags = 0;
    HTREEITEM hit = m_serverTree.HitTest(client, &flags);
    if (hit != nullptr)
        m_serverTree.SelectItem(hit);
    void* record = nullptr;
    HTREEITEM item = nullptr;
    int kind = SelectedTreeKind(&item, &record);
    if (item == nullptr)
        return;
    ShowTreeMenu(kind, record, screen);
}

void CDlgMain::ShowTreeMenu(int kind, void* record, CPoint screen)
{
    TreeMenuInput input = {};
    input.kind = kind;
    for (int i = 1; i < 13; ++i)
        input.rights[i] = HasRight(i);
    if (kind == TREE_ROOT)
        input.hasServers = g_pRecGroup != nullptr && g_pRecGroup->HasServers();
    else if (kind == TREE_GROUP)
        input.hasServers = record != nullptr && ((CTermData*)record)->HasServers();
    else if (kind == TREE_SERVER && record == nullptr)
        return;
    if (kind == TREE_CAMERA) {
        CTermCamera* camera = (CTermCamera*)record;
        CChannelSession* session = camera != nullptr ? camera->m_pSession : nullptr;
        if (session == nullptr)
            return;
        input.hasSession = 1;
        input.state = session->m_state;
        input.attached = session->m_pPane != nullptr;
        input.previewWanted = session->m_previewWanted;
        input.armed = session->m_armed;
        input.recording = session->m_recordReasons != 0;
        input.serverRecording = session->m_serverRecording;
        input.jpegStream = session->m_jpegHandle != -1;
    }
    MenuItemState states[32];
    int count = TreeMenuStates(input, states, 32);
    UINT resource = TreeMenuResource(kind);
    if (count < 0 || resource == 0)
        return;
    CMenu menu;
    if (!menu.LoadMenu(resource))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    for (int i = 0; i < count; ++i)
        popup->EnableMenuItem(states[i].id, MF_BYCOMMAND | states[i].flags);
    CPVMenu owner;
    owner.LoadPopup(popup);
    owner.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, this);
}

void CDlgMain::OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    NMTREEVIEWA* view = (NMTREEVIEWA*)pNMHDR;
    HTREEITEM item = view->itemNew.hItem;
    if (item == nullptr)
        return;
    int image = -1, selectedImage = -1;
    m_serverTree.GetItemImage(item, image, selectedImage);
    CTermCamera* camera = (CTermCamera*)m_serverTree.GetItemData(item);
    if (image == TREE_CAMERA && camera != nullptr)
        ShowCamera(camera);
}

void CDlgMain::OnTabSelChange(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    ShowControls(SW_SHOW);
}

// A pane selected in full screen leaves the hidden tree (and the keyboard focus) alone.
void CDlgMain::SelectCameraInTree(CTermCamera* camera)
{
    if (WallIsFullScreen())
        return;
    HTREEITEM root = m_serverTree.GetRootItem();
    if (root == nullptr || camera == nullptr)
        return;
    for (HTREEITEM project = m_serverTree.GetChildItem(root); project != nullptr;
         project = m_serverTree.GetNextSiblingItem(project)) {
        if (SelectTreeCamera(project, camera))
            return;
    }
}

int CDlgMain::SelectTreeCamera(HTREEITEM item, CTermCamera* camera)
{
    for (HTREEITEM child = m_serverTree.GetChildItem(item); child != nullptr;
         child = m_serverTree.GetNextSiblingItem(child)) {
        int image = -1, selectedImage = -1;
        m_serverTree.GetItemImage(child, image, selectedImage);
        if (image == TREE_CAMERA && (CTermCamera*)m_serverTree.GetItemData(child) == camera) {
            m_serverTree.SetFocus();
            m_serverTree.SelectItem(child);
            return 1;
        }
        if (SelectTreeCamera(child, camera))
            return 1;
    }
    return 0;
}

void CDlgMain::OnTreeCommand(UINT nID)
{
    void* record = nullptr;
    int kind = SelectedTreeKind(nullptr, &record);
    if (kind == TREE_ROOT && g_pRecGroup != nullptr) {
        for (POSITION pos = g_pRecGroup->m_projects.GetHeadPosition(); pos != nullptr;) {
            CTermData* project = g_pRecGroup->m_projects.GetNext(pos);
            if (nID == ID_ROOT_CONNECT_ALL || nID == ID_ROOT_DISCONNECT_ALL)
                ConnectTree(project, nID == ID_ROOT_CONNECT_ALL);
        }
        if (nID == ID_ROOT_START_RECORD || nID == ID_ROOT_STOP_RECORD)
            g_pRecGroup->SetRecordingAll(nID == ID_ROOT_START_RECORD, 1);
        return;
    }
    if (record == nullptr)
        return;
    if (kind == TREE_GROUP) {
        CTermData* group = (CTermData*)record;
        if (nID == ID_GROUP_CONNECT || nID == ID_GROUP_DISCONNECT)
            ConnectGroup(group, nID == ID_GROUP_CONNECT);
        else if (nID == ID_GROUP_START_RECORD || nID == ID_GROUP_STOP_RECORD)
            group->SetRecordingAll(nID == ID_GROUP_START_RECORD, 1);
    } else if (kind == TREE_SERVER) {
        CTermServer* server = (CTermServer*)record;
        if (nID == ID_SERVER_CONNECT || nID == ID_SERVER_DISCONNECT)
            ConnectServer(server, -1, nID == ID_SERVER_CONNECT);
        else if (nID == ID_SERVER_START_RECORD || nID == ID_SERVER_STOP_RECORD)
            server->SetRecordingAll(nID == ID_SERVER_START_RECORD, 1);
        else if (nID == ID_SERVER_REMOTE_SETTINGS)
            OnRemoteSettingsMenu();
    } else if (kind == TREE_CAMERA) {
        TreeCameraCommand(nID, (CTermCamera*)record);
    }
}

void CDlgMain::TreeCameraCommand(UINT id, CTermCamera* camera)
{
    CChannelSession* session = camera->m_pSession;
    if (session == nullptr)
        return;
    switch (id) {
    case ID_CAMERA_CONNECT:
        session->RequestConnect();
        break;
    case ID_CAMERA_DISCONNECT:
        session->RequestDisconnect();
        break;
    case ID_CAMERA_SHOW_PREVIEW:
        session->RequestShowPreview();
        break;
    case ID_CAMERA_HIDE_PREVIEW:
        session->RequestHidePreview();
        break;
    case ID_CAMERA_START_RECORD:
        session->RequestStartRecord();
        break;
    case ID_CAMERA_STOP_RECORD:
        session->RequestStopRecord();
        break;
    case ID_CAMERA_START_SERVER_RECORD:
        session->RequestStartServerRecord();
        break;
    case ID_CAMERA_STOP_SERVER_RECORD:
        session->RequestStopServerRecord();
        break;
    case ID_CAMERA_SETTINGS:
        session->OpenCameraSettings();
        break;
    case ID_CAMERA_REMOVE_PANE:
        session->RemovePane();
        break;
    case ID_CAMERA_DISARM:
        session->Disarm();
        break;
    case ID_CAMERA_ARM:
        session->Arm();
        break;
    case ID_CAMERA_CAPTURE_BMP:
        session->RequestCaptureBmp();
        break;
    case ID_CAMERA_SERVER_JPEG:
        session->RequestServerJpeg();
        break;
    case ID_CAMERA_START_JPEG_STREAM:
        session->RequestStartJpegStream();
        break;
    case ID_CAMERA_STOP_JPEG_STREAM:
        session->RequestStopJpegStream();
        break;
    case ID_CAMERA_CAPTURE_JPEG:
        session->RequestCaptureJpeg();
        break;
    }
}
