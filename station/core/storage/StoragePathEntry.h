// StoragePathEntry: one 276-byte record of "sysrecord.dat", a recording storage root, written by
// the recording-drives page and read at start (at most 40 of them).
#pragma once

#include <windows.h>

#pragma pack(push, 1)
struct StoragePathEntry {
    char root[12]; // drive root such as "D:", NUL-terminated: the volume whose free space counts
    INT32 reserve; // megabytes that must stay free on that volume
    char dir[260]; // record directory, NUL-terminated; empty means the root itself
};
#pragma pack(pop)
static_assert(sizeof(StoragePathEntry) == 276, "a storage path record is 276 bytes");
