// One alarm-box input's settings and their 103 stored bytes.
#include "station/core/datamodel/AlarmInputConfig.h"

#include "station/core/datamodel/StationArchive.h"

void AlarmInputConfig::SetDefaults(int inputNumber)
{
    CString text;
    text.Format("外部报警输入%d", inputNumber);
    SetName(text);
    holdSeconds = 20;
    reportToCentre = 1;
    memset(outputs, 0, sizeof(outputs));
    memset(connectCameras, 0, sizeof(connectCameras));
    for (ScheduleEntry& entry : schedule)
        entry.Set(0, 0, 0, 0, scheduleOff);
}

CString AlarmInputConfig::GetName() const
{
    return CString(name, (int)strnlen(name, sizeof(name)));
}

void AlarmInputConfig::SetName(LPCSTR text)
{
    memset(name, 0, sizeof(name));
    CopyText(name, text);
}

void AlarmInputConfig::Serialize(CArchive& ar)
{
    SerializeArray(ar, name);
    SerializeValues(ar, holdSeconds, reportToCentre);
    SerializeArray(ar, outputs);
    SerializeArray(ar, connectCameras);
    SerializeSchedules(ar, schedule, 7);
}
