// CDlgCamAlarmRecord: the alarm recording page (186): what records the camera, and for how long
// after the alarm (5 to 120 seconds).
#pragma once

#include "station/config/AlarmFlagsPage.h"
#include "resources/warden/config.h"

class CDlgCamAlarmRecord : public CAlarmFlagsPage {
public:
    enum { IDD = IDD_CAM_ALARM_RECORD };
    CDlgCamAlarmRecord();

    int m_delaySeconds;

    void WriteTo(CTermCamera* camera, BOOL edited) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
