// The player's one setting, the network buffer time ("playparam.ini", section "PARAM", key
// "staytime"), and the ASF name a conversion proposes for an MP4 file.
#pragma once

#include <stddef.h>

enum { kStayTimeDefault = 10, kStayTimeMin = 1, kStayTimeMax = 20 };

// The buffer time in seconds from "<folder>\playparam.ini"; a missing file or key, a non-number or
// a value outside 1..20 counts as 10.
int ReadStayTime(const char* folder);
// Writes the value as "%d", the file saved whole; FALSE when it was not replaced (it then stays).
int WriteStayTime(const char* folder, int seconds);

// The MP4 path with its extension replaced by ".asf": the extension starts at the last dot of the
// file name (after the last backslash, not at the first character). FALSE, and out untouched, when
// the name has no such dot or the result does not fit.
int MakeAsfName(const char* mp4Path, char* out, size_t size);
