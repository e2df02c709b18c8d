// A scratch file of fixed-size records in the working directory, written once and then read a
// page at a time, so that a dialog listing thousands of records holds one record in memory.
// The base of the query-result and the log page stores.
#pragma once

#include <windows.h>

#include <stdio.h>

#include <algorithm>
#include <new>
#include <vector>

class CPagedFileStore {
public:
    CPagedFileStore() = default;
    virtual ~CPagedFileStore();
    CPagedFileStore(const CPagedFileStore&) = delete;
    CPagedFileStore& operator=(const CPagedFileStore&) = delete;

    // Closes both handles and deletes the scratch file this store created; the path text stays.
    void Close();

    int GetCount() const { return m_count; }
    void SetCount(int n) { m_count = n > 0 ? n : 0; }
    // A page size below 1 counts as 1.
    void SetPageSize(int n) { m_pageSize = n > 0 ? n : 1; }
    int GetPageSize() const { return m_pageSize; }
    UINT GetPageCount() const;
    int GetCurrentPage() const { return m_currentPage; }
    const char* GetPath() const { return m_path; }

protected:
    // Takes the first "format % n" (n from 0) that does not exist yet, created exclusively, so two
    // stores never share a file. Returns the open file, or null when none of the names can be made.
    FILE* CreateScratchFile(const char* format);
    BOOL OpenReader();
    BOOL SeekPageOf(UINT page, size_t recordSize);
    BOOL ReadNextOf(void* out, size_t recordSize);
    // Record currentPage x pageSize + index, through a handle of its own (the reader stays put).
    BOOL ReadIndexedOf(int index, void* out, size_t recordSize) const;

    // Reorders the scratch file by less(a, b) (the order of the key, reversed when descending).
    // The sort is stable, so records with equal keys keep their order.
    template <class Record, class Less> BOOL SortRecords(Less less, BOOL ascending);

    int m_count = 0;
    int m_pageSize = 10;
    int m_currentPage = 0;
    FILE* m_writer = nullptr;
    FILE* m_reader = nullptr;
    char m_path[MAX_PATH] = {};

private:
    BOOL RewriteRecords(const void* records, size_t count, size_t recordSize);

    bool m_ownsFile = false; // this store created m_path and has not deleted it yet
};

template <class Record, class Less> BOOL CPagedFileStore::SortRecords(Less less, BOOL ascending)
{
    if (m_reader == nullptr)
        return FALSE;
    try {
        std::vector<Record> records;
        rewind(m_reader);
        Record record;
        while (fread(&record, sizeof(record), 1, m_reader) == 1)
            records.push_back(record);
        if (ascending)
            std::stable_sort(records.begin(), records.end(), less);
        else
            std::stable_sort(records.begin(), records.end(),
                             [&less](const Record& a, const Record& b) { return less(b, a); });
        return RewriteRecords(records.data(), records.size(), sizeof(Record));
    } catch (const std::bad_alloc&) {
        return FALSE; // too many records to hold at once; the file is unchanged
    }
}
