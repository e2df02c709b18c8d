// A file found by a remote search, as the library's search callback reports it, turned into the record
// the result list keeps (the station's query dialog and the player's search window both list them).
#pragma once

#include <afx.h>

#include "devices/framewell/Framewell.h"
#include "station/core/storage/QueryResultStore.h"

// A library time as a calendar time in local time; 0 when it has none.
INT32 FramewellCalendarTime(const FramewellTime* time);

// Texts are cut at their fields (a missing one is empty); a size beyond the record's range is kept at
// the largest it holds rather than turned negative.
QueryResultRecord MakeRemoteHitRecord(const char* serverName, int channel, const char* remotePath,
                                      const FramewellTime* start, const FramewellTime* end, unsigned int size);

// A record's server name for a file name: the field fills all its bytes when the name is that long
// (or the scratch file was damaged), so it is copied within the field, never read past it.
CString HitServerName(const QueryResultRecord& record);
