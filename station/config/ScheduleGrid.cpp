// The weekly schedule grid shared by the camera and alarm-input pages.
#include "station/config/ScheduleGrid.h"

#include "resources/warden/config.h"

const ScheduleGridIds kRecordScheduleGrid = {IDC_GRID_DAY, IDC_GRID_START_HOUR, IDC_GRID_START_MINUTE,
                                             IDC_GRID_END_HOUR, IDC_GRID_END_MINUTE};
const ScheduleGridIds kAlarmSoundGrid = {IDC_SOUND_GRID_DAY, IDC_SOUND_GRID_START_HOUR, IDC_SOUND_GRID_START_MINUTE,
                                         IDC_SOUND_GRID_END_HOUR, IDC_SOUND_GRID_END_MINUTE};
const ScheduleGridIds kArmingGrid = kRecordScheduleGrid;

namespace {

const char* const kDayNames[kScheduleDayChoices] = {"星期一",         "星期二", "星期三", "星期四",
                                                    "星期五",         "星期六", "星期天", "星期一至星期五",
                                                    "星期六至星期天", "每天",   "关闭"};

void DDX_TwoDigits(CDataExchange* pDX, int id, int& value, int maxValue)
{
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format("%02d", value);
        ::SetWindowTextA(pDX->PrepareEditCtrl(id), text);
        return;
    }
    DDX_Text(pDX, id, value);
    DDV_MinMaxInt(pDX, value, 0, maxValue);
}

} // namespace

void InitScheduleGrid(CWnd* dialog, const ScheduleGridIds& ids)
{
    for (int r = 0; r < kScheduleRows; ++r) {
        HWND combo = ::GetDlgItem(dialog->m_hWnd, ids.day + r);
        ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        for (const char* name : kDayNames)
            ::SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)name);
        for (int id : {ids.startHour, ids.startMinute, ids.endHour, ids.endMinute})
            ::SendDlgItemMessageA(dialog->m_hWnd, id + r, EM_LIMITTEXT, 2, 0);
    }
}

void DDX_ScheduleGrid(CDataExchange* pDX, const ScheduleGridIds& ids, ScheduleRows& target)
{
    // A refused value leaves the whole grid's values as they were.
    ScheduleRows rows = target;
    for (int r = 0; r < kScheduleRows; ++r) {
        int day = rows.days[r];
        DDX_CBIndex(pDX, ids.day + r, day);
        if (day >= 0 && day < kScheduleDayChoices)
            rows.days[r] = day;
        DDX_TwoDigits(pDX, ids.startHour + r, rows.startHour[r], 24);
        DDX_TwoDigits(pDX, ids.startMinute + r, rows.startMinute[r], 59);
        DDX_TwoDigits(pDX, ids.endHour + r, rows.endHour[r], 24);
        DDX_TwoDigits(pDX, ids.endMinute + r, rows.endMinute[r], 59);
    }
    target = rows;
}
