// ScheduleEntry: a weekly time window of the camera and alarm-input settings (5 bytes in files).
#pragma once

#include <afx.h>

// Day selectors, in the order of the dialogs' day lists.
enum {
    scheduleMonday = 0, // 0 to 5: Monday to Saturday
    scheduleSunday = 6,
    scheduleWorkdays = 7, // Monday to Friday
    scheduleWeekend = 8,  // Saturday and Sunday
    scheduleEveryDay = 9,
    scheduleOff = 10
};

// In memory the five bytes padded to 8; the pad is never stored.
struct ScheduleEntry {
    BYTE startHour;
    BYTE startMinute;
    BYTE endHour; // exclusive
    BYTE endMinute;
    BYTE days;
    BYTE pad[3];

    void Set(int sh, int sm, int eh, int em, int d);
};
static_assert(sizeof(ScheduleEntry) == 8, "a schedule entry is five bytes padded to eight");

// Writes or reads the five stored bytes of each entry (at most 64 entries at a time).
void SerializeSchedules(CArchive& ar, ScheduleEntry* entries, int count);

// One window: days covers the weekday (0 = Sunday .. 6 = Saturday) and start <= hh:mm < end.
// There is no window across midnight; an end not after the start never matches.
BOOL ScheduleWindowMatches(int days, int startHour, int startMinute, int endHour, int endMinute, int hour, int minute,
                           int weekday);

// A set of entries matches when one of them does.
BOOL ScheduleMatches(const ScheduleEntry* entries, int count, int hour, int minute, int weekday);
BOOL ScheduleMatches(const ScheduleEntry* entries, int count, const SYSTEMTIME& time);
