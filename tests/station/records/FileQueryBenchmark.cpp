// The local recorded-file query over 20,000 recordings in 100 days: from the click to the first page
// shown, against a bare record search in the same run; and the last page against the first.
#include <stdio.h>

#include <algorithm>

#include "station/config/queries/DlgFileQuery.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/storage/RecordStore.h"
#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"
#include "tests/support/RecordingTree.h"
#include "tests/support/TestSupport.h"

namespace {

const int kDays = 100;
const int kPerDay = 200;
const int kRounds = 3;

int CountHit(const char*, int, int, int, int, const char*, void* user)
{
    ++*static_cast<int*>(user);
    return 0;
}

} // namespace

int main()
{
    TempDir start(true);
    SetStartDirectory(start.Path().c_str());
    std::string storage = start.File("storage");
    CreateDirectoryA(storage.c_str(), nullptr);
    BuildRecordingTree(storage, kDays, kPerDay);
    StoragePathEntry entry = {};
    strcpy(entry.root, "C:");
    snprintf(entry.dir, sizeof(entry.dir), "%s", storage.c_str());
    theRecordStore.SetStoragePaths(&entry, 1);

    RecordQuery query = {};
    query.channel = -1;
    query.kind = RECORD_KIND_MP4;
    CDlgFileQuery dialog;
    dialog.Create(CDlgFileQuery::IDD, nullptr);

    double searchBest = 1e30, queryBest = 1e30, firstBest = 1e30, lastBest = 1e30;
    int hits = 0;
    for (int round = 0; round < kRounds; ++round) {
        hits = 0;
        double begin = NowMs();
        theRecordStore.SearchRecords(&CountHit, &query, &hits);
        searchBest = std::min(searchBest, NowMs() - begin);
        begin = NowMs();
        dialog.OnQuery();
        queryBest = std::min(queryBest, NowMs() - begin);
        UINT last = dialog.m_store.GetPageCount() - 1;
        begin = NowMs();
        dialog.ShowPage(last);
        lastBest = std::min(lastBest, NowMs() - begin);
        begin = NowMs();
        dialog.ShowPage(0);
        firstBest = std::min(firstBest, NowMs() - begin);
    }
    printf("file query: %d recordings found, %d in the dialog's store\n", hits, dialog.m_store.GetCount());
    PrintFigure("file query: click to first page vs bare record search", queryBest, searchBest, "ms", "<= 1.5x");
    PrintFigure("file query: last page vs first page", lastBest, firstBest, "ms", "<= 1.2x");
    dialog.DestroyWindow();
    return 0;
}
