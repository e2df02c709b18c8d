// The system log viewer.
#include "station/config/queries/DlgSysLog.h"

#include <afxmt.h>

#include "station/config/ConfigText.h"
#include "station/config/ConfigWindows.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/core/storage/LogFile.h"
#include "station/core/storage/SystemLog.h"

namespace {

const UINT kTitles[] = {IDS_SYSLOG_COLUMN_TIME, IDS_SYSLOG_COLUMN_NAME, IDS_SYSLOG_COLUMN_CHANNEL,
                        IDS_SYSLOG_COLUMN_USER, IDS_SYSLOG_COLUMN_EVENT};
const int kWidths[] = {140, 260, 60, 94, 180};

ResultPagerSettings LogPagerSettings()
{
    ResultPagerSettings settings = {IDS_SYSLOG_COUNTER, 0, kTitles, kWidths, IDC_SYSLOG_FIRST, IDC_SYSLOG_COUNTER};
    settings.columnCount = 5;
    settings.pageSize = CDlgSysLog::kPageSize;
    settings.sortFirstColumn = true;
    return settings;
}

// The categories under each day: their text and number (the record's type + 1).
const struct {
    UINT text;
    int category;
} kCategories[] = {{IDS_SYSLOG_LOGIN, 3},
                   {IDS_SYSLOG_ALARM, 2},
                   {IDS_SYSLOG_CONNECT, 1},
                   {IDS_SYSLOG_REMOTE, 4},
                   {IDS_SYSLOG_ABNORMAL, 5}};

} // namespace

BEGIN_MESSAGE_MAP(CDlgSysLog, CConfigDialog)
ON_NOTIFY(NM_CLICK, IDC_SYSLOG_TREE, OnTreeClick)
ON_NOTIFY(NM_RCLICK, IDC_SYSLOG_TREE, OnTreeRightClick)
ON_NOTIFY(LVN_COLUMNCLICK, IDC_SYSLOG_LIST, OnColumnClick)
ON_COMMAND(ID_SYSLOG_DELETE, OnDelete)
ON_COMMAND(ID_SYSLOG_REFRESH, OnRefresh)
ON_BN_CLICKED(IDC_SYSLOG_FIRST, OnFirst)
ON_BN_CLICKED(IDC_SYSLOG_PREVIOUS, OnPrevious)
ON_BN_CLICKED(IDC_SYSLOG_NEXT, OnNext)
ON_BN_CLICKED(IDC_SYSLOG_LAST, OnLast)
ON_BN_CLICKED(IDC_SYSLOG_GOTO, OnGoto)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgSysLog::CDlgSysLog(CSystemLog* log, CWnd* pParent)
    : CConfigDialog(IDD, pParent), m_pLog(log != nullptr ? log : StationWindows().GetSystemLog()), m_rows(m_store),
      m_pager(this, m_list, m_rows, LogPagerSettings())
{
}

CDlgSysLog::~CDlgSysLog()
{
    m_store.Close();
    FreeFiles();
}

void CDlgSysLog::DoDataExchange(CDataExchange* pDX)
{
    CConfigDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SYSLOG_TREE, m_tree);
    DDX_Control(pDX, IDC_SYSLOG_LIST, m_list);
}

BOOL CDlgSysLog::OnInitDialog()
{
    CConfigDialog::OnInitDialog();
    if (m_images.Create(IDB_SYSLOG_TREE, 18, 1, RGB(0, 0, 0)))
        m_tree.SetImageList(&m_images, TVSIL_NORMAL);
    BuildTree();
    m_pager.SetUpColumns();
    m_pager.UpdatePaging();
    return TRUE;
}

void CDlgSysLog::FreeFiles()
{
    for (INT_PTR i = 0; i < m_files.GetSize(); ++i)
        delete static_cast<CLogFile*>(m_files[i]);
    m_files.RemoveAll();
}

void CDlgSysLog::BuildTree()
{
    m_tree.DeleteAllItems();
    HTREEITEM root =
        m_tree.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, ConfigString(IDS_SYSLOG_ROOT),
                          itemRoot, itemRoot, 0, 0, (LPARAM)m_pLog, TVI_ROOT, TVI_LAST);
    FreeFiles();
    if (m_pLog != nullptr)
        m_pLog->ListFiles(m_files);
    for (INT_PTR i = 0; i < m_files.GetSize(); ++i) {
        CLogFile* file = static_cast<CLogFile*>(m_files[i]);
        HTREEITEM day = m_tree.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, file->m_date,
                                          itemDay, itemDay, 0, 0, (LPARAM)file, root, TVI_LAST);
        for (const auto& category : kCategories)
            m_tree.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, ConfigString(category.text),
                              itemCategory, itemCategory, 0, 0, (LPARAM)category.category, day, TVI_LAST);
    }
    m_tree.Expand(root, TVE_EXPAND);
}

int CDlgSysLog::ItemKind(HTREEITEM item) const
{
    int image = -1, selected = -1;
    if (item == nullptr || !m_tree.GetItemImage(item, image, selected))
        return -1;
    return image;
}

CLogFile* CDlgSysLog::DayOf(HTREEITEM item) const
{
    if (ItemKind(item) == itemCategory)
        item = m_tree.GetParentItem(item);
    return ItemKind(item) == itemDay ? reinterpret_cast<CLogFile*>(m_tree.GetItemData(item)) : nullptr;
}

HTREEITEM CDlgSysLog::SelectItemUnderCursor()
{
    CPoint point;
    ::GetCursorPos(&point);
    m_tree.ScreenToClient(&point);
    HTREEITEM item = m_tree.HitTest(point);
    if (item != nullptr)
        m_tree.SelectItem(item);
    return item;
}

void CDlgSysLog::OnTreeClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    m_pager.Clear();
    if (HTREEITEM item = SelectItemUnderCursor())
        ShowItem(item);
}

BOOL CDlgSysLog::CopyItem(HTREEITEM item)
{
    if (!m_store.Create())
        return FALSE;
    int kind = ItemKind(item);
    int count = 0;
    // Appends to today's file take the same lock, so a copy never ends inside a record.
    if (m_pLog != nullptr) {
        CSingleLock lock(&m_pLog->GetMutex(), TRUE);
        if (kind == itemRoot) {
            // Every day together, in the order of the tree.
            for (INT_PTR i = 0; i < m_files.GetSize(); ++i) {
                int added = static_cast<CLogFile*>(m_files[i])->AppendRecords(m_store.GetPath(), 0);
                if (added < 0)
                    break; // the store's end is not a record boundary any more
                count += added;
            }
        } else if (CLogFile* day = DayOf(item)) {
            int category = kind == itemCategory ? (int)m_tree.GetItemData(item) : 0;
            count = day->CopyRecords(m_store.GetPath(), category);
        }
    }
    m_store.SetCount(count);
    return TRUE;
}

void CDlgSysLog::ShowItem(HTREEITEM item)
{
    m_pager.Clear();
    m_store.Close();
    if (!CopyItem(item)) {
        m_pager.UpdatePaging();
        return;
    }
    m_store.OpenForRead();
    m_pager.UpdatePaging();
    m_pager.ShowPage(0);
}

void CDlgSysLog::OnTreeRightClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (SelectItemUnderCursor() == nullptr)
        return;
    CMenu menu;
    if (!menu.LoadMenu(IDR_MENU_SYSLOG))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    popup->EnableMenuItem(ID_SYSLOG_DELETE, MF_BYCOMMAND | (CurrentUser().rights[0] ? MF_ENABLED : MF_GRAYED));
    CPoint at;
    ::GetCursorPos(&at);
    ConfigWindows().TrackOwnerDrawnMenu(popup, this, at);
}

void CDlgSysLog::OnDelete()
{
    HTREEITEM item = m_tree.GetSelectedItem();
    if (item == nullptr || m_pLog == nullptr)
        return;
    m_pager.Clear();
    int kind = ItemKind(item);
    if (kind == itemRoot) {
        m_pLog->DeleteAll();
    } else if (CLogFile* day = DayOf(item)) {
        m_pLog->DeleteRecords(day->m_path, kind == itemCategory ? (int)m_tree.GetItemData(item) : 0);
    }
    BuildTree();
}

void CDlgSysLog::OnRefresh()
{
    BuildTree();
}

void CDlgSysLog::OnFirst()
{
    m_pager.OnFirst();
}

void CDlgSysLog::OnPrevious()
{
    m_pager.OnPrevious();
}

void CDlgSysLog::OnNext()
{
    m_pager.OnNext();
}

void CDlgSysLog::OnLast()
{
    m_pager.OnLast();
}

void CDlgSysLog::OnGoto()
{
    m_pager.OnGoto();
}

void CDlgSysLog::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    m_pager.OnColumnClick(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
    *pResult = 0;
}

void CDlgSysLog::OnDestroy()
{
    m_store.Close();
    FreeFiles();
    CConfigDialog::OnDestroy();
}
