// The station's journal: one file of fixed-size records per calendar day in the log folder,
// written by every part of the station through the one CSystemLog, listed and pruned by the
// system log viewer and the disk-space watcher.
#pragma once

#include <afxmt.h>
#include <afxcoll.h>

#pragma pack(push, 1)
struct SysLogRecord {
    BYTE type;        // log type; the viewer's category is type + 1
    BYTE subType;     // camera channel counted from 0, else 0
    char time[20];    // "%04d-%02d-%02d %02d-%02d-%02d"
    char user[32];    // the station's user when the record was written
    char text[48];    // the event
    char detail[100]; // what the event concerns (camera display path, service), or empty
};
#pragma pack(pop)
static_assert(sizeof(SysLogRecord) == 202, "SysLogRecord is 202 bytes in the daily log files");

// Log types (the record's type byte).
enum SysLogType {
    SYSLOG_CONNECT = 0,  // "连接日志"
    SYSLOG_ALARM = 1,    // "报警日志", also the storage events
    SYSLOG_LOGIN = 2,    // "登陆日志"
    SYSLOG_REMOTE = 3,   // "外部连接日志"
    SYSLOG_ABNORMAL = 4, // "异常退出日志", stamped with the time the writer gives
};

class CSystemLog {
public:
    CSystemLog();
    ~CSystemLog();
    CSystemLog(const CSystemLog&) = delete;
    CSystemLog& operator=(const CSystemLog&) = delete;

    // The folder becomes dir's "Vusk" subfolder; null leaves it as it is.
    void SetBaseDir(const char* dir);
    CString GetBaseDir();

    // The name stamped on every record from now on; the log-in, re-log-in and log-out set it.
    // Kept here and read under the log's lock, since records are written from library threads.
    void SetCurrentUser(const char* name);

    // Appends one record to today's file. time is used only for SYSLOG_ABNORMAL.
    void Write(int type, const char* detail, int subType, const char* text, const char* time);

    void PurgeOld(int keep);
    BOOL DeleteOldest(CStringArray& names);
    void DeleteFileByDate(const char* date);
    void DeleteAll();
    void DeleteRecords(const CString& path, int category);
    // Appends one new CLogFile per readable daily file; the caller deletes them.
    void ListFiles(CPtrArray& files);

    // Held by the viewer around each copy of a daily file, so that no append lands mid-copy.
    CMutex& GetMutex() { return m_mutex; }

private:
    // The names of the folder's "*.log" entries.
    void ListLogNames(CStringArray& names);

    CMutex m_mutex;
    CString m_folder;     // ends in a backslash
    char m_user[32] = {}; // guarded by m_mutex
};
