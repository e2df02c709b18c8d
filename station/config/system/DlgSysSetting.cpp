// The system settings with its eight pages.
#include "station/config/system/DlgSysSetting.h"

#include "station/config/ConfigText.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/UserGroup.h"

BEGIN_MESSAGE_MAP(CDlgSysSetting, CConfigDialog)
ON_NOTIFY(TCN_SELCHANGE, IDC_SETTING_TAB, OnTabChange)
END_MESSAGE_MAP()

CDlgSysSetting::CDlgSysSetting(CWnd* pParent) : CConfigDialog(IDD, pParent) {}

void CDlgSysSetting::DoDataExchange(CDataExchange* pDX)
{
    CConfigDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SETTING_TAB, m_tab);
}

BOOL CDlgSysSetting::OnInitDialog()
{
    CConfigDialog::OnInitDialog();
    const struct {
        UINT caption;
        CConfigPage* page;
        UINT templateId;
    } tabs[] = {
        {IDS_TAB_SYS_RECORD, &m_record, CDlgSysRecord::IDD},
        {IDS_TAB_SYS_USER, &m_users, CDlgSysUser::IDD},
        {IDS_TAB_FILE_SERVICE, &m_fileService, CDlgSysFileService::IDD},
        {IDS_TAB_FORWARD, &m_forward, CDlgSysForward::IDD},
        {IDS_TAB_RECORD_DRIVE, &m_drives, CDlgSysRecordDrive::IDD},
        {IDS_TAB_SOFTWARE, &m_timer, CDlgSysTimer::IDD},
        {IDS_TAB_LINKAGE, &m_serial, CDlgSysSerial::IDD},
        {IDS_TAB_PROGRAM, &m_program, CDlgSysProgram::IDD},
    };
    m_host.Attach(&m_tab);
    for (const auto& tab : tabs)
        m_host.AddPage(ConfigString(tab.caption), tab.page, tab.templateId);
    if (!m_host.CreatePages())
        EndDialog(IDCANCEL);
    return TRUE;
}

void CDlgSysSetting::OnTabChange(NMHDR*, LRESULT* pResult)
{
    m_host.ShowSelected();
    *pResult = 0;
}

void CDlgSysSetting::OnOK()
{
    // The users page edits the list in place and has nothing to read.
    CConfigPage* const order[] = {&m_record, &m_fileService, &m_forward, &m_timer, &m_drives, &m_serial, &m_program};
    for (CConfigPage* page : order) {
        if (!page->ReadControls()) {
            m_host.Select(m_host.IndexOf(page));
            return;
        }
    }
    m_record.WriteValues();
    if (g_pUserGroup != nullptr) {
        g_pUserGroup->Save();
        m_users.AfterListSaved();
    }
    m_fileService.WriteValues();
    m_forward.WriteValues();
    m_timer.WriteValues();
    m_drives.WriteValues();
    m_serial.WriteValues();
    m_program.WriteValues();
    if (g_pSysParam != nullptr)
        g_pSysParam->Save();
    EndDialog(IDOK);
}
