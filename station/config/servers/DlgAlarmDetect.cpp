// The alarm input page.
#include "station/config/servers/DlgAlarmDetect.h"

#include "station/config/servers/CameraSettingValues.h"
#include "station/config/ConfigText.h"
#include "station/config/ScheduleGrid.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/sessions/AlarmBoxPoller.h"

BEGIN_MESSAGE_MAP(CDlgAlarmDetect, CConfigPage)
ON_CBN_SELCHANGE(IDC_INPUT_CHOICE, OnInputChange)
ON_BN_CLICKED(IDC_INPUT_SET, OnSet)
END_MESSAGE_MAP()

CDlgAlarmDetect::CDlgAlarmDetect()
    : CConfigPage(IDD), m_pServer(nullptr), m_detection(0), m_delaySeconds(5), m_reportToCentre(0), m_outputs(),
      m_channels(), m_rows()
{
}

void CDlgAlarmDetect::DoDataExchange(CDataExchange* pDX)
{
    CConfigPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_DETECT_ENABLE, m_detection);
    DDX_ScheduleGrid(pDX, kArmingGrid, m_rows);
    for (int i = 0; i < 16; ++i)
        DDX_Check(pDX, kAlarmOutputBoxes[i], m_outputs[i]);
    for (int i = 0; i < 4; ++i)
        DDX_Check(pDX, IDC_INPUT_CHANNEL1 + i, m_channels[i]);
    DDX_Text(pDX, IDC_INPUT_DELAY, m_delaySeconds);
    DDV_MinMaxInt(pDX, m_delaySeconds, 5, 120);
    DDX_Text(pDX, IDC_INPUT_NAME, m_name);
    DDV_MaxChars(pDX, m_name, kAlarmInputNameBytes);
    DDX_Check(pDX, IDC_INPUT_REPORT, m_reportToCentre);
}

BOOL CDlgAlarmDetect::OnInitDialog()
{
    for (int i = 1; i <= kAlarmInputs; ++i)
        SendDlgItemMessage(IDC_INPUT_CHOICE, CB_ADDSTRING, 0,
                           (LPARAM)(LPCSTR)ConfigStringNumber(IDS_INPUT_NUMBERED, i));
    SendDlgItemMessage(IDC_INPUT_CHOICE, CB_SETCURSEL, 0, 0);
    SendDlgItemMessage(IDC_INPUT_DELAY, EM_LIMITTEXT, 3, 0);
    SendDlgItemMessage(IDC_INPUT_NAME, EM_LIMITTEXT, kAlarmInputNameBytes, 0);
    InitScheduleGrid(this, kArmingGrid);
    CConfigPage::OnInitDialog();
    ShowInput();
    return TRUE;
}

int CDlgAlarmDetect::SelectedInput() const
{
    int input = (int)SendDlgItemMessage(IDC_INPUT_CHOICE, CB_GETCURSEL, 0, 0);
    return input >= 0 && input < kAlarmInputs ? input : -1;
}

void CDlgAlarmDetect::ShowInput()
{
    int input = SelectedInput();
    if (m_pServer == nullptr || input < 0)
        return;
    const AlarmInputConfig& config = m_pServer->m_alarmInputs[input];
    m_detection = m_pServer->m_alarmBoxEnabled;
    RowsFromEntries(config.schedule, m_rows);
    for (int i = 0; i < 16; ++i)
        m_outputs[i] = config.outputs[i] ? 1 : 0;
    for (int i = 0; i < 4; ++i)
        m_channels[i] = config.connectCameras[i] ? 1 : 0;
    m_delaySeconds = config.holdSeconds;
    m_name = config.GetName();
    m_reportToCentre = config.reportToCentre;
    UpdateData(FALSE);
    CString delay;
    delay.Format("%02d", m_delaySeconds);
    SetDlgItemText(IDC_INPUT_DELAY, delay);
}

void CDlgAlarmDetect::OnInputChange()
{
    ShowInput();
}

void CDlgAlarmDetect::StoreInput(int input)
{
    AlarmInputConfig& config = m_pServer->m_alarmInputs[input];
    m_pServer->m_alarmBoxEnabled = m_detection;
    RowsToEntries(m_rows, config.schedule);
    for (int i = 0; i < 4; ++i)
        config.connectCameras[i] = (BYTE)(m_channels[i] ? 1 : 0);
    for (int i = 0; i < 16; ++i)
        config.outputs[i] = (BYTE)(m_outputs[i] ? 1 : 0);
    config.holdSeconds = m_delaySeconds;
    config.reportToCentre = m_reportToCentre;
    config.SetName(m_name);
}

void CDlgAlarmDetect::FollowDetectionFlag()
{
    if (!m_detection) {
        if (m_pServer->m_pAlarmBoxPoller != nullptr)
            m_pServer->m_pAlarmBoxPoller->Enable(0);
        return;
    }
    if (m_pServer->m_pAlarmBoxPoller == nullptr) {
        m_pServer->m_pAlarmBoxPoller = new CAlarmBoxPoller();
        m_pServer->m_pAlarmBoxPoller->m_pServer = m_pServer;
    }
    m_pServer->m_pAlarmBoxPoller->Enable(1);
}

void CDlgAlarmDetect::OnSet()
{
    int input = SelectedInput();
    if (m_pServer == nullptr || input < 0 || !UpdateData(TRUE))
        return;
    StoreInput(input);
    FollowDetectionFlag();
}
