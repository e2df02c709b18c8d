// The system log viewer's rows: a log record as the five columns of its list (time, detail,
// channel, user, event), read from the viewer's paged store.
#pragma once

#include "shared/records/ResultPager.h"
#include "station/core/storage/LogPageStore.h"

// Texts cut at the field's end when a damaged file left a field without its terminator.
void FormatLogRow(const SysLogRecord& record, CString columns[5]);

class CLogRows : public CPagedRows {
public:
    explicit CLogRows(CLogPageStore& store) : m_store(store) {}
    CPagedFileStore& Store() override { return m_store; }
    BOOL SeekPage(UINT page) override { return m_store.SeekPage(page); }
    BOOL ReadRow(int number, CString* columns) override;
    BOOL Sort(int column, int ascending) override { return m_store.Sort(column, ascending); }

private:
    CLogPageStore& m_store;
};
