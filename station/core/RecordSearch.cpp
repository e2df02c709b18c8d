// The recording search: walks the day directories of every storage path, filters the index
// entries of the kind asked for and reports each entry whose file still exists.
#include "RecordStore.h"

#include "StorageFiles.h"

#include <limits.h>
#include <string.h>

namespace {

struct KindFiles {
    const char* index;
    const char* extension;
};

KindFiles FilesOfKind(int kind)
{
    switch (kind) {
    case RECORD_KIND_MP4: return {"index", "mp4"};
    case RECORD_KIND_JPEG: return {"jpegindex", "jpg"};
    case RECORD_KIND_BMP: return {"bmpindex", "bmp"};
    default: return {"index", "asf"};
    }
}

// The record-type bit a selector asks for, or 0 for no filter.
int SelectorBit(int selector)
{
    switch (selector) {
    case 1: return 1;  // manual
    case 2: return 4;  // schedule
    case 3: return 8;  // video motion
    case 4: return 2;  // alarm
    default: return 0;
    }
}

// A local date and time, daylight saving off, as a 32-bit calendar time; FALSE when it does not
// fit one (a damaged entry), so that such an entry is skipped instead of reported wrongly.
BOOL ToCalendarTime(int year, int month, int day, int hour, int minute, int second, int* out)
{
    if (year < 1970 || year > 2038)
        return FALSE;
    __time64_t t = CTime(year, month, day, hour, minute, second, 0).GetTime();
    if (t < 0 || t > INT_MAX)
        return FALSE;
    *out = (int)t;
    return TRUE;
}

struct SearchContext {
    const RecordQuery* query;
    RecordSearchCallback callback;
    void* user;
    KindFiles files;
    char name[40];    // the query's name, terminated within its field
    int typeBit;
    __time64_t from;  // only with the range flag
    __time64_t to;
};

void SearchIndexFile(const char* dayDir, const SearchContext& search)
{
    char indexPath[MAX_PATH];
    if (!JoinPath(indexPath, sizeof(indexPath), dayDir, search.files.index))
        return;
    FILE* index = fopen(indexPath, "rb");
    if (index == nullptr)
        return;
    const RecordQuery& query = *search.query;
    RecordIndexEntry entry;
    while (ReadWholeRecord(index, &entry, sizeof(entry))) {
        entry.name[sizeof(entry.name) - 1] = '\0';
        if (search.name[0] != '\0' && strcmp(search.name, entry.name) != 0)
            continue;
        if (query.channel != -1 && query.channel != entry.channel)
            continue;
        if (search.typeBit != 0 && (entry.typeBits & search.typeBit) == 0)
            continue;
        int start = 0;
        if (!ToCalendarTime(entry.year, entry.month, entry.day, entry.hour, entry.minute, entry.second, &start))
            continue;
        if (query.rangeFlag != 0 && (start < search.from || start > search.to))
            continue;

        char path[MAX_PATH];
        if (!FormatPath(path, sizeof(path), "%s\\%s_%d_%02d%02d%02d.%s", dayDir, entry.name, entry.channel + 1,
                        entry.hour, entry.minute, entry.second, search.files.extension))
            continue;
        WIN32_FILE_ATTRIBUTE_DATA status;
        if (!GetFileAttributesExA(path, GetFileExInfoStandard, &status) ||
            (status.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            continue;  // gone, for example deleted by the disk watcher
        __time64_t end = CTime(status.ftLastWriteTime).GetTime();
        if (end < 0 || end > INT_MAX)
            continue;
        // Files over 2 GB report the largest size the callback can carry rather than a negative one.
        ULONGLONG size = ((ULONGLONG)status.nFileSizeHigh << 32) | status.nFileSizeLow;
        search.callback(entry.name, entry.channel, start, (int)end, size > INT_MAX ? INT_MAX : (int)size, path,
                        search.user);
    }
    fclose(index);
}

}  // namespace

void CRecordStore::SearchRecords(RecordSearchCallback callback, const RecordQuery* query, void* user)
{
    if (callback == nullptr || query == nullptr)
        return;
    for (int i = 0; i < m_state.count; ++i)
        SearchDayDirs(EntryBase(m_state.table[i]), query, callback, user);
}

void CRecordStore::SearchDayDirs(const char* base, const RecordQuery* query, RecordSearchCallback callback, void* user)
{
    if (base == nullptr || query == nullptr || callback == nullptr)
        return;
    SearchContext search = {query, callback, user, FilesOfKind(query->kind), {}, SelectorBit(query->typeSelector), 0, 0};
    memcpy(search.name, query->name, sizeof(search.name));
    search.name[sizeof(search.name) - 1] = '\0';

    // The dates are read only when the range is asked for: otherwise they may be anything.
    char fromDay[9] = "";
    char toDay[9] = "";
    if (query->rangeFlag != 0) {
        FormatDayName(fromDay, query->fromYear, query->fromMonth, query->fromDay);
        FormatDayName(toDay, query->toYear, query->toMonth, query->toDay);
        search.from = CTime(query->fromYear, query->fromMonth, query->fromDay, query->fromHour, query->fromMinute,
                            query->fromSecond, 0)
                          .GetTime();
        search.to =
            CTime(query->toYear, query->toMonth, query->toDay, query->toHour, query->toMinute, query->toSecond, 0)
                .GetTime();
    }

    char pattern[MAX_PATH];
    if (!JoinPath(pattern, sizeof(pattern), base, "*.*"))
        return;
    CFileFind finder;
    BOOL more = finder.FindFile(pattern);
    while (more) {
        more = finder.FindNextFile();
        CString day = finder.GetFileName();
        if (!finder.IsDirectory() || !IsDayDirectoryName(day))
            continue;
        if (query->rangeFlag != 0 && (day.Compare(fromDay) < 0 || day.Compare(toDay) > 0))
            continue;
        char dayDir[MAX_PATH];
        if (JoinPath(dayDir, sizeof(dayDir), base, day))
            SearchIndexFile(dayDir, search);
    }
}
