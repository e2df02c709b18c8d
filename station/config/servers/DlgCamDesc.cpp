// The camera description page.
#include "station/config/servers/DlgCamDesc.h"

#include "station/config/ConfigWindows.h"
#include "station/core/datamodel/TermCamera.h"

CDlgCamDesc::CDlgCamDesc() : CCameraPage(IDD) {}

void CDlgCamDesc::DoDataExchange(CDataExchange* pDX)
{
    CCameraPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_DESCRIPTION, m_description);
    DDV_MaxChars(pDX, m_description, kDescriptionBytes);
}

BOOL CDlgCamDesc::OnInitDialog()
{
    m_description = m_pCamera->m_description;
    SendDlgItemMessage(IDC_DESCRIPTION, EM_LIMITTEXT, kDescriptionBytes, 0);
    return CCameraPage::OnInitDialog();
}

void CDlgCamDesc::OnOK()
{
    Store();
}

void CDlgCamDesc::WriteValues()
{
    CCameraPage::WriteValues();
    ConfigWindows().SetCameraDescription(m_description);
}

void CDlgCamDesc::WriteTo(CTermCamera* camera, BOOL)
{
    camera->m_description = m_description;
}
