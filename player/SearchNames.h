// The search window's rules that need no window: the default name of a download and its save dialog.
#pragma once

#include <afx.h>

struct QueryResultRecord;

// "<server>_<channel + 1>_<hhmmss>" with ".jpg" (kind 1), ".mp4" (2) or ".asf" (3); "" for another
// kind or a start time without a local time.
CString MakeSearchLocalName(const QueryResultRecord& record, int kind);

// The save dialog of a download: the name kind, the filter string and the default extension.
struct SearchDownloadChoice {
    int nameKind;
    UINT filter;
    const char* extension;
};
SearchDownloadChoice SearchDownloadChoiceFor(int fileType, BOOL convert);
