// The camera record: defaults, its stored fields, paths and the binding of its camera links.
#include "station/core/datamodel/TermCamera.h"

#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationArchive.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationLinks.h"
#include "station/core/datamodel/TermServer.h"

IMPLEMENT_SERIAL(CTermCamera, CObject, 0)

namespace {

// A variable array stored as a 32-bit count and its elements. On loading the elements are read
// one at a time, so that a damaged count runs into the end of the data instead of sizing anything.
template <class T, class Exchange> void SerializeCounted(CArchive& ar, CArray<T>& items, Exchange exchange)
{
    int count = (int)items.GetSize();
    SerializeValue(ar, count);
    if (ar.IsStoring()) {
        for (int i = 0; i < count; ++i)
            exchange(items[i]);
        return;
    }
    if (count < 0)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    items.RemoveAll();
    for (int i = 0; i < count; ++i) {
        T item{};
        exchange(item);
        items.Add(item);
    }
}

} // namespace

CTermCamera::CTermCamera()
    : m_reserved(0), m_channel(0), m_transport(3), m_playSmoothness(10), m_forwardSmoothness(10), m_decodeQuality(0),
      m_alarmDelaySeconds(30), m_motionRecord(0), m_motionSnapshot(0), m_disabled(0), m_motionAlarmMode(0),
      m_noMotionSeconds(1000), m_sensorMatchesChannel(0), m_videoSwitchMode(0), m_timedSnapshot(0),
      m_timedSnapshotSeconds(0), m_previewOnConnect(1), m_keyboardNumber(0), m_linkRecordEnabled(0),
      m_talkAlarmOutput(4), m_talkResetSeconds(0), m_matrixMonitor(1), m_matrixNetwork(0), m_matrixValue(1),
      m_pSession(nullptr), m_pEMapDev(nullptr), m_pServer(nullptr)
{
    for (RecordScheduleEntry& entry : m_recordSchedule)
        entry = RecordScheduleEntry{scheduleOff, 0, 0, 0, 0};
    memset(m_sensorRecord, 0, sizeof(m_sensorRecord));
    memset(m_sensorSnapshot, 0, sizeof(m_sensorSnapshot));
    memset(m_externalInputs, 0, sizeof(m_externalInputs));
    memset(m_sensorOutputs, 0, sizeof(m_sensorOutputs));
    memset(m_motionOutputs, 0, sizeof(m_motionOutputs));
    memset(m_lossOutputs, 0, sizeof(m_lossOutputs));
    for (auto& sensor : m_sensorSound) {
        for (ScheduleEntry& entry : sensor)
            entry.Set(0, 0, 23, 59, scheduleEveryDay);
    }
    for (int i = 0; i < 7; ++i) {
        m_motionSound[i].Set(0, 0, 23, 59, scheduleEveryDay);
        m_lossSound[i].Set(0, 0, 23, 59, scheduleEveryDay);
    }
    for (int i = 0; i < 4; ++i)
        m_pEMapInputs[i] = m_pEMapOutputs[i] = nullptr;
}

CTermCamera::~CTermCamera()
{
    DestroySession();
}

void CTermCamera::DestroySession()
{
    if (m_pSession == nullptr)
        return;
    CChannelSession* session = m_pSession;
    m_pSession = nullptr;
    SessionLinks().DestroySession(session);
}

void CTermCamera::Serialize(CArchive& ar)
{
    SerializeValues(ar, m_name, m_reserved, m_channel, m_transport, m_playSmoothness, m_forwardSmoothness,
                    m_decodeQuality, m_alarmDelaySeconds);
    SerializeArray(ar, m_recordSchedule);
    SerializeArray(ar, m_sensorRecord);
    SerializeValue(ar, m_motionRecord);
    SerializeArray(ar, m_sensorSnapshot);
    SerializeValues(ar, m_motionSnapshot, m_disabled);
    SerializeArray(ar, m_externalInputs);
    SerializeValues(ar, m_motionAlarmMode, m_noMotionSeconds, m_sensorMatchesChannel, m_videoSwitchMode,
                    m_timedSnapshot, m_timedSnapshotSeconds, m_previewOnConnect, m_description);
    SerializeCounted(ar, m_presetTour, [&ar](PresetTourEntry& e) { SerializeValues(ar, e.preset, e.dwellSeconds); });
    SerializeArray(ar, m_sensorOutputs);
    SerializeArray(ar, m_motionOutputs);
    SerializeArray(ar, m_lossOutputs);
    SerializeValue(ar, m_keyboardNumber);
    SerializeSchedules(ar, &m_sensorSound[0][0], 4 * 7);
    SerializeSchedules(ar, m_motionSound, 7);
    SerializeSchedules(ar, m_lossSound, 7);
    for (CArray<CameraLink>& links : m_links)
        SerializeCounted(ar, links, [&ar](CameraLink& link) { SerializeValues(ar, link.serverId, link.channel); });
    SerializeValues(ar, m_linkRecordEnabled, m_talkAlarmOutput, m_talkResetSeconds, m_matrixControlFile,
                    m_matrixMonitor, m_matrixNetwork, m_matrixValue);
    SerializeCounted(ar, m_matrixChannelNames,
                     [&ar](MatrixChannelName& entry) { SerializeValues(ar, entry.number, entry.name); });
}

CString CTermCamera::GetDisplayPath() const
{
    CString server = m_pServer ? m_pServer->JoinedPath("->") : CString();
    return server.IsEmpty() ? m_name : server + "->" + m_name;
}

CString CTermCamera::GetTreePath() const
{
    CString server = m_pServer ? m_pServer->JoinedPath(":") : CString();
    return server.IsEmpty() ? m_name : server + ":" + m_name;
}

BOOL CTermCamera::IsRecordScheduled(int hour, int minute, int weekday) const
{
    for (const RecordScheduleEntry& e : m_recordSchedule) {
        if (ScheduleWindowMatches(e.days, e.startHour, e.startMinute, e.endHour, e.endMinute, hour, minute, weekday))
            return TRUE;
    }
    return FALSE;
}

void CTermCamera::ResolveLinks()
{
    if (g_pRecGroup == nullptr)
        return;
    for (CArray<CameraLink>& links : m_links) {
        for (INT_PTR i = 0; i < links.GetSize();) {
            CameraLink& link = links[i];
            CTermCamera* camera = g_pRecGroup->FindCamera(link.serverId, link.channel);
            if (camera == nullptr) {
                links.RemoveAt(i);
                continue;
            }
            // A camera without a session keeps its link, so that it comes back with the session.
            link.camera = camera->m_pSession ? camera : nullptr;
            ++i;
        }
    }
}
