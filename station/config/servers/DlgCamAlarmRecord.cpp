// The alarm recording page.
#include "station/config/servers/DlgCamAlarmRecord.h"

#include "station/core/datamodel/TermCamera.h"

CDlgCamAlarmRecord::CDlgCamAlarmRecord() : CAlarmFlagsPage(IDD), m_delaySeconds(10) {}

void CDlgCamAlarmRecord::DoDataExchange(CDataExchange* pDX)
{
    CAlarmFlagsPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ALARM_DELAY, m_delaySeconds);
    DDV_MinMaxInt(pDX, m_delaySeconds, 5, 120);
}

BOOL CDlgCamAlarmRecord::OnInitDialog()
{
    const CTermCamera& c = *m_pCamera;
    m_flags.motion = c.m_motionRecord;
    for (int i = 0; i < 4; ++i)
        m_flags.sensors[i] = c.m_sensorRecord[i];
    for (int i = 0; i < 16; ++i)
        m_flags.external[i] = c.m_externalInputs[i].record;
    m_delaySeconds = c.m_alarmDelaySeconds;
    return CAlarmFlagsPage::OnInitDialog();
}

void CDlgCamAlarmRecord::WriteTo(CTermCamera* camera, BOOL)
{
    camera->m_motionRecord = m_flags.motion;
    for (int i = 0; i < 4; ++i)
        camera->m_sensorRecord[i] = m_flags.sensors[i];
    for (int i = 0; i < 16; ++i)
        camera->m_externalInputs[i].record = m_flags.external[i];
    camera->m_alarmDelaySeconds = m_delaySeconds;
}
