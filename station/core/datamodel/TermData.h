// CTermData: a named group of the server tree holding child groups and servers; the top-level
// groups are the projects.
#pragma once

#include <afxtempl.h>

class CChannelSession;
class CTermServer;

class CTermData : public CObject {
    DECLARE_SERIAL(CTermData)
public:
    CTermData();
    ~CTermData() override;

    void Serialize(CArchive& ar) override;

    // 1 when a child group or a server of this group bears the name.
    BOOL NameInUse(LPCSTR name) const;
    // Removes and destroys the first child group bearing the name, else the first such server.
    void RemoveChild(LPCSTR name);
    void CloseAllSessions();
    BOOL HasServers() const;
    void SetRecordingAll(int on, int reasonBits);
    // Depth first: child groups before the group's own servers.
    CTermServer* FindServerByName(LPCSTR name, const CTermServer* ignore) const;
    void AudioOffAll();
    void ClearAlarmsAll();
    // The group's own servers before its child groups.
    CTermServer* FindServerById(int id) const;
    BOOL OwnsSession(CChannelSession* session) const;
    void ResolveCameraLinks();
    CChannelSession* FindSessionByKeyboardNo(int keyboardNumber) const;

    // Sets the parent pointers of everything below this group.
    void BindParents();
    // f (server) for every server below this group: child groups (depth first) before own servers.
    template <class F> void ForEachServer(F f) const
    {
        for (POSITION pos = m_childGroups.GetHeadPosition(); pos;)
            m_childGroups.GetNext(pos)->ForEachServer(f);
        for (POSITION pos = m_servers.GetHeadPosition(); pos;)
            f(m_servers.GetNext(pos));
    }

    CString m_name;
    CTermData* m_pParent;                             // not stored; none for a project
    CTypedPtrList<CObList, CTermData*> m_childGroups; // owned
    CTypedPtrList<CObList, CTermServer*> m_servers;   // owned

private:
    // The first non-null f (server), the group's own servers before its child groups.
    template <class R, class F> R FirstOwnServersFirst(F f) const;
};
