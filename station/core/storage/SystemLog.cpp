// The system log: appends, purges, listings and deletions of the daily files, each under the
// log's mutex so that records of different threads never interleave.
#include "station/core/storage/SystemLog.h"

#include "station/core/storage/LogFile.h"
#include "framework/Seams.h"
#include "station/core/storage/StorageFiles.h"

#include <stdio.h>
#include <string.h>

namespace {

const char kDefaultFolder[] = "C:\\Vusk\\";
const char kNoOlderName[] = "9999_99_99";

// "YYYY_MM_DD.log" with digits where digits belong: the only names the purge counts and deletes.
bool IsDailyLogName(const CString& name)
{
    static const char kForm[] = "####_##_##.log";
    if (name.GetLength() != (int)sizeof(kForm) - 1)
        return false;
    for (int i = 0; kForm[i] != '\0'; ++i) {
        char c = name[i];
        bool ok = kForm[i] == '#' ? (c >= '0' && c <= '9')
                                  : (c == kForm[i] || (c >= 'A' && c <= 'Z' && c - 'A' + 'a' == kForm[i]));
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

CSystemLog::CSystemLog() : m_folder(kDefaultFolder) {}

CSystemLog::~CSystemLog() = default;

void CSystemLog::SetBaseDir(const char* dir)
{
    if (dir == nullptr)
        return;
    char folder[MAX_PATH];
    if (!JoinPath(folder, sizeof(folder), dir, "Vusk\\"))
        return;
    CSingleLock lock(&m_mutex, TRUE);
    m_folder = folder;
}

CString CSystemLog::GetBaseDir()
{
    CSingleLock lock(&m_mutex, TRUE);
    return m_folder;
}

void CSystemLog::SetCurrentUser(const char* name)
{
    CSingleLock lock(&m_mutex, TRUE);
    CopyText(m_user, name != nullptr ? name : "");
}

void CSystemLog::Write(int type, const char* detail, int subType, const char* text, const char* time)
{
    // One reading of the clock for both the file's day and the record's stamp, so a record always
    // lands in the file of the day its own time shows.
    SYSTEMTIME now;
    Seams::LocalTime(&now);
    char stamp[20];
    FormatPath(stamp, sizeof(stamp), "%04d-%02d-%02d %02d-%02d-%02d", now.wYear, now.wMonth, now.wDay, now.wHour,
               now.wMinute, now.wSecond);
    char name[32];
    FormatPath(name, sizeof(name), "%02d_%02d_%02d.log", now.wYear, now.wMonth, now.wDay);

    CSingleLock lock(&m_mutex, TRUE);
    char path[MAX_PATH];
    if (!JoinPath(path, sizeof(path), m_folder, name))
        return;
    FILE* file = fopen(path, "ab");
    if (file == nullptr) {
        // A missing folder, possibly several levels of it, is made rather than losing the record.
        CreateDirectoryPath(CString(m_folder).TrimRight('\\'));
        file = fopen(path, "ab");
        if (file == nullptr)
            return;
    }

    SysLogRecord record;
    memset(&record, 0, sizeof(record));
    record.type = (BYTE)type;
    record.subType = (BYTE)subType;
    CopyText(record.time, type == SYSLOG_ABNORMAL ? (time != nullptr ? time : "") : stamp);
    CopyText(record.user, m_user);
    CopyText(record.text, text != nullptr ? text : "");
    CopyText(record.detail, detail != nullptr ? detail : "");
    // After a cut-off write the day's file first gets its last record completed with zeros, so this
    // record and every later one stay in step for the readers.
    if (PadToWholeRecord(file, sizeof(record)))
        fwrite(&record, sizeof(record), 1, file);
    fclose(file);
}

void CSystemLog::ListLogNames(CStringArray& names)
{
    char pattern[MAX_PATH];
    if (!JoinPath(pattern, sizeof(pattern), GetBaseDir(), "*.log"))
        return;
    CFileFind finder;
    BOOL more = finder.FindFile(pattern);
    while (more) {
        more = finder.FindNextFile();
        if (!finder.IsDots())
            names.Add(finder.GetFileName());
    }
}

void CSystemLog::PurgeOld(int keep)
{
    if (keep < 1)
        return;
    // Listed and collected without the lock; only the deletions hold it.
    // Only daily files count and go: another file in the folder ("2026_12_07_copy.log") would
    // otherwise stand for a day, and purging it would delete that day's real file.
    CStringArray listed;
    ListLogNames(listed);
    CStringArray names;
    for (INT_PTR i = 0; i < listed.GetSize(); ++i) {
        if (IsDailyLogName(listed[i]))
            names.Add(listed[i].Left(10)); // the date part
    }
    if (names.GetSize() <= keep)
        return;
    CSingleLock lock(&m_mutex, TRUE);
    while (names.GetSize() > keep && DeleteOldest(names)) {
    }
}

BOOL CSystemLog::DeleteOldest(CStringArray& names)
{
    INT_PTR oldest = -1;
    CString candidate = kNoOlderName;
    for (INT_PTR i = 0; i < names.GetSize(); ++i) {
        if (names[i].Compare(candidate) < 0) {
            candidate = names[i];
            oldest = i;
        }
    }
    if (oldest < 0)
        return FALSE;
    DeleteFileByDate(candidate);
    names.RemoveAt(oldest); // also when no file of that name was found, so the purge always ends
    return TRUE;
}

void CSystemLog::DeleteFileByDate(const char* date)
{
    char name[MAX_PATH];
    char path[MAX_PATH];
    if (FormatPath(name, sizeof(name), "%s.log", date) && JoinPath(path, sizeof(path), GetBaseDir(), name))
        DeleteFileA(path);
}

void CSystemLog::DeleteAll()
{
    CSingleLock lock(&m_mutex, TRUE);
    CStringArray names;
    ListLogNames(names);
    for (INT_PTR i = 0; i < names.GetSize(); ++i) {
        char path[MAX_PATH];
        if (JoinPath(path, sizeof(path), m_folder, names[i]))
            DeleteFileA(path);
    }
}

void CSystemLog::DeleteRecords(const CString& path, int category)
{
    CSingleLock lock(&m_mutex, TRUE);
    if (category > 0) {
        CLogFile file;
        file.Open(path);
        file.DeleteRecords(category - 1);
    } else {
        DeleteFileA(path);
    }
}

void CSystemLog::ListFiles(CPtrArray& files)
{
    CSingleLock lock(&m_mutex, TRUE);
    CStringArray names;
    ListLogNames(names);
    for (INT_PTR i = 0; i < names.GetSize(); ++i) {
        // At most the length of a daily file's name.
        char path[MAX_PATH];
        if (!JoinPath(path, sizeof(path), m_folder, names[i].Left(14)))
            continue;
        CLogFile* file = new CLogFile;
        if (file->Open(path) == 1)
            files.Add(file);
        else
            delete file;
    }
}
