// File and path helpers shared by the recording storage, the system log and the paged stores:
// bounded path building, directory chains, day-directory names and whole-record appends.
#pragma once

#include <afx.h>

// Formats into a fixed buffer; FALSE (and an empty buffer) when the text would not fit, so that a
// path that is too long is never cut into a different, wrong path.
BOOL FormatPath(char* dest, size_t destSize, const char* format, ...) AFX_PRINTF_FORMAT(3, 4);

// folder + name with exactly one backslash between them, bounded as FormatPath.
BOOL JoinPath(char* dest, size_t destSize, const char* folder, const char* name);

// Creates a directory and any missing parents; errors are ignored (the caller's next open tells).
void CreateDirectoryPath(const char* path);

// A day directory's name: exactly eight decimal digits ("20261207").
BOOL IsDayDirectoryName(const char* name);

// Calls visit(name) for every day directory directly under base, in the order the file system
// lists them; a base that cannot be listed has none.
template <class Visit> void ForEachDayDirectory(const char* base, Visit visit);

// "%04d%02d%02d" of a date into a 9-byte buffer; FALSE for values that do not make eight digits.
BOOL FormatDayName(char (&dest)[9], int year, int month, int day);

// Appends one whole record to a file opened for binary append; FALSE when the file does not open or
// the write comes back short. A file that ends in part of a record is padded first (PadToWholeRecord).
BOOL AppendRecord(const char* path, const void* record, size_t size);

// A file whose length is not a whole number of records (a write cut off by a crash or a full disk)
// gets zero bytes up to the next whole record, so that what is appended next stands in step; nothing
// already written is removed. For a file opened for binary append; FALSE when the padding failed.
BOOL PadToWholeRecord(FILE* file, size_t recordSize);

// Reads exactly size bytes; FALSE on a short read (the end of the file or a cut-off record).
inline BOOL ReadWholeRecord(FILE* file, void* record, size_t size)
{
    return fread(record, 1, size, file) == size;
}

template <class Visit> void ForEachDayDirectory(const char* base, Visit visit)
{
    char pattern[MAX_PATH];
    if (!JoinPath(pattern, sizeof(pattern), base, "*.*"))
        return;
    CFileFind finder;
    BOOL more = finder.FindFile(pattern);
    while (more) {
        more = finder.FindNextFile();
        CString name = finder.GetFileName();
        if (finder.IsDirectory() && IsDayDirectoryName(name))
            visit(name);
    }
}
