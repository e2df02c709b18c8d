// The server local settings with its two pages.
#include "station/config/servers/DlgServerLocalSetting.h"

#include "station/config/ConfigText.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"

BEGIN_MESSAGE_MAP(CDlgServerLocalSetting, CConfigDialog)
ON_NOTIFY(TCN_SELCHANGE, IDC_SETTING_TAB, OnTabChange)
END_MESSAGE_MAP()

CDlgServerLocalSetting::CDlgServerLocalSetting(CWnd* pParent) : CConfigDialog(IDD, pParent), m_pServer(nullptr) {}

void CDlgServerLocalSetting::DoDataExchange(CDataExchange* pDX)
{
    CConfigDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SETTING_TAB, m_tab);
}

BOOL CDlgServerLocalSetting::OnInitDialog()
{
    CConfigDialog::OnInitDialog();
    m_boxPage.m_pServer = m_pServer;
    m_inputPage.m_pServer = m_pServer;
    m_host.Attach(&m_tab);
    m_host.AddPage(ConfigString(IDS_TAB_ALARM_BOX), &m_boxPage, CDlgAlarmBoxSerial::IDD);
    m_host.AddPage(ConfigString(IDS_TAB_ALARM_INPUT), &m_inputPage, CDlgAlarmDetect::IDD);
    if (m_pServer == nullptr || !m_host.CreatePages())
        EndDialog(IDCANCEL);
    return TRUE;
}

void CDlgServerLocalSetting::OnTabChange(NMHDR*, LRESULT* pResult)
{
    m_host.ShowSelected();
    *pResult = 0;
}

void CDlgServerLocalSetting::OnOK()
{
    if (g_pRecGroup != nullptr)
        g_pRecGroup->Save();
    EndDialog(IDOK);
}
