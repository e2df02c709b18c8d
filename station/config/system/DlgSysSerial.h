// CDlgSysSerial: the serial devices page (238) of the system settings: the local linkage device
// (relay outputs, driven by a control file), the control keyboard and the external alarm-input
// port. It loads a control file into the linkage device at once on request, and when stored keeps
// the settings and reopens or reconfigures each device whose port or line changed. The station's
// three device handles live with the main window (IConfigWindows).
#pragma once

#include "station/config/ConfigPage.h"
#include "resources/warden/settings.h"

class CDlgSysSerial : public CConfigPage {
public:
    enum { IDD = IDD_SYS_SERIAL };
    CDlgSysSerial();

    void WriteValues() override;

    int m_linkPort;
    UINT m_linkAddress;
    CString m_controlFile;
    int m_keyPort;
    int m_keyBaud;
    int m_keyDataBits;
    int m_keyStopBits;
    int m_keyParity;
    int m_keyProtocol;
    int m_inPort;
    int m_inBaud;
    int m_inDataBits;
    int m_inStopBits;
    int m_inParity;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnChooseFile();
    afx_msg void OnLoadControlFile();
    DECLARE_MESSAGE_MAP()

private:
    void ShowProtocolName();
    void RelaysOff();
    void ApplyLinkDevice();
    void ApplyKeyboard();
    void ApplyAlarmInput();
};
