// The channel session's alarms: device events on the library thread, external alarm inputs from
// the alarm-box poller, the once-a-second alarm pass with sounds, linked recording and the alarm
// action, clearing, and the no-motion alarm.
#include "station/core/sessions/ChannelSession.h"

#include "station/core/sessions/AudioSeams.h"
#include "devices/conduit/Conduit.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "devices/portwick/Portwick.h"
#include "station/core/datamodel/RecGroup.h"
#include "framework/Seams.h"
#include "station/core/sessions/SessionStrings.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationLinks.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/storage/SystemLog.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskEMapDev.h"
#include "station/core/datamodel/VuskPageGroup.h"

namespace {

const int kAlarmActionPane = 1;
const int kAlarmActionMap = 2;
const int kAlarmOutputs = 8;

int SensorBit(int sensor)
{
    return 1 << (alarmSensorFirst + sensor);
}
int ExternalBit(int input)
{
    return 1 << (alarmExternalFirst + input);
}

} // namespace

int CChannelSession::IsSoundScheduled(const ScheduleEntry* schedule, int hhmm, int dayOfWeek)
{
    return ScheduleMatches(schedule, 7, hhmm / 100, hhmm % 100, dayOfWeek) ? 1 : 0;
}

BOOL CChannelSession::ChannelBitSet(int mask) const
{
    // Only channels 0..31 have a bit in the mask; a shift by more is undefined.
    int channel = m_pCamera ? m_pCamera->m_channel : -1;
    return channel >= 0 && channel < 32 && (((unsigned)mask >> channel) & 1u) != 0;
}

void CChannelSession::RaiseAlarm(int bits)
{
    m_alarmAccumulated.fetch_or(bits);
    m_alarmPending.fetch_or(bits);
}

void CChannelSession::SwitchOutputs(const int* outputs)
{
    IStationWindows& windows = StationWindows();
    int linkage = windows.GetLinkageHandle();
    for (int k = 0; k < kAlarmOutputs; ++k) {
        if (outputs[k] == 0)
            continue;
        Portwick_SetRelay(linkage, PORTWICK_RELAY_ON, k);
        windows.SetLocalRelayState(k, 1);
    }
}

void CChannelSession::TakeJpeg()
{
    CSingleLock lock(&m_lock, TRUE);
    if (m_jpegHandle == -1)
        StartJpegStream();
    CaptureJpeg();
}

void CChannelSession::StartAlarmRecording(int bits, int showIcon)
{
    CSingleLock lock(&m_lock, TRUE);
    m_lastAlarmTime = Seams::TickCount();
    SetRecording(1, bits, showIcon);
}

void CChannelSession::OnDeviceEvent(int type, int value)
{
    CTermCamera* camera = m_pCamera;
    if (camera == nullptr)
        return;
    TRACE(traceSessions, "session %p: device event %d value 0x%X", (void*)this, type, value);
    BOOL tellPane = FALSE;
    switch (type) {
    case CONDUIT_EVENT_MOTION:
        tellPane = OnMotionEvent(*camera, value);
        break;
    case CONDUIT_EVENT_VIDEO_LOSS:
        tellPane = OnVideoLossEvent(*camera, value);
        break;
    case CONDUIT_EVENT_SENSOR:
        tellPane = OnSensorEvent(*camera, value);
        break;
    case CONDUIT_EVENT_RELAYS:
        tellPane = OnRelaysEvent(value);
        break;
    case CONDUIT_EVENT_CAMERA_INPUT:
        tellPane = OnCameraInputEvent(value);
        break;
    case CONDUIT_EVENT_SERVER_RECORD:
        tellPane = OnServerRecordEvent(value);
        break;
    default:
        break;
    }
    // The pane is told by a posted message only; it checks that the session is still its own.
    IPreviewPane* pane = m_pPane;
    if (tellPane && pane != nullptr)
        pane->PostPaneAlarm(this, PaneAlarmParam(type, value));
}

BOOL CChannelSession::OnMotionEvent(CTermCamera& camera, int value)
{
    if (!m_armed)
        return FALSE;
    if (!ChannelBitSet(value))
        return TRUE;
    {
        CSingleLock lock(&m_lock, TRUE);
        m_noMotionCountdown.Clear();
        if (camera.m_motionAlarmMode) {
            // Motion is what the no-motion alarm waits for: it only starts the wait again.
            m_noMotionCountdown.Arm(camera.m_noMotionSeconds);
            return FALSE;
        }
    }
    WriteLog(SYSLOG_ALARM, SessionString(STR_MOTION_ALARM), DisplayPath());
    if (camera.m_motionRecord)
        StartAlarmRecording(recordMotion, 0);
    if (camera.m_motionSnapshot)
        TakeJpeg();
    SwitchOutputs(camera.m_motionOutputs);
    RaiseAlarm(alarmMotion);
    return TRUE;
}

BOOL CChannelSession::OnVideoLossEvent(CTermCamera& camera, int value)
{
    if (!m_armed)
        return FALSE;
    if (!ChannelBitSet(value))
        return TRUE;
    WriteLog(SYSLOG_ALARM, SessionString(STR_VIDEO_LOSS), DisplayPath());
    RaiseAlarm(alarmVideoLoss);
    SwitchOutputs(camera.m_lossOutputs);
    return TRUE;
}

BOOL CChannelSession::OnSensorEvent(CTermCamera& camera, int value)
{
    if (!m_armed)
        return FALSE;
    for (int i = 0; i < 4; ++i) {
        if ((value & (1 << i)) == 0 || (camera.m_sensorMatchesChannel && i != camera.m_channel))
            continue;
        CString text;
        text.Format(SessionString(STR_SENSOR_ALARM), i + 1);
        CTermServer* server = Server();
        CString detail = DisplayPath() + "->" + (server ? server->m_sensorNames[i] : CString());
        WriteLog(SYSLOG_ALARM, text, detail);
        if (camera.m_sensorRecord[i])
            StartAlarmRecording(recordAlarm, 0);
        if (camera.m_sensorSnapshot[i])
            TakeJpeg();
        SwitchOutputs(camera.m_sensorOutputs[i]);
        RaiseAlarm(SensorBit(i));
    }
    return TRUE;
}

BOOL CChannelSession::OnRelaysEvent(int value)
{
    for (int i = 0; i < 4; ++i)
        m_relayStates[i] = (BYTE)((value >> i) & 1);
    return TRUE;
}

BOOL CChannelSession::OnCameraInputEvent(int value)
{
    if (value >= 0 && value <= 4)
        m_currentInput = value;
    return TRUE;
}

BOOL CChannelSession::OnServerRecordEvent(int value)
{
    m_serverRecordEvent = value;
    m_serverRecording = (BYTE)(value & 1);
    return TRUE;
}

void CChannelSession::OnExternalAlarm(CChannelSession*, int input)
{
    if (input == -1) {
        Connect(1, 0);
        return;
    }
    if (input < 0 || input > 15 || m_pCamera == nullptr)
        return;
    CString text;
    text.Format(SessionString(STR_EXTERNAL_ALARM), input + 1);
    CTermServer* server = Server();
    CString detail = DisplayPath() + "->" + (server ? server->m_alarmInputs[input].GetName() : CString());
    WriteLog(SYSLOG_ALARM, text, detail);
    RaiseAlarm(ExternalBit(input));
    if (!IsConnected())
        return;
    if (m_pCamera->m_externalInputs[input].record)
        StartAlarmRecording(recordAlarm, 1);
    if (m_pCamera->m_externalInputs[input].snapshot)
        TakeJpeg();
    if (m_pPane != nullptr)
        m_pPane->StartAlarmBlink();
}

void CChannelSession::SoundAlarm(int soundIndex, const ScheduleEntry* schedule, const SYSTEMTIME& now)
{
    IStationWindows& windows = StationWindows();
    if (soundIndex >= 0 && soundIndex < 4) {
        CString file = g_pSysParam ? g_pSysParam->m_alarmSound[soundIndex] : CString();
        BOOL admitted = schedule == nullptr || ScheduleMatches(schedule, 7, now);
        if (!file.IsEmpty() && !windows.IsAlarmSoundMarked() && admitted)
            AudioSeams::PlaySound(file, nullptr, SND_ASYNC | SND_LOOP);
        windows.MarkAlarmSound();
    }
    windows.NoteAlarmStarted();
}

void CChannelSession::RecordLinkedCameras(int list, int bits)
{
    if (!m_pCamera->m_linkRecordEnabled)
        return;
    const CArray<CameraLink>& links = m_pCamera->m_links[list];
    for (INT_PTR i = 0; i < links.GetSize(); ++i) {
        CTermCamera* linked = links[i].camera;
        if (linked != nullptr && linked->m_pSession != nullptr)
            linked->m_pSession->StartAlarmRecording(bits, 1);
    }
}

void CChannelSession::ApplyAlarmAction()
{
    IStationWindows& windows = StationWindows();
    int action = g_pSysParam ? g_pSysParam->m_alarmAction : 0;
    BOOL tour = windows.IsTourRunning();
    BOOL mapShown = windows.IsEMapShown();

    if (!mapShown && !tour && action == kAlarmActionPane) {
        if (m_pPane == nullptr && windows.GetDisplayPageCount() > 0 && g_pPageGroup != nullptr) {
            int page = ViewLinks().GetCurrentPage();
            if (page < 0)
                page = 0;
            int pane = 0;
            g_pPageGroup->AddCamera(m_pCamera, page, pane, 1);
        }
        int page = windows.FindPageOfCamera(m_pCamera);
        if (page >= 0 && page != ViewLinks().GetCurrentPage())
            ViewLinks().ShowPage(page, -1, 0);
        int pane = ViewLinks().FindPaneOfCamera(m_pCamera);
        if (pane >= 0)
            windows.SelectPane(pane);
    }

    CVuskEMapDev* device = m_pCamera->m_pEMapDev;
    if (device == nullptr)
        return;
    device->SetAlarm(1);
    if (tour || windows.IsEMapEditorOpen() || action != kAlarmActionMap)
        return;
    if (mapShown) {
        windows.ShowEMapDevice(device);
    } else if (HasRight(rightElectronicMap)) {
        windows.OpenEMap();
        windows.ShowEMapDevice(device);
    }
}

void CChannelSession::ProcessAlarms()
{
    if (m_pCamera == nullptr)
        return;
    SYSTEMTIME now;
    Seams::LocalTime(&now);
    // Taken whole: a bit the library thread raises meanwhile waits for the next pass.
    int pending = m_alarmPending.exchange(0);
    if (pending != 0) {
        int channel = m_pCamera->m_channel;
        int channelSound = channel >= 0 && channel < 4 ? channel : -1;
        if (pending & alarmMotion) {
            SoundAlarm(channelSound, m_pCamera->m_motionSound, now);
            RecordLinkedCameras(linkMotion, recordMotion);
        }
        if (pending & alarmVideoLoss) {
            SoundAlarm(channelSound, m_pCamera->m_lossSound, now);
            RecordLinkedCameras(linkVideoLoss, recordAlarm);
        }
        for (int i = 0; i < 4; ++i) {
            if ((pending & SensorBit(i)) == 0)
                continue;
            SoundAlarm(i, m_pCamera->m_sensorSound[i], now);
            if (m_pCamera->m_pEMapInputs[i])
                m_pCamera->m_pEMapInputs[i]->SetAlarm(1);
            RecordLinkedCameras(i, recordAlarm);
        }
        for (int l = 0; l < 16; ++l) {
            if (pending & ExternalBit(l))
                SoundAlarm(l % 4, nullptr, now);
        }
        ApplyAlarmAction();
        StationWindows().RefreshLocalRelays();
    }

    for (int i = 0; i < 4; ++i) {
        if (m_pCamera->m_pEMapOutputs[i])
            m_pCamera->m_pEMapOutputs[i]->SetAlarm(m_relayStates[i]);
    }
    if (IsOpen() && m_pCamera->m_timedSnapshot) {
        ++m_snapshotTicks;
        if ((unsigned)m_snapshotTicks >= (unsigned)m_pCamera->m_timedSnapshotSeconds) {
            TakeJpeg();
            m_snapshotTicks = 0;
        }
    }
}

void CChannelSession::ClearAlarm()
{
    if (IsOpen())
        Conduit_ClearAlarm(m_liveHandle);
    if (m_pPane != nullptr)
        m_pPane->StopAlarmBlink();
    m_alarmAccumulated = 0;
    m_alarmPending = 0;
    if (m_pCamera == nullptr)
        return;
    if (m_pCamera->m_pEMapDev)
        m_pCamera->m_pEMapDev->SetAlarm(0);
    for (CVuskEMapDev* input : m_pCamera->m_pEMapInputs) {
        if (input)
            input->SetAlarm(0);
    }
}

void CChannelSession::ApplyNoMotionAlarm()
{
    if (m_pCamera == nullptr)
        return;
    if (m_pCamera->m_motionAlarmMode) {
        ClearAlarm();
        CSingleLock lock(&m_lock, TRUE);
        m_noMotionCountdown.Arm(m_pCamera->m_noMotionSeconds);
    } else {
        CSingleLock lock(&m_lock, TRUE);
        m_noMotionCountdown.Clear();
    }
}

void CChannelSession::OnNoMotionTick()
{
    {
        CSingleLock lock(&m_lock, TRUE);
        m_noMotionCountdown.Clear();
        if (m_pCamera == nullptr || !m_pCamera->m_motionAlarmMode)
            return;
        m_noMotionCountdown.Arm(m_pCamera->m_noMotionSeconds);
    }
    if (m_stayConnected == 1)
        ReportConnectProblem(SessionString(STR_NO_MOTION));
}
