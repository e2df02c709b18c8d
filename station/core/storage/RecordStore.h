// The recording storage: where each recording and snapshot goes and what it is called (one
// directory per day under the current storage path, an index file per kind), the disk-space
// watcher that keeps the paths from filling, and the search over the index files.
#pragma once

#include "station/core/storage/DiskWatch.h"
#include "station/core/storage/RecordReason.h"
#include "station/core/storage/RecordSearch.h"
#include "station/core/storage/RecordStoreOwner.h"
#include "station/core/storage/StoragePathEntry.h"

#include <afxmt.h>

#include <map>
#include <string>

class CWinThread;

#pragma pack(push, 1)
// One entry of "index", "jpegindex" and "bmpindex".
struct RecordIndexEntry {
    char name[40]; // server name, at most 39 characters and a terminator
    BYTE channel;  // counted from 0
    BYTE pad1[3];
    INT32 year;
    BYTE month;
    BYTE day;
    BYTE hour;
    BYTE minute;
    BYTE second;
    BYTE pad2[3];
    INT32 typeBits; // RecordReason bits of a recording; 0 for snapshots
};
#pragma pack(pop)
static_assert(sizeof(RecordIndexEntry) == 60, "RecordIndexEntry is 60 bytes in the index files");

class CRecordStore {
public:
    CRecordStore();
    virtual ~CRecordStore();
    CRecordStore(const CRecordStore&) = delete;
    CRecordStore& operator=(const CRecordStore&) = delete;

    // Set once after log-in, before the watcher starts; count is cut to 0..40.
    void SetStoragePaths(const StoragePathEntry* table, int count);
    void SetOwner(IRecordStoreOwner* owner) { m_state.owner = owner; }
    void SetFullDiskMode(int mode) { m_state.fullDiskMode = mode != 0 ? 1 : 0; }

    void StartDiskWatch();
    void StopDiskWatch();
    // Runs a watcher pass now instead of after the rest of the 10-second wait.
    void WakeDiskWatch() { ::SetEvent(m_state.wakeEvent); }

    // Each names a new file in today's directory of the current storage path and appends its
    // index entry; 0 when no storage path is set or the path would not fit in MAX_PATH.
    // A camera records one file at a time: when its next recording begins, its previous one has
    // ended, and if that one's file is gone (a recording closed before its first picture leaves no
    // file) its index entry is removed too, so the query never lists a recording that is not there.
    int BeginRecordFile(const char* serverName, int channel, char* path, int typeBits);
    int SaveJpegSnapshot(const char* serverName, int channel, const void* bytes, int length);
    int MakeBmpSnapshotPath(const char* serverName, int channel, char* path, int* entryIndex, RecordIndexEntry* entry);
    int AppendBmpIndex(int entryIndex, const RecordIndexEntry* entry);

    // Read by the channel sessions before they start a recording or a BMP snapshot.
    int IsSpaceOk() const { return m_state.spaceOk; }
    int GetCurrentEntry() const { return m_state.currentEntry; }
    int GetStoragePathCount() const { return m_state.count; }

    // Reports every hit of the query over every storage path to callback, on the calling thread.
    void SearchRecords(RecordSearchCallback callback, const RecordQuery* query, void* user);
    void SearchDayDirs(const char* base, const RecordQuery* query, RecordSearchCallback callback, void* user);

    static UINT DiskWatchThread(LPVOID param);

private:
    struct NamedFile;
    BOOL NameFile(const char* serverName, int channel, const char* extension, bool create, NamedFile& file);
    // The camera's last recording (its file and index entry), kept until its next one begins.
    struct BegunRecording {
        std::string dayDir;
        std::string path;
        RecordIndexEntry entry;
    };
    void ForgetEmptyRecording(const BegunRecording& ended);
    std::map<std::string, BegunRecording> m_lastRecording; // by camera, under m_recordMutex

    CWinThread* m_watcher = nullptr;
    CMutex m_recordMutex;   // the choice of recording names and their index appends
    CMutex m_snapshotMutex; // the same for JPEG snapshots
    DiskWatchState m_state;
};

// The program's one recording store.
extern CRecordStore theRecordStore;
