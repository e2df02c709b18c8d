#include "shared/records/ResultPager.h"

#include <time.h>

namespace {

enum { buttonFirst, buttonPrevious, buttonNext, buttonLast, pageEdit, buttonGoto };

CString LocalTimeText(INT32 when)
{
    time_t value = (time_t)when;
    const struct tm* local = localtime(&value);
    CString text;
    if (local == nullptr)
        text = "0000-00-00 00:00:00";
    else
        text.Format("%04d-%02d-%02d %02d:%02d:%02d", local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
                    local->tm_hour, local->tm_min, local->tm_sec);
    return text;
}

} // namespace

void FormatResultRow(const QueryResultRecord& record, int number, CString columns[6])
{
    char name[sizeof record.name + 1];
    CopyText(name, record.name); // a full field has no terminator of its own
    columns[0].Format("%d", number);
    columns[1] = name;
    columns[2].Format("%d", record.channel + 1);
    columns[3].Format("%.2f", record.size / 1048576.0);
    columns[4] = LocalTimeText(record.start);
    columns[5] = LocalTimeText(record.end);
}

BOOL CQueryResultRows::ReadRow(int number, CString* columns)
{
    QueryResultRecord record;
    if (!m_store.ReadNext(&record))
        return FALSE;
    FormatResultRow(record, number, columns);
    return TRUE;
}

CResultPager::CResultPager(CWnd* owner, CListCtrl& list, CQueryResultStore& store, const ResultPagerSettings& settings)
    : m_sortColumn(0), m_ascending(1), m_queryRows(new CQueryResultRows(store)), m_owner(owner), m_list(list),
      m_rows(*m_queryRows), m_store(store), m_settings(settings)
{
    ApplySettings();
}

CResultPager::CResultPager(CWnd* owner, CListCtrl& list, CPagedRows& rows, const ResultPagerSettings& settings)
    : m_sortColumn(0), m_ascending(1), m_owner(owner), m_list(list), m_rows(rows), m_store(rows.Store()),
      m_settings(settings)
{
    ApplySettings();
}

void CResultPager::ApplySettings()
{
    if (m_settings.columnCount > CPagedRows::kMaxColumns)
        m_settings.columnCount = CPagedRows::kMaxColumns;
    m_store.SetPageSize(m_settings.pageSize);
}

void CResultPager::SetUpColumns()
{
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int i = 0; i < m_settings.columnCount; ++i) {
        CString title;
        title.LoadString(m_settings.titles[i]);
        m_list.InsertColumn(i, title, LVCFMT_LEFT, m_settings.widths[i]);
    }
}

CWnd* CResultPager::Control(int offset) const
{
    return m_owner->GetDlgItem(m_settings.firstButtonId + offset);
}

void CResultPager::Clear()
{
    m_list.DeleteAllItems();
}

void CResultPager::ShowPage(UINT page)
{
    // One repaint for the whole page rather than one per cell.
    m_list.SetRedraw(FALSE);
    m_list.DeleteAllItems();
    if (m_rows.SeekPage(page)) {
        const int size = m_settings.pageSize;
        CString columns[CPagedRows::kMaxColumns];
        for (int row = 0; row < size && m_rows.ReadRow((int)page * size + 1 + row, columns); ++row) {
            int item = m_list.InsertItem(row, columns[0]);
            for (int c = 1; c < m_settings.columnCount; ++c)
                m_list.SetItemText(item, c, columns[c]);
            m_list.SetItemData(item, (DWORD_PTR)row);
        }
    }
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();
    UpdatePaging();
}

void CResultPager::UpdatePaging()
{
    UINT pages = m_store.GetPageCount();
    int current = m_store.GetCurrentPage();
    if (m_settings.hintId != 0) {
        if (CWnd* hint = m_owner->GetDlgItem(m_settings.hintId))
            hint->ShowWindow(pages != 0 ? SW_SHOW : SW_HIDE);
    }
    for (int offset = buttonFirst; offset <= buttonGoto; ++offset) {
        if (CWnd* control = Control(offset))
            control->EnableWindow(pages > 1);
    }
    if (pages > 1) {
        BOOL first = current == 0, last = current + 1 >= (int)pages;
        Control(buttonFirst)->EnableWindow(!first);
        Control(buttonPrevious)->EnableWindow(!first);
        Control(buttonNext)->EnableWindow(!last);
        Control(buttonLast)->EnableWindow(!last);
    }
    int shown = pages != 0 ? current + 1 : 0;
    CString number;
    number.Format("%d", shown);
    if (CWnd* edit = Control(pageEdit))
        edit->SetWindowText(number);
    CString format, counter;
    format.LoadString(m_settings.counterString);
    counter.Format(format, shown, (int)pages, m_store.GetCount());
    m_owner->SetDlgItemText(m_settings.counterId, counter);
}

void CResultPager::OnFirst()
{
    ShowPage(0);
}

void CResultPager::OnPrevious()
{
    int current = m_store.GetCurrentPage();
    if (current > 0)
        ShowPage(current - 1);
    else
        Control(buttonPrevious)->EnableWindow(FALSE);
}

void CResultPager::OnNext()
{
    int next = m_store.GetCurrentPage() + 1;
    if (next < (int)m_store.GetPageCount())
        ShowPage(next);
    else
        Control(buttonNext)->EnableWindow(FALSE);
}

void CResultPager::OnLast()
{
    UINT pages = m_store.GetPageCount();
    if (pages > 0)
        ShowPage(pages - 1);
    else
        Control(buttonLast)->EnableWindow(FALSE);
}

void CResultPager::OnGoto()
{
    char text[10] = "";
    if (CWnd* edit = Control(pageEdit))
        ::GetWindowTextA(edit->m_hWnd, text, sizeof text);
    int page = atoi(text);
    if (page >= 1 && page <= (int)m_store.GetPageCount())
        ShowPage(page - 1);
}

void CResultPager::OnColumnClick(int column)
{
    if (column < 0 || (column == 0 && !m_settings.sortFirstColumn))
        return;
    if (column == m_sortColumn) {
        m_ascending = !m_ascending;
    } else {
        m_sortColumn = column;
        m_ascending = 1;
    }
    m_rows.Sort(column, m_ascending);
    ShowPage(0);
}

int CResultPager::SelectedIndex() const
{
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    if (pos == nullptr)
        return -1;
    int item = m_list.GetNextSelectedItem(pos);
    return (int)m_list.GetItemData(item);
}
