// What the main window's one-second tick does this time: nothing but the clock before log-in; after
// it the sessions' pass, the alarm auto-clear when its delay has run out since the first alarm, and
// the heartbeat every 32nd tick. The window carries out the plan (CDlgMain::OnMainTimer).
#pragma once

#include <windows.h>

enum MainTickWork {
    TICK_SESSIONS = 1,
    TICK_AUTO_CLEAR = 2,
    TICK_HEARTBEAT = 4,
};

class CMainTick {
public:
    // The work of this tick (MainTickWork bits); counts the heartbeat. now: timeGetTime's value.
    int Plan(int treeExists, int autoClearOn, int autoClearSeconds, DWORD now);
    // An alarm was answered: the start of the alarm period, kept when one is pending.
    void NoteAlarm(DWORD now);
    // The alarms were cleared.
    void ClearAlarm() { alarmSince = 0; }

    int tickCount = 0;    // ticks since the last heartbeat
    DWORD alarmSince = 0; // first alarm since the last clearing; 0 = none pending
};
