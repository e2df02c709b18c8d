// The recorded-file query's paged store: the files found by a local or remote search, one
// QueryResultRecord each in a "fileindex%d" scratch file, and the parameters of that search.
#pragma once

#include "station/core/storage/PagedFileStore.h"

#pragma pack(push, 1)
struct QueryResultRecord {
    char name[40];  // the recording's server name
    INT32 channel;  // counted from 0
    INT32 start;    // calendar time of the recording's start
    INT32 end;      // calendar time of its end
    INT32 size;     // file size as the filler gives it
    char path[260]; // full local path, or the name on the server
};
#pragma pack(pop)
static_assert(sizeof(QueryResultRecord) == 316, "QueryResultRecord is 316 bytes in the scratch file");

class CQueryResultStore : public CPagedFileStore {
public:
    CQueryResultStore() = default;
    ~CQueryResultStore() override { Close(); }

    // Starts a new result list (the previous scratch file is deleted) and keeps the search's
    // parameters; address, port, user and password only for a remote search.
    int Create(int remote, int kind, const char* address, int port, const char* user, const char* password);
    int Append(const QueryResultRecord* record);
    // From writing to reading; refused in any other state.
    int OpenForRead();
    int SeekPage(UINT page) { return SeekPageOf(page, sizeof(QueryResultRecord)); }
    int ReadNext(QueryResultRecord* out) { return ReadNextOf(out, sizeof(QueryResultRecord)); }
    int ReadRecord(int index, QueryResultRecord* out) { return ReadIndexedOf(index, out, sizeof(*out)); }
    // Copies the path of a record of the current page into out (at least MAX_PATH bytes).
    int ReadPath(int index, char* out);
    // Columns of the query dialog's list: 1 name, 2 channel, 3 size, 4 start, any other end.
    int Sort(int column, int ascending);

    int m_remote = 0;
    int m_kind = 0; // 1 MP4, 2 JPEG, 3 BMP, 4 ASF
    char m_address[40] = {};
    WORD m_port = 0;
    char m_user[40] = {};
    char m_password[40] = {};
};
