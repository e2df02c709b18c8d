// The alarm flag boxes of the alarm recording and snapshot pages.
#include "station/config/AlarmFlagsPage.h"

#include "resources/warden/config.h"
#include "station/config/servers/CameraSettingValues.h"

CAlarmFlagsPage::CAlarmFlagsPage(UINT nIDTemplate) : CCameraPage(nIDTemplate), m_flags() {}

void CAlarmFlagsPage::DoDataExchange(CDataExchange* pDX)
{
    CCameraPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_MOTION_FLAG, m_flags.motion);
    for (int i = 0; i < 4; ++i)
        DDX_Check(pDX, IDC_SENSOR_FLAG1 + i, m_flags.sensors[i]);
    for (int i = 0; i < 16; ++i)
        DDX_Check(pDX, kExternalInputBoxes[i], m_flags.external[i]);
}
