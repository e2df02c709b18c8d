// "start.ini"'s schedule sections.
#include "station/config/StartSchedule.h"

#include <stdlib.h>

namespace {

// The watchdog reads the section under this spelling.
const char kStartSection[] = "STARATUPTIME";
const char kStopSection[] = "STOPTIME";
const char kProgramSection[] = "PROGRAMNAME";

int ReadNumber(LPCSTR ini, LPCSTR section, LPCSTR key, LPCSTR fallback)
{
    char text[260] = "";
    ::GetPrivateProfileStringA(section, key, fallback, text, sizeof text, ini);
    return atoi(text);
}

CString NumberedKey(LPCSTR word, int entry)
{
    CString key;
    key.Format("%s%d", word, entry);
    return key;
}

void WriteNumber(LPCSTR ini, LPCSTR section, LPCSTR key, int value)
{
    CString text;
    text.Format("%d", value);
    ::WritePrivateProfileStringA(section, key, text, ini);
}

void ReadSwitch(LPCSTR ini, LPCSTR section, TimedSwitch& timed)
{
    timed.enabled = ReadNumber(ini, section, "ENABLE", "0");
    for (int i = 0; i < kScheduleEntries; ++i) {
        timed.entries[i].hour = ReadNumber(ini, section, NumberedKey("HOUR", i), "12");
        timed.entries[i].minute = ReadNumber(ini, section, NumberedKey("MINUTE", i), "0");
        timed.entries[i].use = ReadNumber(ini, section, NumberedKey("USE", i), "0");
    }
}

void WriteSwitch(LPCSTR ini, LPCSTR section, const TimedSwitch& timed)
{
    for (int i = 0; i < kScheduleEntries; ++i) {
        WriteNumber(ini, section, NumberedKey("HOUR", i), timed.entries[i].hour);
        WriteNumber(ini, section, NumberedKey("MINUTE", i), timed.entries[i].minute);
        WriteNumber(ini, section, NumberedKey("USE", i), timed.entries[i].use);
    }
    WriteNumber(ini, section, "ENABLE", timed.enabled);
}

} // namespace

void ReadStartSchedule(LPCSTR iniPath, StartSchedule& schedule)
{
    ReadSwitch(iniPath, kStartSection, schedule.start);
    ReadSwitch(iniPath, kStopSection, schedule.stop);
    schedule.autorun = ReadNumber(iniPath, kProgramSection, "AUTORUN", "0");
}

void WriteStartSchedule(LPCSTR iniPath, const StartSchedule& schedule, LPCSTR startDir, LPCSTR exeName)
{
    WriteSwitch(iniPath, kStartSection, schedule.start);
    WriteSwitch(iniPath, kStopSection, schedule.stop);
    CString exe;
    exe.Format("%s\\%s.exe", startDir, exeName);
    ::WritePrivateProfileStringA(kProgramSection, "NAME", exe, iniPath);
    ::WritePrivateProfileStringA(kProgramSection, "CURDIRECTORY", startDir, iniPath);
    WriteNumber(iniPath, kProgramSection, "AUTORUN", schedule.autorun);
}
