// The camera dialog of the server tree.
#include "station/config/servers/DlgCameraEdit.h"

CDlgCameraEdit::CDlgCameraEdit(CWnd* pParent)
    : CConfigDialog(IDD, pParent), m_channelShown(0), m_transportIndex(0), m_disabled(0)
{
}

void CDlgCameraEdit::DoDataExchange(CDataExchange* pDX)
{
    CConfigDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CAMERA_CHANNEL, m_channelShown);
    DDX_Text(pDX, IDC_NAME_EDIT, m_name);
    DDV_MaxChars(pDX, m_name, kCameraNameChars);
    DDX_CBIndex(pDX, IDC_CAMERA_TRANSPORT, m_transportIndex);
    DDX_Check(pDX, IDC_CAMERA_DISABLED, m_disabled);
}

BOOL CDlgCameraEdit::OnInitDialog()
{
    CComboBox* transport = (CComboBox*)GetDlgItem(IDC_CAMERA_TRANSPORT);
    for (const char* name : {"UDP", "多播", "TCP"})
        transport->AddString(name);
    SendDlgItemMessage(IDC_NAME_EDIT, EM_LIMITTEXT, kCameraNameChars, 0);
    return CConfigDialog::OnInitDialog();
}
