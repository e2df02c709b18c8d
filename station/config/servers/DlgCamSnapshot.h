// CDlgCamSnapshot: the local snapshot page (222): which alarms take a snapshot of the camera.
#pragma once

#include "station/config/AlarmFlagsPage.h"
#include "resources/warden/config.h"

class CDlgCamSnapshot : public CAlarmFlagsPage {
public:
    enum { IDD = IDD_CAM_SNAPSHOT };
    CDlgCamSnapshot();

    void WriteTo(CTermCamera* camera, BOOL edited) override;

protected:
    BOOL OnInitDialog() override;
};
