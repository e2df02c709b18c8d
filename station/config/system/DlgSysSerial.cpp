// The serial devices page of the system settings.
#include "station/config/system/DlgSysSerial.h"

#include "devices/portwick/Portwick.h"
#include "station/config/ConfigText.h"
#include "station/config/ConfigWindows.h"
#include "station/config/PathChoice.h"
#include "station/config/SerialSettings.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/SysParam.h"

namespace {

const int kRelayOutputs = 8;

void FillPorts(CWnd* page, int id)
{
    FillCombo(page, id, {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"});
}

void FillLine(CWnd* page, int baud, int dataBits, int stopBits, int parity)
{
    FillCombo(page, baud, {"2400", "4800", "9600"});
    FillCombo(page, dataBits, {"5", "6", "7", "8"});
    FillCombo(page, stopBits, {"1", "2"});
    FillCombo(page, parity, {"无", "奇校验", "偶校验", "固定为1", "固定为0"});
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgSysSerial, CConfigPage)
ON_BN_CLICKED(IDC_SYSSERIAL_CHOOSE, OnChooseFile)
ON_BN_CLICKED(IDC_SYSSERIAL_LOAD, OnLoadControlFile)
END_MESSAGE_MAP()

CDlgSysSerial::CDlgSysSerial()
    : CConfigPage(IDD), m_linkPort(-1), m_linkAddress(0), m_keyPort(-1), m_keyBaud(-1), m_keyDataBits(-1),
      m_keyStopBits(-1), m_keyParity(-1), m_keyProtocol(-1), m_inPort(-1), m_inBaud(-1), m_inDataBits(-1),
      m_inStopBits(-1), m_inParity(-1)
{
}

void CDlgSysSerial::DoDataExchange(CDataExchange* pDX)
{
    CConfigPage::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_SYSSERIAL_LINK_PORT, m_linkPort);
    DDX_Text(pDX, IDC_SYSSERIAL_LINK_ADDRESS, m_linkAddress);
    DDX_Text(pDX, IDC_SYSSERIAL_CONTROL_FILE, m_controlFile);
    DDV_MaxChars(pDX, m_controlFile, MAX_PATH - 1);
    DDX_CBIndex(pDX, IDC_SYSSERIAL_KEY_PORT, m_keyPort);
    DDX_CBIndex(pDX, IDC_SYSSERIAL_KEY_BAUD, m_keyBaud);
    DDX_CBIndex(pDX, IDC_SYSSERIAL_KEY_DATA_BITS, m_keyDataBits);
    DDX_CBIndex(pDX, IDC_SYSSERIAL_KEY_STOP_BITS, m_keyStopBits);
    DDX_CBIndex(pDX, IDC_SYSSERIAL_KEY_PARITY, m_keyParity);
    DDX_CBIndex(pDX, IDC_SYSSERIAL_KEY_PROTOCOL, m_keyProtocol);
    DDX_CBIndex(pDX, IDC_SYSSERIAL_IN_PORT, m_inPort);
    DDX_CBIndex(pDX, IDC_SYSSERIAL_IN_BAUD, m_inBaud);
    DDX_CBIndex(pDX, IDC_SYSSERIAL_IN_DATA_BITS, m_inDataBits);
    DDX_CBIndex(pDX, IDC_SYSSERIAL_IN_STOP_BITS, m_inStopBits);
    DDX_CBIndex(pDX, IDC_SYSSERIAL_IN_PARITY, m_inParity);
}

BOOL CDlgSysSerial::OnInitDialog()
{
    for (int id : {IDC_SYSSERIAL_LINK_PORT, IDC_SYSSERIAL_KEY_PORT, IDC_SYSSERIAL_IN_PORT})
        FillPorts(this, id);
    FillLine(this, IDC_SYSSERIAL_KEY_BAUD, IDC_SYSSERIAL_KEY_DATA_BITS, IDC_SYSSERIAL_KEY_STOP_BITS,
             IDC_SYSSERIAL_KEY_PARITY);
    FillLine(this, IDC_SYSSERIAL_IN_BAUD, IDC_SYSSERIAL_IN_DATA_BITS, IDC_SYSSERIAL_IN_STOP_BITS,
             IDC_SYSSERIAL_IN_PARITY);
    FillCombo(this, IDC_SYSSERIAL_KEY_PROTOCOL, {"PELCO D/P"});
    const CSysParam* p = g_pSysParam;
    int link = ConfigWindows().GetSerialHandle(serialLinkDevice);
    if (link != 0) {
        m_linkPort = Portwick_GetPort(link);
        m_linkAddress = (UINT)Portwick_GetAddress(link);
    } else if (p != nullptr) {
        m_linkPort = p->m_linkagePort;
        m_linkAddress = (UINT)p->m_linkageAddress;
    }
    if (p != nullptr) {
        m_controlFile = p->m_linkageControlFile;
        m_keyPort = p->m_keyboardPort;
        m_keyBaud = BaudIndex(p->m_keyboardBaud);
        m_keyDataBits = DataBitsIndex(p->m_keyboardDataBits);
        m_keyStopBits = StopBitsIndex(p->m_keyboardStopBits);
        m_keyParity = p->m_keyboardParity;
        m_keyProtocol = p->m_keyboardProtocol;
        m_inPort = p->m_alarmInPort;
        m_inBaud = BaudIndex(p->m_alarmInBaud);
        m_inDataBits = DataBitsIndex(p->m_alarmInDataBits);
        m_inStopBits = StopBitsIndex(p->m_alarmInStopBits);
        m_inParity = p->m_alarmInParity;
    }
    CConfigPage::OnInitDialog();
    ShowProtocolName();
    GetDlgItem(IDC_SYSSERIAL_LOAD)->EnableWindow(TRUE);
    return TRUE;
}

void CDlgSysSerial::ShowProtocolName()
{
    char name[PORTWICK_TEXT_SIZE] = "";
    int link = ConfigWindows().GetSerialHandle(serialLinkDevice);
    if (link != 0)
        Portwick_GetProtocolName(link, name);
    name[sizeof name - 1] = '\0';
    SetDlgItemText(IDC_SYSSERIAL_PROTOCOL, name);
}

void CDlgSysSerial::RelaysOff()
{
    for (int output = 0; output < kRelayOutputs; ++output)
        ConfigWindows().SetLocalRelayState(output, 0, TRUE);
}

void CDlgSysSerial::OnChooseFile()
{
    CString path;
    if (ChooseExistingFile(this, nullptr, kPtzFileFilter, path))
        SetDlgItemText(IDC_SYSSERIAL_CONTROL_FILE, path);
}

void CDlgSysSerial::OnLoadControlFile()
{
    if (!UpdateData(TRUE))
        return;
    if (!m_controlFile.IsEmpty()) {
        IConfigWindows& windows = ConfigWindows();
        int link = windows.GetSerialHandle(serialLinkDevice);
        BOOL loaded;
        if (link != 0) {
            loaded = Portwick_LoadControlFile(link, m_controlFile) == 0;
        } else {
            link = Portwick_OpenLinkDevice(m_linkPort, (int)m_linkAddress, m_controlFile);
            loaded = link != 0;
            if (loaded)
                windows.SetSerialHandle(serialLinkDevice, link);
        }
        ConfigMessage(loaded ? IDS_CONTROL_FILE_LOADED : IDS_CONTROL_FILE_FAILED);
        if (loaded)
            RelaysOff();
    }
    ShowProtocolName();
}

void CDlgSysSerial::ApplyLinkDevice()
{
    IConfigWindows& windows = ConfigWindows();
    int link = windows.GetSerialHandle(serialLinkDevice);
    if (link != 0 && Portwick_GetPort(link) == m_linkPort) {
        Portwick_SetAddress(link, (int)m_linkAddress);
    } else if (link != 0 || !m_controlFile.IsEmpty()) {
        if (link != 0) {
            Portwick_Close(link, serialLinkDevice);
            windows.SetSerialHandle(serialLinkDevice, 0);
        }
        link = Portwick_OpenLinkDevice(m_linkPort, (int)m_linkAddress, m_controlFile);
        windows.SetSerialHandle(serialLinkDevice, link);
        if (link == 0)
            ConfigMessage(IDS_CONTROL_FILE_FAILED);
    }
    if (CSysParam* p = g_pSysParam) {
        p->m_linkagePort = m_linkPort;
        p->m_linkageAddress = (int)m_linkAddress;
        p->m_linkageControlFile = m_controlFile;
    }
}

void CDlgSysSerial::ApplyKeyboard()
{
    const int baud = BaudOfIndex(m_keyBaud), dataBits = DataBitsOfIndex(m_keyDataBits),
              stopBits = StopBitsOfIndex(m_keyStopBits);
    if (CSysParam* p = g_pSysParam) {
        p->m_keyboardPort = m_keyPort;
        p->m_keyboardBaud = baud;
        p->m_keyboardDataBits = dataBits;
        p->m_keyboardStopBits = stopBits;
        p->m_keyboardParity = m_keyParity;
        p->m_keyboardProtocol = m_keyProtocol;
    }
    IConfigWindows& windows = ConfigWindows();
    int keyboard = windows.GetSerialHandle(serialKeyboard);
    if (keyboard != 0 && Portwick_GetPort(keyboard) == m_keyPort) {
        Portwick_ConfigureKeyboard(keyboard, dataBits, stopBits, m_keyParity, baud, m_keyProtocol);
        return;
    }
    if (keyboard != 0) {
        Portwick_Close(keyboard, serialKeyboard);
        windows.SetSerialHandle(serialKeyboard, 0);
    }
    keyboard = Portwick_OpenKeyboard(m_keyPort, dataBits, stopBits, m_keyParity, baud, m_keyProtocol,
                                     windows.GetKeyboardWindow(), WM_KEYBOARD_COMMAND);
    windows.SetSerialHandle(serialKeyboard, keyboard);
    if (keyboard == 0)
        ConfigMessage(IDS_KEYBOARD_PORT_FAILED);
}

void CDlgSysSerial::ApplyAlarmInput()
{
    if (CSysParam* p = g_pSysParam) {
        p->m_alarmInPort = m_inPort;
        p->m_alarmInBaud = BaudOfIndex(m_inBaud);
        p->m_alarmInDataBits = DataBitsOfIndex(m_inDataBits);
        p->m_alarmInStopBits = StopBitsOfIndex(m_inStopBits);
        p->m_alarmInParity = m_inParity;
    }
    IConfigWindows& windows = ConfigWindows();
    int input = windows.GetSerialHandle(serialAlarmInput);
    if (input != 0 && Portwick_GetPort(input) == m_inPort)
        return;
    if (input != 0) {
        Portwick_Close(input, serialAlarmInput);
        windows.SetSerialHandle(serialAlarmInput, 0);
    }
    // Only the port goes to the library; the line settings are kept for the station's own use.
    input = Portwick_OpenAlarmInput(m_inPort);
    windows.SetSerialHandle(serialAlarmInput, input);
    if (input == 0)
        ConfigMessage(IDS_ALARM_INPUT_PORT_FAILED);
}

void CDlgSysSerial::WriteValues()
{
    ApplyLinkDevice();
    ApplyKeyboard();
    ApplyAlarmInput();
}
