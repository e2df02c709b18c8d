// The timed start and stop of the station and its start with the operating system, as "start.ini"
// holds them for the watchdog: per switch an on flag and eight entries (0 Sunday to 6 Saturday,
// 7 every day), each a time of day and an in-use flag.
#pragma once

#include <afx.h>

const int kScheduleEntries = 8;

struct TimedEntry {
    int hour;
    int minute;
    int use;
};

struct TimedSwitch {
    int enabled;
    TimedEntry entries[kScheduleEntries];
};

struct StartSchedule {
    TimedSwitch start; // section "STARATUPTIME"
    TimedSwitch stop;  // section "STOPTIME"
    int autorun;       // "PROGRAMNAME" "AUTORUN"
};

// Every value read as decimal text; a missing one takes its default (off, 12:00, not in use).
void ReadStartSchedule(LPCSTR iniPath, StartSchedule& schedule);
// Sets every key of both switches, then of the program section: "NAME" ("<startDir>\<exeName>.exe"),
// "CURDIRECTORY" and "AUTORUN"; the file's other lines stay. Saved whole: FALSE when the file was not
// replaced, and then it stays as it was.
BOOL WriteStartSchedule(LPCSTR iniPath, const StartSchedule& schedule, LPCSTR startDir, LPCSTR exeName);
