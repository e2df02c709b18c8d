// Pages through a day of 1,000,000 log records in the viewer's paged store and compares the cost
// of a page at the start, at the end, and in a store of only a hundred records, in the same run.
#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"
#include "station/core/storage/LogFile.h"
#include "station/core/storage/LogPageStore.h"
#include "tests/support/TestSupport.h"

#include <stdio.h>

#include <string.h>

#include <algorithm>
#include <vector>

namespace {

const int kDayRecords = 1000000;
const int kSmallRecords = 100;
const int kPageSize = 30;
const int kPagesTimed = 200;
const int kRounds = 5;

void WriteLog(const std::string& path, int count)
{
    FILE* f = fopen(path.c_str(), "wb");
    std::vector<SysLogRecord> chunk(4096);
    for (int written = 0; written < count;) {
        int n = std::min<int>((int)chunk.size(), count - written);
        for (int i = 0; i < n; ++i) {
            SysLogRecord& r = chunk[i];
            memset(&r, 0, sizeof(r));
            r.type = (BYTE)((written + i) % 5);
            snprintf(r.time, sizeof(r.time), "2026-12-07 %02d-%02d-%02d", (written + i) / 3600 % 24,
                     (written + i) / 60 % 60, (written + i) % 60);
            snprintf(r.text, sizeof(r.text), "record %d", written + i);
        }
        fwrite(chunk.data(), sizeof(SysLogRecord), n, f);
        written += n;
    }
    fclose(f);
}

// Milliseconds per full page, reading kPagesTimed pages cycled over [first, first + span); best of the rounds.
double PageCost(CLogPageStore& store, UINT first, UINT span)
{
    double best = 1e30;
    for (int round = 0; round < kRounds; ++round) {
        double start = NowMs();
        SysLogRecord r;
        int read = 0;
        for (int p = 0; p < kPagesTimed; ++p) {
            store.SeekPage(first + p % span);
            for (int i = 0; i < kPageSize && store.ReadNext(&r); ++i)
                ++read;
        }
        double elapsed = (NowMs() - start) / kPagesTimed;
        if (read == 0)
            printf("no records read\n");
        best = std::min(best, elapsed);
    }
    return best;
}

bool OpenStore(CLogPageStore& store, const std::string& logPath)
{
    CLogFile file;
    if (file.Open(logPath.c_str()) != 1 || store.Create() != 1)
        return false;
    store.SetCount(file.CopyRecords(store.GetPath(), 0));
    store.SetPageSize(kPageSize);
    return store.OpenForRead() == 1;
}

} // namespace

int main()
{
    TempDir folder(true); // the scratch files go to the working directory
    std::string day = folder.Path() + "\\2026_12_07.log";
    std::string small = folder.Path() + "\\2026_12_08.log";
    WriteLog(day, kDayRecords);
    WriteLog(small, kSmallRecords);

    CLogPageStore big, little;
    if (!OpenStore(big, day) || !OpenStore(little, small)) {
        printf("could not open the stores\n");
        return 1;
    }
    UINT pages = big.GetPageCount();
    // The last page of the day is partial and the 100-record store has three full pages.
    double atStart = PageCost(big, 0, kPagesTimed);
    double atEnd = PageCost(big, pages - 1 - kPagesTimed, kPagesTimed);
    double hundred = PageCost(little, 0, kSmallRecords / kPageSize);
    printf("log paging: %d records, %u pages of %d\n", big.GetCount(), pages, kPageSize);
    PrintFigure("log page at the end vs at the start", atEnd, atStart, "ms", "about 1");
    PrintFigure("log page at the end vs a 100-record store", atEnd, hundred, "ms", "about 1");
    big.Close();
    little.Close();
    return 0;
}
