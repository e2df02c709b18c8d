// CTime and CTimeSpan: local fields, carrying of out-of-range fields, the zone offset, formats.
#include <afx.h>
#include <gtest/gtest.h>

#include "framework/Seams.h"

namespace {

// Seconds to add to local time to get UTC, from the system's zone (the test run pins it).
LONGLONG ZoneBiasSeconds()
{
    TIME_ZONE_INFORMATION tzi;
    GetTimeZoneInformation(&tzi);
    return (LONGLONG)tzi.Bias * 60;
}

TEST(TimeTest, LocalFieldsAndZoneOffset)
{
    CTime t(2026, 12, 7, 23, 59, 30);
    EXPECT_EQ(t.GetYear(), 2026);
    EXPECT_EQ(t.GetMonth(), 12);
    EXPECT_EQ(t.GetDay(), 7);
    EXPECT_EQ(t.GetHour(), 23);
    EXPECT_EQ(t.GetMinute(), 59);
    EXPECT_EQ(t.GetSecond(), 30);
    EXPECT_EQ(t.GetDayOfWeek(), 2); // Monday; 1 is Sunday
    // 2026-12-07 23:59:30 as UTC is 1796687970 seconds after 1970.
    EXPECT_EQ(t.GetTime(), 1796687970 + ZoneBiasSeconds());

    struct tm local;
    t.GetLocalTm(&local);
    EXPECT_EQ(local.tm_year, 126);
    EXPECT_EQ(local.tm_mon, 11);
    EXPECT_EQ(local.tm_mday, 7);
    EXPECT_EQ(local.tm_wday, 1);
    EXPECT_EQ(local.tm_yday, 340);
    SYSTEMTIME st;
    ASSERT_TRUE(t.GetAsSystemTime(st));
    EXPECT_EQ(CTime(st), t);
}

TEST(TimeTest, OutOfRangeFieldsCarryOver)
{
    struct Case {
        int y, mo, d, h, mi, s;
        int ey, emo, ed, eh, emi, es;
    } cases[] = {
        {2026, 12, 31, 23, 59, 60, 2027, 1, 1, 0, 0, 0}, {2026, 3, 0, 12, 0, 0, 2026, 2, 28, 12, 0, 0},
        {2024, 2, 29, 24, 0, 0, 2024, 3, 1, 0, 0, 0},    {2026, 13, 1, 0, 0, 0, 2027, 1, 1, 0, 0, 0},
        {2026, 1, 1, 0, -1, 0, 2025, 12, 31, 23, 59, 0},
    };
    for (const Case& c : cases) {
        CTime t(c.y, c.mo, c.d, c.h, c.mi, c.s);
        EXPECT_EQ(t, CTime(c.ey, c.emo, c.ed, c.eh, c.emi, c.es)) << c.y << "-" << c.mo << "-" << c.d;
        EXPECT_EQ(t.GetDay(), c.ed);
    }
}

TEST(TimeTest, FileTimesAreUtc)
{
    SYSTEMTIME utc = {1970, 1, 5, 2, 0, 0, 0, 0};
    FILETIME ft;
    SystemTimeToFileTime(&utc, &ft);
    EXPECT_EQ(CTime(ft).GetTime(), 86400);
    EXPECT_EQ(CTime(ft).FormatGmt("%Y-%m-%d %H:%M"), "1970-01-02 00:00");
}

TEST(TimeTest, Formats)
{
    CTime t(2026, 12, 7, 9, 5, 3);
    EXPECT_EQ(t.Format("%Y-%m-%d %H-%M-%S"), "2026-12-07 09-05-03");
    EXPECT_EQ(t.Format("%A"), "Monday");
    EXPECT_EQ(t.Format(""), "");

    CTimeSpan span(1, 2, 3, 4);
    EXPECT_EQ(span.GetTotalSeconds(), 93784);
    EXPECT_EQ(span.GetHours(), 2);
    EXPECT_EQ(span.Format("%D days %H:%M:%S %%"), "1 days 02:03:04 %");
    EXPECT_EQ((t + span) - t, span);
    EXPECT_EQ((t + CTimeSpan(0, 0, 0, 57)).Format("%H:%M:%S"), "09:06:00");
    EXPECT_TRUE(t < t + CTimeSpan(1));
}

SYSTEMTIME fakeNow;
void FakeLocalTime(SYSTEMTIME* now)
{
    *now = fakeNow;
}

TEST(TimeTest, CurrentTimeComesFromTheClockSeam)
{
    fakeNow = {2026, 12, 1, 7, 23, 59, 59, 0};
    Seams::ReplaceLocalTime(&FakeLocalTime);
    CTime now = CTime::GetCurrentTime();
    Seams::ReplaceLocalTime(nullptr);
    EXPECT_EQ(now, CTime(2026, 12, 7, 23, 59, 59));
    EXPECT_GT(CTime::GetCurrentTime().GetYear(), 2000);
}

} // namespace
