// The query-result store: appends while a search runs, then pages, reads by row and sorts.
#include "station/core/storage/QueryResultStore.h"

#include "station/core/storage/StorageFiles.h"

#include <string.h>

int CQueryResultStore::Create(int remote, int kind, const char* address, int port, const char* user,
                              const char* password)
{
    Close();
    m_remote = remote;
    m_kind = kind;
    if (remote != 0) {
        CopyText(m_address, address != nullptr ? address : "");
        m_port = (WORD)port;
        CopyText(m_user, user != nullptr ? user : "");
        CopyText(m_password, password != nullptr ? password : "");
    }
    m_writer = CreateScratchFile("fileindex%d");
    return m_writer != nullptr ? 1 : 0;
}

int CQueryResultStore::Append(const QueryResultRecord* record)
{
    if (m_writer == nullptr || record == nullptr || fwrite(record, sizeof(*record), 1, m_writer) != 1)
        return 0;
    ++m_count;
    return 1;
}

int CQueryResultStore::OpenForRead()
{
    if (m_writer == nullptr)
        return 0;
    fclose(m_writer);
    m_writer = nullptr;
    return OpenReader();
}

int CQueryResultStore::ReadPath(int index, char* out)
{
    QueryResultRecord record;
    if (out == nullptr || !ReadRecord(index, &record))
        return 0;
    record.path[sizeof(record.path) - 1] = '\0'; // a damaged record may lack its terminator
    CopyText(out, MAX_PATH, record.path);
    return 1;
}

int CQueryResultStore::Sort(int column, int ascending)
{
    typedef const QueryResultRecord& R;
    switch (column) {
    case 1:
        // strncmp compares as unsigned characters, as the list's byte order wants.
        return SortRecords<QueryResultRecord>([](R a, R b) { return strncmp(a.name, b.name, sizeof(a.name)) < 0; },
                                              ascending);
    case 2:
        return SortRecords<QueryResultRecord>([](R a, R b) { return a.channel < b.channel; }, ascending);
    case 3:
        return SortRecords<QueryResultRecord>([](R a, R b) { return a.size < b.size; }, ascending);
    case 4:
        return SortRecords<QueryResultRecord>([](R a, R b) { return a.start < b.start; }, ascending);
    default:
        return SortRecords<QueryResultRecord>([](R a, R b) { return a.end < b.end; }, ascending);
    }
}
