// The local snapshot page.
#include "station/config/servers/DlgCamSnapshot.h"

#include "station/core/datamodel/TermCamera.h"

CDlgCamSnapshot::CDlgCamSnapshot() : CAlarmFlagsPage(IDD) {}

BOOL CDlgCamSnapshot::OnInitDialog()
{
    const CTermCamera& c = *m_pCamera;
    m_flags.motion = c.m_motionSnapshot;
    for (int i = 0; i < 4; ++i)
        m_flags.sensors[i] = c.m_sensorSnapshot[i];
    for (int i = 0; i < 16; ++i)
        m_flags.external[i] = c.m_externalInputs[i].snapshot;
    return CAlarmFlagsPage::OnInitDialog();
}

void CDlgCamSnapshot::WriteTo(CTermCamera* camera, BOOL)
{
    camera->m_motionSnapshot = m_flags.motion;
    for (int i = 0; i < 4; ++i)
        camera->m_sensorSnapshot[i] = m_flags.sensors[i];
    for (int i = 0; i < 16; ++i)
        camera->m_externalInputs[i].snapshot = m_flags.external[i];
}
