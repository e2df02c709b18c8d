// CDlgAlarmDetect: the alarm input page (223) of the server local settings: the sixteen inputs of
// the server's alarm box, one at a time ("设置" stores the one on show), and the server's alarm
// detection with its alarm-box poller.
#pragma once

#include "station/config/ConfigPage.h"
#include "station/config/ScheduleRows.h"
#include "resources/warden/config.h"

class CTermServer;

const int kAlarmInputs = 16;
const int kAlarmInputNameBytes = 39;

class CDlgAlarmDetect : public CConfigPage {
public:
    enum { IDD = IDD_ALARM_DETECT };
    CDlgAlarmDetect();

    CTermServer* m_pServer; // set by the server local settings before the page is created

    int m_detection;
    CString m_name;
    int m_delaySeconds; // 5 to 120
    int m_reportToCentre;
    int m_outputs[16];
    int m_channels[4];
    ScheduleRows m_rows;

    // Shows the input chosen in combo 1109; edits not stored with "设置" are dropped.
    void ShowInput();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnInputChange();
    afx_msg void OnSet();
    DECLARE_MESSAGE_MAP()

private:
    int SelectedInput() const;
    void StoreInput(int input);
    void FollowDetectionFlag();
};
