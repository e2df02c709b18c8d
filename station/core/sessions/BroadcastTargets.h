// The voice broadcast's open targets: one Conduit broadcast handle per row of the broadcast
// window's target list (0 = not open), and the opening of a target server. The window thread
// changes the table on add, delete, start and stop while the capture's worker sends every buffer
// to each open handle, so both sides hold the table's lock briefly.
#pragma once

#include <windows.h>

class CTermServer;

const int kBroadcastSlots = 200;

class BroadcastHandleTable {
public:
    BroadcastHandleTable();
    ~BroadcastHandleTable();
    BroadcastHandleTable(const BroadcastHandleTable&) = delete;
    BroadcastHandleTable& operator=(const BroadcastHandleTable&) = delete;

    int Get(int slot);
    void Set(int slot, int handle);
    // The row's slot goes: later handles move down one slot and the last slot is cleared. The
    // handle that was in the slot is returned (0 when none).
    int RemoveSlot(int slot);
    void ClearAll();
    // Conduit_SendBroadcastAudio (handle, data, count) for every open slot.
    void SendToAll(const void* data, int count);

private:
    CRITICAL_SECTION m_lock;
    int m_handles[kBroadcastSlots];
};

enum BroadcastOpenResult { broadcastOpened = 0, broadcastDdnsFailed = 1, broadcastAddFailed = 2 };

// Opens the server as a broadcast target (a DDNS server is looked up first, with the quick
// time-out); the handle on success.
BroadcastOpenResult OpenBroadcastTarget(const CTermServer& server, int* handle);
