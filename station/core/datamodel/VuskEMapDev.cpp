// A map device, its record and its binding into the camera records.
#include "station/core/datamodel/VuskEMapDev.h"

#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationArchive.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationLinks.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"

IMPLEMENT_SERIAL(CVuskEMapDev, CObject, 0)

namespace {

BOOL IsSlotKind(int kind)
{
    return kind == emapAlarmInput || kind == emapAlarmOutput;
}

CVuskEMapDev** SlotOf(CTermCamera* camera, int kind, int index)
{
    return kind == emapAlarmInput ? &camera->m_pEMapInputs[index] : &camera->m_pEMapOutputs[index];
}

} // namespace

CVuskEMapDev::CVuskEMapDev()
    : m_kind(emapCamera), m_x(0), m_y(0), m_width(80), m_height(60), m_serverId(0), m_index(0), m_pScene(nullptr),
      m_pServer(nullptr), m_pIcon(nullptr), m_alarmState(0)
{
}

CVuskEMapDev::~CVuskEMapDev()
{
    Unbind();
}

void CVuskEMapDev::Serialize(CArchive& ar)
{
    SerializeValues(ar, m_kind, m_x, m_y, m_width, m_height, m_name, m_serverId, m_index);
    if (ar.IsLoading() && IsSlotKind(m_kind))
        CheckLoadedRange(ar, m_index, 0, 3);
}

BOOL CVuskEMapDev::TargetExists() const
{
    CTermServer* server = g_pRecGroup ? g_pRecGroup->FindServerById(m_serverId) : nullptr;
    if (server == nullptr)
        return FALSE;
    return m_kind != emapCamera || server->FindCamera(m_index) != nullptr;
}

void CVuskEMapDev::Link()
{
    m_pServer = g_pRecGroup ? g_pRecGroup->FindServerById(m_serverId) : nullptr;
    if (m_pServer == nullptr)
        return;
    CString path = m_pServer->JoinedPath(":");
    if (m_kind == emapCamera) {
        CTermCamera* camera = m_pServer->FindCamera(m_index);
        if (camera == nullptr || camera->m_disabled) {
            // A disabled camera's device stays on its scene, unbound, still named.
            m_caption = path + ":" + m_name;
            m_pServer = nullptr;
            return;
        }
        m_name = camera->m_name;
        m_caption = path + ":" + m_name;
        camera->m_pEMapDev = this;
        return;
    }
    m_caption = path + ":" + m_name;
    if (!IsSlotKind(m_kind) || m_index < 0 || m_index > 3)
        return;
    for (POSITION pos = m_pServer->m_cameras.GetHeadPosition(); pos;) {
        CTermCamera* camera = m_pServer->m_cameras.GetNext(pos);
        if (!camera->m_disabled)
            *SlotOf(camera, m_kind, m_index) = this;
    }
}

void CVuskEMapDev::Unbind()
{
    // Looked up afresh: the tree may have been rebuilt since the device was bound.
    CTermServer* server = g_pRecGroup ? g_pRecGroup->FindServerById(m_serverId) : nullptr;
    if (server == nullptr)
        return;
    for (POSITION pos = server->m_cameras.GetHeadPosition(); pos;) {
        CTermCamera* camera = server->m_cameras.GetNext(pos);
        if (camera->m_pEMapDev == this)
            camera->m_pEMapDev = nullptr;
        for (int i = 0; i < 4; ++i) {
            if (camera->m_pEMapInputs[i] == this)
                camera->m_pEMapInputs[i] = nullptr;
            if (camera->m_pEMapOutputs[i] == this)
                camera->m_pEMapOutputs[i] = nullptr;
        }
    }
}

void CVuskEMapDev::SetAlarm(int state)
{
    if (state == m_alarmState)
        return;
    m_alarmState = state;
    if (m_pIcon)
        MapLinks().SetIconAlarm(m_pIcon, state);
}
