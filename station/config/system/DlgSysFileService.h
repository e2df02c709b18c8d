// CDlgSysFileService: the file service page (187) of the system settings: whether remote players
// may search and fetch the station's recordings, on which port, with which account, and how fast.
// Storing it restarts the running service when one of the four connection values changed.
#pragma once

#include "station/config/ConfigPage.h"
#include "resources/warden/settings.h"

class CDlgSysFileService : public CConfigPage {
public:
    enum { IDD = IDD_SYS_FILE_SERVICE };
    CDlgSysFileService();

    void WriteValues() override;

    int m_enabled;
    UINT m_port;
    CString m_user;
    CString m_password;
    int m_speedKB;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnEnableClick();
    DECLARE_MESSAGE_MAP()

private:
    void FollowEnableBox();
};
