// The group record and its recursive operations over child groups and servers.
#include "station/core/datamodel/TermData.h"

#include "station/core/datamodel/StationArchive.h"
#include "station/core/datamodel/TermServer.h"

IMPLEMENT_SERIAL(CTermData, CObject, 0)

CTermData::CTermData() : m_pParent(nullptr) {}

CTermData::~CTermData()
{
    DeleteAll(m_childGroups);
    DeleteAll(m_servers);
}

void CTermData::Serialize(CArchive& ar)
{
    SerializeValue(ar, m_name);
    SerializeOwnedList(ar, m_childGroups);
    SerializeOwnedList(ar, m_servers);
}

void CTermData::BindParents()
{
    for (POSITION pos = m_childGroups.GetHeadPosition(); pos;) {
        CTermData* group = m_childGroups.GetNext(pos);
        group->m_pParent = this;
        group->BindParents();
    }
    for (POSITION pos = m_servers.GetHeadPosition(); pos;) {
        CTermServer* server = m_servers.GetNext(pos);
        server->m_pParent = this;
        server->BindCameras();
    }
}

BOOL CTermData::NameInUse(LPCSTR name) const
{
    for (POSITION pos = m_childGroups.GetHeadPosition(); pos;) {
        if (m_childGroups.GetNext(pos)->m_name.Compare(name) == 0)
            return TRUE;
    }
    for (POSITION pos = m_servers.GetHeadPosition(); pos;) {
        if (m_servers.GetNext(pos)->m_name.Compare(name) == 0)
            return TRUE;
    }
    return FALSE;
}

void CTermData::RemoveChild(LPCSTR name)
{
    if (!RemoveAndDeleteNamed(m_childGroups, name))
        RemoveAndDeleteNamed(m_servers, name);
}

void CTermData::CloseAllSessions()
{
    ForEachServer([&](CTermServer* server) { server->CloseAllSessions(); });
}

BOOL CTermData::HasServers() const
{
    if (!m_servers.IsEmpty())
        return TRUE;
    for (POSITION pos = m_childGroups.GetHeadPosition(); pos;) {
        if (m_childGroups.GetNext(pos)->HasServers())
            return TRUE;
    }
    return FALSE;
}

void CTermData::SetRecordingAll(int on, int reasonBits)
{
    ForEachServer([&](CTermServer* server) { server->SetRecordingAll(on, reasonBits); });
}

CTermServer* CTermData::FindServerByName(LPCSTR name, const CTermServer* ignore) const
{
    for (POSITION pos = m_childGroups.GetHeadPosition(); pos;) {
        CTermServer* found = m_childGroups.GetNext(pos)->FindServerByName(name, ignore);
        if (found)
            return found;
    }
    for (POSITION pos = m_servers.GetHeadPosition(); pos;) {
        CTermServer* server = m_servers.GetNext(pos);
        if (server != ignore && server->m_name.Compare(name) == 0)
            return server;
    }
    return nullptr;
}

void CTermData::AudioOffAll()
{
    ForEachServer([&](CTermServer* server) { server->AudioOffAll(); });
}

void CTermData::ClearAlarmsAll()
{
    ForEachServer([&](CTermServer* server) { server->ClearAlarmsAll(); });
}

template <class R, class F> R CTermData::FirstOwnServersFirst(F f) const
{
    for (POSITION pos = m_servers.GetHeadPosition(); pos;) {
        if (R found = f(m_servers.GetNext(pos)))
            return found;
    }
    for (POSITION pos = m_childGroups.GetHeadPosition(); pos;) {
        if (R found = m_childGroups.GetNext(pos)->FirstOwnServersFirst<R>(f))
            return found;
    }
    return R();
}

CTermServer* CTermData::FindServerById(int id) const
{
    return FirstOwnServersFirst<CTermServer*>([id](CTermServer* s) { return s->m_id == id ? s : nullptr; });
}

BOOL CTermData::OwnsSession(CChannelSession* session) const
{
    return FirstOwnServersFirst<BOOL>([session](CTermServer* s) { return s->OwnsSession(session); });
}

void CTermData::ResolveCameraLinks()
{
    FirstOwnServersFirst<BOOL>([](CTermServer* s) {
        s->ResolveCameraLinks();
        return FALSE;
    });
}

CChannelSession* CTermData::FindSessionByKeyboardNo(int keyboardNumber) const
{
    return FirstOwnServersFirst<CChannelSession*>(
        [keyboardNumber](CTermServer* s) { return s->FindSessionByKeyboardNo(keyboardNumber); });
}
