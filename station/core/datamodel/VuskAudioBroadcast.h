// CVuskAudioBroadcast: the servers the voice broadcast speaks to, the root of "broadcast.cfg"
// (812 bytes: magic, version, count and 200 server identifiers, written without object records).
#pragma once

#include <afx.h>

class CTermServer;

const DWORD kBroadcastMagic = 0x78F0B589;
const DWORD kBroadcastVersion = 1;
const int kBroadcastTargets = 200;

class CVuskAudioBroadcast : public CObject {
    DECLARE_SERIAL(CVuskAudioBroadcast)
public:
    CVuskAudioBroadcast();

    // A count outside 0..200 fails the load.
    void Serialize(CArchive& ar) override;

    // 1 when written; 0 on any failure (the old file then stays).
    int Save(LPCSTR path = nullptr);
    // Reads and resolves: 1. When the file cannot be read the list is empty: 0; nothing is
    // written (an unreadable file is kept aside as ".bad").
    int Load(LPCSTR path = nullptr);

    // An identifier whose server no longer exists is removed.
    void ResolveServers();
    // 0 for i outside 0..count-1; else the later entries move down one place: 1.
    int RemoveAt(int i);
    int Contains(int id) const;
    // 0 for null, a server already listed or a full list; else appended: 1.
    int AddServer(CTermServer* server);
    // 0 when the server is not listed.
    int RemoveServer(CTermServer* server);

    CTermServer* m_servers[kBroadcastTargets]; // not stored; resolved at load
    int m_count;
    int m_serverIds[kBroadcastTargets]; // -1 = empty
    DWORD m_magic;
    DWORD m_version;
};
