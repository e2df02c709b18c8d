// Removing a selected group or server from a server tree.
#include "station/config/servers/ServerTreeEdit.h"

#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"

namespace {

template <class List, class T> bool RemoveObject(List& list, T* object)
{
    POSITION pos = list.Find(object);
    if (pos == nullptr)
        return false;
    list.RemoveAt(pos);
    delete object;
    return true;
}

} // namespace

bool RemoveGroupObject(CRecGroup& root, CTermData* group)
{
    if (group == nullptr)
        return false;
    if (group->m_pParent != nullptr)
        return RemoveObject(group->m_pParent->m_childGroups, group);
    return RemoveObject(root.m_projects, group);
}

bool RemoveServerObject(CTermServer* server)
{
    if (server == nullptr || server->m_pParent == nullptr)
        return false;
    return RemoveObject(server->m_pParent->m_servers, server);
}
