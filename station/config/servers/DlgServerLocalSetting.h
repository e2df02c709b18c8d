// CDlgServerLocalSetting: the server local settings (149 "服务器本地参数设置") of one server of the
// station's live tree: its alarm box's serial settings and its alarm inputs, one page each. Each
// page stores its values with its own "设置"; OK saves the whole server tree.
#pragma once

#include <afxcmn.h>

#include "station/config/ConfigDialog.h"
#include "station/config/servers/DlgAlarmBoxSerial.h"
#include "station/config/servers/DlgAlarmDetect.h"
#include "station/config/TabPageHost.h"
#include "resources/warden/settings.h"

class CTermServer;

class CDlgServerLocalSetting : public CConfigDialog {
public:
    enum { IDD = IDD_SERVER_LOCAL_SETTING };
    explicit CDlgServerLocalSetting(CWnd* pParent = nullptr);

    CTermServer* m_pServer; // set by the opener
    CTabCtrl m_tab;
    CTabPageHost m_host;
    CDlgAlarmBoxSerial m_boxPage;
    CDlgAlarmDetect m_inputPage;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnTabChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
