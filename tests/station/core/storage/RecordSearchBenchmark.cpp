// Searches a year of recordings (365 day directories of 1,000 recordings each) and compares the
// time with a bare walk of the same directory tree in the same run.
#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"
#include "station/core/storage/RecordStore.h"
#include "tests/support/TestSupport.h"

#include <stdio.h>

#include <string.h>

#include <algorithm>
#include <vector>

namespace {

const int kDays = 365;
const int kPerDay = 1000;
const int kRounds = 3;

void BuildTree(const std::string& base)
{
    CTime day(2026, 1, 1, 0, 0, 0);
    for (int d = 0; d < kDays; ++d, day += CTimeSpan(1, 0, 0, 0)) {
        char dayDir[MAX_PATH];
        snprintf(dayDir, sizeof(dayDir), "%s\\%04d%02d%02d", base.c_str(), day.GetYear(), day.GetMonth(), day.GetDay());
        CreateDirectoryA(dayDir, nullptr);
        std::vector<RecordIndexEntry> entries(kPerDay);
        for (int i = 0; i < kPerDay; ++i) {
            RecordIndexEntry& e = entries[i];
            memset(&e, 0, sizeof(e));
            snprintf(e.name, sizeof(e.name), "Server%d", i % 8);
            e.channel = (BYTE)(i % 4);
            e.year = day.GetYear();
            e.month = (BYTE)day.GetMonth();
            e.day = (BYTE)day.GetDay();
            int second = i * 86; // spread over the day
            e.hour = (BYTE)(second / 3600);
            e.minute = (BYTE)(second / 60 % 60);
            e.second = (BYTE)(second % 60);
            e.typeBits = 1 << (i % 4);
            char path[MAX_PATH];
            snprintf(path, sizeof(path), "%s\\%s_%d_%02d%02d%02d.mp4", dayDir, e.name, e.channel + 1, e.hour, e.minute,
                     e.second);
            CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        }
        char index[MAX_PATH];
        snprintf(index, sizeof(index), "%s\\index", dayDir);
        FILE* f = fopen(index, "wb");
        fwrite(entries.data(), sizeof(RecordIndexEntry), entries.size(), f);
        fclose(f);
    }
}

// Lists the base and every directory in it, as a bare walk of the tree; the number of files seen.
int Walk(const std::string& base)
{
    int files = 0;
    WIN32_FIND_DATAA fd;
    HANDLE top = FindFirstFileA((base + "\\*.*").c_str(), &fd);
    if (top == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || fd.cFileName[0] == '.')
            continue;
        WIN32_FIND_DATAA inner;
        HANDLE day = FindFirstFileA((base + "\\" + fd.cFileName + "\\*.*").c_str(), &inner);
        if (day == INVALID_HANDLE_VALUE)
            continue;
        do {
            if (!(inner.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ++files;
        } while (FindNextFileA(day, &inner));
        FindClose(day);
    } while (FindNextFileA(top, &fd));
    FindClose(top);
    return files;
}

int CountHit(const char*, int, int, int, int, const char*, void* user)
{
    ++*static_cast<int*>(user);
    return 0;
}

} // namespace

int main()
{
    TempDir folder;
    double buildStart = NowMs();
    BuildTree(folder.Path());
    printf("record search: built %d day directories of %d recordings in %.0f ms\n", kDays, kPerDay,
           NowMs() - buildStart);

    CRecordStore store;
    StoragePathEntry entry = {};
    strcpy(entry.root, "C:");
    snprintf(entry.dir, sizeof(entry.dir), "%s", folder.Path().c_str());
    store.SetStoragePaths(&entry, 1);
    RecordQuery query;
    memset(&query, 0, sizeof(query));
    query.channel = -1;
    query.kind = RECORD_KIND_MP4;

    double walkBest = 1e30, searchBest = 1e30;
    int walked = 0, hits = 0;
    for (int round = 0; round < kRounds; ++round) {
        double start = NowMs();
        walked = Walk(folder.Path());
        walkBest = std::min(walkBest, NowMs() - start);
        hits = 0;
        start = NowMs();
        store.SearchRecords(&CountHit, &query, &hits);
        searchBest = std::min(searchBest, NowMs() - start);
    }
    printf("record search: %d files walked, %d hits\n", walked, hits);
    PrintFigure("record search vs bare directory walk", searchBest, walkBest, "ms", "a small multiple");
    return 0;
}
