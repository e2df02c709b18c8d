// Weekly time windows and their matching rule.
#include "ScheduleEntry.h"

void ScheduleEntry::Set(int sh, int sm, int eh, int em, int d)
{
    startHour = (BYTE)sh;
    startMinute = (BYTE)sm;
    endHour = (BYTE)eh;
    endMinute = (BYTE)em;
    days = (BYTE)d;
    pad[0] = pad[1] = pad[2] = 0;
}

void ScheduleEntry::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << startHour << startMinute << endHour << endMinute << days;
    else
        ar >> startHour >> startMinute >> endHour >> endMinute >> days;
}

namespace {

BOOL DaysCover(int days, int weekday)
{
    switch (days) {
    case scheduleSunday: return weekday == 0;
    case scheduleWorkdays: return weekday >= 1 && weekday <= 5;
    case scheduleWeekend: return weekday == 6 || weekday == 0;
    case scheduleEveryDay: return TRUE;
    default: return days >= scheduleMonday && days <= 5 && weekday == days + 1;
    }
}

}  // namespace

BOOL ScheduleWindowMatches(int days, int startHour, int startMinute, int endHour, int endMinute, int hour,
                           int minute, int weekday)
{
    if (days == scheduleOff || !DaysCover(days, weekday))
        return FALSE;
    int now = hour * 100 + minute;
    return startHour * 100 + startMinute <= now && now < endHour * 100 + endMinute;
}

BOOL ScheduleMatches(const ScheduleEntry* entries, int count, int hour, int minute, int weekday)
{
    for (int i = 0; i < count; ++i) {
        const ScheduleEntry& e = entries[i];
        if (ScheduleWindowMatches(e.days, e.startHour, e.startMinute, e.endHour, e.endMinute, hour, minute, weekday))
            return TRUE;
    }
    return FALSE;
}

BOOL ScheduleMatches(const ScheduleEntry* entries, int count, const SYSTEMTIME& time)
{
    return ScheduleMatches(entries, count, time.wHour, time.wMinute, time.wDayOfWeek);
}
