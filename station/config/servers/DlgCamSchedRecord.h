// CDlgCamSchedRecord: the scheduled recording page (185): the camera's weekly recording schedule.
#pragma once

#include "station/config/servers/CameraPage.h"
#include "station/config/ScheduleRows.h"
#include "resources/warden/config.h"

class CDlgCamSchedRecord : public CCameraPage {
public:
    enum { IDD = IDD_CAM_SCHED_RECORD };
    CDlgCamSchedRecord();

    ScheduleRows m_rows;

    void WriteTo(CTermCamera* camera, BOOL edited) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
