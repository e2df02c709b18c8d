// The server list's entry dialog.
#include "station/config/servers/DlgServerParam.h"

#include <string.h>

#include "devices/framewell/Framewell.h"
#include "station/config/FieldText.h"
#include "station/config/PortField.h"

CDlgServerParam::CDlgServerParam(CWnd* pParent) : CConfigDialog(IDD, pParent), m_port(0)
{
    memset(&m_record, 0, sizeof m_record);
}

void CDlgServerParam::DoDataExchange(CDataExchange* pDX)
{
    CConfigDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SRVPARAM_PASSWORD, m_password);
    // The entries are picked for the file query, whose media library takes no longer account.
    DDV_MaxChars(pDX, m_password, FRAMEWELL_ACCOUNT_CHARS);
    DDX_Text(pDX, IDC_SRVPARAM_PORT, m_port);
    DDV_Port(pDX, m_port);
    // Name and address fields are 40 bytes with their terminator.
    DDX_Text(pDX, IDC_SRVPARAM_ADDRESS, m_address);
    DDV_MaxChars(pDX, m_address, sizeof m_record.address - 1);
    DDX_Text(pDX, IDC_SRVPARAM_NAME, m_name);
    DDV_MaxChars(pDX, m_name, sizeof m_record.name - 1);
    DDX_Text(pDX, IDC_SRVPARAM_USER, m_user);
    DDV_MaxChars(pDX, m_user, FRAMEWELL_ACCOUNT_CHARS);
}

BOOL CDlgServerParam::OnInitDialog()
{
    m_name = FieldText(m_record.name);
    m_address = FieldText(m_record.address);
    m_user = FieldText(m_record.user);
    m_password = FieldText(m_record.password);
    m_port = m_record.port;
    return CConfigDialog::OnInitDialog();
}

void CDlgServerParam::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    SetFieldText(m_record.password, m_password);
    SetFieldText(m_record.user, m_user);
    SetFieldText(m_record.name, m_name);
    SetFieldText(m_record.address, m_address);
    m_record.port = m_port;
    EndDialog(IDOK);
}
