// The log page store: an empty scratch file for the viewer's copy, then paging and sorting.
#include "station/core/storage/LogPageStore.h"

#include <string.h>

int CLogPageStore::Create()
{
    Close();
    FILE* file = CreateScratchFile("logindex%d");
    if (file == nullptr)
        return 0;
    fclose(file);
    return 1;
}

int CLogPageStore::OpenForRead()
{
    if (m_writer != nullptr) {
        fclose(m_writer);
        m_writer = nullptr;
    }
    return OpenReader();
}

int CLogPageStore::Sort(int column, int ascending)
{
    typedef const SysLogRecord& R;
    // strncmp compares as unsigned characters: the time text so sorts chronologically.
    switch (column) {
    case 0:
        return SortRecords<SysLogRecord>([](R a, R b) { return strncmp(a.time, b.time, sizeof(a.time)) < 0; },
                                         ascending);
    case 1:
        return SortRecords<SysLogRecord>([](R a, R b) { return strncmp(a.detail, b.detail, sizeof(a.detail)) < 0; },
                                         ascending);
    case 2:
        return SortRecords<SysLogRecord>([](R a, R b) { return (signed char)a.subType < (signed char)b.subType; },
                                         ascending);
    case 3:
        return SortRecords<SysLogRecord>([](R a, R b) { return strncmp(a.user, b.user, sizeof(a.user)) < 0; },
                                         ascending);
    default:
        return SortRecords<SysLogRecord>([](R a, R b) { return strncmp(a.text, b.text, sizeof(a.text)) < 0; },
                                         ascending);
    }
}
