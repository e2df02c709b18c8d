// CTime and CTimeSpan: a moment as seconds since 1970-01-01 00:00 UTC, shown in local time.
// Local time is converted with the system's time-zone rules, not the C runtime's TZ variable.
#pragma once

#include "framework/AfxDefs.h"
#include "afxstr.h"

#include <time.h>

class CTimeSpan {
public:
    CTimeSpan() = default;
    CTimeSpan(__time64_t span) : m_timeSpan(span) {}
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

    LONGLONG GetDays() const { return m_timeSpan / 86400; }
    LONGLONG GetTotalHours() const { return m_timeSpan / 3600; }
    LONG GetHours() const { return (LONG)(GetTotalHours() - GetDays() * 24); }
    LONGLONG GetTotalMinutes() const { return m_timeSpan / 60; }
    LONG GetMinutes() const { return (LONG)(GetTotalMinutes() - GetTotalHours() * 60); }
    LONGLONG GetTotalSeconds() const { return m_timeSpan; }
    LONG GetSeconds() const { return (LONG)(GetTotalSeconds() - GetTotalMinutes() * 60); }
    __time64_t GetTimeSpan() const { return m_timeSpan; }

    // %D days, %H hours (0-23), %M minutes, %S seconds, %% a percent sign.
    CString Format(LPCSTR pFormat) const;

    CTimeSpan operator+(CTimeSpan s) const { return CTimeSpan(m_timeSpan + s.m_timeSpan); }
    CTimeSpan operator-(CTimeSpan s) const { return CTimeSpan(m_timeSpan - s.m_timeSpan); }
    CTimeSpan& operator+=(CTimeSpan s)
    {
        m_timeSpan += s.m_timeSpan;
        return *this;
    }
    CTimeSpan& operator-=(CTimeSpan s)
    {
        m_timeSpan -= s.m_timeSpan;
        return *this;
    }
    bool operator==(CTimeSpan s) const { return m_timeSpan == s.m_timeSpan; }
    bool operator!=(CTimeSpan s) const { return m_timeSpan != s.m_timeSpan; }
    bool operator<(CTimeSpan s) const { return m_timeSpan < s.m_timeSpan; }
    bool operator>(CTimeSpan s) const { return m_timeSpan > s.m_timeSpan; }
    bool operator<=(CTimeSpan s) const { return m_timeSpan <= s.m_timeSpan; }
    bool operator>=(CTimeSpan s) const { return m_timeSpan >= s.m_timeSpan; }

private:
    __time64_t m_timeSpan = 0;
};

class CTime {
public:
    // The current time from the clock seam (Seams.h), so that tests can set it.
    static CTime PASCAL GetCurrentTime();

    CTime() = default;
    CTime(__time64_t time) : m_time(time) {}
    // A local date and time. Fields out of range carry over (second 60 is the next minute, day 0
    // the last day of the previous month). nDST: -1 as the time-zone rules say, 0 standard time,
    // above 0 daylight time.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    CTime(const SYSTEMTIME& st, int nDST = -1); // local time
    CTime(const FILETIME& ft);                  // UTC, as file times are

    __time64_t GetTime() const { return m_time; }

    // Broken down in local time (month 1-12, day of week 1 = Sunday to 7).
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;

    // As the C runtime fills it: year - 1900, month 0-11, day of week 0 = Sunday, day of year.
    // Null gives a buffer of the calling thread.
    struct tm* GetLocalTm(struct tm* ptm = nullptr) const;
    struct tm* GetGmtTm(struct tm* ptm = nullptr) const;
    BOOL GetAsSystemTime(SYSTEMTIME& st) const; // local time

    // strftime formats of the local (Format) or UTC (FormatGmt) time.
    CString Format(LPCSTR pFormat) const;
    CString Format(UINT nFormatID) const;
    CString FormatGmt(LPCSTR pFormat) const;

    CTimeSpan operator-(CTime t) const { return CTimeSpan(m_time - t.m_time); }
    CTime operator-(CTimeSpan s) const { return CTime(m_time - s.GetTimeSpan()); }
    CTime operator+(CTimeSpan s) const { return CTime(m_time + s.GetTimeSpan()); }
    CTime& operator+=(CTimeSpan s)
    {
        m_time += s.GetTimeSpan();
        return *this;
    }
    CTime& operator-=(CTimeSpan s)
    {
        m_time -= s.GetTimeSpan();
        return *this;
    }
    bool operator==(CTime t) const { return m_time == t.m_time; }
    bool operator!=(CTime t) const { return m_time != t.m_time; }
    bool operator<(CTime t) const { return m_time < t.m_time; }
    bool operator>(CTime t) const { return m_time > t.m_time; }
    bool operator<=(CTime t) const { return m_time <= t.m_time; }
    bool operator>=(CTime t) const { return m_time >= t.m_time; }

private:
    SYSTEMTIME Local() const;
    __time64_t m_time = 0;
};
