// CDlgSysProgram: the "other settings" page (248) of the system settings: a program the operator
// starts from here, kept in the system parameters.
#pragma once

#include "station/config/ConfigPage.h"
#include "resources/warden/settings.h"

class CDlgSysProgram : public CConfigPage {
public:
    enum { IDD = IDD_SYS_PROGRAM };
    CDlgSysProgram();

    void WriteValues() override;

    CString m_programPath;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnBrowse();
    afx_msg void OnRun();
    DECLARE_MESSAGE_MAP()
};
