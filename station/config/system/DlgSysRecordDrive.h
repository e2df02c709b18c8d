// CDlgSysRecordDrive: the recording drives page (229) of the system settings: every removable,
// fixed or network drive from C to Y with its size and free space, a box per drive for recording on
// it, the reserve to keep free (edited in place) and the folder to record into. Stored, it rewrites
// "sysrecord.dat" with one record per checked drive; the station reads it at its next load.
#pragma once

#include "controls/GridListCtrl.h"
#include "station/config/ConfigPage.h"
#include "station/core/storage/StoragePathFile.h"
#include "resources/warden/settings.h"

class CDlgSysRecordDrive : public CConfigPage {
public:
    enum { IDD = IDD_SYS_RECORD_DRIVE };
    enum { colDisk, colSize, colFree, colReserve, colFolder };
    CDlgSysRecordDrive();

    // Refuses with 326 when no drive is checked: an empty file would stop recording silently.
    BOOL ReadControls() override;
    void WriteValues() override;

    CGridListCtrl m_list;
    StoragePathEntry m_table[kMaxStoragePaths]; // the file as loaded
    int m_count;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg LRESULT OnCheckboxClicked(WPARAM row, LPARAM column);
    afx_msg LRESULT OnEditEnd(WPARAM row, LPARAM column);
    afx_msg LRESULT OnSubItemClicked(WPARAM row, LPARAM column);
    DECLARE_MESSAGE_MAP()

private:
    void FillRows();
    BOOL AnyDriveChecked();
};
