// One storage path of the recording drives, as the recording-drives page writes it to
// "sysrecord.dat" (records back to back, little-endian).
#pragma once

#include <windows.h>

#pragma pack(push, 1)
struct StoragePathEntry {
    char root[12];  // drive root such as "D:", NUL-terminated; its volume's free space is measured
    INT32 reserve;  // megabytes that must stay free on that volume
    char dir[260];  // record directory, NUL-terminated; empty means the root itself
};
#pragma pack(pop)
static_assert(sizeof(StoragePathEntry) == 276, "StoragePathEntry is 276 bytes in sysrecord.dat");
