// The disk-space watcher's state and passes. CRecordStore's watcher thread runs the first pass
// once and then one pass every 10 seconds (or when its wake event is set); tests run the passes
// directly on a state of their own.
#pragma once

#include "station/core/storage/StoragePathEntry.h"

#include <atomic>

class IRecordStoreOwner;

const int kMaxStoragePaths = 40;

struct DiskWatchState {
    // Read without a lock by the threads that name files; written by the watcher.
    std::atomic<int> currentEntry{0};
    std::atomic<int> runFlag{0};
    HANDLE wakeEvent = nullptr; // auto-reset; ends the 10-second wait early
    IRecordStoreOwner* owner = nullptr;
    int fullDiskMode = 0;        // 0 delete the oldest day directories, 1 stop recording
    std::atomic<int> spaceOk{0}; // 1 while new recordings and BMP snapshots may start
    StoragePathEntry table[kMaxStoragePaths] = {};
    int count = 0;
};

// The directory files go to: the entry's dir, or its root when dir is empty.
inline const char* EntryBase(const StoragePathEntry& entry)
{
    return entry.dir[0] != '\0' ? entry.dir : entry.root;
}

// Whole megabytes free on the entry's volume; FALSE when it cannot be measured.
BOOL MeasureFreeSpace(const StoragePathEntry& entry, ULONGLONG* freeMegabytes);
// Free space strictly above the reserve; a volume that cannot be measured counts as full.
BOOL HasRoom(const StoragePathEntry& entry);

int FindStorageWithSpace(DiskWatchState& state);
// The oldest day directory over all entries, never today's; FALSE when there is none.
BOOL FindOldestDayDir(DiskWatchState& state, char (&name)[9]);
// Lowers name to the oldest day directory of base older than today (name starts at 99999999).
void FindOldestDayInRoot(const char* base, const char* today, char (&name)[9]);
void RemoveDayDir(const char* base, const char* day);
// Removes the oldest day from every entry at once; FALSE when only today (or nothing) is left.
BOOL DeleteOldestDayDir(DiskWatchState& state);

// The thread's passes; purgeDay is the day of the month of the last log purge.
void DiskWatchFirstPass(DiskWatchState& state, int& purgeDay);
void DiskWatchPass(DiskWatchState& state, int& purgeDay);
