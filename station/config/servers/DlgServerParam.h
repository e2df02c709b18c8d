// CDlgServerParam: one entry of the server list (dialog 251 "服务器参数"): name, address, port, user
// and password of a ServerInfoRecord, edited on a copy that the caller takes back after IDOK.
#pragma once

#include "station/config/ConfigDialog.h"
#include "station/config/servers/ServerInfoFile.h"
#include "resources/warden/servers.h"

class CDlgServerParam : public CConfigDialog {
public:
    enum { IDD = IDD_SERVER_PARAM };

    explicit CDlgServerParam(CWnd* pParent = nullptr);

    ServerInfoRecord m_record;
    CString m_password;
    int m_port;
    CString m_address;
    CString m_name;
    CString m_user;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};
