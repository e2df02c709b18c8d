// CDlgAlarmBoxSerial: the alarm-box page (219) of the server local settings: protocol, serial line
// and address of the alarm box behind the server's transparent serial port, and the poller's two
// intervals. Only its button "设置" stores the values into the server.
#pragma once

#include "station/config/ConfigPage.h"
#include "resources/warden/settings.h"

class CTermServer;

class CDlgAlarmBoxSerial : public CConfigPage {
public:
    enum { IDD = IDD_ALARM_BOX_SERIAL };
    CDlgAlarmBoxSerial();

    void WriteValues() override;

    CTermServer* m_pServer; // set by the server local settings before the page is created

    int m_protocol;
    int m_portKind;
    int m_baud;
    int m_dataBits;
    int m_stopBits;
    int m_parity;
    int m_flow;
    int m_address;
    int m_pollSeconds;
    int m_alarmIntervalSeconds;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSet();
    DECLARE_MESSAGE_MAP()
};
