// CTime and CTimeSpan. Calendar arithmetic is done here; only the local-time offset comes from the
// system, since the C runtime's localtime follows a TZ variable that Windows programs do not set.
#include "afx.h"
#include "framework/Seams.h"

#include <string.h>

namespace {

const LONGLONG kSecondsPerDay = 86400;
const ULONGLONG kFileTimeOf1970 = 116444736000000000ULL; // 100-ns units since 1601

LONGLONG FloorDiv(LONGLONG a, LONGLONG b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Days since 1970-01-01 of a proleptic Gregorian date (month 1-12).
LONGLONG DaysFromCivil(LONGLONG y, int m, int d)
{
    y -= m <= 2;
    LONGLONG era = FloorDiv(y, 400);
    LONGLONG yoe = y - era * 400;
    LONGLONG doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    LONGLONG doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

SYSTEMTIME SystemTimeFromSeconds(LONGLONG seconds)
{
    LONGLONG days = FloorDiv(seconds, kSecondsPerDay);
    LONGLONG rest = seconds - days * kSecondsPerDay;
    LONGLONG z = days + 719468;
    LONGLONG era = FloorDiv(z, 146097);
    LONGLONG doe = z - era * 146097;
    LONGLONG yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    LONGLONG doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    LONGLONG mp = (5 * doy + 2) / 153;
    int d = (int)(doy - (153 * mp + 2) / 5 + 1);
    int m = (int)(mp < 10 ? mp + 3 : mp - 9);
    SYSTEMTIME st = {};
    st.wYear = (WORD)(yoe + era * 400 + (m <= 2));
    st.wMonth = (WORD)m;
    st.wDay = (WORD)d;
    LONGLONG weekday = (days + 4) % 7; // 1970-01-01 was a Thursday
    st.wDayOfWeek = (WORD)(weekday < 0 ? weekday + 7 : weekday);
    st.wHour = (WORD)(rest / 3600);
    st.wMinute = (WORD)(rest / 60 % 60);
    st.wSecond = (WORD)(rest % 60);
    return st;
}

LONGLONG SecondsFromSystemTime(const SYSTEMTIME& st)
{
    return DaysFromCivil(st.wYear, st.wMonth, st.wDay) * kSecondsPerDay + st.wHour * 3600 + st.wMinute * 60 +
           st.wSecond;
}

int DayOfWeek(LONGLONG seconds)
{
    return SystemTimeFromSeconds(seconds).wDayOfWeek;
}

// Offset of local time from UTC in seconds at the UTC moment given.
LONGLONG LocalOffsetAt(LONGLONG utcSeconds)
{
    SYSTEMTIME utc = SystemTimeFromSeconds(utcSeconds);
    SYSTEMTIME local;
    if (utc.wYear >= 1601 && utc.wYear <= 30827 && SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return SecondsFromSystemTime(local) - utcSeconds;
    TIME_ZONE_INFORMATION tzi;
    GetTimeZoneInformation(&tzi);
    return -(LONGLONG)tzi.Bias * 60;
}

struct tm ToTm(LONGLONG seconds, bool isDst)
{
    SYSTEMTIME st = SystemTimeFromSeconds(seconds);
    struct tm t = {};
    t.tm_year = st.wYear - 1900;
    t.tm_mon = st.wMonth - 1;
    t.tm_mday = st.wDay;
    t.tm_hour = st.wHour;
    t.tm_min = st.wMinute;
    t.tm_sec = st.wSecond;
    t.tm_wday = DayOfWeek(seconds);
    t.tm_yday = (int)(FloorDiv(seconds, kSecondsPerDay) - DaysFromCivil(st.wYear, 1, 1));
    t.tm_isdst = isDst ? 1 : 0;
    return t;
}

bool IsDaylightOffset(LONGLONG offset)
{
    TIME_ZONE_INFORMATION tzi;
    if (GetTimeZoneInformation(&tzi) == TIME_ZONE_ID_UNKNOWN)
        return false;
    return offset != -(LONGLONG)(tzi.Bias + tzi.StandardBias) * 60;
}

CString FormatTm(const struct tm& t, LPCSTR pFormat)
{
    if (pFormat == nullptr || *pFormat == '\0')
        return CString();
    for (size_t size = 128; size <= 65536; size *= 4) {
        CString out;
        size_t n = strftime(out.GetBuffer((int)size), size, pFormat, &t);
        if (n > 0) {
            out.ReleaseBuffer((int)n);
            return out;
        }
    }
    return CString();
}

thread_local struct tm tlsTm;

} // namespace

CTimeSpan::CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
    : m_timeSpan(nSecs + 60 * (nMins + 60 * (nHours + (LONGLONG)24 * lDays)))
{
}

CString CTimeSpan::Format(LPCSTR pFormat) const
{
    CString out;
    for (LPCSTR p = pFormat ? pFormat : ""; *p != '\0'; ++p) {
        if (*p != '%' || p[1] == '\0') {
            out += *p;
            continue;
        }
        switch (*++p) {
        case 'D':
            out.AppendFormat("%lld", GetDays());
            break;
        case 'H':
            out.AppendFormat("%02ld", GetHours());
            break;
        case 'M':
            out.AppendFormat("%02ld", GetMinutes());
            break;
        case 'S':
            out.AppendFormat("%02ld", GetSeconds());
            break;
        case '%':
            out += '%';
            break;
        default:
            out += '%';
            out += *p;
            break;
        }
    }
    return out;
}

CTime PASCAL CTime::GetCurrentTime()
{
    SYSTEMTIME now;
    Seams::LocalTime(&now);
    return CTime(now);
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    LONGLONG months = (LONGLONG)nYear * 12 + (nMonth - 1);
    LONGLONG year = FloorDiv(months, 12);
    int month = (int)(months - year * 12) + 1;
    LONGLONG local = (DaysFromCivil(year, month, 1) + nDay - 1) * kSecondsPerDay + (LONGLONG)nHour * 3600 +
                     (LONGLONG)nMin * 60 + nSec;

    if (nDST < 0) {
        // The offset of the moment itself: try the offset in force at the local reading taken as
        // UTC, then correct once for a change of offset between the two.
        LONGLONG offset = LocalOffsetAt(local);
        LONGLONG again = LocalOffsetAt(local - offset);
        m_time = local - again;
    } else {
        TIME_ZONE_INFORMATION tzi;
        GetTimeZoneInformation(&tzi);
        LONG bias = tzi.Bias + (nDST > 0 ? tzi.DaylightBias : tzi.StandardBias);
        m_time = local + (LONGLONG)bias * 60;
    }
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
    : CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST)
{
}

CTime::CTime(const FILETIME& ft)
{
    ULONGLONG ticks = ((ULONGLONG)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
    m_time = FloorDiv((LONGLONG)(ticks - kFileTimeOf1970), 10000000);
}

SYSTEMTIME CTime::Local() const
{
    return SystemTimeFromSeconds(m_time + LocalOffsetAt(m_time));
}

int CTime::GetYear() const
{
    return Local().wYear;
}
int CTime::GetMonth() const
{
    return Local().wMonth;
}
int CTime::GetDay() const
{
    return Local().wDay;
}
int CTime::GetHour() const
{
    return Local().wHour;
}
int CTime::GetMinute() const
{
    return Local().wMinute;
}
int CTime::GetSecond() const
{
    return Local().wSecond;
}
int CTime::GetDayOfWeek() const
{
    return DayOfWeek(m_time + LocalOffsetAt(m_time)) + 1;
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    LONGLONG offset = LocalOffsetAt(m_time);
    struct tm* out = ptm ? ptm : &tlsTm;
    *out = ToTm(m_time + offset, IsDaylightOffset(offset));
    return out;
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    struct tm* out = ptm ? ptm : &tlsTm;
    *out = ToTm(m_time, false);
    return out;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    st = Local();
    return st.wYear >= 1601;
}

CString CTime::Format(LPCSTR pFormat) const
{
    struct tm t;
    return FormatTm(*GetLocalTm(&t), pFormat);
}

CString CTime::Format(UINT nFormatID) const
{
    CString format;
    format.LoadString(nFormatID);
    return Format(format);
}

CString CTime::FormatGmt(LPCSTR pFormat) const
{
    struct tm t;
    return FormatTm(*GetGmtTm(&t), pFormat);
}
