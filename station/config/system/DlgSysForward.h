// CDlgSysForward: the forwarding page (188) of the system settings: the forwarding service that
// relays the station's video to other clients, its multicast and local ports, user counts, buffer
// count and three client accounts. The values take effect at the next start of the station.
#pragma once

#include "station/config/ConfigPage.h"
#include "resources/warden/settings.h"

class CDlgSysForward : public CConfigPage {
public:
    enum { IDD = IDD_SYS_FORWARD };
    CDlgSysForward();

    void WriteValues() override;

    int m_enabled;
    CString m_multicastAddress;
    UINT m_multicastPort;
    int m_localAddressIndex;
    UINT m_localPort;
    UINT m_usersPerChannel;
    UINT m_systemUsers;
    UINT m_buffers;
    CString m_accounts[6]; // administrator, senior operator, operator: user and password each

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnEnableClick();
    DECLARE_MESSAGE_MAP()

private:
    void FollowEnableBox();
};
