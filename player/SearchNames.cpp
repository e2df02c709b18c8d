// The search window's names and times, without windows.
#include "player/SearchNames.h"

#include <time.h>

#include "resources/clipview/resource.h"
#include "station/core/storage/QueryResultStore.h"

CString MakeSearchLocalName(const QueryResultRecord& record, int kind)
{
    static const char* const kExtensions[] = {".jpg", ".mp4", ".asf"};
    if (kind < 1 || kind > 3)
        return CString();
    time_t start = (time_t)record.start;
    struct tm* local = localtime(&start);
    if (local == nullptr)
        return CString();
    CString name;
    name.Format("%s_%d_%02d%02d%02d%s", record.name, record.channel + 1, local->tm_hour, local->tm_min, local->tm_sec,
                kExtensions[kind - 1]);
    return name;
}

INT32 SearchCalendarTime(const FramewellTime* time)
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

SearchDownloadChoice SearchDownloadChoiceFor(int fileType, BOOL convert)
{
    if (convert)
        return {3, IDS_FILTER_ASF, "asf"};
    if (fileType == 1)
        return {2, IDS_FILTER_MP4, "mp4"};
    return {1, IDS_FILTER_JPEG, "jpg"};
}
