// The channel session's life, the live channel (connect, connect results, reconnection), the
// picture in the preview pane and the command wrappers of menus and buttons.
#include "station/core/sessions/ChannelSession.h"

#include "devices/conduit/Conduit.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "devices/portwick/Portwick.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/sessions/SessionStrings.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/storage/SystemLog.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskEMapDev.h"

namespace {

const int kReconnectTicks = 5;
const int kRecordCheckTicks = 10;
const int kDefaultBuffers = 50;
const unsigned int kOverlayKey = 0x00FF00FF;

} // namespace

CChannelSession::CChannelSession()
    : m_liveHandle(-1), m_jpegHandle(-1), m_talkHandle(-1), m_pCamera(nullptr), m_state(sessionIdle), m_previewOn(0),
      m_previewWanted(1), m_lastAlarmTime(0), m_recordFileStart(0), m_audioWanted(0), m_cameraInputs(0),
      m_stayConnected(0), m_recordReasons(0), m_serverRecording(0), m_currentInput(0), m_audioState(0),
      m_alarmAccumulated(0), m_alarmPending(0), m_snapshotTicks(0), m_serverRecordEvent(0), m_ptzDelay(0),
      m_armed(1), m_relayStates{0, 0, 0, 0}, m_jpegReopen(0), m_reconnectCountdown{0, 0, 0},
      m_recordCheckCountdown{0, 0, 0}, m_noMotionCountdown{0, 0, 0}, m_presetCycleCountdown{0, 0, 0}, m_presetIndex(0),
      m_presetCycleRunning(0), m_ptzProtocol(0), m_protocolDelay(0), m_matrixMenu(0), m_pPane(nullptr),
      m_recordFileFormat(recordFileNone), m_openedLogin(), m_openedChannel(0), m_connectFacts()
{
}

CChannelSession::~CChannelSession()
{
    Connect(0, 0);
    // The pane must not keep a pointer to a session that is gone.
    if (m_pPane != nullptr)
        m_pPane->SetSession(nullptr);
    if (m_ptzProtocol != 0) {
        Portwick_ClosePtzProtocol(m_ptzProtocol);
        m_ptzProtocol = 0;
    }
}

CTermServer* CChannelSession::Server() const
{
    return m_pCamera ? m_pCamera->m_pServer : nullptr;
}

CString CChannelSession::DisplayPath() const
{
    return m_pCamera ? m_pCamera->GetDisplayPath() : CString();
}

BOOL CChannelSession::GetServerLogin(ServerLogin& login) const
{
    CTermServer* server = Server();
    if (server == nullptr)
        return FALSE;
    CopyText(login.name, server->m_name);
    CopyText(login.address, server->m_address);
    CopyText(login.user, server->m_user);
    CopyText(login.password, server->m_password);
    login.port = server->m_port;
    return TRUE;
}

BOOL CChannelSession::GetReportedAddress(ServerLogin& login) const
{
    return IsOpen() && GetServerLogin(login) && ReplaceByReportedAddress(m_liveHandle, login);
}

BOOL CChannelSession::ReplaceByReportedAddress(int handle, ServerLogin& login)
{
    // The address the channel actually reached, which after a DDNS look-up is not the stored one.
    char address[CONDUIT_ADDRESS_SIZE] = {};
    unsigned short port = 0;
    if (!Conduit_GetServerAddress(handle, address, &port))
        return FALSE;
    address[sizeof(address) - 1] = '\0';
    CopyText(login.address, address);
    login.port = port;
    return TRUE;
}

void CChannelSession::WriteLog(int type, LPCSTR text, LPCSTR detail)
{
    CSystemLog* log = StationWindows().GetSystemLog();
    if (log != nullptr)
        log->Write(type, detail, m_pCamera ? m_pCamera->m_channel : 0, text, nullptr);
}

void CChannelSession::ReportConnectProblem(LPCSTR message)
{
    CString text = DisplayPath() + ":" + message + "\r\n\r\n";
    StationWindows().AppendConnectInfo(text);
}

void CChannelSession::Connect(int open, int reconnect)
{
    if (!open) {
        TearDownChannel();
        if (!reconnect)
            m_stayConnected = 0;
        {
            CSingleLock lock(&m_lock, TRUE);
            m_recordReasons = 0;
        }
        m_alarmAccumulated = 0;
        if (m_pCamera != nullptr) {
            if (m_pCamera->m_pEMapDev)
                m_pCamera->m_pEMapDev->SetAlarm(0);
            for (CVuskEMapDev* input : m_pCamera->m_pEMapInputs) {
                if (input)
                    input->SetAlarm(0);
            }
        }
        if (m_pPane)
            m_pPane->ResetIcons();
        return;
    }

    if (m_liveHandle != -1)
        return;
    CTermServer* server = Server();
    if (server == nullptr)
        return;
    m_reconnectCountdown.Clear();
    m_recordCheckCountdown.Clear();
    m_state = sessionConnecting;
    if (!reconnect)
        m_previewWanted = m_pCamera->m_previewOnConnect;
    m_previewOn = m_previewWanted && m_pPane != nullptr;
    m_serverRecording = 0;
    m_serverRecordEvent = 0;

    ServerLogin login;
    GetServerLogin(login);
    // The library thread that reports the log-in reads the server with it (FetchConnectFacts).
    m_openedLogin = login;
    m_openedChannel = m_pCamera->m_channel;
    ConduitConnectRecord record = {};
    record.serverName = login.name;
    record.userName = login.user;
    record.password = login.password;
    record.transport = (unsigned short)m_pCamera->m_transport;
    record.showNow = (m_previewWanted && m_pPane != nullptr) ? 1 : 0;
    record.channel = (unsigned char)m_pCamera->m_channel;
    record.displayWindow = m_pPane ? m_pPane->GetVideoSurface() : nullptr;
    record.bufferCount = g_pSysParam ? g_pSysParam->m_connectBuffers : kDefaultBuffers;
    record.overlayKey = kOverlayKey;
    record.callback = ChannelEventCallback;
    record.context = this;
    m_liveHandle = server->m_useDdns ? Conduit_ConnectDdns(login.address, &record, login.port)
                                     : Conduit_Connect(login.address, &record, login.port);
    if (m_liveHandle == -1) {
        TRACE(traceDevices, "Conduit refused to open channel %d of %s", m_pCamera->m_channel, login.name);
        m_state = sessionIdle;
        // A reconnection the library refuses to start (a DDNS name that does not resolve for a
        // while) tries again later, silently; only the operator's own connect reports and gives up.
        if (reconnect)
            m_reconnectCountdown.Arm(kReconnectTicks);
        else
            ReportConnectProblem(SessionString(STR_START_CONNECT_FAILED));
        return;
    }
    ApplyForwardSmoothness();
    ApplyPlaySmoothness();
    ApplyDecodeQuality();
}

void CChannelSession::CloseTalk()
{
    if (m_talkHandle == -1)
        return;
    Conduit_StopTalk(m_talkHandle);
    m_talkHandle = -1;
    StationWindows().ClearTalkState();
}

void __stdcall CChannelSession::ChannelEventCallback(int handle, int type, int value, void* context)
{
    CChannelSession* session = static_cast<CChannelSession*>(context);
    if (type != CONDUIT_EVENT_CONNECT) {
        session->OnDeviceEvent(type, value);
        return;
    }
    if (value == CONDUIT_CONNECTED)
        session->FetchConnectFacts(handle);
    StationWindows().PostConnectResult(session, value);
}

void CChannelSession::FetchConnectFacts(int handle)
{
    // The library thread that reports the log-in waits for the server here; on the window thread
    // the cameras of a station that connects them all at once would wait one after another. That
    // thread serves a few other cameras as well, which wait meanwhile.
    static_assert(kPtzDescriptionSize == CONDUIT_PTZ_DESCRIPTION_SIZE, "the library's PTZ text size");
    ConnectFacts facts = {};
    ServerLogin login = m_openedLogin;
    if (ReplaceByReportedAddress(handle, login)) {
        facts.ptzRead = QueryPtzDescription(login, m_openedChannel, facts.ptzDescription);
        facts.relaysRead = QueryRelayStates(login, facts.relays);
    }
    CSingleLock lock(&m_lock, TRUE);
    m_connectFacts = facts;
}

void CChannelSession::OnConnectResult(CChannelSession*, int result)
{
    // A result that was still queued when the channel was closed reports on a channel that is
    // gone; acting on it would mark a closed session connected or reconnect it against the
    // operator's disconnect.
    if (m_liveHandle == -1)
        return;
    m_reconnectCountdown.Clear();
    m_recordCheckCountdown.Clear();
    if (result != CONDUIT_CONNECTED) {
        ConnectFailed(result);
        return;
    }

    WriteLog(SYSLOG_CONNECT, SessionString(STR_CONNECTED), DisplayPath());
    m_state = sessionConnected;
    m_recordCheckCountdown.Arm(kRecordCheckTicks);
    BOOL resumeManual;
    {
        CSingleLock lock(&m_lock, TRUE);
        // Only a manual recording carries over a lost channel, into a new file.
        m_recordReasons &= recordManual;
        resumeManual = m_recordReasons != 0;
        if (resumeManual)
            m_recordReasons = 0;
    }
    if (resumeManual)
        SetRecording(1, recordManual, 1);
    ConnectFacts facts;
    {
        CSingleLock lock(&m_lock, TRUE);
        facts = m_connectFacts;
        m_connectFacts = ConnectFacts();
    }
    // The server's PTZ description and relay states, as the reporting thread read them.
    if (facts.ptzRead)
        ApplyPtzDescription(facts.ptzDescription);
    m_cameraInputs = Conduit_GetCameraInputs(m_liveHandle) & 0xFF;
    if (facts.relaysRead)
        ApplyRelayStates(facts.relays);
    m_state = sessionConnected;
    CheckRecordSchedule();
    m_stayConnected = 1;
    if (m_pPane != nullptr && m_previewWanted)
        AttachPane(1, m_pPane, 0);
    else
        AttachPane(0, m_pPane, 0);
}

void CChannelSession::TearDownChannel()
{
    m_state = sessionIdle;
    m_reconnectCountdown.Clear();
    m_recordCheckCountdown.Clear();
    // Outside the lock: the close waits for an event callback in progress, which may want it.
    if (m_liveHandle != -1) {
        Conduit_Disconnect(m_liveHandle);
        m_liveHandle = -1;
    }
    CloseTalk();
    memset(m_relayStates, 0, sizeof(m_relayStates));
    StopJpegStream();
    m_serverRecordEvent = 0;
    m_serverRecording = 0;
    m_alarmPending = 0;
    m_currentInput = 0;
    m_previewOn = 0;
    {
        CSingleLock lock(&m_lock, TRUE);
        m_lastAlarmTime = 0;
        // Conduit_Disconnect ended the channel's recording with it.
        m_recordFileFormat = recordFileNone;
    }
    m_cameraInputs = 0;
    m_audioState = 0;
    m_snapshotTicks = 0;
    m_ptzDelay = 0;
    if (m_pCamera != nullptr) {
        for (CVuskEMapDev* output : m_pCamera->m_pEMapOutputs) {
            if (output)
                output->SetAlarm(0);
        }
    }
}

void CChannelSession::ConnectFailed(int result)
{
    TRACE(traceSessions, "session %p: connect result %d", (void*)this, result);
    // The record reasons, the stay-connected mark and the accumulated alarms survive a failure.
    TearDownChannel();
    if (m_pPane)
        m_pPane->ResetOnConnectFailure(result);
    if (result == CONDUIT_NOT_REPORTED)
        return;

    CString text;
    switch (result) {
    case CONDUIT_CONNECT_FAILED:
        text = SessionString(STR_CONNECT_FAILED);
        break;
    case CONDUIT_SERVER_CLOSED:
        text = SessionString(STR_SERVER_CLOSED);
        break;
    case CONDUIT_BIND_FAILED:
        text = SessionString(STR_BIND_FAILED);
        break;
    case CONDUIT_NO_MEMORY:
        text = SessionString(STR_NO_MEMORY);
        break;
    case CONDUIT_DDNS_UNREACHABLE:
        text = SessionString(STR_DDNS_UNREACHABLE);
        break;
    case CONDUIT_WRONG_LOGIN:
        text = SessionString(STR_WRONG_LOGIN);
        break;
    case CONDUIT_USERS_FULL:
    case -105:
        text = SessionString(STR_USERS_FULL);
        break;
    case CONDUIT_NO_CHANNEL:
        text = SessionString(STR_NO_CHANNEL);
        break;
    case CONDUIT_DDNS_UNKNOWN:
        text = SessionString(STR_DDNS_UNKNOWN);
        break;
    default:
        text.Format(SessionString(STR_CONNECT_ERROR), result);
        break;
    }
    WriteLog(SYSLOG_CONNECT, text, DisplayPath());

    // A server that closed a running connection is always tried again; other failures only for
    // a camera that connected before, or with the always-reconnect setting.
    BOOL alwaysReconnect = g_pSysParam != nullptr && g_pSysParam->m_alwaysReconnect;
    if (result == CONDUIT_SERVER_CLOSED || m_stayConnected == 1 || alwaysReconnect)
        m_reconnectCountdown.Arm(kReconnectTicks);
    else
        ReportConnectProblem(text);
}

void CChannelSession::OnReconnectTick()
{
    m_reconnectCountdown.Clear();
    Connect(1, 1);
}

void CChannelSession::OnTimerTick()
{
    if (m_reconnectCountdown.Advance())
        OnReconnectTick();
    BOOL check;
    {
        // SetRecording arms this countdown from the library thread too.
        CSingleLock lock(&m_lock, TRUE);
        check = m_recordCheckCountdown.Advance();
    }
    if (check)
        CheckRecordSchedule();
    BOOL noMotion;
    {
        CSingleLock lock(&m_lock, TRUE);
        noMotion = m_noMotionCountdown.Advance();
    }
    if (noMotion)
        OnNoMotionTick();
    if (m_presetCycleCountdown.Advance())
        StepPresetCycle(1, 0);
    ProcessAlarms();
}

void TickAllSessions()
{
    if (g_pRecGroup == nullptr)
        return;
    g_pRecGroup->ForEachCamera([](CTermCamera* camera) {
        if (camera->m_disabled == 0 && camera->m_pSession != nullptr)
            camera->m_pSession->OnTimerTick();
    });
}

void CChannelSession::StopVideoBySwitchMode()
{
    int mode = m_pCamera ? m_pCamera->m_videoSwitchMode : 0;
    if (mode == 2 || mode == 3)
        Conduit_PauseVideo(m_liveHandle);
    else
        Conduit_StopVideo(m_liveHandle);
    Conduit_StopSound(m_liveHandle);
    if (mode == 1 || mode == 3)
        Conduit_EnableStream(m_liveHandle, 0);
}

void CChannelSession::DetermineAudioState()
{
    int info[5] = {};
    if (!Conduit_GetStreamInfo(m_liveHandle, info) || info[2] == 0) {
        m_audioState = 0;
        return;
    }
    if (m_audioWanted) {
        m_audioState = Conduit_StartSound(m_liveHandle) ? 2 : 1;
        return;
    }
    Conduit_StopSound(m_liveHandle);
    m_audioState = 1;
}

void CChannelSession::AttachPane(int attach, IPreviewPane* pane, int connectFirst)
{
    if (!attach) {
        Conduit_SetDisplayWindow(m_liveHandle, nullptr);
        StopVideoBySwitchMode();
        Conduit_RefreshDisplay(m_liveHandle, 0);
        m_previewOn = 0;
        m_audioWanted = 0;
        if (pane == nullptr && m_pPane != nullptr) {
            m_pPane->SetSession(nullptr);
            m_pPane->RefreshView(0);
            m_pPane = nullptr;
        }
        return;
    }

    m_pPane = pane;
    if (connectFirst && m_liveHandle == -1) {
        if (pane != nullptr)
            pane->SetSession(this);
        Connect(1, 0);
    } else if (pane != nullptr) {
        pane->SetSession(this);
        Conduit_SetDisplayWindow(m_liveHandle, pane->GetVideoSurface());
        if (m_previewWanted) {
            if (Conduit_StartVideo(m_liveHandle)) {
                DetermineAudioState();
                m_previewOn = 1;
            }
            Conduit_EnableStream(m_liveHandle, 1);
        }
    }
    if (m_pPane != nullptr)
        m_pPane->RefreshView(1);
}

void CChannelSession::ShowPreview(int on)
{
    if (on && m_pPane != nullptr) {
        Conduit_SetDisplayWindow(m_liveHandle, m_pPane->GetVideoSurface());
        if (Conduit_StartVideo(m_liveHandle)) {
            DetermineAudioState();
            Conduit_EnableStream(m_liveHandle, 1);
            m_previewWanted = 1;
            m_previewOn = 1;
        }
    } else {
        Conduit_SetDisplayWindow(m_liveHandle, nullptr);
        StopVideoBySwitchMode();
        Conduit_RefreshDisplay(m_liveHandle, 0);
        m_previewWanted = 0;
        m_previewOn = 0;
    }
    if (m_pPane != nullptr)
        m_pPane->SetAudioIcon(m_audioState);
}

void CChannelSession::ApplyPlaySmoothness()
{
    if (m_liveHandle != -1 && m_pCamera)
        Conduit_SetPlaySmoothness(m_liveHandle, m_pCamera->m_playSmoothness);
}

void CChannelSession::ApplyDecodeQuality()
{
    if (m_liveHandle != -1 && m_pCamera)
        Conduit_SetDecodeQuality(m_liveHandle, m_pCamera->m_decodeQuality);
}

void CChannelSession::ApplyForwardSmoothness()
{
    if (m_liveHandle != -1 && m_pCamera)
        Conduit_SetRelaySmoothness(m_liveHandle, m_pCamera->m_forwardSmoothness);
}

namespace {

// The rights table's check of a command: without the right the user is told and nothing happens.
BOOL CheckRight(int right)
{
    if (HasRight(right))
        return TRUE;
    StationWindows().ShowMessage(SessionString(STR_NO_RIGHT));
    return FALSE;
}

} // namespace

void CChannelSession::RequestConnect()
{
    Connect(1, 0);
}
void CChannelSession::RequestDisconnect()
{
    Connect(0, 0);
}
void CChannelSession::RequestShowPreview()
{
    ShowPreview(1);
}
void CChannelSession::RequestHidePreview()
{
    ShowPreview(0);
}

void CChannelSession::RequestStartRecord()
{
    if (CheckRight(rightLocalRecord))
        SetRecording(1, recordManual, 1);
}

void CChannelSession::RequestStopRecord()
{
    if (CheckRight(rightLocalRecord))
        SetRecording(0, recordManual, 1);
}

void CChannelSession::RequestCaptureBmp()
{
    if (CheckRight(rightSnapshot))
        CaptureBmp();
}

void CChannelSession::RequestServerJpeg()
{
    if (CheckRight(rightSnapshot))
        CaptureServerJpeg();
}

void CChannelSession::RequestCaptureJpeg()
{
    if (CheckRight(rightSnapshot))
        CaptureJpeg();
}

void CChannelSession::RequestStartJpegStream()
{
    if (CheckRight(rightSnapshot))
        StartJpegStream();
}

void CChannelSession::RequestStopJpegStream()
{
    if (CheckRight(rightSnapshot))
        StopJpegStream();
}

void CChannelSession::RequestStartServerRecord()
{
    if (CheckRight(rightServerRecord))
        StartServerRecord();
}

void CChannelSession::RequestStopServerRecord()
{
    if (CheckRight(rightServerRecord))
        StopServerRecord();
}

void CChannelSession::OpenCameraSettings()
{
    if (CheckRight(rightCameraSettings) && m_pCamera != nullptr)
        StationWindows().RunCameraSettings(m_pCamera);
}

void CChannelSession::RemovePane()
{
    if (m_pPane != nullptr)
        m_pPane->RemoveFromPage();
}
