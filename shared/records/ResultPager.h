// CResultPager: the one paged result list of the station and the player: the rows of a paged store,
// one page at a time, with the paging buttons, the go-to edit, the counter and the sort by column.
// The recorded-file query and the player's search window page query results (20 a page, six
// columns); the system log viewer pages log records (30 a page, five columns). They differ only in
// the settings and in how a record becomes a row (CPagedRows).
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include <memory>

#include "station/core/storage/QueryResultStore.h"

struct ResultPagerSettings {
    UINT counterString; // "page n of m, k records": 173 in the station, 127 in the player
    UINT hintId;        // a hint shown once there are results; 0 for none
    const UINT* titles; // column title strings
    const int* widths;  // column widths in pixels
    UINT firstButtonId; // "<<"; then "<", ">", ">>", the page edit and "go to" in order
    UINT counterId;
    int columnCount = 6;
    int pageSize = 20;
    bool sortFirstColumn = false; // the query's first column is the row number, which does not sort
};

// What the pager shows of a store: its paging state, and its records as rows.
class CPagedRows {
public:
    enum { kMaxColumns = 8 };
    virtual ~CPagedRows() = default;
    virtual CPagedFileStore& Store() = 0;
    virtual BOOL SeekPage(UINT page) = 0;
    // The next record of the page as column texts; FALSE at the end. number counts rows from 1
    // over the whole store.
    virtual BOOL ReadRow(int number, CString* columns) = 0;
    virtual BOOL Sort(int column, int ascending) = 0;
};

// The row of a record: number, server name, channel + 1, size in MB, start and end in local time.
// A time without a local time shows as zeros.
void FormatResultRow(const QueryResultRecord& record, int number, CString columns[6]);

// Query results as rows.
class CQueryResultRows : public CPagedRows {
public:
    explicit CQueryResultRows(CQueryResultStore& store) : m_store(store) {}
    CPagedFileStore& Store() override { return m_store; }
    BOOL SeekPage(UINT page) override { return m_store.SeekPage(page); }
    BOOL ReadRow(int number, CString* columns) override;
    BOOL Sort(int column, int ascending) override { return m_store.Sort(column, ascending); }

private:
    CQueryResultStore& m_store;
};

class CResultPager {
public:
    enum { kPageSize = 20, kColumns = 6 };
    // Query results with the query's settings.
    CResultPager(CWnd* owner, CListCtrl& list, CQueryResultStore& store, const ResultPagerSettings& settings);
    // Any rows; rows must outlive the pager.
    CResultPager(CWnd* owner, CListCtrl& list, CPagedRows& rows, const ResultPagerSettings& settings);

    // The columns, full-row selection and grid lines.
    void SetUpColumns();
    void ShowPage(UINT page);
    void UpdatePaging();
    void Clear();

    void OnFirst();
    void OnPrevious();
    void OnNext();
    void OnLast();
    void OnGoto();
    // The sort column again flips the order; another sorts ascending. Column 0 sorts only when the
    // settings say so.
    void OnColumnClick(int column);
    // The current page's index of the first selected row, or -1.
    int SelectedIndex() const;

    int m_sortColumn;
    int m_ascending;

private:
    CWnd* Control(int offset) const;
    void ApplySettings();

    std::unique_ptr<CQueryResultRows> m_queryRows; // when constructed on a query store
    CWnd* m_owner;
    CListCtrl& m_list;
    CPagedRows& m_rows;
    CPagedFileStore& m_store;
    ResultPagerSettings m_settings;
};
