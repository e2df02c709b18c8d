// The alarm-box page of the server local settings.
#include "station/config/servers/DlgAlarmBoxSerial.h"

#include "station/config/ConfigText.h"
#include "station/config/SerialSettings.h"
#include "station/core/datamodel/TermServer.h"

BEGIN_MESSAGE_MAP(CDlgAlarmBoxSerial, CConfigPage)
ON_BN_CLICKED(IDC_ALARMBOX_SET, OnSet)
END_MESSAGE_MAP()

CDlgAlarmBoxSerial::CDlgAlarmBoxSerial()
    : CConfigPage(IDD), m_pServer(nullptr), m_protocol(0), m_portKind(0), m_baud(0), m_dataBits(0), m_stopBits(0),
      m_parity(0), m_flow(0), m_address(0), m_pollSeconds(0), m_alarmIntervalSeconds(0)
{
}

void CDlgAlarmBoxSerial::DoDataExchange(CDataExchange* pDX)
{
    CConfigPage::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_ALARMBOX_PROTOCOL, m_protocol);
    DDX_CBIndex(pDX, IDC_ALARMBOX_PORT_KIND, m_portKind);
    DDX_CBIndex(pDX, IDC_ALARMBOX_BAUD, m_baud);
    DDX_CBIndex(pDX, IDC_ALARMBOX_DATA_BITS, m_dataBits);
    DDX_CBIndex(pDX, IDC_ALARMBOX_STOP_BITS, m_stopBits);
    DDX_CBIndex(pDX, IDC_ALARMBOX_PARITY, m_parity);
    DDX_CBIndex(pDX, IDC_ALARMBOX_FLOW, m_flow);
    DDX_Text(pDX, IDC_ALARMBOX_ADDRESS, m_address);
    DDV_MinMaxInt(pDX, m_address, 0, 255);
    DDX_Text(pDX, IDC_ALARMBOX_POLL, m_pollSeconds);
    DDV_MinMaxInt(pDX, m_pollSeconds, 2, 100);
    DDX_Text(pDX, IDC_ALARMBOX_INTERVAL, m_alarmIntervalSeconds);
    DDV_MinMaxInt(pDX, m_alarmIntervalSeconds, 5, 300);
}

BOOL CDlgAlarmBoxSerial::OnInitDialog()
{
    FillCombo(this, IDC_ALARMBOX_PROTOCOL, {"KR7410B5"});
    FillCombo(this, IDC_ALARMBOX_PORT_KIND, {"RS485", "RS232"});
    FillCombo(this, IDC_ALARMBOX_BAUD, {"2400", "4800", "9600"});
    FillCombo(this, IDC_ALARMBOX_DATA_BITS, {"5", "6", "7", "8"});
    FillCombo(this, IDC_ALARMBOX_STOP_BITS, {"1", "2"});
    FillCombo(this, IDC_ALARMBOX_PARITY, {"无校验", "奇校验", "偶校验", "固定为1", "固定为0"});
    FillCombo(this, IDC_ALARMBOX_FLOW, {"无流控", "软流控", "硬流控"});
    if (const CTermServer* s = m_pServer) {
        m_protocol = s->m_alarmBoxProtocol;
        m_portKind = s->m_serialPort;
        m_address = s->m_boxAddress;
        m_baud = BaudIndex(s->m_baudRate);
        m_dataBits = DataBitsIndex(s->m_dataBits);
        m_stopBits = StopBitsIndex(s->m_stopBits);
        m_parity = s->m_parity;
        m_flow = s->m_flowControl;
        m_pollSeconds = s->m_pollSeconds;
        m_alarmIntervalSeconds = s->m_alarmIntervalSeconds;
    }
    return CConfigPage::OnInitDialog();
}

void CDlgAlarmBoxSerial::OnSet()
{
    Store();
}

void CDlgAlarmBoxSerial::WriteValues()
{
    CTermServer* s = m_pServer;
    if (s == nullptr)
        return;
    s->m_alarmBoxProtocol = m_protocol;
    s->m_serialPort = m_portKind;
    s->m_boxAddress = m_address;
    s->m_baudRate = BaudOfIndex(m_baud);
    s->m_dataBits = (BYTE)DataBitsOfIndex(m_dataBits);
    s->m_stopBits = (BYTE)(m_stopBits == 1 ? 2 : 1);
    s->m_parity = (BYTE)m_parity;
    s->m_flowControl = (BYTE)m_flow;
    s->m_pollSeconds = m_pollSeconds;
    s->m_alarmIntervalSeconds = m_alarmIntervalSeconds;
}
