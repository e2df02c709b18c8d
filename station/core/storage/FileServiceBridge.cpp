// The file-service request bridge: a request record in, the recording search, the hits out with
// their times as local date-time records.
#include "station/core/storage/FileServiceBridge.h"

#include "station/core/storage/RecordStore.h"

#include <string.h>

namespace {

// A calendar time as a local date-time record; FALSE for a time that cannot be converted.
BOOL ToDateTime(int time, FileServiceDateTime& out)
{
    if (time < 0)
        return FALSE;
    struct tm local;
    CTime(time).GetLocalTm(&local);
    memset(&out, 0, sizeof(out));
    out.year = local.tm_year + 1900;
    out.month = (BYTE)(local.tm_mon + 1);
    out.day = (BYTE)local.tm_mday;
    out.hour = (BYTE)local.tm_hour;
    out.minute = (BYTE)local.tm_min;
    out.second = (BYTE)local.tm_sec;
    return TRUE;
}

void CopyDateTime(const FileServiceDateTime& from, int& year, int& month, int& day, int& hour, int& minute, int& second)
{
    year = from.year;
    month = from.month;
    day = from.day;
    hour = from.hour;
    minute = from.minute;
    second = from.second;
}

} // namespace

int CALLBACK FileServiceQueryCallback(FileServiceRequest* request, int userValue)
{
    if (request == nullptr)
        return 0;
    RecordQuery query;
    memset(&query, 0, sizeof(query));
    // The request's name may lack a terminator: at most its first 39 bytes are taken.
    memcpy(query.name, request->name, sizeof(query.name) - 1);
    query.channel = request->channel;
    query.kind = request->kind;
    query.typeSelector = request->typeSelector;
    query.rangeFlag = request->rangeFlag;
    if (request->rangeFlag != 0) {
        CopyDateTime(request->from, query.fromYear, query.fromMonth, query.fromDay, query.fromHour, query.fromMinute,
                     query.fromSecond);
        CopyDateTime(request->to, query.toYear, query.toMonth, query.toDay, query.toHour, query.toMinute,
                     query.toSecond);
    }
    FileServiceSearch pending = {request, userValue};
    theRecordStore.SearchRecords(FileServiceQueryHit, &query, &pending);
    return 0;
}

int FileServiceQueryHit(const char* name, int channel, int start, int end, int size, const char* path, void* user)
{
    const FileServiceSearch* pending = static_cast<const FileServiceSearch*>(user);
    FileServiceDateTime startTime;
    FileServiceDateTime endTime;
    if (pending == nullptr || pending->request->resultCallback == nullptr || !ToDateTime(start, startTime) ||
        !ToDateTime(end, endTime))
        return 0;
    pending->request->resultCallback(name, channel, path, &startTime, &endTime, size, pending->userValue);
    return 0;
}
