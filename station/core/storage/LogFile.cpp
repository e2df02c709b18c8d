// A daily log file: its records copied out or removed by type, whole records only.
#include "station/core/storage/LogFile.h"

#include "station/core/storage/StorageFiles.h"
#include "station/core/storage/SystemLog.h"

#include <stdio.h>

#include <vector>

namespace {

const char kLogExtension[] = ".log";

// Records whose type byte, read as a signed number, equals (or, with equal = false, differs from)
// type are copied from in to out. The count copied, or -1 when a write fails.
int CopyByType(FILE* in, FILE* out, int type, bool equal)
{
    int copied = 0;
    SysLogRecord record;
    while (ReadWholeRecord(in, &record, sizeof(record))) {
        if (((signed char)record.type == type) != equal)
            continue;
        if (fwrite(&record, sizeof(record), 1, out) != 1)
            return -1;
        ++copied;
    }
    return copied;
}

// Every whole record of in to out, in blocks; the count copied, or -1 when a write fails.
int CopyAll(FILE* in, FILE* out)
{
    enum { kBlock = 1024 };
    std::vector<SysLogRecord> block(kBlock);
    int copied = 0;
    for (;;) {
        size_t got = fread(block.data(), sizeof(SysLogRecord), kBlock, in);
        if (got > 0 && fwrite(block.data(), sizeof(SysLogRecord), got, out) != got)
            return -1;
        copied += (int)got;
        if (got < kBlock)
            return copied;
    }
}

} // namespace

int CLogFile::Open(const char* path)
{
    m_path = path;
    FILE* file = fopen(path, "rb");
    if (file == nullptr)
        return 0;
    // The date stands in front of the name's extension; a folder that happens to contain
    // ".log" earlier in the path does not count.
    int at = -1;
    for (int next = m_path.Find(kLogExtension); next >= 0; next = m_path.Find(kLogExtension, next + 1))
        at = next;
    if (at > 10)
        m_date = m_path.Mid(at - 10, 10);
    SysLogRecord record;
    BOOL whole = ReadWholeRecord(file, &record, sizeof(record));
    fclose(file);
    return whole ? 1 : 0;
}

void CLogFile::DeleteRecords(int type)
{
    CString bak = m_path + ".bak";
    FILE* in = fopen(m_path, "rb");
    FILE* out = in != nullptr ? fopen(bak, "wb") : nullptr;
    if (out == nullptr) {
        if (in != nullptr)
            fclose(in);
        return;
    }
    int kept = CopyByType(in, out, type, false);
    fclose(in);
    if (fclose(out) != 0)
        kept = -1;
    // A .bak that could not be written whole (a full disk) must not replace the log.
    if (kept == 0)
        DeleteFileA(m_path);
    else if (kept > 0)
        CopyFileA(bak, m_path, FALSE);
    DeleteFileA(bak);
}

int CLogFile::CopyRecords(const char* destination, int category)
{
    if (category <= 0) {
        if (!CopyFileA(m_path, destination, FALSE))
            return 0;
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(destination, GetFileExInfoStandard, &data))
            return 0;
        ULONGLONG size = ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
        return (int)(size / sizeof(SysLogRecord));
    }
    FILE* in = fopen(m_path, "rb");
    FILE* out = in != nullptr ? fopen(destination, "wb") : nullptr;
    if (out == nullptr) {
        if (in != nullptr)
            fclose(in);
        return 0;
    }
    int copied = CopyByType(in, out, category - 1, true);
    fclose(in);
    if (fclose(out) != 0)
        copied = -1;
    return copied < 0 ? 0 : copied;
}

int CLogFile::AppendRecords(const char* destination, int category)
{
    FILE* in = fopen(m_path, "rb");
    FILE* out = in != nullptr ? fopen(destination, "ab") : nullptr;
    if (out == nullptr) {
        if (in != nullptr)
            fclose(in);
        return 0;
    }
    int copied = category <= 0 ? CopyAll(in, out) : CopyByType(in, out, category - 1, true);
    fclose(in);
    if (fclose(out) != 0)
        copied = -1;
    return copied;
}
