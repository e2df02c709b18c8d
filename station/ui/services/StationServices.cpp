// The station's services: forwarding, file service, serial devices and the voice talk.
#include "station/ui/services/StationServices.h"

#include <afxmt.h>
#include <afxstr.h>

#include "devices/framewell/FramewellApi.h"
#include "devices/portwick/Portwick.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/core/storage/SystemLog.h"
#include "station/ui/liveview/DlgPreviewPane.h"
#include "station/ui/liveview/DlgVideoWall.h"
#include "station/ui/liveview/LiveViewHost.h"

namespace {

enum ServiceStringId {
    STR_TALK_UNREACHABLE = 215,    // "连接服务器失败!"
    STR_TALK_NO_AUDIO = 216,       // "打开本地音频失败!"
    STR_TALK_BAD_LOGIN = 217,      // "错误的用户名或密码!"
    STR_TALK_FAILED = 218,         // "请求对讲失败:%d."
    STR_TALK_BUSY = 219,           // "服务器正在与其他用户通话,请稍候再试."
    STR_FILE_SERVICE_FAILED = 246, // "打开文件服务失败!"
    STR_RELAY_FAILED = 289,        // "启动转发服务失败"
    STR_USER = 410,                // "用户名:"
    STR_PASSWORD = 411,            // "密码:"
    STR_DISCONNECTED = 412,        // "断开连接"
    STR_RELAY_DETAIL = 427,        // "转发服务   服务器名称: %s"
    STR_CONNECTED = 428,           // "建立连接"
};

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

void ShowText(UINT id)
{
    AfxMessageBox(LoadText(id));
}

// What the forwarding callbacks read on Conduit's threads.
struct RelaySettings {
    CCriticalSection lock;
    CString users[3], passwords[3]; // administrator, senior operator, operator
    CSystemLog* log = nullptr;
};

RelaySettings& Relay()
{
    static RelaySettings settings;
    return settings;
}

CDlgPreviewPane* PaneOfSession(CChannelSession* session)
{
    CDlgVideoWall* wall = VideoWall();
    if (wall == nullptr || session == nullptr || session->m_pPane == nullptr)
        return nullptr;
    for (int i = 0; i < 16; ++i) {
        CDlgPreviewPane* pane = wall->ExistingPane(i);
        if (pane != nullptr && static_cast<IPreviewPane*>(pane) == session->m_pPane)
            return pane;
    }
    return nullptr;
}

} // namespace

CStationServices::CStationServices() {}

CStationServices::~CStationServices()
{
    CloseSerialDevices();
}

void CStationServices::InitFileLibrary()
{
    m_fileService.Init();
}

void CStationServices::InitMediaLibrary()
{
    GetFramewellApi().Init();
    m_mediaStarted = 1;
}

void CStationServices::StopCallbacks()
{
    Conduit_StopRelayService();
    {
        CSingleLock lock(&Relay().lock, TRUE);
        Relay().log = nullptr;
    }
    m_fileService.Shutdown(); // Depotix_Stop and Depotix_Cleanup, once
}

void CStationServices::CleanupFileAndMediaLibraries()
{
    if (m_mediaStarted)
        GetFramewellApi().Cleanup();
    m_mediaStarted = 0;
    m_fileService.Shutdown(); // nothing left to do when the callbacks were stopped
}

// --- forwarding ---

RelayServiceConfig CStationServices::MakeRelayConfig(const CSysParam& params)
{
    RelayServiceConfig config = {};
    CopyText(config.multicastAddress, sizeof config.multicastAddress, params.m_multicastAddress);
    config.port = (unsigned short)params.m_forwardLocalPort;
    config.secondPort = (unsigned short)params.m_multicastPort;
    config.setting3 = params.m_forwardBuffers;
    config.setting3Again = params.m_forwardBuffers;
    config.setting1 = params.m_usersPerChannel;
    config.setting2 = params.m_systemUsers;
    bool accounts = !params.m_forwardAdminUser.IsEmpty() || !params.m_forwardSeniorUser.IsEmpty() ||
                    !params.m_forwardOperatorUser.IsEmpty();
    config.accountCheck = accounts ? &CStationServices::RelayAccountCheck : nullptr;
    config.eventLog = &CStationServices::RelayEventLog;
    return config;
}

int CStationServices::StartRelayService(const CSysParam& params, CSystemLog* log)
{
    if (params.m_forwardEnabled == 0)
        return 0;
    KeepRelaySettings(params, log);
    RelayServiceConfig config = MakeRelayConfig(params);
    Conduit_ConfigureRelayService(&config);
    if (Conduit_StartRelayService(0) != 0) {
        ShowText(STR_RELAY_FAILED);
        return 0;
    }
    return 1;
}

void CStationServices::KeepRelaySettings(const CSysParam& params, CSystemLog* log)
{
    CSingleLock lock(&Relay().lock, TRUE);
    Relay().users[0] = params.m_forwardAdminUser;
    Relay().passwords[0] = params.m_forwardAdminPassword;
    Relay().users[1] = params.m_forwardSeniorUser;
    Relay().passwords[1] = params.m_forwardSeniorPassword;
    Relay().users[2] = params.m_forwardOperatorUser;
    Relay().passwords[2] = params.m_forwardOperatorPassword;
    Relay().log = log;
}

int __stdcall CStationServices::RelayAccountCheck(int, const char* user, const char* password)
{
    CString users[3], passwords[3];
    {
        CSingleLock lock(&Relay().lock, TRUE);
        for (int i = 0; i < 3; ++i) {
            users[i] = Relay().users[i];
            passwords[i] = Relay().passwords[i];
        }
    }
    CString givenUser = user != nullptr ? user : "", givenPassword = password != nullptr ? password : "";
    for (int level = 1; level <= 3; ++level) {
        if (users[level - 1].IsEmpty())
            return level;
        if (givenUser == users[level - 1] && givenPassword == passwords[level - 1])
            return level;
    }
    return 0;
}

int __stdcall CStationServices::RelayEventLog(const char* serverName, int value, int connected,
                                              const char* clientAddress, const char* user, const char* password)
{
    CString line;
    line.Format("%s ", clientAddress != nullptr ? clientAddress : "");
    if (connected != 0) {
        line += LoadText(STR_CONNECTED) + " " + LoadText(STR_USER) + (user != nullptr ? user : "") + " " +
                LoadText(STR_PASSWORD) + (password != nullptr ? password : "");
    } else {
        line += LoadText(STR_DISCONNECTED);
    }
    CString detail;
    detail.Format(LoadText(STR_RELAY_DETAIL), serverName != nullptr ? serverName : "");
    // The log's own lock serialises the append; ours keeps it alive while we write.
    CSingleLock lock(&Relay().lock, TRUE);
    if (Relay().log != nullptr)
        Relay().log->Write(SYSLOG_REMOTE, detail, value, line, "");
    return 0;
}

// --- file service ---

int CStationServices::RestartFileService(const CSysParam& params, CSystemLog* log)
{
    if (m_fileService.Restart(params, log))
        return 1;
    ShowText(STR_FILE_SERVICE_FAILED);
    return 0;
}

// --- serial devices ---

// What the opening thread needs, copied: the settings pages may change the parameters meanwhile.
struct CStationServices::SerialOpening {
    CStationServices* services;
    int linkagePort, linkageAddress;
    CString linkageControlFile;
    int keyboardPort, keyboardDataBits, keyboardStopBits, keyboardParity, keyboardBaud, keyboardProtocol;
    HWND window;
    int alarmInPort;
};

void CStationServices::OpenSerialDevices(const CSysParam& params, HWND window)
{
    CloseSerialDevices();
    SerialOpening* opening = new SerialOpening{this,
                                               params.m_linkagePort,
                                               params.m_linkageAddress,
                                               params.m_linkageControlFile,
                                               params.m_keyboardPort,
                                               params.m_keyboardDataBits,
                                               params.m_keyboardStopBits,
                                               params.m_keyboardParity,
                                               params.m_keyboardBaud,
                                               params.m_keyboardProtocol,
                                               window,
                                               params.m_alarmInPort};
    m_serialOpener = ::CreateThread(nullptr, 0, OpenSerialDevicesThread, opening, 0, nullptr);
    if (m_serialOpener == nullptr)
        OpenSerialDevicesThread(opening);
}

DWORD WINAPI CStationServices::OpenSerialDevicesThread(LPVOID param)
{
    SerialOpening* o = static_cast<SerialOpening*>(param);
    CStationServices* services = o->services;
    services->m_linkDeviceHandle = Portwick_OpenLinkDevice(o->linkagePort, o->linkageAddress, o->linkageControlFile);
    services->m_keyboardHandle =
        Portwick_OpenKeyboard(o->keyboardPort, o->keyboardDataBits, o->keyboardStopBits, o->keyboardParity,
                              o->keyboardBaud, o->keyboardProtocol, o->window, WM_KEYBOARD_COMMAND);
    services->m_alarmInputHandle = Portwick_OpenAlarmInput(o->alarmInPort);
    delete o;
    return 0;
}

void CStationServices::FinishSerialOpen()
{
    if (m_serialOpener == nullptr)
        return;
    ::WaitForSingleObject(m_serialOpener, INFINITE);
    ::CloseHandle(m_serialOpener);
    m_serialOpener = nullptr;
}

void CStationServices::CloseSerialDevices()
{
    FinishSerialOpen();
    int* handles[3] = {&m_linkDeviceHandle, &m_keyboardHandle, &m_alarmInputHandle};
    for (int kind = 1; kind <= 3; ++kind) {
        if (*handles[kind - 1] != 0)
            Portwick_Close(*handles[kind - 1], kind);
        *handles[kind - 1] = 0;
    }
}

// --- talk ---

void CStationServices::Talk(int stopOnly)
{
    if (m_talkHandle == -1) {
        if (stopOnly == 0)
            StartTalk();
        return;
    }
    StopTalk();
}

void CStationServices::StartTalk()
{
    CDlgVideoWall* wall = VideoWall();
    CDlgPreviewPane* pane = wall != nullptr ? wall->GetSelectedPaneWnd() : nullptr;
    CChannelSession* session = pane != nullptr ? pane->m_pSession : nullptr;
    CTermCamera* camera = session != nullptr ? session->m_pCamera : nullptr;
    CTermServer* server = camera != nullptr ? camera->m_pServer : nullptr;
    if (server == nullptr || server->m_address.IsEmpty())
        return;
    CString address = server->m_address;
    unsigned short port = server->m_port;
    if (server->m_useDdns) {
        char actual[CONDUIT_ADDRESS_SIZE] = {};
        if (Conduit_GetServerAddress(session->m_liveHandle, actual, &port) == 0)
            return;
        address = actual;
    }
    int result = Conduit_StartTalk(address, server->m_user, server->m_password, port, 0, server->m_name);
    if (result < 0) {
        ShowTalkFailure(result);
        return;
    }
    m_talkHandle = result;
    m_talkSession = session;
    m_talkRelay = -1;
    session->m_talkHandle = result;
    ILiveViewHost& host = LiveViewHost();
    host.SetButtonChecked(ID_BUTTON_TALK, 1);
    pane->SetMicIcon(1);
    host.SetButtonChecked(ID_BUTTON_AUDIO_FOLLOW, 1);
    wall->SetAudioFollow(1);
    int relay = camera->m_talkAlarmOutput;
    if (relay < 0 || relay > 3)
        return;
    session->SetRelay(relay, 1);
    m_talkRelay = relay;
    CWnd* main = host.GetMainWindow();
    if (camera->m_talkResetSeconds > 0 && main != nullptr && main->m_hWnd != nullptr) {
        main->SetTimer(TALK_RELAY_TIMER, (UINT)camera->m_talkResetSeconds * 1000, nullptr);
        m_relayTimer = 1;
    }
}

void CStationServices::ShowTalkFailure(int result)
{
    switch (result) {
    case -1:
        ShowText(STR_TALK_UNREACHABLE);
        return;
    case -2:
        ShowText(STR_TALK_NO_AUDIO);
        return;
    case -102:
        ShowText(STR_TALK_BAD_LOGIN);
        return;
    case -104:
        ShowText(STR_TALK_BUSY);
        return;
    }
    CString text;
    text.Format(LoadText(STR_TALK_FAILED), result);
    AfxMessageBox(text);
}

void CStationServices::StopTalk()
{
    CChannelSession* session = m_talkSession;
    if (session == nullptr)
        return;
    if (session->m_talkHandle != -1)
        Conduit_StopTalk(session->m_talkHandle);
    session->m_talkHandle = -1;
    m_talkHandle = -1;
    m_talkSession = nullptr;
    LiveViewHost().SetButtonChecked(ID_BUTTON_TALK, 0);
    if (CDlgPreviewPane* pane = PaneOfSession(session))
        pane->SetMicIcon(0);
    if (m_talkRelay >= 0 && m_talkRelay <= 3)
        session->SetRelay(m_talkRelay, 0);
    m_talkRelay = -1;
    KillRelayTimer();
}

void CStationServices::ClearTalkState()
{
    m_talkHandle = -1;
    m_talkSession = nullptr;
    LiveViewHost().SetButtonChecked(ID_BUTTON_TALK, 0);
    // Without its session the linkage relay can no longer be switched off by the timer.
    KillRelayTimer();
}

void CStationServices::OnTalkRelayTimer()
{
    if (m_talkSession != nullptr && m_talkRelay >= 0 && m_talkRelay <= 3)
        m_talkSession->SetRelay(m_talkRelay, 0);
    m_talkRelay = -1;
    KillRelayTimer();
}

void CStationServices::KillRelayTimer()
{
    CWnd* main = LiveViewHost().GetMainWindow();
    if (m_relayTimer && main != nullptr && main->m_hWnd != nullptr)
        main->KillTimer(TALK_RELAY_TIMER);
    m_relayTimer = 0;
}
