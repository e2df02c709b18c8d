// The file service page of the system settings.
#include "station/config/system/DlgSysFileService.h"

#include "station/config/ConfigWindows.h"
#include "station/config/PortField.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/SysParam.h"

namespace {

const int kAccountChars = 20;

} // namespace

BEGIN_MESSAGE_MAP(CDlgSysFileService, CConfigPage)
ON_BN_CLICKED(IDC_SYSFILE_ENABLE, OnEnableClick)
END_MESSAGE_MAP()

CDlgSysFileService::CDlgSysFileService() : CConfigPage(IDD), m_enabled(0), m_port(0), m_speedKB(0) {}

void CDlgSysFileService::DoDataExchange(CDataExchange* pDX)
{
    CConfigPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_SYSFILE_ENABLE, m_enabled);
    DDX_Text(pDX, IDC_SYSFILE_PORT, m_port);
    if (m_enabled) // a disabled field cannot be corrected
        DDV_Port(pDX, m_port);
    DDX_Text(pDX, IDC_SYSFILE_USER, m_user);
    DDV_MaxChars(pDX, m_user, kAccountChars);
    DDX_Text(pDX, IDC_SYSFILE_PASSWORD, m_password);
    DDV_MaxChars(pDX, m_password, kAccountChars);
    DDX_Text(pDX, IDC_SYSFILE_SPEED, m_speedKB);
    DDV_MinMaxInt(pDX, m_speedKB, 0, 65536);
}

BOOL CDlgSysFileService::OnInitDialog()
{
    for (int id : {IDC_SYSFILE_USER, IDC_SYSFILE_PASSWORD})
        SendDlgItemMessage(id, EM_LIMITTEXT, kAccountChars, 0);
    if (const CSysParam* p = g_pSysParam) {
        m_enabled = p->m_fileServiceEnabled ? 1 : 0;
        m_port = (UINT)p->m_fileServicePort;
        m_user = p->m_fileServiceUser;
        m_password = p->m_fileServicePassword;
        m_speedKB = p->m_downloadSpeedKB;
    }
    CConfigPage::OnInitDialog();
    FollowEnableBox();
    return TRUE;
}

void CDlgSysFileService::FollowEnableBox()
{
    BOOL on = IsDlgButtonChecked(IDC_SYSFILE_ENABLE) == BST_CHECKED;
    for (int id : {IDC_SYSFILE_PORT, IDC_SYSFILE_USER, IDC_SYSFILE_PASSWORD})
        GetDlgItem(id)->EnableWindow(on);
}

void CDlgSysFileService::OnEnableClick()
{
    FollowEnableBox();
}

void CDlgSysFileService::WriteValues()
{
    CSysParam* p = g_pSysParam;
    if (p == nullptr)
        return;
    // Texts compare byte for byte: a change of case is a change of account.
    BOOL changed = (p->m_fileServiceEnabled != 0) != (m_enabled != 0) || p->m_fileServiceUser != m_user ||
                   p->m_fileServicePassword != m_password || p->m_fileServicePort != (int)m_port;
    p->m_fileServiceEnabled = m_enabled;
    p->m_fileServiceUser = m_user;
    p->m_fileServicePassword = m_password;
    p->m_fileServicePort = (int)m_port;
    p->m_downloadSpeedKB = m_speedKB;
    if (changed)
        ConfigWindows().RestartFileService();
}
