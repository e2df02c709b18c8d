// The system log viewer's paged store: one category of one day's log copied into a
// "logindex%d" scratch file of SysLogRecords, read 30 records a page.
#pragma once

#include "station/core/storage/PagedFileStore.h"
#include "station/core/storage/SystemLog.h"

class CLogPageStore : public CPagedFileStore {
public:
    CLogPageStore() = default;
    ~CLogPageStore() override { Close(); }

    // A new empty scratch file (the previous one is deleted); the caller fills it through
    // GetPath and sets the count.
    int Create();
    // May be repeated; needs no writer.
    int OpenForRead();
    int SeekPage(UINT page) { return SeekPageOf(page, sizeof(SysLogRecord)); }
    int ReadNext(SysLogRecord* out) { return ReadNextOf(out, sizeof(SysLogRecord)); }
    // Columns of the viewer's list: 0 time, 1 detail, 2 channel (subType), 3 user, any other text.
    int Sort(int column, int ascending);
};
