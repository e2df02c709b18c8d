// CDlgCamAlarmSound: the alarm sound page (242): when each of the camera's six alarm kinds sounds,
// one weekly schedule per kind, edited in a working copy that the store writes back whole.
#pragma once

#include "station/config/servers/CameraPage.h"
#include "station/config/ScheduleRows.h"
#include "resources/warden/config.h"

const int kAlarmSoundTypes = 6; // sensors 1 to 4, motion, video loss

class CDlgCamAlarmSound : public CCameraPage {
public:
    enum { IDD = IDD_CAM_ALARM_SOUND };
    CDlgCamAlarmSound();

    ScheduleRows m_working[kAlarmSoundTypes];
    int m_shownType; // -1 = none yet

    // Reads the grid into the working schedule of the type on show.
    BOOL ReadControls() override;
    void WriteTo(CTermCamera* camera, BOOL edited) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnTypeChange();
    afx_msg void OnApplyToAllTypes();
    DECLARE_MESSAGE_MAP()

private:
    ScheduleRows m_grid; // what the grid's controls exchange with
};
