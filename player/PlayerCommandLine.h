// The player's command line: a local path, or a remote path followed by " *far " and the server's
// address, port, user and password. The station builds it; a second instance hands it over.
#pragma once

#include <windows.h>

// Where a pane plays from: the pending path and, for a remote file, the connection.
struct PlayTarget {
    char path[260];
    int local; // 1 local file, 0 remote file
    char address[40];
    char user[24];
    char password[24];
    int port;
};

// A local file as a target.
PlayTarget LocalTarget(const char* path);

// Fills target from text: 0, or -1 when a field is missing or longer than its buffer. On -1 the
// path is set when it fits and the local mark and the connection are left as they were.
int ParsePlayerCommandLine(const char* text, PlayTarget& target);
