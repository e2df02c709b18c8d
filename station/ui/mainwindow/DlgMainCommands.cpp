// The main dialog's menu commands, rights checks and server actions.
#include "station/ui/mainwindow/DlgMain.h"

#include <mmsystem.h>
#include <process.h>

#include "devices/conduit/Conduit.h"
#include "devices/portwick/Portwick.h"
#include "framework/Seams.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/VuskEMapGroup.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/UserGroup.h"
#include "station/core/datamodel/VuskAudioBroadcast.h"
#include "station/core/datamodel/VuskLoopGroup.h"
#include "station/core/datamodel/VuskPageGroup.h"
#include "station/core/sessions/AudioSeams.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/core/storage/SystemLog.h"
#include "station/config/queries/DlgFileQuery.h"
#include "station/config/servers/DlgServerAssign.h"
#include "station/config/queries/DlgSysLog.h"
#include "station/config/servers/DlgServerLocalSetting.h"
#include "station/config/system/DlgSysSetting.h"
#include "station/config/servers/DlgTourSetting.h"
#include "station/ui/mainwindow/DlgAbout.h"
#include "station/ui/services/DlgBroadcast.h"
#include "station/ui/mainwindow/DlgLogin.h"
#include "station/ui/mainwindow/ExitRecord.h"
#include "station/ui/mainwindow/MainRights.h"
#include "station/ui/mainwindow/SettingsTransfer.h"

namespace {

void ShowString(UINT id)
{
    CString text;
    text.LoadString(id);
    AfxMessageBox(text);
}

const unsigned kRemoteLoginStack = 10240;

} // namespace

void CDlgMain::SetMenuState(UINT id, UINT flags)
{
    if (m_ownerMenu != nullptr && m_ownerMenu->m_hMenu != nullptr)
        ::EnableMenuItem(m_ownerMenu->m_hMenu, id, MF_BYCOMMAND | flags);
    if (m_mainMenu.m_hMenu != nullptr)
        ::EnableMenuItem(m_mainMenu.m_hMenu, id, MF_BYCOMMAND | flags);
}

void CDlgMain::ApplyMenuRights()
{
    UINT flags[7];
    LoginMenuStates(HasRight, flags);
    for (int i = 0; i < 7; ++i)
        SetMenuState(kLoginMenuRights[i].id, flags[i]);
    if (m_hWnd != nullptr)
        DrawMenuBar();
}

void CDlgMain::OnLogin()
{
    CDlgLogin login;
    login.m_mode = CDlgLogin::MODE_LOGIN;
    if (login.DoModal() != IDOK)
        return;
    SetCurrentLogUser();
    WriteLog(SYSLOG_LOGIN, IDS_LOG_RELOGIN);
    ApplyMenuRights();
    EnablePanels(1);
}

void CDlgMain::OnLockScreen()
{
    if (!m_screenLocked) {
        WriteLog(SYSLOG_LOGIN, IDS_LOG_LOCK);
        LockControls(0);
        m_screenLocked = 1;
        return;
    }
    CDlgLogin login;
    login.m_mode = CDlgLogin::MODE_UNLOCK;
    if (login.DoModal() != IDOK)
        return;
    WriteLog(SYSLOG_LOGIN, IDS_LOG_LOGIN);
    LockControls(1);
    m_screenLocked = 0;
}

void CDlgMain::OnSaveState()
{
    if (g_pRecGroup != nullptr)
        g_pRecGroup->Save();
}

void CDlgMain::OnExitCommand()
{
    OnExit();
}

void CDlgMain::CloseSerialDevices()
{
    m_services.CloseSerialDevices();
}

// The end of every orderly exit: log, release, close the serial devices, end the modal loop.
void CDlgMain::RunExitSequence()
{
    // A dialog of ours may still run its own loop over the data the shut-down frees (camera
    // settings over its camera, the map editor over the map): those dialogs are cancelled,
    // innermost first, and the exit goes on once every one of them has returned.
    AfxEndModalLoopsInside(this, IDCANCEL);
    if (AfxPostAfterModalLoops(this, WM_EXIT_REQUEST, 0, 0))
        return;
    DeleteTempVideoFiles(GetStartDirectory());
    WriteExitCode(GetStartDirectory(), "1");
    ShowWindow(SW_HIDE);
    WriteLog(SYSLOG_LOGIN, IDS_LOG_EXIT);
    Shutdown();
    CloseSerialDevices();
    EndDialog(IDCANCEL);
}

void CDlgMain::OnExit()
{
    // Nothing is deleted and the exit record stays "running" until the user confirmed: a crash
    // after a cancelled exit is still reported at the next start.
    CDlgLogin login;
    login.m_mode = CDlgLogin::MODE_CONFIRM;
    if (login.DoModal() != IDOK)
        return;
    RunExitSequence();
}

LRESULT CDlgMain::OnExitRequest(WPARAM, LPARAM)
{
    RunExitSequence();
    return 0;
}

void CDlgMain::OnVideoFiles()
{
    if (!HasRight(3)) {
        ShowString(IDS_NO_PERMISSION);
        return;
    }
    CDlgFileQuery query(this);
    query.DoModal();
}

void CDlgMain::OnSystemLog()
{
    CDlgSysLog viewer(m_systemLog, this);
    viewer.DoModal();
}

void CDlgMain::OnSystemSettings()
{
    CDlgSysSetting settings(this);
    settings.DoModal();
}

void CDlgMain::OnAbout()
{
    CDlgAbout about(this);
    about.DoModal();
}

void CDlgMain::OnBroadcast()
{
    Talk(1);
    MakeBroadcastWindow();
    if (m_broadcastWindow != nullptr)
        m_broadcastWindow->ShowWindow(SW_SHOW);
}

void CDlgMain::OnServerAssignCommand()
{
    OnServerAssign();
}

void CDlgMain::OnServerAssign()
{
    UINT refusal = ServerAssignRefusal(HasRight(1), IsTourRunning(), IsEMapShown());
    if (refusal != 0) {
        ShowString(refusal);
        return;
    }
    CDlgServerAssign assign(this);
    if (assign.DoModal() == IDOK)
        RebindAfterAssign();
}

// Before the old tree goes: the talk stops, the panes let go of their sessions and nothing keeps
// a pointer into the tree.
void CDlgMain::StopTalkAndDetachPanes()
{
    m_services.Talk(1);
    // After an import the pages on disk are the imported ones: the panes let go without a save.
    if (g_pRecGroup != nullptr && !SettingsImported())
        RebuildPageTable(0);
}

void CDlgMain::RebindAfterAssign()
{
    if (m_broadcastWindow != nullptr && m_broadcastWindow->IsWindowVisible())
        m_broadcastWindow->ShowWindow(SW_HIDE);
    CloseEMapWindows();
    StopTalkAndDetachPanes();
    WallShowPage(-1, -1, 0); // the panes let go of the sessions before the tree goes
    m_serverTree.DeleteAllItems();
    delete g_pRecGroup;
    g_pRecGroup = new CRecGroup;
    FillServerTree();
    m_serverTree.Expand(m_serverTree.GetRootItem(), TVE_EXPAND);
    g_pRecGroup->ResolveCameraLinks();
    if (g_pPageGroup != nullptr)
        g_pPageGroup->ResolveAll();
    RebuildPageTable(1);
    if (g_pLoopGroup != nullptr)
        g_pLoopGroup->ResolveAll();
    if (g_pEMapGroup != nullptr)
        g_pEMapGroup->LinkAll();
    if (g_pAudioBroadcast != nullptr)
        g_pAudioBroadcast->ResolveServers();
    RefillEMapTree();
    WallLayoutGrid();
    if (GetDisplayPageCount() > 0)
        WallShowPage(0, -1, 0);
}

void CDlgMain::OnTourCommand()
{
    OnTour();
}

void CDlgMain::OnTour()
{
    if (!HasRight(6)) {
        ShowString(IDS_NO_PERMISSION);
        return;
    }
    if (IsEMapShown())
        return;
    static const UINT buttons[] = {405, 406, 407, 408, 409, 410, 403};
    if (IsTourRunning()) {
        WallStartTour(0);
        SetButtonCheck(402, 0);
        m_serverTree.EnableWindow(TRUE);
        for (UINT id : buttons)
            EnableButton(id, TRUE);
        SetMenuState(ID_TOUR_SETTINGS, HasRight(6) ? MF_ENABLED : MF_GRAYED);
        SetMenuState(ID_EMAP, HasRight(5) ? MF_ENABLED : MF_GRAYED);
        SetMenuState(ID_SERVER_ASSIGN, HasRight(1) ? MF_ENABLED : MF_GRAYED);
        ::CheckMenuItem(m_ownerMenu->m_hMenu, ID_TOUR, MF_BYCOMMAND | MF_UNCHECKED);
        return;
    }
    UINT refusal = TourStartRefusal(WallTourPageCount());
    if (refusal != 0) {
        ShowString(refusal);
        return;
    }
    WallStartTour(1);
    SetButtonCheck(402, 1);
    m_serverTree.EnableWindow(FALSE);
    for (UINT id : buttons)
        EnableButton(id, FALSE);
    SetMenuState(ID_TOUR_SETTINGS, MF_GRAYED);
    SetMenuState(ID_EMAP, MF_GRAYED);
    SetMenuState(ID_SERVER_ASSIGN, MF_GRAYED);
    ::CheckMenuItem(m_ownerMenu->m_hMenu, ID_TOUR, MF_BYCOMMAND | MF_CHECKED);
}

void CDlgMain::OnTourSettings()
{
    UINT refusal = TourSettingsRefusal(HasRight(6), IsTourRunning());
    if (refusal != 0) {
        ShowString(refusal);
        return;
    }
    CDlgTourSetting tours(this);
    tours.DoModal();
}

CTermServer* CDlgMain::CurrentServer()
{
    if (CTermServer* server = SelectedTreeServer())
        return server;
    CChannelSession* session = WallSelectedSession();
    if (session != nullptr && session->m_pCamera != nullptr)
        return session->m_pCamera->m_pServer;
    return nullptr;
}

CTermServer* CDlgMain::ServerToSet()
{
    CTermServer* server = CurrentServer();
    if (server == nullptr)
        return nullptr;
    if (!HasRight(2)) {
        ShowString(IDS_NO_PERMISSION);
        return nullptr;
    }
    return server;
}

void CDlgMain::OnRemoteSettingsMenu()
{
    if (CTermServer* server = ServerToSet())
        StartRemoteLogin(server);
}

void CDlgMain::OnServerLocalSettingsMenu()
{
    CTermServer* server = ServerToSet();
    if (server == nullptr)
        return;
    CDlgServerLocalSetting local(this);
    local.m_pServer = server;
    local.DoModal();
}

void CDlgMain::StartRemoteLogin(CTermServer* server)
{
    if (m_remoteLoginThread != nullptr)
        return;
    RemoteLoginRecord& record = m_remoteLogin;
    memset(&record, 0, sizeof record);
    CopyText(record.name, server->m_name);
    CopyText(record.address, server->m_address);
    record.port = server->m_port;
    record.ddns = server->m_useDdns ? 1 : 0;
    CopyText(record.user, server->m_user);
    CopyText(record.password, server->m_password);
    record.server = server;
    m_remoteLoginThread = (HANDLE)_beginthreadex(nullptr, kRemoteLoginStack, RemoteLoginThread, &record, 0, nullptr);
}

UINT __stdcall CDlgMain::RemoteLoginThread(void* param)
{
    RemoteLoginRecord& record = *(RemoteLoginRecord*)param;
    HWND window = Instance() != nullptr ? Instance()->m_hWnd : nullptr;
    int result;
    if (record.ddns) {
        char address[CONDUIT_ADDRESS_SIZE] = "";
        unsigned short port = 0;
        result = Conduit_ResolveDdns(record.address, record.port, record.name, address, &port);
        if (result != 0) {
            ::PostMessageA(window, WM_REMOTE_LOGIN_DONE, (WPARAM)result, (LPARAM)&record);
            return (UINT)result;
        }
        CopyText(record.address, address);
        record.port = port;
    }
    result = Conduit_Login(record.name, record.address, record.user, record.password, record.port);
    if (result == 0)
        Conduit_QueryDevice(record.name, record.address, &record.deviceInfo[0], &record.deviceInfo[1],
                            &record.deviceInfo[2], record.port);
    ::PostMessageA(window, WM_REMOTE_LOGIN_DONE, (WPARAM)result, (LPARAM)&record);
    return (UINT)result;
}

void CDlgMain::JoinRemoteLogin()
{
    if (m_remoteLoginThread == nullptr)
        return;
    ::WaitForSingleObject(m_remoteLoginThread, INFINITE);
    ::CloseHandle(m_remoteLoginThread);
    m_remoteLoginThread = nullptr;
}

LRESULT CDlgMain::OnRemoteLoginDone(WPARAM wParam, LPARAM)
{
    JoinRemoteLogin();
    int result = (int)wParam;
    if (result == -102)
        ShowString(IDS_REMOTE_LOGIN_REFUSED);
    else if (result != 0)
        ShowString(IDS_REMOTE_CONNECT_FAILED);
    else
        m_remoteParams.ShowParams(m_remoteLogin.name, m_remoteLogin.address, (short)m_remoteLogin.port,
                                  m_remoteLogin.user, m_remoteLogin.password);
    return 0;
}

void CDlgMain::RestartRecording()
{
    if (g_pRecGroup == nullptr)
        return;
    for (POSITION pos = g_pRecGroup->m_projects.GetHeadPosition(); pos != nullptr;) {
        g_pRecGroup->m_projects.GetNext(pos)->ForEachServer([](CTermServer* server) {
            for (POSITION cam = server->m_cameras.GetHeadPosition(); cam != nullptr;) {
                CTermCamera* camera = server->m_cameras.GetNext(cam);
                if (camera != nullptr && camera->m_pSession != nullptr)
                    camera->m_pSession->RestartRecordFile();
            }
        });
    }
}

void CDlgMain::PlayAlarmSound()
{
    if (g_pSysParam == nullptr || g_pSysParam->m_alarmSound[0].IsEmpty() || m_alarmSoundOn)
        return;
    AudioSeams::PlaySound(g_pSysParam->m_alarmSound[0], nullptr, SND_ASYNC | SND_LOOP | SND_FILENAME);
    m_alarmSoundOn = 1;
    SetButtonCheck(441, 1);
    m_tick.NoteAlarm(Seams::TickCount());
}

LRESULT CDlgMain::OnRecordDiskEvent(WPARAM wParam, LPARAM)
{
    switch ((int)wParam) {
    case DISK_EVENT_SWITCHED:
        RestartRecording();
        WriteLog(SYSLOG_ALARM, IDS_LOG_DISK_SWITCHED);
        break;
    case DISK_EVENT_FULL_STOPPED:
        WriteLog(SYSLOG_ALARM, IDS_LOG_DISK_FULL_STOPPED);
        PlayAlarmSound();
        break;
    case DISK_EVENT_FULL_NO_DELETE:
        RestartRecording();
        WriteLog(SYSLOG_ALARM, IDS_LOG_DISK_FULL_NO_DELETE);
        PlayAlarmSound();
        break;
    }
    return 0;
}

void CDlgMain::ShowCamera(CTermCamera* camera)
{
    if (camera == nullptr)
        return;
    int page = WallFindPageOfCamera(camera);
    if (page == -1)
        return;
    if (page != WallCurrentPage())
        WallShowPage(page, -1, 0);
    int pane = WallFindPaneOfCamera(camera);
    if (pane != -1)
        WallSelectPane(pane);
}

void CDlgMain::ConnectServer(CTermServer* server, int index, int connect)
{
    int i = 0;
    for (POSITION pos = server->m_cameras.GetHeadPosition(); pos != nullptr; ++i) {
        CTermCamera* camera = server->m_cameras.GetNext(pos);
        if ((index != -1 && i != index) || camera == nullptr || camera->m_pSession == nullptr)
            continue;
        camera->m_pSession->Connect(connect ? 1 : 0, 0);
        if (connect)
            ShowCamera(camera);
    }
}

void CDlgMain::ConnectGroup(CTermData* group, int connect)
{
    for (POSITION pos = group->m_childGroups.GetHeadPosition(); pos != nullptr;)
        ConnectGroup(group->m_childGroups.GetNext(pos), connect);
    for (POSITION pos = group->m_servers.GetHeadPosition(); pos != nullptr;)
        ConnectServer(group->m_servers.GetNext(pos), -1, connect);
}

void CDlgMain::ConnectTree(CTermData* group, int connect)
{
    for (POSITION pos = group->m_childGroups.GetHeadPosition(); pos != nullptr;)
        ConnectTree(group->m_childGroups.GetNext(pos), connect);
    for (POSITION pos = group->m_servers.GetHeadPosition(); pos != nullptr;) {
        CTermServer* server = group->m_servers.GetNext(pos);
        for (POSITION cam = server->m_cameras.GetHeadPosition(); cam != nullptr;) {
            CTermCamera* camera = server->m_cameras.GetNext(cam);
            if (camera != nullptr && camera->m_pSession != nullptr)
                camera->m_pSession->Connect(connect, 0);
        }
    }
}

void CDlgMain::ToggleFullScreen(int on, int mode)
{
    if (!on) {
        SetWindowPlacement(&m_savedPlacement);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        WallSetFullScreen(0, nullptr, mode);
        ShowControls(SW_SHOW);
        return;
    }
    ShowControls(0);
    m_savedPlacement.length = sizeof m_savedPlacement;
    GetWindowPlacement(&m_savedPlacement);
    MoveWindow(0, 0, 352, 288);
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    ClientToScreen(&client);
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    placement.showCmd = SW_SHOWNORMAL;
    placement.rcNormalPosition = CRect(window.left - client.left, window.top - client.top,
                                       ::GetSystemMetrics(SM_CXSCREEN) + window.right - client.right,
                                       ::GetSystemMetrics(SM_CYSCREEN) + window.bottom - client.bottom);
    SetWindowPlacement(&placement);
    GetClientRect(&client);
    WallSetFullScreen(1, &client, mode);
}
