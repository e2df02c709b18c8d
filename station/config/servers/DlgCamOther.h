// CDlgCamOther: the other channel settings page (198): smoothness, decode quality, switch mode,
// no-motion alarm, timed snapshot, sensor tie and preview on connect. Its store acts on the
// camera's live channel session at once.
#pragma once

#include "station/config/servers/CameraPage.h"
#include "resources/warden/config.h"

class CDlgCamOther : public CCameraPage {
public:
    enum { IDD = IDD_CAM_OTHER };
    CDlgCamOther();

    int m_playIndex;
    int m_forwardIndex;
    int m_decodeQuality;
    int m_switchMode;
    int m_motionMode;
    int m_noMotionSeconds;
    int m_timedSnapshot;
    int m_timedSnapshotSeconds;
    int m_sensorTie;
    int m_previewOnConnect;

    // Also refuses a ticked timed snapshot without a positive interval (message 376).
    BOOL ReadControls() override;
    void WriteTo(CTermCamera* camera, BOOL edited) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSwitchModeChange();
    afx_msg void OnTimedSnapshotClick();
    DECLARE_MESSAGE_MAP()

private:
    void ShowSwitchModeText(int mode);
    void EnableIntervalEdit();
};
