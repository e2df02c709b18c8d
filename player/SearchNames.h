// The search window's rules that need no window: the default name of a download and the times of
// a found file.
#pragma once

#include <afx.h>

#include "devices/framewell/Framewell.h"

struct QueryResultRecord;

// "<server>_<channel + 1>_<hhmmss>" with ".jpg" (kind 1), ".mp4" (2) or ".asf" (3); "" for another
// kind or a start time without a local time.
CString MakeSearchLocalName(const QueryResultRecord& record, int kind);

// A library time as a calendar time in local time; 0 when it has none.
INT32 SearchCalendarTime(const FramewellTime* time);

// The save dialog of a download: the name kind, the filter string and the default extension.
struct SearchDownloadChoice {
    int nameKind;
    UINT filter;
    const char* extension;
};
SearchDownloadChoice SearchDownloadChoiceFor(int fileType, BOOL convert);
