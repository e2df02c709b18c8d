// The weekly schedule grid of the camera and alarm-input pages: seven rows of a day combo and four
// two-digit edits (start hour and minute, end hour and minute). Row r of each column uses the
// column's first control id + r. The edits are read as whole numbers through data exchange with
// the framework's messages: hours 0 to 24 (the end is exclusive, so 24:00 reaches the day's end),
// minutes 0 to 59.
#pragma once

#include <afxwin.h>

#include "station/config/ScheduleRows.h"

struct ScheduleGridIds {
    int day;
    int startHour;
    int startMinute;
    int endHour;
    int endMinute;
};

extern const ScheduleGridIds kRecordScheduleGrid; // scheduled recording page
extern const ScheduleGridIds kAlarmSoundGrid;     // alarm sound page
extern const ScheduleGridIds kArmingGrid;         // alarm input page

// Fills the day combos and limits the edits to two characters.
void InitScheduleGrid(CWnd* dialog, const ScheduleGridIds& ids);
// Loading shows the times with "%02d"; saving reads and checks them. A row without a chosen day
// keeps its day.
void DDX_ScheduleGrid(CDataExchange* pDX, const ScheduleGridIds& ids, ScheduleRows& rows);
