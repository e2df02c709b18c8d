// CDlgSysTimer: the software settings page (231) of the system settings: the timed start and stop
// of the station and its start with the operating system ("start.ini"), and the behaviour switches
// of the system parameters (alarm action, double-click modes, alarm clearing, reconnection, saving
// the connection state).
#pragma once

#include <afxcmn.h>

#include "station/config/ConfigPage.h"
#include "station/config/system/StartSchedule.h"
#include "resources/warden/settings.h"

class CDlgSysTimer : public CConfigPage {
public:
    enum { IDD = IDD_SYS_TIMER };
    enum { sideStart = 0, sideStop = 1 };
    CDlgSysTimer();

    BOOL ReadControls() override;
    void WriteValues() override;

    StartSchedule m_schedule; // both switches with all eight entries, the shown ones included
    int m_on[2];              // timed start, timed stop
    int m_day[2];             // the entry each side shows
    CTime m_time[2];
    int m_use[2];
    int m_autorun;
    int m_alarmAction;
    int m_serverMode;
    int m_cameraMode;
    int m_autoClear;
    UINT m_clearSeconds;
    int m_reconnect;
    int m_saveState;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnStartClick();
    afx_msg void OnStopClick();
    afx_msg void OnStartDayChange();
    afx_msg void OnStopDayChange();
    afx_msg void OnStartTimeChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnStopTimeChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnStartUseClick();
    afx_msg void OnStopUseClick();
    afx_msg void OnServerModeChange();
    afx_msg void OnCameraModeChange();
    afx_msg void OnAutoClearClick();
    DECLARE_MESSAGE_MAP()

private:
    TimedSwitch& Switch(int side) { return side == sideStart ? m_schedule.start : m_schedule.stop; }
    int ShownDay(int side);
    void FollowSwitch(int side);
    void ShowEntry(int side);
    void TakePickerTime(int side);
    void TakeUseFlag(int side);
    void ShowModeText(int comboId, int textId);
};
