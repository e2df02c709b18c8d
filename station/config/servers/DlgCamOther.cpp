// The other channel settings page.
#include "station/config/servers/DlgCamOther.h"

#include "station/config/servers/CameraSettingValues.h"
#include "station/config/ConfigText.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/sessions/ChannelSession.h"

BEGIN_MESSAGE_MAP(CDlgCamOther, CCameraPage)
ON_CBN_SELCHANGE(IDC_SWITCH_MODE, OnSwitchModeChange)
ON_BN_CLICKED(IDC_TIMED_SNAPSHOT, OnTimedSnapshotClick)
END_MESSAGE_MAP()

CDlgCamOther::CDlgCamOther()
    : CCameraPage(IDD), m_playIndex(1), m_forwardIndex(0), m_decodeQuality(0), m_switchMode(-1), m_motionMode(-1),
      m_noMotionSeconds(0), m_timedSnapshot(0), m_timedSnapshotSeconds(0), m_sensorTie(0), m_previewOnConnect(0)
{
}

void CDlgCamOther::DoDataExchange(CDataExchange* pDX)
{
    CCameraPage::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_PLAY_SMOOTHNESS, m_playIndex);
    DDX_CBIndex(pDX, IDC_FORWARD_SMOOTHNESS, m_forwardIndex);
    DDX_CBIndex(pDX, IDC_DECODE_QUALITY, m_decodeQuality);
    DDX_CBIndex(pDX, IDC_SWITCH_MODE, m_switchMode);
    DDX_CBIndex(pDX, IDC_MOTION_MODE, m_motionMode);
    DDX_Text(pDX, IDC_NO_MOTION_SECONDS, m_noMotionSeconds);
    DDV_MinMaxInt(pDX, m_noMotionSeconds, 0, 10000);
    DDX_Check(pDX, IDC_TIMED_SNAPSHOT, m_timedSnapshot);
    DDX_Text(pDX, IDC_TIMED_SNAPSHOT_SECONDS, m_timedSnapshotSeconds);
    DDX_Check(pDX, IDC_SENSOR_TIE, m_sensorTie);
    DDX_Check(pDX, IDC_PREVIEW_ON_CONNECT, m_previewOnConnect);
}

BOOL CDlgCamOther::OnInitDialog()
{
    const char* smoothness[] = {"0(不延时)", "5", "10", "20", "50", "100(最流畅)"};
    for (int id : {IDC_PLAY_SMOOTHNESS, IDC_FORWARD_SMOOTHNESS}) {
        for (const char* item : smoothness)
            SendDlgItemMessage(id, CB_ADDSTRING, 0, (LPARAM)item);
    }
    FillCombo(this, IDC_DECODE_QUALITY, {"默认", "较高", "最高"});
    FillCombo(this, IDC_SWITCH_MODE, {"模式1", "模式2", "模式3", "模式4"});
    FillCombo(this, IDC_MOTION_MODE, {"有人报警", "无人报警"});

    const CTermCamera& c = *m_pCamera;
    if (SmoothnessIndex(c.m_playSmoothness) >= 0)
        m_playIndex = SmoothnessIndex(c.m_playSmoothness);
    if (SmoothnessIndex(c.m_forwardSmoothness) >= 0)
        m_forwardIndex = SmoothnessIndex(c.m_forwardSmoothness);
    m_decodeQuality = c.m_decodeQuality;
    m_switchMode = c.m_videoSwitchMode;
    m_motionMode = c.m_motionAlarmMode;
    m_noMotionSeconds = c.m_noMotionSeconds;
    m_timedSnapshot = c.m_timedSnapshot;
    m_timedSnapshotSeconds = c.m_timedSnapshotSeconds;
    m_sensorTie = c.m_sensorMatchesChannel;
    m_previewOnConnect = c.m_previewOnConnect;
    CCameraPage::OnInitDialog();
    ShowSwitchModeText(m_switchMode);
    EnableIntervalEdit();
    return TRUE;
}

void CDlgCamOther::ShowSwitchModeText(int mode)
{
    SetDlgItemText(IDC_SWITCH_MODE_TEXT, mode >= 0 && mode <= 3 ? ConfigString(IDS_SWITCH_MODE1 + mode) : CString());
}

void CDlgCamOther::EnableIntervalEdit()
{
    GetDlgItem(IDC_TIMED_SNAPSHOT_SECONDS)->EnableWindow(IsDlgButtonChecked(IDC_TIMED_SNAPSHOT) == BST_CHECKED);
}

// Only the combo's own choice is read: checking the page's numbers here would answer a change of
// mode with messages about other fields.
void CDlgCamOther::OnSwitchModeChange()
{
    ShowSwitchModeText((int)SendDlgItemMessage(IDC_SWITCH_MODE, CB_GETCURSEL, 0, 0));
}

void CDlgCamOther::OnTimedSnapshotClick()
{
    EnableIntervalEdit();
}

BOOL CDlgCamOther::ReadControls()
{
    if (!UpdateData(TRUE))
        return FALSE;
    if (m_timedSnapshot && m_timedSnapshotSeconds <= 0) {
        ConfigMessage(IDS_SNAPSHOT_INTERVAL);
        return FALSE;
    }
    return TRUE;
}

void CDlgCamOther::WriteTo(CTermCamera* camera, BOOL)
{
    camera->m_decodeQuality = m_decodeQuality;
    camera->m_playSmoothness = SmoothnessValue(m_playIndex);
    camera->m_motionAlarmMode = m_motionMode;
    camera->m_noMotionSeconds = m_noMotionSeconds;
    camera->m_sensorMatchesChannel = m_sensorTie;
    camera->m_previewOnConnect = m_previewOnConnect;
    camera->m_videoSwitchMode = m_switchMode;
    camera->m_timedSnapshot = m_timedSnapshot;
    camera->m_timedSnapshotSeconds = m_timedSnapshotSeconds;
    camera->m_forwardSmoothness = SmoothnessValue(m_forwardIndex);
    if (CChannelSession* session = camera->m_pSession) {
        session->ApplyForwardSmoothness();
        session->ApplyPlaySmoothness();
        session->ApplyDecodeQuality();
        session->ApplyNoMotionAlarm();
    }
}
