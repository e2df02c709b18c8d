// The broadcast targets and "broadcast.cfg".
#include "station/core/datamodel/VuskAudioBroadcast.h"

#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationArchive.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/TermServer.h"

IMPLEMENT_SERIAL(CVuskAudioBroadcast, CObject, 0)

namespace {

const char kBroadcastFile[] = "broadcast.cfg";

} // namespace

CVuskAudioBroadcast::CVuskAudioBroadcast() : m_count(0), m_magic(kBroadcastMagic), m_version(kBroadcastVersion)
{
    for (int i = 0; i < kBroadcastTargets; ++i) {
        m_servers[i] = nullptr;
        m_serverIds[i] = -1;
    }
}

void CVuskAudioBroadcast::Serialize(CArchive& ar)
{
    SerializeValues(ar, m_magic, m_version, m_count);
    if (ar.IsLoading())
        CheckLoadedRange(ar, m_count, 0, kBroadcastTargets);
    SerializeArray(ar, m_serverIds);
}

int CVuskAudioBroadcast::Save(LPCSTR path)
{
    return SaveArchiveFile(StationFilePath(kBroadcastFile, path), *this) ? 1 : 0;
}

int CVuskAudioBroadcast::Load(LPCSTR path)
{
    for (CTermServer*& server : m_servers)
        server = nullptr;
    if (LoadArchiveFile(StationFilePath(kBroadcastFile, path), kBroadcastMagic, *this) == archiveLoaded) {
        ResolveServers();
        return 1;
    }
    m_count = 0;
    m_magic = kBroadcastMagic;
    m_version = kBroadcastVersion;
    for (int& id : m_serverIds)
        id = -1;
    return 0;
}

void CVuskAudioBroadcast::ResolveServers()
{
    for (int i = 0; i < m_count;) {
        m_servers[i] = g_pRecGroup ? g_pRecGroup->FindServerById(m_serverIds[i]) : nullptr;
        if (m_servers[i] == nullptr && g_pRecGroup != nullptr)
            RemoveAt(i);
        else
            ++i;
    }
}

int CVuskAudioBroadcast::RemoveAt(int i)
{
    if (i < 0 || i >= m_count)
        return 0;
    for (int j = i; j + 1 < m_count; ++j) {
        m_serverIds[j] = m_serverIds[j + 1];
        m_servers[j] = m_servers[j + 1];
    }
    --m_count;
    return 1;
}

int CVuskAudioBroadcast::Contains(int id) const
{
    for (int i = 0; i < m_count; ++i) {
        if (m_serverIds[i] == id)
            return 1;
    }
    return 0;
}

int CVuskAudioBroadcast::AddServer(CTermServer* server)
{
    if (server == nullptr || m_count >= kBroadcastTargets || Contains(server->m_id))
        return 0;
    m_serverIds[m_count] = server->m_id;
    m_servers[m_count] = server;
    ++m_count;
    return 1;
}

int CVuskAudioBroadcast::RemoveServer(CTermServer* server)
{
    if (server == nullptr)
        return 0;
    for (int i = 0; i < m_count; ++i) {
        if (m_serverIds[i] == server->m_id)
            return RemoveAt(i);
    }
    return 0;
}
