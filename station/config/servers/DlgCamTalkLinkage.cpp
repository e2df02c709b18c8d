// The talk linkage page.
#include "station/config/servers/DlgCamTalkLinkage.h"

#include "station/core/datamodel/TermCamera.h"

CDlgCamTalkLinkage::CDlgCamTalkLinkage() : CCameraPage(IDD), m_output(4), m_resetSeconds(0) {}

void CDlgCamTalkLinkage::DoDataExchange(CDataExchange* pDX)
{
    CCameraPage::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_TALK_OUTPUT1, m_output);
    DDX_Text(pDX, IDC_TALK_RESET, m_resetSeconds);
}

BOOL CDlgCamTalkLinkage::OnInitDialog()
{
    m_output = m_pCamera->m_talkAlarmOutput;
    m_resetSeconds = m_pCamera->m_talkResetSeconds;
    return CCameraPage::OnInitDialog();
}

void CDlgCamTalkLinkage::WriteTo(CTermCamera* camera, BOOL)
{
    camera->m_talkAlarmOutput = m_output;
    camera->m_talkResetSeconds = m_resetSeconds;
}
