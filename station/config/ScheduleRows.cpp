// Conversions of the schedule grid's rows.
#include "station/config/ScheduleRows.h"

namespace {

// Both stored forms name their fields alike.
template <class Entry> void RowsFrom(const Entry* entries, ScheduleRows& rows)
{
    for (int r = 0; r < kScheduleRows; ++r) {
        rows.days[r] = entries[r].days;
        rows.startHour[r] = entries[r].startHour;
        rows.startMinute[r] = entries[r].startMinute;
        rows.endHour[r] = entries[r].endHour;
        rows.endMinute[r] = entries[r].endMinute;
    }
}

} // namespace

void RowsFromRecordSchedule(const RecordScheduleEntry* entries, ScheduleRows& rows)
{
    RowsFrom(entries, rows);
}

void RowsToRecordSchedule(const ScheduleRows& rows, RecordScheduleEntry* entries)
{
    for (int r = 0; r < kScheduleRows; ++r) {
        entries[r].days = rows.days[r];
        entries[r].startHour = rows.startHour[r];
        entries[r].startMinute = rows.startMinute[r];
        entries[r].endHour = rows.endHour[r];
        entries[r].endMinute = rows.endMinute[r];
    }
}

void RowsFromEntries(const ScheduleEntry* entries, ScheduleRows& rows)
{
    RowsFrom(entries, rows);
}

void RowsToEntries(const ScheduleRows& rows, ScheduleEntry* entries)
{
    for (int r = 0; r < kScheduleRows; ++r)
        entries[r].Set(rows.startHour[r], rows.startMinute[r], rows.endHour[r], rows.endMinute[r], rows.days[r]);
}
