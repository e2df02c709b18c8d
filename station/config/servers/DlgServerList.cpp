// The server list dialog over "serverinfo.dat".
#include "station/config/servers/DlgServerList.h"

#include <string.h>

#include "station/config/ConfigText.h"
#include "station/config/FieldText.h"
#include "station/config/servers/DlgServerParam.h"
#include "station/config/SaveFailure.h"

namespace {

const UINT kColumnTitles[] = {IDS_SRVLIST_COLUMN_NAME, IDS_SRVLIST_COLUMN_ADDRESS, IDS_SRVLIST_COLUMN_PORT,
                              IDS_SRVLIST_COLUMN_USER, IDS_SRVLIST_COLUMN_PASSWORD};

} // namespace

BEGIN_MESSAGE_MAP(CDlgServerList, CConfigDialog)
ON_BN_CLICKED(IDC_SRVLIST_ADD, OnAdd)
ON_BN_CLICKED(IDC_SRVLIST_EDIT, OnEdit)
ON_BN_CLICKED(IDC_SRVLIST_DELETE, OnDelete)
ON_BN_CLICKED(IDC_SRVLIST_CHOOSE, OnChoose)
ON_NOTIFY(NM_CLICK, IDC_SRVLIST_LIST, OnListClick)
ON_NOTIFY(NM_DBLCLK, IDC_SRVLIST_LIST, OnListDoubleClick)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgServerList::CDlgServerList(CWnd* pParent) : CConfigDialog(IDD, pParent), m_loaded(FALSE)
{
    memset(&m_chosen, 0, sizeof m_chosen);
}

CDlgServerList::~CDlgServerList()
{
    FreeServerInfo(m_records);
}

void CDlgServerList::DoDataExchange(CDataExchange* pDX)
{
    CConfigDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SRVLIST_LIST, m_list);
}

BOOL CDlgServerList::OnInitDialog()
{
    CConfigDialog::OnInitDialog();
    for (int c = 0; c < 5; ++c)
        m_list.InsertColumn(c, ConfigString(kColumnTitles[c]), LVCFMT_LEFT, 90);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    m_loaded = LoadServerInfo(ServerInfoPath(), m_records);
    for (INT_PTR i = 0; i < m_records.GetSize(); ++i)
        ShowRow(m_list.InsertItem((int)i, ""), m_records[i]);
    return TRUE;
}

void CDlgServerList::ShowRow(int row, ServerInfoRecord* record)
{
    if (row < 0)
        return;
    CString port;
    port.Format("%d", record->port);
    m_list.SetItemText(row, 0, FieldText(record->name));
    m_list.SetItemText(row, 1, FieldText(record->address));
    m_list.SetItemText(row, 2, port);
    m_list.SetItemText(row, 3, FieldText(record->user));
    m_list.SetItemText(row, 4, FieldText(record->password));
    m_list.SetItemData(row, (DWORD_PTR)record);
}

int CDlgServerList::SelectedRow() const
{
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    return pos != nullptr ? m_list.GetNextSelectedItem(pos) : -1;
}

void CDlgServerList::AskForSelection(UINT message)
{
    ConfigMessage(message);
    m_list.SetFocus();
}

void CDlgServerList::OnAdd()
{
    CDlgServerParam param(this);
    if (param.DoModal() != IDOK)
        return;
    ServerInfoRecord* record = new ServerInfoRecord(param.m_record);
    m_records.Add(record);
    ShowRow(m_list.InsertItem(m_list.GetItemCount(), ""), record);
}

void CDlgServerList::OnEdit()
{
    int row = SelectedRow();
    if (row < 0) {
        AskForSelection(IDS_SRVLIST_CHOOSE_EDIT);
        return;
    }
    ServerInfoRecord* record = reinterpret_cast<ServerInfoRecord*>(m_list.GetItemData(row));
    CDlgServerParam param(this);
    param.m_record = *record;
    if (param.DoModal() != IDOK)
        return;
    *record = param.m_record;
    ShowRow(row, record);
}

void CDlgServerList::OnDelete()
{
    int row = SelectedRow();
    if (row < 0) {
        AskForSelection(IDS_SRVLIST_CHOOSE_DELETE);
        return;
    }
    ServerInfoRecord* record = reinterpret_cast<ServerInfoRecord*>(m_list.GetItemData(row));
    for (INT_PTR i = 0; i < m_records.GetSize(); ++i) {
        if (m_records[i] == record) {
            m_records.RemoveAt(i);
            delete record;
            break;
        }
    }
    m_list.DeleteItem(row);
}

BOOL CDlgServerList::ChooseSelected()
{
    int row = SelectedRow();
    if (row < 0)
        return FALSE;
    m_chosen = *reinterpret_cast<ServerInfoRecord*>(m_list.GetItemData(row));
    return TRUE;
}

void CDlgServerList::OnChoose()
{
    if (!ChooseSelected()) {
        AskForSelection(IDS_SRVLIST_CHOOSE_PICK);
        return;
    }
    EndDialog(IDOK);
}

void CDlgServerList::OnListClick(NMHDR*, LRESULT* pResult)
{
    ChooseSelected();
    *pResult = 0;
}

void CDlgServerList::OnListDoubleClick(NMHDR*, LRESULT* pResult)
{
    if (ChooseSelected())
        EndDialog(IDOK);
    *pResult = 0;
}

void CDlgServerList::OnDestroy()
{
    if (m_loaded && !SaveServerInfo(ServerInfoPath(), m_records))
        ReportSaveFailure("serverinfo.dat");
    FreeServerInfo(m_records);
    m_loaded = FALSE;
    CConfigDialog::OnDestroy();
}
