// RemoteLoginRecord: what the remote-settings log-in thread needs of a server and what it finds.
// Filled on the window thread while no log-in runs; the thread completes it; the window reads it
// after joining the thread. It exists only in memory, so its fields hold whole what the station
// stores: a server name of up to 24 bytes, a user and a password of up to 39.
#pragma once

#include <windows.h>

class CTermServer;

struct RemoteLoginRecord {
    char name[25];
    char address[40];
    int deviceInfo[3];
    WORD port;
    BYTE ddns;
    char user[40];
    char password[40];
    CTermServer* server;
};
