#include "shared/records/PickerTime.h"

FramewellTime ToFramewellTime(const SYSTEMTIME& t)
{
    FramewellTime out = {};
    out.year = t.wYear;
    out.month = (unsigned char)t.wMonth;
    out.day = (unsigned char)t.wDay;
    out.hour = (unsigned char)t.wHour;
    out.minute = (unsigned char)t.wMinute;
    out.second = (unsigned char)t.wSecond;
    return out;
}

void SetDayRange(const SYSTEMTIME& day, CDateTimeCtrl& fromDate, CDateTimeCtrl& fromTime, CDateTimeCtrl& toDate,
                 CDateTimeCtrl& toTime)
{
    SYSTEMTIME start = day, end = day;
    start.wHour = start.wMinute = start.wSecond = 0;
    end.wHour = 23;
    end.wMinute = end.wSecond = 59;
    start.wMilliseconds = end.wMilliseconds = 0;
    fromDate.SetTime(&start);
    fromTime.SetTime(&start);
    toDate.SetTime(&end);
    toTime.SetTime(&end);
}

SYSTEMTIME CombinePickers(CDateTimeCtrl& date, CDateTimeCtrl& time)
{
    SYSTEMTIME day = {}, clock = {};
    date.GetTime(&day);
    time.GetTime(&clock);
    day.wHour = clock.wHour;
    day.wMinute = clock.wMinute;
    day.wSecond = clock.wSecond;
    day.wMilliseconds = 0;
    return day;
}
