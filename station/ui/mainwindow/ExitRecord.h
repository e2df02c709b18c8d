// The station's exit bookkeeping in its start directory: "exit.ini" (whether the last run ended
// cleanly, and the heartbeat of the time it was last alive), "start.ini" for the watchdog, the
// Run value that starts the watchdog with the machine, and the temporary video folder.
#pragma once

#include <afx.h>

class CSystemLog;

// "EXITCODE" of section "EXIT": "1" at an orderly exit, "0" while running.
void WriteExitCode(LPCSTR startDir, LPCSTR code);
CString ReadExitCode(LPCSTR startDir);

// At start: a "0" left by the last run is logged as an abnormal exit with the last heartbeat's
// time; then "EXITCODE" becomes "0". Returns 1 when the abnormal exit was logged.
int CheckLastExit(LPCSTR startDir, CSystemLog* log);
// The heartbeat: the local time into section "EXITTIME".
void WriteHeartbeat(LPCSTR startDir, const SYSTEMTIME& now);
// "YYYY-MM-DD hh-mm-ss" from the heartbeat fields (missing ones read as 0).
CString ReadHeartbeatText(LPCSTR startDir);

// The Run value's data: the watchdog with the start directory as its argument; the executable's
// path and the argument are quoted, since either may hold blanks.
CString WatchdogRunCommand(LPCSTR startDir);
// The Run value, "start.ini" section "PROGRAMNAME", and the watchdog started when no window of
// that title exists.
void RegisterAutoStart(LPCSTR startDir, LPCSTR exeName, LPCSTR windowTitle);
void WriteStartIni(LPCSTR startDir, LPCSTR exeName, LPCSTR windowTitle);

// Deletes every file of "Temp Video" in the start directory; entries that cannot go are skipped.
void DeleteTempVideoFiles(LPCSTR startDir);

extern const char kWatchdogName[]; // "Pellinor"
extern const char kRunValueName[]; // "Quillmoor"
