// "serverinfo.dat": the flat pick list of servers whose recordings the query dialog searches, one
// 148-byte record per server, no header, records back to back. Read when the server list opens and
// rewritten whole when it closes.
#pragma once

#include <afx.h>
#include <afxcoll.h>
#include <afxtempl.h>

#pragma pack(push, 1)
struct ServerInfoRecord {
    char name[40];     // NUL-terminated
    char address[40];  // NUL-terminated
    char user[32];     // NUL-terminated
    char password[32]; // NUL-terminated, in plain
    INT32 port;
};
#pragma pack(pop)
static_assert(sizeof(ServerInfoRecord) == 148, "ServerInfoRecord is 148 bytes in serverinfo.dat");

typedef CTypedPtrArray<CPtrArray, ServerInfoRecord*> CServerInfoArray;

// The start directory's "serverinfo.dat".
CString ServerInfoPath();
// Appends a heap copy of every whole record of the file (created when missing); a trailing
// partial record is dropped. FALSE when the file cannot be opened.
BOOL LoadServerInfo(LPCSTR path, CServerInfoArray& records);
// Replaces the file by the records in order, saved whole (SaveBytesFile); FALSE when it was not
// replaced, and the old file then stays as it was.
BOOL SaveServerInfo(LPCSTR path, const CServerInfoArray& records);
// Deletes every record and empties the array.
void FreeServerInfo(CServerInfoArray& records);
