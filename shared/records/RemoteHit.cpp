// Remote search hits as result records.
#include "shared/records/RemoteHit.h"

#include <time.h>

INT32 FramewellCalendarTime(const FramewellTime* time)
{
    if (time == nullptr)
        return 0;
    struct tm local = {};
    local.tm_year = time->year - 1900;
    local.tm_mon = time->month - 1;
    local.tm_mday = time->day;
    local.tm_hour = time->hour;
    local.tm_min = time->minute;
    local.tm_sec = time->second;
    local.tm_isdst = -1;
    const time_t value = mktime(&local);
    return value == (time_t)-1 ? 0 : (INT32)value;
}

QueryResultRecord MakeRemoteHitRecord(const char* serverName, int channel, const char* remotePath,
                                      const FramewellTime* start, const FramewellTime* end, unsigned int size)
{
    QueryResultRecord record = {};
    CopyText(record.name, serverName);
    record.channel = channel;
    record.start = FramewellCalendarTime(start);
    record.end = FramewellCalendarTime(end);
    record.size = size > 0x7FFFFFFFu ? 0x7FFFFFFF : (INT32)size;
    CopyText(record.path, remotePath);
    return record;
}

CString HitServerName(const QueryResultRecord& record)
{
    char name[sizeof record.name];
    CopyText(name, record.name); // stops within the field: at most 39 bytes, whole characters
    return name;
}
