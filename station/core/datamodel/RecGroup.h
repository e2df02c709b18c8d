// CRecGroup: the root of the server tree, "servertree.cfg": the project name, the next server
// identifier and the projects with every group, server and camera below them.
#pragma once

#include <afxtempl.h>

#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"

class CChannelSession;
class CTermCamera;

const DWORD kServerTreeMagic = 0xCCBBAA12;
const DWORD kServerTreeVersion = 0x05092901;

class CRecGroup : public CObject {
    DECLARE_SERIAL(CRecGroup)
public:
    // Loads "servertree.cfg" of the start directory and binds the parent pointers.
    CRecGroup();
    ~CRecGroup() override;

    void Serialize(CArchive& ar) override;

    // To the path, or to "servertree.cfg" in the start directory. Failures are silent; the file
    // on the disk is then the one before.
    void Save(LPCSTR path = nullptr);
    // From the path or the default file. When it cannot be read the tree is emptied and a fresh
    // file replaces it at once (the unreadable one kept aside as ".bad").
    void Load(LPCSTR path = nullptr);

    // Appends a new group to the parent's child groups, or to the projects without a parent.
    CTermData* AddGroup(CTermData* parent, LPCSTR name);
    BOOL ProjectExists(LPCSTR name) const;
    // 1 when a group other than ignore among the parent's child groups (the projects without a
    // parent) bears the name.
    BOOL GroupNameClash(CTermData* parent, const CTermData* ignore, LPCSTR name) const;
    void RemoveGroup(CTermData* parent, LPCSTR name);
    void CloseAllSessions();
    BOOL HasServers() const;
    void SetRecordingAll(int on, int reasonBits);
    // In every group its child groups are searched before its own servers.
    CTermServer* FindServerByName(LPCSTR name, const CTermServer* ignore) const;
    void AudioOffAll();
    void ClearAlarmsAll();
    // In every group its own servers are searched before its child groups.
    CTermServer* FindServerById(int id) const;
    BOOL OwnsSession(CChannelSession* session) const;
    void ResolveCameraLinks();
    CChannelSession* FindSessionByKeyboardNo(int keyboardNumber) const;

    // The camera of a stored (server identifier, channel) reference, or null when either is gone.
    CTermCamera* FindCamera(int serverId, int channel) const;

    // f (server) for every server of every project; in each group its child groups before its own servers.
    template <class F> void ForEachServer(F f) const
    {
        for (POSITION pos = m_projects.GetHeadPosition(); pos;)
            m_projects.GetNext(pos)->ForEachServer(f);
    }
    // f (camera) for every camera, in ForEachServer's order of servers and each server's camera order.
    template <class F> void ForEachCamera(F f) const
    {
        ForEachServer([&](CTermServer* server) { server->ForEachCamera(f); });
    }

    DWORD m_magic;
    DWORD m_version;       // stored as read, never compared
    CString m_rootCaption; // the project name; while empty the server trees show nothing
    int m_nextServerId;
    CTypedPtrList<CObList, CTermData*> m_projects; // owned, in display order

private:
    // The first non-null f (project), in project order: for the searches that keep each group's own order.
    template <class R, class F> R FirstOfProjects(F f) const;
    void Reset();
    void BindParents();
};
