// What passes between the station and the file-service library Depotix for a remote search: the
// request record Depotix hands to the station's event callback, the date-time record and the
// result function the request carries. Fixed by the station's side; the library must match them
// (32-bit, little-endian, __stdcall callbacks).
#pragma once

#include <windows.h>

#pragma pack(push, 1)
struct FileServiceDateTime {
    INT32 year; // four digits
    BYTE month; // 1-12
    BYTE day;
    BYTE hour;
    BYTE minute;
    BYTE second;
    BYTE fill[3]; // not read
};
#pragma pack(pop)
static_assert(sizeof(FileServiceDateTime) == 12, "FileServiceDateTime is 12 bytes");

// Called once per hit: server name, channel from 0, full local path, start and end as local times
// (records that live only for the call), size in bytes, and the user value Depotix gave the
// request. The result is not used.
typedef int(CALLBACK* FileServiceResultCallback)(const char* name, int channel, const char* path,
                                                 const FileServiceDateTime* start, const FileServiceDateTime* end,
                                                 int size, int userValue);

#pragma pack(push, 1)
struct FileServiceRequest {
    char name[40];      // server name to match; empty = any
    INT32 channel;      // counted from 0; -1 = any
    INT32 kind;         // 1 MP4, 2 JPEG, 3 BMP, other ASF
    INT32 typeSelector; // 0 any; 1 manual, 2 schedule, 3 video motion, 4 alarm
    INT32 rangeFlag;    // 0 = no date or time filter; from and to are then not read
    FileServiceDateTime from;
    FileServiceDateTime to;
    FileServiceResultCallback resultCallback;
};
#pragma pack(pop)
// 84 bytes on the 32-bit target; the callback pointer grows on the 64-bit build.
static_assert(sizeof(FileServiceRequest) == 80 + sizeof(void*), "FileServiceRequest is 84 bytes on the 32-bit target");

// The station's request callback, registered with Depotix_SetEventCallback; called on the
// library's thread once per remote search request. Returns 0.
typedef int(CALLBACK* FileServiceEventCallback)(FileServiceRequest* request, int userValue);
