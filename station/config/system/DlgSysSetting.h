// CDlgSysSetting: the system settings (148 "系统设置"): eight pages over tab 1017 that edit the
// system parameters, the user list, "sysrecord.dat" and "start.ini". OK first reads every page;
// at the first page that refuses its values the dialog shows that page and stays open with nothing
// applied. Only when all pages read are they stored, in a fixed order, and the parameters saved.
#pragma once

#include <afxcmn.h>

#include "station/config/ConfigDialog.h"
#include "station/config/system/DlgSysFileService.h"
#include "station/config/system/DlgSysForward.h"
#include "station/config/system/DlgSysProgram.h"
#include "station/config/system/DlgSysRecord.h"
#include "station/config/system/DlgSysRecordDrive.h"
#include "station/config/system/DlgSysSerial.h"
#include "station/config/system/DlgSysTimer.h"
#include "station/config/system/DlgSysUser.h"
#include "station/config/TabPageHost.h"
#include "resources/warden/config.h"
#include "resources/warden/settings.h"

class CDlgSysSetting : public CConfigDialog {
public:
    enum { IDD = IDD_SYS_SETTING };
    explicit CDlgSysSetting(CWnd* pParent = nullptr);

    CTabCtrl m_tab;
    CTabPageHost m_host;

    CDlgSysRecord m_record;
    CDlgSysUser m_users;
    CDlgSysFileService m_fileService;
    CDlgSysForward m_forward;
    CDlgSysRecordDrive m_drives;
    CDlgSysTimer m_timer;
    CDlgSysSerial m_serial;
    CDlgSysProgram m_program;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnTabChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
