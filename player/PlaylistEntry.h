// PlaylistEntry: one recording of a pane's playlist, local or on a server.
#pragma once

#include <stdint.h>

#include "player/PlayerCommandLine.h"

#pragma pack(push, 1)
struct PlaylistEntry {
    char path[260];
    int32_t local; // 1 local file, 0 remote file
    char address[40];
    char user[24];
    char password[24];
    int32_t port;
};
#pragma pack(pop)
static_assert(sizeof(PlaylistEntry) == 356, "PlaylistEntry is 356 bytes");

// A zero-filled entry for a target, every text cut to its field.
PlaylistEntry MakePlaylistEntry(const PlayTarget& target);
// The entry's path, local mark and connection as a pane's target.
void ApplyPlaylistEntry(const PlaylistEntry& entry, PlayTarget& target);
