// The recording storage: storage paths, day directories, collision-free file names with their
// index entries, and the watcher thread's start and stop.
#include "station/core/storage/RecordStore.h"

#include "framework/Seams.h"
#include "station/core/storage/StorageFiles.h"
#include "framework/WinThread.h"

#include <stdio.h>
#include <string.h>

#include <vector>

CRecordStore theRecordStore;

namespace {

const int kSecondsPerDay = 86400;
const DWORD kWatchIntervalMs = 10000;
const UINT kWatchStackSize = 2048;

// A name is free when nothing of that name exists; with create it is also made (never
// truncating a file that exists, even one another program holds locked) and left open in handle.
bool ClaimName(const char* path, bool create, HANDLE* handle)
{
    if (create) {
        *handle =
            CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (*handle != INVALID_HANDLE_VALUE)
            return true;
    }
    // Not made (or not asked to): free only when nothing of that name exists. A recording name is
    // then handed out even though its file could not be made; the recording itself will fail.
    return GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
}

// One second later on the clock of the day; 23:59:59 wraps to 00:00:00 of the same directory.
void NextSecond(int& hour, int& minute, int& second)
{
    if (++second < 60)
        return;
    second = 0;
    if (++minute < 60)
        return;
    minute = 0;
    if (++hour == 24)
        hour = 0;
}

BOOL AppendIndex(const char* dayDir, const char* indexName, const RecordIndexEntry& entry)
{
    char path[MAX_PATH];
    return JoinPath(path, sizeof(path), dayDir, indexName) && AppendRecord(path, &entry, sizeof(entry));
}

} // namespace

struct CRecordStore::NamedFile {
    char dayDir[MAX_PATH];
    char path[MAX_PATH];
    RecordIndexEntry entry;
    int entryIndex;
    HANDLE handle; // the new file, open for writing, when it was made
};

CRecordStore::CRecordStore()
{
    m_state.wakeEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
}

CRecordStore::~CRecordStore()
{
    StopDiskWatch();
    if (m_state.wakeEvent != nullptr)
        CloseHandle(m_state.wakeEvent);
}

void CRecordStore::SetStoragePaths(const StoragePathEntry* table, int count)
{
    if (table == nullptr || count < 0)
        count = 0;
    if (count > kMaxStoragePaths)
        count = kMaxStoragePaths;
    memset(m_state.table, 0, sizeof(m_state.table));
    for (int i = 0; i < count; ++i) {
        m_state.table[i] = table[i];
        // The table comes from a file: its texts are terminated here, whatever it holds.
        m_state.table[i].root[sizeof(m_state.table[i].root) - 1] = '\0';
        m_state.table[i].dir[sizeof(m_state.table[i].dir) - 1] = '\0';
    }
    m_state.count = count;
    m_state.currentEntry = 0;
}

void CRecordStore::StartDiskWatch()
{
    StopDiskWatch();
    m_state.runFlag = 1;
    m_watcher = AfxBeginThread(DiskWatchThread, &m_state, THREAD_PRIORITY_NORMAL, kWatchStackSize, CREATE_SUSPENDED);
    if (m_watcher == nullptr)
        return;
    m_watcher->m_bAutoDelete = FALSE; // kept, so that its handle can be waited for
    m_watcher->ResumeThread();
}

void CRecordStore::StopDiskWatch()
{
    m_state.runFlag = 0;
    if (m_watcher == nullptr)
        return;
    ::SetEvent(m_state.wakeEvent);
    WaitForSingleObject(m_watcher->m_hThread, INFINITE);
    delete m_watcher;
    m_watcher = nullptr;
}

UINT CRecordStore::DiskWatchThread(LPVOID param)
{
    DiskWatchState& state = *static_cast<DiskWatchState*>(param);
    int purgeDay = 0;
    DiskWatchFirstPass(state, purgeDay);
    while (state.runFlag) {
        WaitForSingleObject(state.wakeEvent, kWatchIntervalMs);
        if (!state.runFlag)
            break;
        DiskWatchPass(state, purgeDay);
    }
    return 0;
}

BOOL CRecordStore::NameFile(const char* serverName, int channel, const char* extension, bool create, NamedFile& file)
{
    file.handle = INVALID_HANDLE_VALUE;
    file.entryIndex = m_state.currentEntry;
    if (file.entryIndex < 0 || file.entryIndex >= m_state.count)
        return FALSE;

    SYSTEMTIME now;
    Seams::LocalTime(&now);
    char day[9];
    if (!FormatDayName(day, now.wYear, now.wMonth, now.wDay) ||
        !JoinPath(file.dayDir, sizeof(file.dayDir), EntryBase(m_state.table[file.entryIndex]), day))
        return FALSE;
    CreateDirectoryPath(file.dayDir);

    // The file takes the name as the entry holds it, so the search finds it again by its entry.
    memset(&file.entry, 0, sizeof(file.entry));
    CopyText(file.entry.name, serverName != nullptr ? serverName : "");
    file.entry.channel = (BYTE)channel;
    file.entry.year = now.wYear;
    file.entry.month = (BYTE)now.wMonth;
    file.entry.day = (BYTE)now.wDay;

    int hour = now.wHour, minute = now.wMinute, second = now.wSecond;
    for (int tries = 0; tries < kSecondsPerDay; ++tries) {
        if (!FormatPath(file.path, sizeof(file.path), "%s\\%s_%d_%02d%02d%02d.%s", file.dayDir, file.entry.name,
                        channel + 1, hour, minute, second, extension))
            return FALSE;
        if (ClaimName(file.path, create, &file.handle)) {
            // The entry carries the time of the name it describes, adjusted or not.
            file.entry.hour = (BYTE)hour;
            file.entry.minute = (BYTE)minute;
            file.entry.second = (BYTE)second;
            return TRUE;
        }
        NextSecond(hour, minute, second);
    }
    return FALSE;
}

int CRecordStore::BeginRecordFile(const char* serverName, int channel, char* path, int typeBits)
{
    if (path == nullptr)
        return 0;
    path[0] = '\0';
    IRecordStoreOwner* owner = m_state.owner;
    const char* extension = owner != nullptr && owner->GetRecordFormat() == 1 ? "asf" : "mp4";

    // The name's choice and its index append under one lock: concurrent callers never take the
    // same name, and their appends never overwrite each other.
    CSingleLock lock(&m_recordMutex, TRUE);
    NamedFile file;
    if (!NameFile(serverName, channel, extension, true, file))
        return 0;
    if (file.handle != INVALID_HANDLE_VALUE)
        CloseHandle(file.handle);
    file.entry.typeBits = typeBits;
    AppendIndex(file.dayDir, "index", file.entry);
    CopyText(path, MAX_PATH, file.path);
    std::string camera = std::string(file.entry.name) + '\x01' + std::to_string(channel);
    auto last = m_lastRecording.find(camera);
    if (last != m_lastRecording.end())
        ForgetEmptyRecording(last->second);
    m_lastRecording[camera] = {file.dayDir, file.path, file.entry};
    return 1;
}

void CRecordStore::ForgetEmptyRecording(const BegunRecording& ended)
{
    if (GetFileAttributesA(ended.path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return;
    char indexPath[MAX_PATH];
    if (!JoinPath(indexPath, sizeof(indexPath), ended.dayDir.c_str(), "index"))
        return;
    std::vector<RecordIndexEntry> entries;
    bool found = false;
    if (FILE* index = fopen(indexPath, "rb")) {
        RecordIndexEntry entry;
        while (ReadWholeRecord(index, &entry, sizeof(entry))) {
            if (!found && memcmp(&entry, &ended.entry, sizeof(entry)) == 0)
                found = true; // the one entry of that file
            else
                entries.push_back(entry);
        }
        fclose(index);
    }
    if (!found)
        return;
    if (FILE* index = fopen(indexPath, "wb")) {
        if (!entries.empty())
            fwrite(entries.data(), sizeof(RecordIndexEntry), entries.size(), index);
        fclose(index);
    }
    TRACE("archive", "a recording without a picture left no file: its index entry is removed (%s)\n",
          ended.path.c_str());
}

int CRecordStore::SaveJpegSnapshot(const char* serverName, int channel, const void* bytes, int length)
{
    if (length < 0 || (bytes == nullptr && length > 0))
        return 0;
    NamedFile file;
    {
        CSingleLock lock(&m_snapshotMutex, TRUE);
        if (!NameFile(serverName, channel, "jpg", true, file) || file.handle == INVALID_HANDLE_VALUE)
            return 0;
        AppendIndex(file.dayDir, "jpegindex", file.entry);
    }
    DWORD written = 0;
    BOOL whole = WriteFile(file.handle, bytes, (DWORD)length, &written, nullptr) && written == (DWORD)length;
    CloseHandle(file.handle);
    if (!whole) {
        DeleteFileA(file.path); // no half picture; the search skips an entry whose file is gone
        return 0;
    }
    return 1;
}

int CRecordStore::MakeBmpSnapshotPath(const char* serverName, int channel, char* path, int* entryIndex,
                                      RecordIndexEntry* entry)
{
    if (path == nullptr || entryIndex == nullptr || entry == nullptr)
        return 0;
    path[0] = '\0';
    NamedFile file;
    if (!NameFile(serverName, channel, "bmp", false, file))
        return 0;
    CopyText(path, MAX_PATH, file.path);
    *entryIndex = file.entryIndex;
    *entry = file.entry;
    return 1;
}

int CRecordStore::AppendBmpIndex(int entryIndex, const RecordIndexEntry* entry)
{
    if (entry == nullptr || entryIndex < 0 || entryIndex >= m_state.count)
        return 0;
    // The day of the picture, which may be yesterday's directory by now.
    char day[9];
    char dayDir[MAX_PATH];
    if (!FormatDayName(day, entry->year, entry->month, entry->day) ||
        !JoinPath(dayDir, sizeof(dayDir), EntryBase(m_state.table[entryIndex]), day))
        return 0;
    return AppendIndex(dayDir, "bmpindex", *entry) ? 1 : 0;
}
