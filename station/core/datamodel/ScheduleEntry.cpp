// Weekly time windows and their matching rule.
#include "station/core/datamodel/ScheduleEntry.h"

void ScheduleEntry::Set(int sh, int sm, int eh, int em, int d)
{
    startHour = (BYTE)sh;
    startMinute = (BYTE)sm;
    endHour = (BYTE)eh;
    endMinute = (BYTE)em;
    days = (BYTE)d;
    pad[0] = pad[1] = pad[2] = 0;
}

void SerializeSchedules(CArchive& ar, ScheduleEntry* entries, int count)
{
    // One transfer for the whole run of entries: a camera holds 42 of them.
    BYTE stored[64 * 5];
    UINT size = (UINT)count * 5;
    ASSERT(count <= 64);
    if (ar.IsStoring()) {
        for (int i = 0; i < count; ++i)
            memcpy(stored + i * 5, &entries[i], 5);
        ar.Write(stored, size);
        return;
    }
    if (ar.Read(stored, size) != size)
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    for (int i = 0; i < count; ++i) {
        memcpy(&entries[i], stored + i * 5, 5);
        entries[i].pad[0] = entries[i].pad[1] = entries[i].pad[2] = 0;
    }
}

namespace {

BOOL DaysCover(int days, int weekday)
{
    switch (days) {
    case scheduleSunday:
        return weekday == 0;
    case scheduleWorkdays:
        return weekday >= 1 && weekday <= 5;
    case scheduleWeekend:
        return weekday == 6 || weekday == 0;
    case scheduleEveryDay:
        return TRUE;
    default:
        return days >= scheduleMonday && days <= 5 && weekday == days + 1;
    }
}

} // namespace

BOOL ScheduleWindowMatches(int days, int startHour, int startMinute, int endHour, int endMinute, int hour, int minute,
                           int weekday)
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
