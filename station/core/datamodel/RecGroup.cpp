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
    return GroupNameClash(nullptr, nullptr, name);
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

template <class R, class F> R CRecGroup::FirstOfProjects(F f) const
{
    for (POSITION pos = m_projects.GetHeadPosition(); pos;) {
        if (R found = f(m_projects.GetNext(pos)))
            return found;
    }
    return R();
}

void CRecGroup::CloseAllSessions()
{
    ForEachServer([](CTermServer* server) { server->CloseAllSessions(); });
}

BOOL CRecGroup::HasServers() const
{
    BOOL any = FALSE;
    ForEachServer([&any](CTermServer*) { any = TRUE; });
    return any;
}

void CRecGroup::SetRecordingAll(int on, int reasonBits)
{
    ForEachServer([&](CTermServer* server) { server->SetRecordingAll(on, reasonBits); });
}

CTermServer* CRecGroup::FindServerByName(LPCSTR name, const CTermServer* ignore) const
{
    CTermServer* found = nullptr;
    ForEachServer([&](CTermServer* server) {
        if (found == nullptr && server != ignore && server->m_name.Compare(name) == 0)
            found = server;
    });
    return found;
}

void CRecGroup::AudioOffAll()
{
    ForEachServer([](CTermServer* server) { server->AudioOffAll(); });
}

void CRecGroup::ClearAlarmsAll()
{
    ForEachServer([](CTermServer* server) { server->ClearAlarmsAll(); });
}

CTermServer* CRecGroup::FindServerById(int id) const
{
    return FirstOfProjects<CTermServer*>([id](CTermData* project) { return project->FindServerById(id); });
}

BOOL CRecGroup::OwnsSession(CChannelSession* session) const
{
    BOOL owned = FALSE;
    if (session != nullptr)
        ForEachCamera([&](CTermCamera* camera) { owned = owned || camera->m_pSession == session; });
    return owned;
}

void CRecGroup::ResolveCameraLinks()
{
    ForEachCamera([](CTermCamera* camera) { camera->ResolveLinks(); });
}

CChannelSession* CRecGroup::FindSessionByKeyboardNo(int keyboardNumber) const
{
    return FirstOfProjects<CChannelSession*>(
        [keyboardNumber](CTermData* project) { return project->FindSessionByKeyboardNo(keyboardNumber); });
}

CTermCamera* CRecGroup::FindCamera(int serverId, int channel) const
{
    CTermServer* server = FindServerById(serverId);
    return server ? server->FindCamera(channel) : nullptr;
}
