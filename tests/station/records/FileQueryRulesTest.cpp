// The recorded-file query's rules, without a window.
#include <gtest/gtest.h>

#include <time.h>

#include "resources/warden/resource.h"
#include "station/config/queries/FileQueryRules.h"
#include "shared/records/RemoteHit.h"
#include "shared/records/ResultPager.h"
#include "station/core/storage/QueryResultStore.h"
#include "tests/support/TestSupport.h"

namespace {

INT32 LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    struct tm local = {};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return (INT32)mktime(&local);
}

} // namespace

TEST(FileQueryRules, LocalNamesByKind)
{
    QueryResultRecord record = {};
    strcpy(record.name, "Lobby");
    record.channel = 0;
    record.start = LocalTime(2007, 7, 4, 12, 30, 5);
    struct Case {
        int kind;
        const char* name;
    } cases[] = {
        {1, "Lobby_1_20070704_123005.jpg"},
        {2, "Lobby_1_20070704_123005.mp4"},
        {3, "Lobby_1_20070704_123005.asf"},
        {4, "Lobby_1_20070704_123005.bmp"},
        {0, ""},
        {5, ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.name, (LPCSTR)MakeLocalName(record, c.kind)) << c.kind;
    record.start = -1;
    EXPECT_STREQ("", (LPCSTR)MakeLocalName(record, 2)) << "a time without a local time gives no name";
    memset(record.name, 'A', sizeof record.name); // a full field without its terminator
    record.start = LocalTime(2007, 7, 4, 12, 30, 5);
    EXPECT_EQ(std::string(39, 'A') + "_1_20070704_123005.mp4", std::string(MakeLocalName(record, 2)));
}

TEST(FileQueryRules, CommandLinesExtensionsKindsAndMenus)
{
    EXPECT_STREQ("D:\\rec\\a.mp4", (LPCSTR)PlayerCommandLine("D:\\rec\\a.mp4", 0, "1.2.3.4", 3000, "u", "p"));
    EXPECT_STREQ("D:\\rec\\a.mp4 *far 1.2.3.4 3000 u p",
                 (LPCSTR)PlayerCommandLine("D:\\rec\\a.mp4", 1, "1.2.3.4", 3000, "u", "p"));

    EXPECT_STREQ("mp4", (LPCSTR)FileExtension("D:\\rec.v1\\cam_1_123005.mp4"));
    EXPECT_STREQ("", (LPCSTR)FileExtension("D:\\rec.v1\\cam_1_123005")) << "a dot in a folder is no extension";
    EXPECT_STREQ("", (LPCSTR)FileExtension("name"));

    EXPECT_EQ(1, LocalFileKind(0));
    EXPECT_EQ(4, LocalFileKind(1));
    EXPECT_EQ(2, LocalFileKind(2));
    EXPECT_EQ(3, LocalFileKind(3));
    EXPECT_EQ(1, RemoteFileKind("视频文件"));
    EXPECT_EQ(1, RemoteFileKind("MP4文件"));
    EXPECT_EQ(2, RemoteFileKind("JPEG文件"));
    EXPECT_EQ(3, RemoteFileKind("BMP文件"));
    EXPECT_EQ(4, RemoteFileKind("ASF文件"));

    struct Menu {
        int remote, kind;
        BOOL download, downloadAsf, play;
    } menus[] = {
        {0, 1, 1, 1, 0}, {0, 2, 1, 1, 0}, {0, 3, 1, 1, 0}, {0, 4, 1, 1, 0},
        {1, 1, 0, 0, 0}, {1, 2, 0, 1, 1}, {1, 3, 0, 1, 1}, {1, 4, 0, 1, 0},
    };
    for (const Menu& m : menus) {
        ResultMenuState state = ResultMenuStateFor(m.remote, m.kind);
        EXPECT_EQ(m.download, state.downloadGreyed) << m.remote << " " << m.kind;
        EXPECT_EQ(m.downloadAsf, state.downloadAsfGreyed) << m.remote << " " << m.kind;
        EXPECT_EQ(m.play, state.playGreyed) << m.remote << " " << m.kind;
    }
    EXPECT_STREQ("mp4", DownloadChoiceForKind(1).extension);
    EXPECT_STREQ("asf", DownloadChoiceForKind(4).extension);
    EXPECT_STREQ("jpg", DownloadChoiceForKind(2).extension);
    EXPECT_EQ((UINT)IDS_FILTER_BMP, DownloadChoiceForKind(3).filter);
}

TEST(FileQueryRules, FetchedNamesTimeRangesAndTheUserFile)
{
    EXPECT_STREQ("10.0.0.5_3000_20070704_cam_1_123005.asf",
                 (LPCSTR)FetchedFileName("D:\\rec\\20070704\\cam_1_123005.asf", "10.0.0.5", 3000));
    EXPECT_STRNE((LPCSTR)FetchedFileName("D:\\rec\\20070704\\a.asf", "h", 1),
                 (LPCSTR)FetchedFileName("D:\\rec\\20070705\\a.asf", "h", 1))
        << "the same file name on two days";
    EXPECT_STREQ("h_1_d_a_b.asf", (LPCSTR)FetchedFileName("x\\d\\a:b.asf", "h", 1));

    SYSTEMTIME from = {2007, 7, 3, 4, 12, 0, 0, 0}, to = from;
    EXPECT_FALSE(TimeRangeValid(from, to)) << "equal times are refused";
    to.wSecond = 1;
    EXPECT_TRUE(TimeRangeValid(from, to));
    EXPECT_FALSE(TimeRangeValid(to, from));

    TempDir dir;
    PlayUserParams params;
    ReadPlayUserParams(dir.Path().c_str(), params);
    EXPECT_STREQ("192.168.1.1", params.address);
    EXPECT_STREQ("531947", params.user);
    EXPECT_STREQ("531947", params.password);
    EXPECT_EQ(3000, params.port);
    std::string ini = dir.File("PlayUsrParam.ini");
    WritePrivateProfileStringA("USERINFO", "USERNAME", "一二三四五六七八九十一二三四五六", ini.c_str());
    ReadPlayUserParams(dir.Path().c_str(), params);
    EXPECT_EQ(22u, strlen(params.user)) << "cut to the field on a character boundary";
    strcpy(params.address, "10.1.2.3");
    params.port = 3001;
    WritePlayUserParams(dir.Path().c_str(), params);
    char port[17];
    GetPrivateProfileStringA("USERINFO", "PORT", "", port, sizeof port, ini.c_str());
    EXPECT_STREQ("3001", port);
}

TEST(ResultPager, RowFormat)
{
    QueryResultRecord record = {};
    strcpy(record.name, "Lobby");
    record.channel = 2;
    record.size = 3 * 1048576 / 2;
    record.start = -1;
    record.end = 0;
    CString columns[6];
    FormatResultRow(record, 41, columns);
    EXPECT_STREQ("41", (LPCSTR)columns[0]);
    EXPECT_STREQ("Lobby", (LPCSTR)columns[1]);
    EXPECT_STREQ("3", (LPCSTR)columns[2]);
    EXPECT_STREQ("1.50", (LPCSTR)columns[3]);
    EXPECT_STREQ("0000-00-00 00:00:00", (LPCSTR)columns[4]) << "no local time: zeros";
}

TEST(RemoteHit, RecordOfAHit)
{
    const FramewellTime start = {2007, 7, 4, 12, 30, 5, {}};
    const FramewellTime end = {2007, 7, 4, 12, 45, 0, {}};
    QueryResultRecord record = MakeRemoteHitRecord("Lobby", 3, "D:\\rec\\a.mp4", &start, &end, 4096);
    EXPECT_STREQ("Lobby", record.name);
    EXPECT_EQ(3, record.channel);
    EXPECT_EQ(LocalTime(2007, 7, 4, 12, 30, 5), record.start);
    EXPECT_EQ(LocalTime(2007, 7, 4, 12, 45, 0), record.end);
    EXPECT_EQ(4096, record.size);
    EXPECT_STREQ("D:\\rec\\a.mp4", record.path);

    const std::string longName(100, 'n'), longPath(400, 'p');
    record = MakeRemoteHitRecord(longName.c_str(), 0, longPath.c_str(), nullptr, nullptr, 0xFFFFFFF0u);
    EXPECT_EQ(sizeof record.name - 1, strlen(record.name)) << "cut at its field";
    EXPECT_EQ(sizeof record.path - 1, strlen(record.path));
    EXPECT_EQ(0x7FFFFFFF, record.size) << "a size past the record's range is kept at its largest, not negative";
    EXPECT_EQ(0, record.start) << "no time: 0";
    EXPECT_EQ(0, record.end);

    record = MakeRemoteHitRecord(nullptr, 1, nullptr, &start, &end, 1);
    EXPECT_STREQ("", record.name);
    EXPECT_STREQ("", record.path);
}
