// The disk-space watcher: moves recording to a storage path with room, deletes the oldest day
// directories or stops recording when every path is full, and purges old log files once a day.
#include "station/core/storage/DiskWatch.h"

#include "station/core/storage/RecordStoreOwner.h"
#include "framework/Seams.h"
#include "station/core/storage/StorageFiles.h"
#include "station/core/storage/SystemLog.h"

#include <afx.h>

namespace {

const int kReclaimAttempts = 200;
const char kNoDay[] = "99999999";

void Post(DiskWatchState& state, int event)
{
    if (state.owner != nullptr)
        state.owner->OnDiskEvent(event);
}

// "Full" is reported when the state changes to it, not again on every pass while it lasts.
void EnterFull(DiskWatchState& state)
{
    if (state.spaceOk.exchange(0) != 0)
        Post(state, state.fullDiskMode == 0 ? DISK_EVENT_FULL_NO_DELETE : DISK_EVENT_FULL_STOPPED);
}

void TodayName(char (&name)[9], int* dayOfMonth)
{
    SYSTEMTIME now;
    Seams::LocalTime(&now);
    FormatDayName(name, now.wYear, now.wMonth, now.wDay);
    if (dayOfMonth != nullptr)
        *dayOfMonth = now.wDay;
}

void PurgeLogs(DiskWatchState& state)
{
    CSystemLog* log = state.owner != nullptr ? state.owner->GetSystemLog() : nullptr;
    if (log != nullptr)
        log->PurgeOld(state.owner->GetLogKeepDays());
}

// Up to 200 attempts to find a path with room, deleting the oldest day between attempts in mode
// 0. The path found, or -1 after reporting "full".
int ReclaimSpace(DiskWatchState& state)
{
    for (int attempt = 0; attempt < kReclaimAttempts; ++attempt) {
        int i = FindStorageWithSpace(state);
        if (i >= 0)
            return i;
        if (state.fullDiskMode != 0 || !DeleteOldestDayDir(state))
            break;
    }
    EnterFull(state);
    return -1;
}

} // namespace

BOOL MeasureFreeSpace(const StoragePathEntry& entry, ULONGLONG* freeMegabytes)
{
    ULONGLONG bytes = 0;
    if (!Seams::FreeDiskSpace(entry.root, &bytes))
        return FALSE;
    *freeMegabytes = bytes >> 20;
    return TRUE;
}

BOOL HasRoom(const StoragePathEntry& entry)
{
    ULONGLONG free = 0;
    return MeasureFreeSpace(entry, &free) && (LONGLONG)free > (LONGLONG)entry.reserve;
}

int FindStorageWithSpace(DiskWatchState& state)
{
    for (int i = 0; i < state.count; ++i) {
        if (HasRoom(state.table[i]))
            return i;
    }
    return -1;
}

void FindOldestDayInRoot(const char* base, const char* today, char (&name)[9])
{
    ForEachDayDirectory(base, [&](const CString& day) {
        // Today's directory holds the recordings being written now; it is never a candidate.
        if (day.Compare(name) < 0 && day.Compare(today) < 0)
            CopyText(name, day);
    });
}

BOOL FindOldestDayDir(DiskWatchState& state, char (&name)[9])
{
    char today[9];
    TodayName(today, nullptr);
    CopyText(name, kNoDay);
    for (int i = 0; i < state.count; ++i)
        FindOldestDayInRoot(EntryBase(state.table[i]), today, name);
    return strcmp(name, kNoDay) != 0;
}

void RemoveDayDir(const char* base, const char* day)
{
    char dayDir[MAX_PATH];
    char pattern[MAX_PATH];
    if (!JoinPath(dayDir, sizeof(dayDir), base, day) || !JoinPath(pattern, sizeof(pattern), dayDir, "*.*"))
        return;
    CFileFind finder;
    BOOL more = finder.FindFile(pattern);
    while (more) {
        more = finder.FindNextFile();
        char path[MAX_PATH];
        if (!finder.IsDirectory() && JoinPath(path, sizeof(path), dayDir, finder.GetFileName()))
            DeleteFileA(path);
    }
    finder.Close();
    RemoveDirectoryA(dayDir);
}

BOOL DeleteOldestDayDir(DiskWatchState& state)
{
    char day[9];
    if (!FindOldestDayDir(state, day))
        return FALSE;
    for (int i = 0; i < state.count; ++i)
        RemoveDayDir(EntryBase(state.table[i]), day);
    return TRUE;
}

void DiskWatchFirstPass(DiskWatchState& state, int& purgeDay)
{
    state.spaceOk = 1;
    int current = state.currentEntry;
    if (current < 0 || current >= state.count || !HasRoom(state.table[current])) {
        int i = FindStorageWithSpace(state);
        if (i >= 0) {
            state.currentEntry = i; // the first pass moves silently: nothing records yet
        } else {
            i = ReclaimSpace(state);
            if (i >= 0 && i != current) {
                state.currentEntry = i;
                Post(state, DISK_EVENT_SWITCHED);
            }
        }
    }
    char today[9];
    TodayName(today, &purgeDay);
    PurgeLogs(state);
}

void DiskWatchPass(DiskWatchState& state, int& purgeDay)
{
    char today[9];
    int day = 0;
    TodayName(today, &day);
    if (day != purgeDay) {
        purgeDay = day;
        PurgeLogs(state);
    }

    int current = state.currentEntry;
    ULONGLONG free = 0;
    bool measured = current >= 0 && current < state.count && MeasureFreeSpace(state.table[current], &free);
    LONGLONG reserve = measured ? state.table[current].reserve : 0;
    LONGLONG f = (LONGLONG)free;
    // At or below the reserve, or not measurable: full. Tested first, so that a reserve of 0
    // (where 0 MB free is also "twice the reserve") still counts as full with nothing free.
    if (!measured || f <= reserve) {
        int i = ReclaimSpace(state);
        if (i >= 0 && i != current) {
            state.spaceOk = 1;
            state.currentEntry = i;
            Post(state, DISK_EVENT_SWITCHED);
        } else if (i >= 0) {
            state.spaceOk = 1; // the current path has room again (old days were deleted)
        }
    } else if (f >= 2 * reserve) {
        state.spaceOk = 1;
    } else if (FindStorageWithSpace(state) < 0 && state.fullDiskMode == 0) {
        state.spaceOk = 1;
        DeleteOldestDayDir(state);
    }
}
