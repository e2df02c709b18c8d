// The program page of the system settings.
#include "station/config/system/DlgSysProgram.h"

#include <WindowSeams.h>

#include "station/config/ConfigText.h"
#include "station/config/system/DlgSysRecord.h"
#include "station/config/PathChoice.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/SysParam.h"

BEGIN_MESSAGE_MAP(CDlgSysProgram, CConfigPage)
ON_BN_CLICKED(IDC_SYSPROG_BROWSE, OnBrowse)
ON_BN_CLICKED(IDC_SYSPROG_RUN, OnRun)
END_MESSAGE_MAP()

CDlgSysProgram::CDlgSysProgram() : CConfigPage(IDD) {}

void CDlgSysProgram::DoDataExchange(CDataExchange* pDX)
{
    CConfigPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SYSPROG_PATH, m_programPath);
}

BOOL CDlgSysProgram::OnInitDialog()
{
    if (g_pSysParam != nullptr)
        m_programPath = g_pSysParam->m_launchProgramPath;
    return CConfigPage::OnInitDialog();
}

void CDlgSysProgram::WriteValues()
{
    if (g_pSysParam != nullptr)
        g_pSysParam->m_launchProgramPath = m_programPath;
}

void CDlgSysProgram::OnBrowse()
{
    CString path;
    if (ChooseExistingFile(this, "exe", kProgramFilter, path))
        SetDlgItemText(IDC_SYSPROG_PATH, path);
}

void CDlgSysProgram::OnRun()
{
    CString path;
    GetDlgItemText(IDC_SYSPROG_PATH, path);
    if (path.IsEmpty()) {
        ConfigMessage(IDS_GIVE_FILE_PATH);
        return;
    }
    // Handed over as the file to start, never split at its blanks as a command line would be, so
    // "C:\Program Files\x.exe" cannot start "C:\Program.exe". The outcome is not reported.
    Seams::Launch(m_hWnd, nullptr, path, nullptr, nullptr, SW_SHOWNORMAL);
}
