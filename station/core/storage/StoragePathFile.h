// "sysrecord.dat" in the start directory: the recording storage roots, a plain sequence of
// 276-byte StoragePathEntry records. The main dialog loads it after log-in; the recording drives
// page loads it to show the chosen drives and rewrites it on OK.
#pragma once

#include <afx.h>

#include "station/core/storage/DiskWatch.h"
#include "station/core/storage/StoragePathEntry.h"

// Reads whole records from the start of "sysrecord.dat" (created when missing) until a short read
// or 40 records; texts are cut to their fields. Without any record the table holds "D:" with a
// reserve of 500 MB. Returns the count.
int LoadStorageRoots(LPCSTR startDir, StoragePathEntry table[kMaxStoragePaths]);

// Replaces "sysrecord.dat" by the count entries, saved whole (SaveBytesFile); FALSE when it was not
// replaced, and the old file then stays as it was.
BOOL SaveStorageRoots(LPCSTR startDir, const StoragePathEntry* entries, int count);
