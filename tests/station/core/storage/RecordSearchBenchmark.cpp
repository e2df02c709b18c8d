// Searches a year of recordings (365 day directories of 1,000 recordings each) and compares the
// time with a bare walk of the same directory tree in the same run.
#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"
#include "station/core/storage/RecordStore.h"
#include "tests/support/RecordingTree.h"
#include "tests/support/TestSupport.h"

#include <stdio.h>

#include <string.h>

#include <algorithm>
#include <vector>

namespace {

const int kDays = 365;
const int kPerDay = 1000;
const int kRounds = 3;

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
    BuildRecordingTree(folder.Path(), kDays, kPerDay);
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
