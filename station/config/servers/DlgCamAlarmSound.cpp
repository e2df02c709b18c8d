// The alarm sound page.
#include "station/config/servers/DlgCamAlarmSound.h"

#include "station/config/ScheduleGrid.h"
#include "station/core/datamodel/TermCamera.h"

BEGIN_MESSAGE_MAP(CDlgCamAlarmSound, CCameraPage)
ON_CBN_SELCHANGE(IDC_SOUND_TYPE, OnTypeChange)
ON_BN_CLICKED(IDC_SOUND_ALL_TYPES, OnApplyToAllTypes)
END_MESSAGE_MAP()

namespace {

ScheduleEntry* SoundSchedule(CTermCamera* camera, int type)
{
    if (type < 4)
        return camera->m_sensorSound[type];
    return type == 4 ? camera->m_motionSound : camera->m_lossSound;
}

} // namespace

CDlgCamAlarmSound::CDlgCamAlarmSound() : CCameraPage(IDD), m_working(), m_shownType(-1), m_grid() {}

void CDlgCamAlarmSound::DoDataExchange(CDataExchange* pDX)
{
    CCameraPage::DoDataExchange(pDX);
    DDX_ScheduleGrid(pDX, kAlarmSoundGrid, m_grid);
}

BOOL CDlgCamAlarmSound::OnInitDialog()
{
    for (const char* name : {"探头报警1", "探头报警2", "探头报警3", "探头报警4", "移动侦测", "视频丢失"})
        SendDlgItemMessage(IDC_SOUND_TYPE, CB_ADDSTRING, 0, (LPARAM)name);
    SendDlgItemMessage(IDC_SOUND_TYPE, CB_SETCURSEL, 0, 0);
    InitScheduleGrid(this, kAlarmSoundGrid);
    for (int type = 0; type < kAlarmSoundTypes; ++type)
        RowsFromEntries(SoundSchedule(m_pCamera, type), m_working[type]);
    CCameraPage::OnInitDialog();
    OnTypeChange();
    return TRUE;
}

BOOL CDlgCamAlarmSound::ReadControls()
{
    if (m_shownType < 0)
        return TRUE;
    if (!UpdateData(TRUE))
        return FALSE;
    m_working[m_shownType] = m_grid;
    return TRUE;
}

// A refused value keeps the type on show, so that it can be corrected.
void CDlgCamAlarmSound::OnTypeChange()
{
    int type = (int)SendDlgItemMessage(IDC_SOUND_TYPE, CB_GETCURSEL, 0, 0);
    if (type < 0 || type >= kAlarmSoundTypes)
        return;
    if (!ReadControls()) {
        SendDlgItemMessage(IDC_SOUND_TYPE, CB_SETCURSEL, m_shownType, 0);
        return;
    }
    m_grid = m_working[type];
    m_shownType = type;
    UpdateData(FALSE);
}

void CDlgCamAlarmSound::OnApplyToAllTypes()
{
    if (!UpdateData(TRUE))
        return;
    for (ScheduleRows& rows : m_working)
        rows = m_grid;
}

void CDlgCamAlarmSound::WriteTo(CTermCamera* camera, BOOL)
{
    for (int type = 0; type < kAlarmSoundTypes; ++type)
        RowsToEntries(m_working[type], SoundSchedule(camera, type));
}
