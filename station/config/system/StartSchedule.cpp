// "start.ini"'s schedule sections.
#include "station/config/system/StartSchedule.h"

#include <stdlib.h>

#include "station/core/datamodel/IniDocument.h"

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

void ReadSwitch(LPCSTR ini, LPCSTR section, TimedSwitch& timed)
{
    timed.enabled = ReadNumber(ini, section, "ENABLE", "0");
    for (int i = 0; i < kScheduleEntries; ++i) {
        timed.entries[i].hour = ReadNumber(ini, section, NumberedKey("HOUR", i), "12");
        timed.entries[i].minute = ReadNumber(ini, section, NumberedKey("MINUTE", i), "0");
        timed.entries[i].use = ReadNumber(ini, section, NumberedKey("USE", i), "0");
    }
}

void WriteSwitch(CIniDocument& ini, LPCSTR section, const TimedSwitch& timed)
{
    for (int i = 0; i < kScheduleEntries; ++i) {
        ini.SetNumber(section, NumberedKey("HOUR", i), timed.entries[i].hour);
        ini.SetNumber(section, NumberedKey("MINUTE", i), timed.entries[i].minute);
        ini.SetNumber(section, NumberedKey("USE", i), timed.entries[i].use);
    }
    ini.SetNumber(section, "ENABLE", timed.enabled);
}

} // namespace

void ReadStartSchedule(LPCSTR iniPath, StartSchedule& schedule)
{
    ReadSwitch(iniPath, kStartSection, schedule.start);
    ReadSwitch(iniPath, kStopSection, schedule.stop);
    schedule.autorun = ReadNumber(iniPath, kProgramSection, "AUTORUN", "0");
}

BOOL WriteStartSchedule(LPCSTR iniPath, const StartSchedule& schedule, LPCSTR startDir, LPCSTR exeName)
{
    // One replacement of the whole file: the watchdog's section ("WINDOWNAME" beside these keys)
    // survives a stop at any moment of the save.
    CIniDocument ini;
    ini.Load(iniPath);
    WriteSwitch(ini, kStartSection, schedule.start);
    WriteSwitch(ini, kStopSection, schedule.stop);
    CString exe;
    exe.Format("%s\\%s.exe", startDir, exeName);
    ini.SetString(kProgramSection, "NAME", exe);
    ini.SetString(kProgramSection, "CURDIRECTORY", startDir);
    ini.SetNumber(kProgramSection, "AUTORUN", schedule.autorun);
    return ini.Save();
}
