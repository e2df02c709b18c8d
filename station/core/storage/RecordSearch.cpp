// The recording search: walks the day directories of every storage path, filters the index
// entries of the kind asked for and reports each entry whose file still exists.
#include "station/core/storage/RecordSearch.h"

#include "station/core/storage/RecordStore.h"

#include "station/core/storage/StorageFiles.h"

#include <limits.h>
#include <string.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace {

struct KindFiles {
    const char* index;
    const char* extension;
};

KindFiles FilesOfKind(int kind)
{
    switch (kind) {
    case RECORD_KIND_MP4:
        return {"index", "mp4"};
    case RECORD_KIND_JPEG:
        return {"jpegindex", "jpg"};
    case RECORD_KIND_BMP:
        return {"bmpindex", "bmp"};
    default:
        return {"index", "asf"};
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
    char name[40]; // the query's name, terminated within its field
    int typeBit;
    __time64_t from; // only with the range flag
    __time64_t to;
};

struct FileStatus {
    ULONGLONG size;
    FILETIME written;
};

// Above this many candidates in one day, one listing of the day directory is cheaper than asking
// for each file's status in turn.
const size_t kListingThreshold = 32;

// The files of the kind in a day directory, by their name in lower case (names compare without
// case, as the file system does).
typedef std::unordered_map<std::string, FileStatus> DayListing;

std::string LowerName(const char* name)
{
    CString lower(name);
    lower.MakeLower();
    return std::string(lower, lower.GetLength());
}

void ListDay(const char* dayDir, const char* extension, DayListing& listing)
{
    char mask[16];
    char pattern[MAX_PATH];
    if (!FormatPath(mask, sizeof(mask), "*.%s", extension) || !JoinPath(pattern, sizeof(pattern), dayDir, mask))
        return;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(pattern, &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            listing[LowerName(found.cFileName)] = {((ULONGLONG)found.nFileSizeHigh << 32) | found.nFileSizeLow,
                                                   found.ftLastWriteTime};
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

BOOL StatusOf(const char* path, const char* name, const DayListing* listing, FileStatus& status)
{
    if (listing != nullptr) {
        auto it = listing->find(LowerName(name));
        if (it == listing->end())
            return FALSE;
        status = it->second;
        return TRUE;
    }
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return FALSE;
    status.size = ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    status.written = data.ftLastWriteTime;
    return TRUE;
}

struct Candidate {
    RecordIndexEntry entry;
    int start;
};

// The entries of a day's index that pass the query's filters, in file order.
void ReadCandidates(const char* dayDir, const SearchContext& search, std::vector<Candidate>& candidates)
{
    char indexPath[MAX_PATH];
    if (!JoinPath(indexPath, sizeof(indexPath), dayDir, search.files.index))
        return;
    FILE* index = fopen(indexPath, "rb");
    if (index == nullptr)
        return;
    const RecordQuery& query = *search.query;
    Candidate c;
    while (ReadWholeRecord(index, &c.entry, sizeof(c.entry))) {
        RecordIndexEntry& entry = c.entry;
        entry.name[sizeof(entry.name) - 1] = '\0';
        if (search.name[0] != '\0' && strcmp(search.name, entry.name) != 0)
            continue;
        if (query.channel != -1 && query.channel != entry.channel)
            continue;
        if (search.typeBit != 0 && (entry.typeBits & search.typeBit) == 0)
            continue;
        if (!ToCalendarTime(entry.year, entry.month, entry.day, entry.hour, entry.minute, entry.second, &c.start))
            continue;
        if (query.rangeFlag != 0 && (c.start < search.from || c.start > search.to))
            continue;
        candidates.push_back(c);
    }
    fclose(index);
}

void SearchIndexFile(const char* dayDir, const SearchContext& search)
{
    std::vector<Candidate> candidates;
    ReadCandidates(dayDir, search, candidates);
    DayListing listing;
    bool listed = candidates.size() > kListingThreshold;
    if (listed)
        ListDay(dayDir, search.files.extension, listing);

    for (const Candidate& c : candidates) {
        const RecordIndexEntry& entry = c.entry;
        char path[MAX_PATH];
        if (!FormatPath(path, sizeof(path), "%s\\%s_%d_%02d%02d%02d.%s", dayDir, entry.name, entry.channel + 1,
                        entry.hour, entry.minute, entry.second, search.files.extension))
            continue;
        FileStatus status;
        if (!StatusOf(path, path + strlen(dayDir) + 1, listed ? &listing : nullptr, status))
            continue; // gone, for example deleted by the disk watcher
        __time64_t end = CTime(status.written).GetTime();
        if (end < 0 || end > INT_MAX)
            continue;
        // Files over 2 GB report the largest size the callback can carry rather than a negative one.
        int size = status.size > INT_MAX ? INT_MAX : (int)status.size;
        search.callback(entry.name, entry.channel, c.start, (int)end, size, path, search.user);
    }
}

} // namespace

int RecordReasonOfSelector(int typeSelector)
{
    switch (typeSelector) {
    case 1:
        return recordManual;
    case 2:
        return recordSchedule;
    case 3:
        return recordMotion;
    case 4:
        return recordAlarm;
    default:
        return 0;
    }
}

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
    SearchContext search = {
        query, callback, user, FilesOfKind(query->kind), {}, RecordReasonOfSelector(query->typeSelector), 0, 0};
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

    ForEachDayDirectory(base, [&](const CString& day) {
        if (query->rangeFlag != 0 && (day.Compare(fromDay) < 0 || day.Compare(toDay) > 0))
            return;
        char dayDir[MAX_PATH];
        if (JoinPath(dayDir, sizeof(dayDir), base, day))
            SearchIndexFile(dayDir, search);
    });
}
