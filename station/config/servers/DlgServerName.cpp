// The project and group name dialog.
#include "station/config/servers/DlgServerName.h"

#include "station/config/ConfigText.h"

CDlgServerName::CDlgServerName(CWnd* pParent) : CConfigDialog(IDD, pParent), m_mode(modeAddGroup) {}

void CDlgServerName::DoDataExchange(CDataExchange* pDX)
{
    CConfigDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NAME_EDIT, m_name);
}

BOOL CDlgServerName::OnInitDialog()
{
    CConfigDialog::OnInitDialog();
    if (m_mode >= modeAddProject && m_mode <= modeEditGroup)
        SetWindowText(ConfigString(IDS_ADD_PROJECT + m_mode - modeAddProject));
    if (m_mode == modeEditProject || m_mode == modeEditGroup) {
        SendDlgItemMessage(IDC_NAME_EDIT, EM_SETSEL, 0, -1);
        SendDlgItemMessage(IDC_NAME_EDIT, EM_SCROLLCARET, 0, 0);
    }
    return TRUE;
}

void CDlgServerName::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_name.IsEmpty()) {
        ConfigMessage(IDS_NAME_EMPTY);
        GetDlgItem(IDC_NAME_EDIT)->SetFocus();
        return;
    }
    EndDialog(IDOK);
}
