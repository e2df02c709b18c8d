// CResultPager: the paged result list of the recorded-file query and of the player's search window:
// 20 rows of a result store per page, the paging buttons, the go-to edit, the counter and the sort by
// column. The two windows differ only in the settings.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "station/core/storage/QueryResultStore.h"

struct ResultPagerSettings {
    UINT counterString; // "page n of m, k records": 173 in the station, 127 in the player
    UINT hintId;        // a hint shown once there are results; 0 for none
    const UINT* titles; // six column title strings
    const int* widths;  // six column widths in pixels
    UINT firstButtonId; // "<<"; then "<", ">", ">>", the page edit and "go to" in order
    UINT counterId;
};

// The row of a record: number, server name, channel + 1, size in MB, start and end in local time.
// A time without a local time shows as zeros.
void FormatResultRow(const QueryResultRecord& record, int number, CString columns[6]);

class CResultPager {
public:
    enum { kPageSize = 20, kColumns = 6 };
    CResultPager(CWnd* owner, CListCtrl& list, CQueryResultStore& store, const ResultPagerSettings& settings);

    // The six columns, full-row selection and grid lines.
    void SetUpColumns();
    void ShowPage(UINT page);
    void UpdatePaging();
    void Clear();

    void OnFirst();
    void OnPrevious();
    void OnNext();
    void OnLast();
    void OnGoto();
    // Column 0 is not sorted; the sort column again flips the order; another sorts ascending.
    void OnColumnClick(int column);
    // The current page's index of the first selected row, or -1.
    int SelectedIndex() const;

    int m_sortColumn;
    int m_ascending;

private:
    CWnd* Control(int offset) const;

    CWnd* m_owner;
    CListCtrl& m_list;
    CQueryResultStore& m_store;
    ResultPagerSettings m_settings;
};
