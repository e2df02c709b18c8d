// One daily file of the system log as the viewer lists it: its path, its date, and the copies and
// deletions of its records by category.
#pragma once

#include <afx.h>

class CLogFile {
public:
    CLogFile() = default;
    virtual ~CLogFile() = default;

    // 1 when the file holds at least one whole record.
    int Open(const char* path);
    // Removes the records of one type (the viewer's category - 1).
    void DeleteRecords(int type);
    // Writes the records of one category (0 or below: the whole file) to destination; the count.
    int CopyRecords(const char* destination, int category);
    // The same, added to the end of destination (created when missing), so that several days can
    // be gathered in one store; whole records only. The count added, -1 when a write failed (the
    // destination's end is then undefined) and 0 when either file cannot be opened.
    int AppendRecords(const char* destination, int category);

    CString m_path;
    CString m_date; // the ten characters in front of ".log", such as 2026_12_07
};
