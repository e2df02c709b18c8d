// The forwarding page of the system settings.
#include "station/config/system/DlgSysForward.h"

#include "station/config/ConfigText.h"
#include "station/config/PortField.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/SysParam.h"

namespace {

const int kTextChars = 20;
const int kAccountEdits[6] = {IDC_SYSFWD_ADMIN_USER,      IDC_SYSFWD_ADMIN_PASSWORD, IDC_SYSFWD_SENIOR_USER,
                              IDC_SYSFWD_SENIOR_PASSWORD, IDC_SYSFWD_OPERATOR_USER,  IDC_SYSFWD_OPERATOR_PASSWORD};
const int kFollowers[] = {
    IDC_SYSFWD_MULTICAST_ADDRESS, IDC_SYSFWD_MULTICAST_PORT, IDC_SYSFWD_LOCAL_ADDRESS, IDC_SYSFWD_LOCAL_PORT,
    IDC_SYSFWD_CHANNEL_USERS,     IDC_SYSFWD_SYSTEM_USERS,   IDC_SYSFWD_BUFFERS};

CString* AccountFields(CSysParam* p, int index)
{
    CString* fields[6] = {&p->m_forwardAdminUser,      &p->m_forwardAdminPassword, &p->m_forwardSeniorUser,
                          &p->m_forwardSeniorPassword, &p->m_forwardOperatorUser,  &p->m_forwardOperatorPassword};
    return fields[index];
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgSysForward, CConfigPage)
ON_BN_CLICKED(IDC_SYSFWD_ENABLE, OnEnableClick)
END_MESSAGE_MAP()

CDlgSysForward::CDlgSysForward()
    : CConfigPage(IDD), m_enabled(0), m_multicastPort(0), m_localAddressIndex(0), m_localPort(0), m_usersPerChannel(0),
      m_systemUsers(0), m_buffers(10)
{
}

void CDlgSysForward::DoDataExchange(CDataExchange* pDX)
{
    CConfigPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_SYSFWD_ENABLE, m_enabled);
    DDX_Text(pDX, IDC_SYSFWD_MULTICAST_ADDRESS, m_multicastAddress);
    DDV_MaxChars(pDX, m_multicastAddress, kTextChars);
    DDX_Text(pDX, IDC_SYSFWD_MULTICAST_PORT, m_multicastPort);
    if (m_enabled) // the disabled fields cannot be corrected
        DDV_Port(pDX, m_multicastPort);
    DDX_CBIndex(pDX, IDC_SYSFWD_LOCAL_ADDRESS, m_localAddressIndex);
    DDX_Text(pDX, IDC_SYSFWD_LOCAL_PORT, m_localPort);
    if (m_enabled)
        DDV_Port(pDX, m_localPort);
    DDX_Text(pDX, IDC_SYSFWD_CHANNEL_USERS, m_usersPerChannel);
    DDX_Text(pDX, IDC_SYSFWD_SYSTEM_USERS, m_systemUsers);
    DDX_Text(pDX, IDC_SYSFWD_BUFFERS, m_buffers);
    DDV_MinMaxUInt(pDX, m_buffers, 10, 50);
    for (int i = 0; i < 6; ++i) {
        DDX_Text(pDX, kAccountEdits[i], m_accounts[i]);
        DDV_MaxChars(pDX, m_accounts[i], kTextChars);
    }
}

BOOL CDlgSysForward::OnInitDialog()
{
    FillCombo(this, IDC_SYSFWD_LOCAL_ADDRESS, {"Any"});
    SendDlgItemMessage(IDC_SYSFWD_MULTICAST_ADDRESS, EM_LIMITTEXT, kTextChars, 0);
    for (int id : kAccountEdits)
        SendDlgItemMessage(id, EM_LIMITTEXT, kTextChars, 0);
    if (CSysParam* p = g_pSysParam) {
        m_enabled = p->m_forwardEnabled ? 1 : 0;
        m_multicastAddress = p->m_multicastAddress;
        m_multicastPort = (UINT)p->m_multicastPort;
        m_localPort = (UINT)p->m_forwardLocalPort;
        m_usersPerChannel = (UINT)p->m_usersPerChannel;
        m_systemUsers = (UINT)p->m_systemUsers;
        m_buffers = (UINT)p->m_forwardBuffers;
        for (int i = 0; i < 6; ++i)
            m_accounts[i] = *AccountFields(p, i);
    }
    m_localAddressIndex = 0;
    CConfigPage::OnInitDialog();
    FollowEnableBox();
    return TRUE;
}

void CDlgSysForward::FollowEnableBox()
{
    BOOL on = IsDlgButtonChecked(IDC_SYSFWD_ENABLE) == BST_CHECKED;
    for (int id : kFollowers)
        GetDlgItem(id)->EnableWindow(on);
    for (int id : kAccountEdits)
        GetDlgItem(id)->EnableWindow(on);
}

void CDlgSysForward::OnEnableClick()
{
    FollowEnableBox();
}

void CDlgSysForward::WriteValues()
{
    CSysParam* p = g_pSysParam;
    if (p == nullptr)
        return;
    p->m_forwardEnabled = m_enabled;
    p->m_multicastAddress = m_multicastAddress;
    p->m_multicastPort = (int)m_multicastPort;
    p->m_forwardLocalAddress = ""; // the one entry "Any"
    p->m_forwardLocalPort = (int)m_localPort;
    p->m_usersPerChannel = (int)m_usersPerChannel;
    p->m_systemUsers = (int)m_systemUsers;
    p->m_forwardBuffers = (int)m_buffers;
    for (int i = 0; i < 6; ++i)
        *AccountFields(p, i) = m_accounts[i];
}
