// The main window's tick plan.
#include "station/ui/mainwindow/MainTick.h"

int CMainTick::Plan(int treeExists, int autoClearOn, int autoClearSeconds, DWORD now)
{
    if (!treeExists)
        return 0;
    int work = TICK_SESSIONS;
    DWORD delay = autoClearSeconds > 0 ? (DWORD)autoClearSeconds * 1000u : 0;
    if (autoClearOn && alarmSince != 0 && now - alarmSince >= delay)
        work |= TICK_AUTO_CLEAR;
    // The count before the increment above 30: the 32nd tick.
    if (tickCount++ > 30) {
        work |= TICK_HEARTBEAT;
        tickCount = 0;
    }
    return work;
}

void CMainTick::NoteAlarm(DWORD now)
{
    if (alarmSince == 0)
        alarmSince = now != 0 ? now : 1;
}
