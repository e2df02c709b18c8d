// The software settings page of the system settings.
#include "station/config/system/DlgSysTimer.h"

#include "station/config/ConfigText.h"
#include "station/config/SaveFailure.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"

namespace {

struct SideControls {
    int onBox, dayCombo, picker, useBox;
};
const SideControls kSides[2] = {
    {IDC_SYSTIMER_START, IDC_SYSTIMER_START_DAY, IDC_SYSTIMER_START_TIME, IDC_SYSTIMER_START_USE},
    {IDC_SYSTIMER_STOP, IDC_SYSTIMER_STOP_DAY, IDC_SYSTIMER_STOP_TIME, IDC_SYSTIMER_STOP_USE},
};

// An entry's time of day on the picker: 1 January 2007, second 1. A time the file got wrong shows
// as the default 12:00 rather than rolling into another day.
CTime EntryTime(const TimedEntry& entry)
{
    int hour = entry.hour >= 0 && entry.hour <= 23 ? entry.hour : 12;
    int minute = entry.minute >= 0 && entry.minute <= 59 ? entry.minute : 0;
    return CTime(2007, 1, 1, hour, minute, 1);
}

CString StartIniPath()
{
    return StationFilePath("start.ini");
}

CString ExecutableName()
{
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pszExeName != nullptr)
        return app->m_pszExeName;
    return AfxModuleBaseName(nullptr);
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgSysTimer, CConfigPage)
ON_BN_CLICKED(IDC_SYSTIMER_START, OnStartClick)
ON_BN_CLICKED(IDC_SYSTIMER_STOP, OnStopClick)
ON_CBN_SELCHANGE(IDC_SYSTIMER_START_DAY, OnStartDayChange)
ON_CBN_SELCHANGE(IDC_SYSTIMER_STOP_DAY, OnStopDayChange)
ON_NOTIFY(DTN_DATETIMECHANGE, IDC_SYSTIMER_START_TIME, OnStartTimeChange)
ON_NOTIFY(DTN_DATETIMECHANGE, IDC_SYSTIMER_STOP_TIME, OnStopTimeChange)
ON_BN_CLICKED(IDC_SYSTIMER_START_USE, OnStartUseClick)
ON_BN_CLICKED(IDC_SYSTIMER_STOP_USE, OnStopUseClick)
ON_CBN_SELCHANGE(IDC_SYSTIMER_SERVER_MODE, OnServerModeChange)
ON_CBN_SELCHANGE(IDC_SYSTIMER_CAMERA_MODE, OnCameraModeChange)
ON_BN_CLICKED(IDC_SYSTIMER_AUTO_CLEAR, OnAutoClearClick)
END_MESSAGE_MAP()

CDlgSysTimer::CDlgSysTimer()
    : CConfigPage(IDD), m_schedule(), m_on(), m_day(), m_use(), m_autorun(0), m_alarmAction(0), m_serverMode(0),
      m_cameraMode(0), m_autoClear(0), m_clearSeconds(0), m_reconnect(0), m_saveState(0)
{
    m_time[0] = m_time[1] = CTime(2007, 1, 1, 12, 0, 1);
}

void CDlgSysTimer::DoDataExchange(CDataExchange* pDX)
{
    CConfigPage::DoDataExchange(pDX);
    for (int side = 0; side < 2; ++side) {
        DDX_Check(pDX, kSides[side].onBox, m_on[side]);
        DDX_CBIndex(pDX, kSides[side].dayCombo, m_day[side]);
        DDX_DateTimeCtrl(pDX, kSides[side].picker, m_time[side]);
        DDX_Check(pDX, kSides[side].useBox, m_use[side]);
    }
    DDX_Check(pDX, IDC_SYSTIMER_AUTORUN, m_autorun);
    DDX_CBIndex(pDX, IDC_SYSTIMER_ALARM_ACTION, m_alarmAction);
    DDX_CBIndex(pDX, IDC_SYSTIMER_SERVER_MODE, m_serverMode);
    DDX_CBIndex(pDX, IDC_SYSTIMER_CAMERA_MODE, m_cameraMode);
    DDX_Check(pDX, IDC_SYSTIMER_AUTO_CLEAR, m_autoClear);
    DDX_Text(pDX, IDC_SYSTIMER_CLEAR_SECONDS, m_clearSeconds);
    DDX_Check(pDX, IDC_SYSTIMER_RECONNECT, m_reconnect);
    DDX_Check(pDX, IDC_SYSTIMER_SAVE_STATE, m_saveState);
}

BOOL CDlgSysTimer::OnInitDialog()
{
    for (int side = 0; side < 2; ++side)
        FillComboStrings(this, kSides[side].dayCombo,
                         {IDS_DAY_SUNDAY, IDS_DAY_MONDAY, IDS_DAY_MONDAY + 1, IDS_DAY_MONDAY + 2, IDS_DAY_MONDAY + 3,
                          IDS_DAY_MONDAY + 4, IDS_DAY_MONDAY + 5, IDS_DAY_EVERY});
    FillComboStrings(this, IDC_SYSTIMER_ALARM_ACTION,
                     {IDS_ALARM_ACTION_NONE, IDS_ALARM_ACTION_VIDEO, IDS_ALARM_ACTION_EMAP});
    for (int id : {IDC_SYSTIMER_SERVER_MODE, IDC_SYSTIMER_CAMERA_MODE})
        FillComboStrings(this, id, {IDS_DOUBLE_CLICK_MODE1, IDS_DOUBLE_CLICK_MODE1 + 1, IDS_DOUBLE_CLICK_MODE1 + 2});
    if (const CSysParam* p = g_pSysParam) {
        m_alarmAction = p->m_alarmAction;
        m_serverMode = p->m_serverDoubleClick;
        m_cameraMode = p->m_cameraDoubleClick;
        m_autoClear = p->m_autoClearAlarm ? 1 : 0;
        m_clearSeconds = (UINT)p->m_autoClearSeconds;
        m_reconnect = p->m_alwaysReconnect ? 1 : 0;
        m_saveState = p->m_restorePages ? 1 : 0;
    }
    ReadStartSchedule(StartIniPath(), m_schedule);
    m_autorun = m_schedule.autorun ? 1 : 0;
    for (int side = 0; side < 2; ++side) {
        m_on[side] = Switch(side).enabled ? 1 : 0;
        m_day[side] = 0;
        m_time[side] = EntryTime(Switch(side).entries[0]);
        m_use[side] = Switch(side).entries[0].use ? 1 : 0;
    }
    CConfigPage::OnInitDialog();
    for (int side = 0; side < 2; ++side)
        FollowSwitch(side);
    ShowModeText(IDC_SYSTIMER_SERVER_MODE, IDC_SYSTIMER_SERVER_MODE_TEXT);
    ShowModeText(IDC_SYSTIMER_CAMERA_MODE, IDC_SYSTIMER_CAMERA_MODE_TEXT);
    OnAutoClearClick();
    return TRUE;
}

int CDlgSysTimer::ShownDay(int side)
{
    int day = (int)SendDlgItemMessage(kSides[side].dayCombo, CB_GETCURSEL);
    return day >= 0 && day < kScheduleEntries ? day : -1;
}

// The time is editable while the switch is on and the shown entry in use; day and use box while
// the switch is on.
void CDlgSysTimer::FollowSwitch(int side)
{
    BOOL on = IsDlgButtonChecked(kSides[side].onBox) == BST_CHECKED;
    BOOL use = IsDlgButtonChecked(kSides[side].useBox) == BST_CHECKED;
    GetDlgItem(kSides[side].picker)->EnableWindow(on && use);
    GetDlgItem(kSides[side].useBox)->EnableWindow(on);
    GetDlgItem(kSides[side].dayCombo)->EnableWindow(on);
}

void CDlgSysTimer::ShowEntry(int side)
{
    int day = ShownDay(side);
    if (day < 0)
        return;
    const TimedEntry& entry = Switch(side).entries[day];
    SYSTEMTIME time = {};
    EntryTime(entry).GetAsSystemTime(time);
    SendDlgItemMessage(kSides[side].picker, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&time);
    CheckDlgButton(kSides[side].useBox, entry.use ? BST_CHECKED : BST_UNCHECKED);
    GetDlgItem(kSides[side].picker)->EnableWindow(entry.use != 0);
}

void CDlgSysTimer::TakePickerTime(int side)
{
    int day = ShownDay(side);
    SYSTEMTIME time = {};
    if (day < 0 || SendDlgItemMessage(kSides[side].picker, DTM_GETSYSTEMTIME, 0, (LPARAM)&time) != GDT_VALID)
        return;
    Switch(side).entries[day].hour = time.wHour;
    Switch(side).entries[day].minute = time.wMinute;
}

void CDlgSysTimer::TakeUseFlag(int side)
{
    int day = ShownDay(side);
    if (day < 0)
        return;
    BOOL use = IsDlgButtonChecked(kSides[side].useBox) == BST_CHECKED;
    Switch(side).entries[day].use = use ? 1 : 0;
    GetDlgItem(kSides[side].picker)->EnableWindow(use);
}

void CDlgSysTimer::OnStartClick()
{
    FollowSwitch(sideStart);
}

void CDlgSysTimer::OnStopClick()
{
    FollowSwitch(sideStop);
}

void CDlgSysTimer::OnStartDayChange()
{
    ShowEntry(sideStart);
}

void CDlgSysTimer::OnStopDayChange()
{
    ShowEntry(sideStop);
}

void CDlgSysTimer::OnStartTimeChange(NMHDR*, LRESULT* pResult)
{
    TakePickerTime(sideStart);
    *pResult = 0;
}

void CDlgSysTimer::OnStopTimeChange(NMHDR*, LRESULT* pResult)
{
    TakePickerTime(sideStop);
    *pResult = 0;
}

void CDlgSysTimer::OnStartUseClick()
{
    TakeUseFlag(sideStart);
}

void CDlgSysTimer::OnStopUseClick()
{
    TakeUseFlag(sideStop);
}

void CDlgSysTimer::ShowModeText(int comboId, int textId)
{
    int mode = (int)SendDlgItemMessage(comboId, CB_GETCURSEL);
    SetDlgItemText(textId, mode >= 0 && mode <= 2 ? ConfigString(IDS_MODE_TEXT1 + mode) : CString());
}

void CDlgSysTimer::OnServerModeChange()
{
    ShowModeText(IDC_SYSTIMER_SERVER_MODE, IDC_SYSTIMER_SERVER_MODE_TEXT);
}

void CDlgSysTimer::OnCameraModeChange()
{
    ShowModeText(IDC_SYSTIMER_CAMERA_MODE, IDC_SYSTIMER_CAMERA_MODE_TEXT);
}

void CDlgSysTimer::OnAutoClearClick()
{
    GetDlgItem(IDC_SYSTIMER_CLEAR_SECONDS)->EnableWindow(IsDlgButtonChecked(IDC_SYSTIMER_AUTO_CLEAR) == BST_CHECKED);
}

BOOL CDlgSysTimer::ReadControls()
{
    if (!CConfigPage::ReadControls())
        return FALSE;
    if (m_autoClear && m_clearSeconds == 0) {
        ConfigMessage(IDS_BAD_CLEAR_TIME);
        GotoDlgCtrl(GetDlgItem(IDC_SYSTIMER_CLEAR_SECONDS));
        return FALSE;
    }
    // The shown entries hold what their time and use controls show.
    for (int side = 0; side < 2; ++side) {
        TakePickerTime(side);
        int day = ShownDay(side);
        if (day >= 0)
            Switch(side).entries[day].use = m_use[side];
    }
    return TRUE;
}

void CDlgSysTimer::WriteValues()
{
    if (CSysParam* p = g_pSysParam) {
        p->m_restorePages = m_saveState;
        p->m_alarmAction = m_alarmAction;
        p->m_cameraDoubleClick = m_cameraMode;
        p->m_serverDoubleClick = m_serverMode;
        p->m_autoClearAlarm = m_autoClear;
        p->m_autoClearSeconds = (int)m_clearSeconds;
        p->m_alwaysReconnect = m_reconnect;
    }
    m_schedule.start.enabled = m_on[sideStart];
    m_schedule.stop.enabled = m_on[sideStop];
    m_schedule.autorun = m_autorun;
    if (!WriteStartSchedule(StartIniPath(), m_schedule, GetStartDirectory(), ExecutableName()))
        ReportSaveFailure("start.ini");
}
