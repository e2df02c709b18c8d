// The recorded-file query's rules that need no window: file kinds by source, names of downloads and
// of fetched files, the player's command line, the time range and the result menu's states.
#pragma once

#include <afx.h>

#include "devices/framewell/Framewell.h"

struct QueryResultRecord;

// Kinds of the result store: 1 files played by their extension (every local result, and a remote
// MP4 or video), 2 remote JPEG, 3 remote BMP, 4 remote ASF. The searches take the same numbers, 1
// then being MP4.
enum QueryFileKind {
    queryKindByExtension = 1,
    queryKindMp4 = queryKindByExtension,
    queryKindJpeg = 2,
    queryKindBmp = 3,
    queryKindAsf = 4
};

// The local source's combo: MP4, ASF, JPEG, BMP.
int LocalFileKind(int comboIndex);
// A remote source's kind from the combo's text: "JPEG..." 2, "BMP..." 3, "ASF..." 4, else 1.
int RemoteFileKind(const char* comboText);

// The text after the path's last dot (a dot in a folder name is not an extension), or "".
CString FileExtension(const char* path);

// "<server>_<channel + 1>_<yyyymmdd>_<hhmmss>" with ".jpg" (kind 1), ".mp4" (2), ".asf" (3) or
// ".bmp" (4); "" for another kind or a start time that has no local time.
CString MakeLocalName(const QueryResultRecord& record, int nameKind);

// Clipview's command line for a file: the bare local path, or for a remote file the path followed by
// " *far <address> <port> <user> <password>".
CString PlayerCommandLine(const char* path, int remote, const char* address, int port, const char* user,
                          const char* password);

// A remote ASF fetched for playback is kept under a name that tells its server and day apart:
// "<address>_<port>_<day folder>_<file>", characters a file name cannot hold replaced by '_'.
// The file name alone would be the same for a camera's recordings at one time on every day.
CString FetchedFileName(const char* remotePath, const char* address, int port);

// 1 when from lies strictly before to (year, month, day, hour, minute, second).
BOOL TimeRangeValid(const SYSTEMTIME& from, const SYSTEMTIME& to);

// The save dialog of a download by the store's kind.
struct DownloadChoice {
    int nameKind;          // for MakeLocalName
    UINT filter;           // string id of the filter
    const char* extension; // the default extension, following the kind
};
DownloadChoice DownloadChoiceForKind(int storeKind);

// Menu 192's greyed items for the results of a query.
struct ResultMenuState {
    BOOL downloadGreyed;
    BOOL downloadAsfGreyed;
    BOOL playGreyed;
};
ResultMenuState ResultMenuStateFor(int remote, int storeKind);

// "PlayUsrParam.ini": the storage server last asked.
struct PlayUserParams {
    char address[FRAMEWELL_ADDRESS_CHARS + 1];
    char user[FRAMEWELL_ACCOUNT_CHARS + 1];
    char password[FRAMEWELL_ACCOUNT_CHARS + 1];
    int port;
};
// Missing keys give the defaults; values are cut to their fields on a character boundary.
void ReadPlayUserParams(LPCSTR startDirectory, PlayUserParams& params);
// The four keys saved whole with the file's other lines; FALSE when the file was not replaced.
BOOL WritePlayUserParams(LPCSTR startDirectory, const PlayUserParams& params);
