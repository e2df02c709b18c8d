// The search window's names and times, without windows.
#include "player/SearchNames.h"

#include <time.h>

#include "resources/clipview/resource.h"
#include "shared/records/RemoteHit.h"
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
    name.Format("%s_%d_%02d%02d%02d%s", (LPCSTR)HitServerName(record), record.channel + 1, local->tm_hour,
                local->tm_min, local->tm_sec, kExtensions[kind - 1]);
    return name;
}

SearchDownloadChoice SearchDownloadChoiceFor(int fileType, BOOL convert)
{
    if (convert)
        return {3, IDS_FILTER_ASF, "asf"};
    if (fileType == 1)
        return {2, IDS_FILTER_MP4, "mp4"};
    return {1, IDS_FILTER_JPEG, "jpg"};
}
