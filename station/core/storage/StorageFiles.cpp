// File and path helpers of the storage side.
#include "station/core/storage/StorageFiles.h"

#include <stdio.h>
#include <string.h>

BOOL FormatPath(char* dest, size_t destSize, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int n = vsnprintf(dest, destSize, format, args);
    va_end(args);
    if (n < 0 || (size_t)n >= destSize) {
        if (destSize > 0)
            dest[0] = '\0';
        return FALSE;
    }
    return TRUE;
}

BOOL JoinPath(char* dest, size_t destSize, const char* folder, const char* name)
{
    // A folder ending in a separator (a trail byte of a double-byte character is not one).
    bool endsInSeparator = *folder != '\0' && AfxFindLastSeparator(folder) == (int)strlen(folder) - 1;
    return FormatPath(dest, destSize, endsInSeparator ? "%s%s" : "%s\\%s", folder, name);
}

void CreateDirectoryPath(const char* path)
{
    if (CreateDirectoryA(path, nullptr) || GetLastError() != ERROR_PATH_NOT_FOUND)
        return;
    // Create each prefix that ends before the second, third... backslash; the drive before the
    // first one is never created. Stepping by characters keeps a trail byte 0x5C from counting.
    char prefix[MAX_PATH];
    int backslashes = 0;
    for (const char* p = path; *p != '\0'; p += GbkCharLength(p)) {
        if (*p != '\\')
            continue;
        if (++backslashes < 2)
            continue;
        size_t length = (size_t)(p - path);
        if (length >= sizeof(prefix))
            return;
        memcpy(prefix, path, length);
        prefix[length] = '\0';
        CreateDirectoryA(prefix, nullptr);
    }
    if (backslashes > 0)
        CreateDirectoryA(path, nullptr);
}

BOOL IsDayDirectoryName(const char* name)
{
    for (int i = 0; i < 8; ++i) {
        if (name[i] < '0' || name[i] > '9')
            return FALSE;
    }
    return name[8] == '\0';
}

BOOL FormatDayName(char (&dest)[9], int year, int month, int day)
{
    if (year < 0 || year > 9999 || month < 0 || month > 99 || day < 0 || day > 99) {
        dest[0] = '\0';
        return FALSE;
    }
    return FormatPath(dest, sizeof(dest), "%04d%02d%02d", year, month, day);
}

BOOL PadToWholeRecord(FILE* file, size_t recordSize)
{
    if (recordSize == 0 || fseek(file, 0, SEEK_END) != 0)
        return FALSE;
    long length = ftell(file);
    if (length < 0)
        return FALSE;
    size_t part = (size_t)length % recordSize;
    if (part == 0)
        return TRUE;
    static const char zeros[256] = {};
    for (size_t missing = recordSize - part; missing > 0;) {
        size_t n = missing < sizeof(zeros) ? missing : sizeof(zeros);
        if (fwrite(zeros, 1, n, file) != n)
            return FALSE;
        missing -= n;
    }
    return TRUE;
}

BOOL AppendRecord(const char* path, const void* record, size_t size)
{
    FILE* file = fopen(path, "ab");
    if (file == nullptr)
        return FALSE;
    bool written = PadToWholeRecord(file, size) && fwrite(record, 1, size, file) == size;
    if (fclose(file) != 0)
        written = false;
    return written;
}
