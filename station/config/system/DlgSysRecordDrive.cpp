// The recording drives page of the system settings.
#include "station/config/system/DlgSysRecordDrive.h"

#include "station/config/ConfigText.h"
#include "station/config/PathChoice.h"
#include "station/config/system/RecordDrives.h"
#include "station/config/SaveFailure.h"
#include "station/core/datamodel/StationPaths.h"

namespace {

const int kDefaultReserve = 500;

CString Number(int value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgSysRecordDrive, CConfigPage)
ON_REGISTERED_MESSAGE(WM_GRIDLIST_CHECKBOX_CLICKED, OnCheckboxClicked)
ON_REGISTERED_MESSAGE(WM_GRIDLIST_EDIT_END, OnEditEnd)
ON_REGISTERED_MESSAGE(WM_GRIDLIST_SUBITEM_CLICKED, OnSubItemClicked)
END_MESSAGE_MAP()

CDlgSysRecordDrive::CDlgSysRecordDrive() : CConfigPage(IDD), m_table(), m_count(0) {}

void CDlgSysRecordDrive::DoDataExchange(CDataExchange* pDX)
{
    CConfigPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SYSDRIVE_LIST, m_list);
}

BOOL CDlgSysRecordDrive::OnInitDialog()
{
    CConfigPage::OnInitDialog();
    const struct {
        UINT text;
        int width;
    } columns[] = {{IDS_DRIVE_COLUMN_DISK, 110},
                   {IDS_DRIVE_COLUMN_SIZE, 100},
                   {IDS_DRIVE_COLUMN_FREE, 90},
                   {IDS_DRIVE_COLUMN_RESERVE, 90},
                   {IDS_DRIVE_COLUMN_FOLDER, 120}};
    for (int i = 0; i < 5; ++i)
        m_list.InsertColumn(i, ConfigString(columns[i].text), LVCFMT_CENTER, columns[i].width);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_count = LoadStorageRoots(GetStartDirectory(), m_table);
    FillRows();
    return TRUE;
}

void CDlgSysRecordDrive::FillRows()
{
    RecordDrive drives[kRecordDriveLetters];
    int count = ListRecordDrives(drives);
    for (int i = 0; i < count; ++i) {
        int row = m_list.InsertItem(m_list.GetItemCount(), drives[i].name);
        if (row < 0)
            continue;
        const StoragePathEntry* entry = nullptr;
        for (int e = 0; e < m_count && entry == nullptr; ++e) {
            if (strcmp(m_table[e].root, drives[i].name) == 0)
                entry = &m_table[e];
        }
        m_list.SetCheckbox(row, colDisk, entry != nullptr ? 1 : 0);
        m_list.SetItemText(row, colReserve, Number(entry != nullptr ? entry->reserve : kDefaultReserve));
        m_list.SetItemText(row, colFolder, entry != nullptr ? entry->dir : "");
        m_list.SetEdit(row, colReserve);
        m_list.SetItemText(row, colSize, Number(drives[i].totalMB));
        m_list.SetItemText(row, colFree, Number(drives[i].freeMB));
    }
}

BOOL CDlgSysRecordDrive::AnyDriveChecked()
{
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        if (m_list.GetCheckbox(row, colDisk) > 0)
            return TRUE;
    }
    return FALSE;
}

LRESULT CDlgSysRecordDrive::OnCheckboxClicked(WPARAM row, LPARAM column)
{
    if (AnyDriveChecked())
        return 0;
    ConfigMessage(IDS_CHOOSE_ONE_DRIVE);
    m_list.SetCheckboxNoHeader((int)row, (int)column, 1);
    return 0;
}

LRESULT CDlgSysRecordDrive::OnEditEnd(WPARAM row, LPARAM)
{
    int reserve = ParseMegabytes(m_list.GetItemText((int)row, colReserve));
    int freeMB = ParseMegabytes(m_list.GetItemText((int)row, colFree));
    // The cell always shows the number that will be saved, corrected or not.
    m_list.SetItemText((int)row, colReserve, Number(CorrectedReserve(reserve, freeMB)));
    return 0;
}

LRESULT CDlgSysRecordDrive::OnSubItemClicked(WPARAM row, LPARAM column)
{
    if (column != colFolder)
        return 0;
    CString root = m_list.GetItemText((int)row, colDisk) + "\\";
    CString folder;
    if (ChooseFolder(this, ConfigString(IDS_CHOOSE_RECORD_DIR), root, m_list.GetItemText((int)row, colFolder), folder))
        m_list.SetItemText((int)row, colFolder, folder);
    return 0;
}

BOOL CDlgSysRecordDrive::ReadControls()
{
    if (AnyDriveChecked())
        return TRUE;
    ConfigMessage(IDS_CHOOSE_ONE_DRIVE);
    GotoDlgCtrl(&m_list);
    return FALSE;
}

void CDlgSysRecordDrive::WriteValues()
{
    m_count = 0;
    for (int row = 0; row < m_list.GetItemCount() && m_count < kMaxStoragePaths; ++row) {
        if (m_list.GetCheckbox(row, colDisk) <= 0)
            continue;
        m_table[m_count++] =
            MakeStorageEntry(m_list.GetItemText(row, colDisk), ParseMegabytes(m_list.GetItemText(row, colReserve)),
                             m_list.GetItemText(row, colFolder));
    }
    if (!SaveStorageRoots(GetStartDirectory(), m_table, m_count))
        ReportSaveFailure("sysrecord.dat");
}
