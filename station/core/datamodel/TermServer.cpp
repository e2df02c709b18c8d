// The server record: defaults, stored fields and the operations over its cameras.
#include "station/core/datamodel/TermServer.h"

#include "station/core/datamodel/StationArchive.h"
#include "station/core/datamodel/StationLinks.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"

IMPLEMENT_SERIAL(CTermServer, CObject, 0)

namespace {

// The default inputs and sensor names are the same for every server; they are formatted once,
// since formatting twenty names per server would be a good part of loading a large tree.
struct ServerDefaults {
    AlarmInputConfig inputs[16];
    CString sensorNames[4];

    ServerDefaults()
    {
        for (int i = 0; i < 16; ++i)
            inputs[i].SetDefaults(i + 1);
        for (int i = 0; i < 4; ++i)
            sensorNames[i].Format("报警输入%d", i + 1);
    }
};

const ServerDefaults& Defaults()
{
    static const ServerDefaults defaults;
    return defaults;
}

} // namespace

CTermServer::CTermServer()
    : m_id(0), m_channelCount(0), m_port(0), m_useDdns(0), m_alarmBoxEnabled(0), m_alarmBoxProtocol(0), m_serialPort(0),
      m_boxAddress(0), m_baudRate(9600), m_dataBits(8), m_stopBits(1), m_parity(0), m_flowControl(0), m_pollSeconds(2),
      m_alarmIntervalSeconds(10), m_pParent(nullptr), m_pAlarmBoxPoller(nullptr)
{
    const ServerDefaults& defaults = Defaults();
    for (int i = 0; i < 16; ++i)
        m_alarmInputs[i] = defaults.inputs[i];
    for (int i = 0; i < 4; ++i)
        m_sensorNames[i] = defaults.sensorNames[i];
}

CTermServer::~CTermServer()
{
    if (m_pAlarmBoxPoller != nullptr) {
        CAlarmBoxPoller* poller = m_pAlarmBoxPoller;
        m_pAlarmBoxPoller = nullptr;
        SessionLinks().DestroyAlarmBoxPoller(poller);
    }
    DeleteAll(m_cameras);
}

void CTermServer::Serialize(CArchive& ar)
{
    SerializeValues(ar, m_id, m_name, m_channelCount, m_port, m_address, m_useDdns, m_user, m_password,
                    m_alarmBoxEnabled, m_alarmBoxProtocol, m_serialPort, m_boxAddress, m_baudRate, m_dataBits,
                    m_stopBits, m_parity, m_flowControl, m_pollSeconds, m_alarmIntervalSeconds);
    for (AlarmInputConfig& input : m_alarmInputs)
        input.Serialize(ar);
    for (CString& name : m_sensorNames)
        SerializeValue(ar, name);
    SerializeOwnedList(ar, m_cameras);
    if (ar.IsLoading())
        BindCameras();
}

template <class F> void CTermServer::ForEachSession(F f) const
{
    for (POSITION pos = m_cameras.GetHeadPosition(); pos;) {
        CTermCamera* camera = m_cameras.GetNext(pos);
        if (camera->m_pSession)
            f(camera->m_pSession);
    }
}

void CTermServer::BindCameras()
{
    for (POSITION pos = m_cameras.GetHeadPosition(); pos;)
        m_cameras.GetNext(pos)->m_pServer = this;
}

BOOL CTermServer::OwnsSession(CChannelSession* session) const
{
    if (session == nullptr)
        return FALSE;
    for (POSITION pos = m_cameras.GetHeadPosition(); pos;) {
        if (m_cameras.GetNext(pos)->m_pSession == session)
            return TRUE;
    }
    return FALSE;
}

CTermCamera* CTermServer::FindCamera(int channel) const
{
    for (POSITION pos = m_cameras.GetHeadPosition(); pos;) {
        CTermCamera* camera = m_cameras.GetNext(pos);
        if (camera->m_channel == channel)
            return camera;
    }
    return nullptr;
}

BOOL CTermServer::CameraNameClash(const CTermCamera* ignore, LPCSTR name) const
{
    if (ignore == nullptr)
        return FALSE;
    for (POSITION pos = m_cameras.GetHeadPosition(); pos;) {
        CTermCamera* camera = m_cameras.GetNext(pos);
        if (camera != ignore && camera->m_name.Compare(name) == 0)
            return TRUE;
    }
    return FALSE;
}

void CTermServer::SetRecordingAll(int on, int reasonBits)
{
    ForEachSession([&](CChannelSession* session) { SessionLinks().SetRecording(session, on, reasonBits); });
}

void CTermServer::AudioOffAll()
{
    ForEachSession([&](CChannelSession* session) { SessionLinks().SetAudio(session, 0); });
}

void CTermServer::ClearAlarmsAll()
{
    ForEachSession([&](CChannelSession* session) { SessionLinks().ClearAlarm(session); });
}

CString CTermServer::JoinedPath(LPCSTR separator) const
{
    CString path = m_name;
    for (const CTermData* group = m_pParent; group != nullptr; group = group->m_pParent)
        path = group->m_name + separator + path;
    return path;
}

void CTermServer::GetTreePath(CString& out) const
{
    out = JoinedPath(":");
}

void CTermServer::ResolveCameraLinks()
{
    for (POSITION pos = m_cameras.GetHeadPosition(); pos;)
        m_cameras.GetNext(pos)->ResolveLinks();
}

CChannelSession* CTermServer::FindSessionByKeyboardNo(int keyboardNumber) const
{
    for (POSITION pos = m_cameras.GetHeadPosition(); pos;) {
        CTermCamera* camera = m_cameras.GetNext(pos);
        if (camera->m_keyboardNumber == keyboardNumber && camera->m_pSession)
            return camera->m_pSession;
    }
    return nullptr;
}

void CTermServer::CloseAllSessions()
{
    for (POSITION pos = m_cameras.GetHeadPosition(); pos;)
        m_cameras.GetNext(pos)->DestroySession();
}
