// The broadcast handle table and the opening of a target server.
#include "station/core/sessions/BroadcastTargets.h"

#include "devices/conduit/Conduit.h"
#include "station/core/datamodel/TermServer.h"

#include <string.h>

namespace {

const int kTransportTcp = 3;

} // namespace

BroadcastHandleTable::BroadcastHandleTable()
{
    InitializeCriticalSection(&m_lock);
    memset(m_handles, 0, sizeof(m_handles));
}

BroadcastHandleTable::~BroadcastHandleTable()
{
    DeleteCriticalSection(&m_lock);
}

int BroadcastHandleTable::Get(int slot)
{
    if (slot < 0 || slot >= kBroadcastSlots)
        return 0;
    EnterCriticalSection(&m_lock);
    int handle = m_handles[slot];
    LeaveCriticalSection(&m_lock);
    return handle;
}

void BroadcastHandleTable::Set(int slot, int handle)
{
    if (slot < 0 || slot >= kBroadcastSlots)
        return;
    EnterCriticalSection(&m_lock);
    m_handles[slot] = handle;
    LeaveCriticalSection(&m_lock);
}

int BroadcastHandleTable::RemoveSlot(int slot)
{
    if (slot < 0 || slot >= kBroadcastSlots)
        return 0;
    EnterCriticalSection(&m_lock);
    int handle = m_handles[slot];
    memmove(m_handles + slot, m_handles + slot + 1, sizeof(int) * (kBroadcastSlots - slot - 1));
    m_handles[kBroadcastSlots - 1] = 0;
    LeaveCriticalSection(&m_lock);
    return handle;
}

void BroadcastHandleTable::ClearAll()
{
    EnterCriticalSection(&m_lock);
    memset(m_handles, 0, sizeof(m_handles));
    LeaveCriticalSection(&m_lock);
}

void BroadcastHandleTable::SendToAll(const void* data, int count)
{
    // Sent from a copy, so that the window thread never waits for the network: a handle closed
    // meanwhile only refuses the buffer, since the library never hands a closed handle out again.
    int handles[kBroadcastSlots];
    EnterCriticalSection(&m_lock);
    memcpy(handles, m_handles, sizeof(handles));
    LeaveCriticalSection(&m_lock);
    for (int handle : handles) {
        if (handle != 0)
            Conduit_SendBroadcastAudio(handle, data, count);
    }
}

BroadcastOpenResult OpenBroadcastTarget(const CTermServer& server, int* handle)
{
    char name[40], address[40], user[40], password[40];
    CopyText(name, server.m_name);
    CopyText(address, server.m_address);
    CopyText(user, server.m_user);
    CopyText(password, server.m_password);
    unsigned short port = server.m_port;
    if (server.m_useDdns) {
        char resolved[CONDUIT_ADDRESS_SIZE] = {};
        unsigned short resolvedPort = 0;
        Conduit_SetConnectTimeout(10, 1);
        int result = Conduit_ResolveDdns(address, port, name, resolved, &resolvedPort);
        Conduit_SetConnectTimeout(30, 4);
        if (result != 0)
            return broadcastDdnsFailed;
        resolved[sizeof(resolved) - 1] = '\0';
        CopyText(address, resolved);
        port = resolvedPort;
    }
    *handle = 0;
    if (Conduit_AddBroadcastTarget(address, user, password, kTransportTcp, handle, port, name) != 0 || *handle <= 0) {
        *handle = 0;
        return broadcastAddFailed;
    }
    return broadcastOpened;
}
