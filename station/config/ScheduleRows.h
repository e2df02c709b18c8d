// ScheduleRows: the seven rows of the weekly schedule grid as whole numbers, and their conversion
// from and to the two stored forms (the camera's recording schedule of ints, and ScheduleEntry).
#pragma once

#include "station/core/datamodel/ScheduleEntry.h"
#include "station/core/datamodel/TermCamera.h"

const int kScheduleRows = 7;
const int kScheduleDayChoices = 11; // the ScheduleEntry day selectors 0..10

struct ScheduleRows {
    int days[kScheduleRows];
    int startHour[kScheduleRows];
    int startMinute[kScheduleRows];
    int endHour[kScheduleRows];
    int endMinute[kScheduleRows];
};

void RowsFromRecordSchedule(const RecordScheduleEntry* entries, ScheduleRows& rows);
void RowsToRecordSchedule(const ScheduleRows& rows, RecordScheduleEntry* entries);
void RowsFromEntries(const ScheduleEntry* entries, ScheduleRows& rows);
// The grid keeps every value within a byte (hours 0..24, minutes 0..59, days 0..10).
void RowsToEntries(const ScheduleRows& rows, ScheduleEntry* entries);
