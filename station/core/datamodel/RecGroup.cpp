// The server-tree root: its file, its failure action and the searches over the whole tree.
#include "station/core/datamodel/RecGroup.h"

#include "station/core/datamodel/StationArchive.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"

IMPLEMENT_SERIAL(CRecGroup, CObject, 0)

namespace {

const char kServerTreeFile[] = "servertree.cfg";

} // namespace

CRecGroup::CRecGroup() : m_magic(kServerTreeMagic), m_version(kServerTreeVersion), m_nextServerId(0)
{
    Load();
}

CRecGroup::~CRecGroup()
{
    DeleteAll(m_projects);
}

void CRecGroup::Reset()
{
    DeleteAll(m_projects);
    m_magic = kServerTreeMagic;
    m_version = kServerTreeVersion;
    m_rootCaption.Empty();
    m_nextServerId = 0;
}

void CRecGroup::Serialize(CArchive& ar)
{
    SerializeValues(ar, m_magic, m_version, m_rootCaption, m_nextServerId);
    SerializeOwnedList(ar, m_projects);
}

void CRecGroup::Save(LPCSTR path)
{
    SaveArchiveFile(StationFilePath(kServerTreeFile, path), *this);
}

void CRecGroup::Load(LPCSTR path)
{
    CString file = StationFilePath(kServerTreeFile, path);
    Reset();
    if (LoadArchiveFile(file, kServerTreeMagic, *this) != archiveLoaded) {
        // The fresh file goes where the unreadable one was, never over another file.
        Reset();
        Save(file);
    }
    BindParents();
}

void CRecGroup::BindParents()
{
    for (POSITION pos = m_projects.GetHeadPosition(); pos;) {
        CTermData* project = m_projects.GetNext(pos);
        project->m_pParent = nullptr;
        project->BindParents();
    }
}

CTermData* CRecGroup::AddGroup(CTermData* parent, LPCSTR name)
{
    CTermData* group = new CTermData;
    group->m_name = name;
    group->m_pParent = parent;
    if (parent)
        parent->m_childGroups.AddTail(group);
    else
        m_projects.AddTail(group);
    return group;
}

BOOL CRecGroup::ProjectExists(LPCSTR name) const
{
    for (POSITION pos = m_projects.GetHeadPosition(); pos;) {
        if (m_projects.GetNext(pos)->m_name.Compare(name) == 0)
            return TRUE;
    }
    return FALSE;
}

BOOL CRecGroup::GroupNameClash(CTermData* parent, const CTermData* ignore, LPCSTR name) const
{
    const CTypedPtrList<CObList, CTermData*>& groups = parent ? parent->m_childGroups : m_projects;
    for (POSITION pos = groups.GetHeadPosition(); pos;) {
        CTermData* group = groups.GetNext(pos);
        if (group != ignore && group->m_name.Compare(name) == 0)
            return TRUE;
    }
    return FALSE;
}

void CRecGroup::RemoveGroup(CTermData* parent, LPCSTR name)
{
    if (parent) {
        parent->RemoveChild(name);
        return;
    }
    RemoveAndDeleteNamed(m_projects, name);
}

void CRecGroup::CloseAllSessions()
{
    for (POSITION pos = m_projects.GetHeadPosition(); pos;)
        m_projects.GetNext(pos)->CloseAllSessions();
}

BOOL CRecGroup::HasServers() const
{
    for (POSITION pos = m_projects.GetHeadPosition(); pos;) {
        if (m_projects.GetNext(pos)->HasServers())
            return TRUE;
    }
    return FALSE;
}

void CRecGroup::SetRecordingAll(int on, int reasonBits)
{
    for (POSITION pos = m_projects.GetHeadPosition(); pos;)
        m_projects.GetNext(pos)->SetRecordingAll(on, reasonBits);
}

CTermServer* CRecGroup::FindServerByName(LPCSTR name, const CTermServer* ignore) const
{
    for (POSITION pos = m_projects.GetHeadPosition(); pos;) {
        CTermServer* found = m_projects.GetNext(pos)->FindServerByName(name, ignore);
        if (found)
            return found;
    }
    return nullptr;
}

void CRecGroup::AudioOffAll()
{
    for (POSITION pos = m_projects.GetHeadPosition(); pos;)
        m_projects.GetNext(pos)->AudioOffAll();
}

void CRecGroup::ClearAlarmsAll()
{
    for (POSITION pos = m_projects.GetHeadPosition(); pos;)
        m_projects.GetNext(pos)->ClearAlarmsAll();
}

CTermServer* CRecGroup::FindServerById(int id) const
{
    for (POSITION pos = m_projects.GetHeadPosition(); pos;) {
        CTermServer* found = m_projects.GetNext(pos)->FindServerById(id);
        if (found)
            return found;
    }
    return nullptr;
}

BOOL CRecGroup::OwnsSession(CChannelSession* session) const
{
    if (session == nullptr)
        return FALSE;
    for (POSITION pos = m_projects.GetHeadPosition(); pos;) {
        if (m_projects.GetNext(pos)->OwnsSession(session))
            return TRUE;
    }
    return FALSE;
}

void CRecGroup::ResolveCameraLinks()
{
    for (POSITION pos = m_projects.GetHeadPosition(); pos;)
        m_projects.GetNext(pos)->ResolveCameraLinks();
}

CChannelSession* CRecGroup::FindSessionByKeyboardNo(int keyboardNumber) const
{
    for (POSITION pos = m_projects.GetHeadPosition(); pos;) {
        CChannelSession* session = m_projects.GetNext(pos)->FindSessionByKeyboardNo(keyboardNumber);
        if (session)
            return session;
    }
    return nullptr;
}

CTermCamera* CRecGroup::FindCamera(int serverId, int channel) const
{
    CTermServer* server = FindServerById(serverId);
    return server ? server->FindCamera(channel) : nullptr;
}
