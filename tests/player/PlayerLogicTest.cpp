// The player's window-free rules in tables: the command line, the layout, zoom and full screen on
// a given screen, playlist moves and deletes, ASF names, the buffer setting and download names.
#include <gtest/gtest.h>

#include <time.h>

#include <cstring>
#include <set>
#include <string>

#include "player/DragListCtrl.h"
#include "player/PlayParam.h"
#include "player/PlayerCommandLine.h"
#include "player/PlayerLayout.h"
#include "player/Playlist.h"
#include "player/SearchNames.h"
#include "station/core/storage/QueryResultStore.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(PlayerCommandLine, LocalAndRemoteLinesFillTheTarget)
{
    struct Case {
        const char* line;
        int result, local;
        const char *path, *address, *user, *password;
        int port;
    } cases[] = {
        {"C:\\rec\\a.mp4", 0, 1, "C:\\rec\\a.mp4", "", "", "", 0},
        {"\"C:\\my rec\\a.mp4\"", 0, 1, "C:\\my rec\\a.mp4", "", "", "", 0},
        {"x\"C:\\a b.mp4\" tail", 0, 1, "C:\\a b.mp4 tail", "", "", "", 0},
        {"\"C:\\open.mp4", 0, 1, "C:\\open.mp4", "", "", "", 0},                   // unbalanced: all after the quote
        {" *far 1.2.3.4 3000 u p", 0, 1, " *far 1.2.3.4 3000 u p", "", "", "", 0}, // marker at 0: local
        {"D:\\rec\\cam_1_123005.mp4 *far 192.168.1.9 3000 admin 1234", 0, 0, "D:\\rec\\cam_1_123005.mp4", "192.168.1.9",
         "admin", "1234", 3000},
        {"p.mp4 *far 10.0.0.1 37010 admin pa ss\r\n", 0, 0, "p.mp4", "10.0.0.1", "admin", "pass", 37010},
        {"\"D:\\a b.mp4 *far 10.0.0.1 80 u\" pw", 0, 0, "D:\\a b.mp4", "10.0.0.1", "u", "pw", 80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        PlayTarget target = {};
        target.local = 1;
        EXPECT_EQ(c.result, ParsePlayerCommandLine(c.line, target));
        EXPECT_EQ(c.local, target.local);
        EXPECT_STREQ(c.path, target.path);
        EXPECT_STREQ(c.address, target.address);
        EXPECT_STREQ(c.user, target.user);
        EXPECT_STREQ(c.password, target.password);
        EXPECT_EQ(c.port, target.port);
    }
}

TEST(PlayerCommandLine, AMissingOrOverlongFieldMakesTheLineInvalidAndKeepsTheConnection)
{
    const std::string longAddress(40, '1'), longUser(24, 'u'), longPath(260, 'p');
    const std::string lines[] = {
        "p.mp4 *far 10.0.0.1 3000 admin", // no password field
        "p.mp4 *far 10.0.0.1",
        "p.mp4 *far " + longAddress + " 3000 admin 1234",
        "p.mp4 *far 10.0.0.1 3000 " + longUser + " 1234",
        "p.mp4 *far 10.0.0.1 3000 admin " + longUser,
        longPath,
        longPath + " *far 10.0.0.1 3000 admin 1234",
    };
    for (const std::string& line : lines) {
        SCOPED_TRACE(line.substr(0, 60));
        PlayTarget target = {};
        target.local = 1;
        strcpy(target.address, "keep");
        EXPECT_EQ(-1, ParsePlayerCommandLine(line.c_str(), target));
        EXPECT_EQ(1, target.local);
        EXPECT_STREQ("keep", target.address);
        EXPECT_LT(strlen(target.path), sizeof target.path);
    }
}

const RECT* ControlRect(const PlayerLayout& layout, UINT id)
{
    for (const PlayerControlPlace& p : layout.controls)
        if (p.id == id)
            return &p.rect;
    return nullptr;
}

TEST(PlayerLayout, PanesStripAndPlaylistFollowTheClientArea)
{
    struct Case {
        int w, h, shown, listWidth, mode;
        RECT pane0, pane3, playlist, status, position;
        BOOL pane3Visible;
    } cases[] = {
        {352,
         356,
         0,
         160,
         1,
         {0, 0, 352, 288},
         {0, 0, 0, 0},
         {352, 0, 512, 288},
         {0, 340, 353, 356},
         {56, 292, 266, 316},
         FALSE},
        {512,
         356,
         160,
         160,
         1,
         {0, 0, 352, 288},
         {0, 0, 0, 0},
         {352, 0, 512, 288},
         {0, 340, 513, 356},
         {56, 292, 426, 316},
         FALSE},
        {705,
         645,
         0,
         160,
         4,
         {0, 0, 352, 288},
         {352, 288, 704, 576},
         {705, 0, 865, 577},
         {0, 629, 706, 645},
         {56, 581, 619, 605},
         TRUE},
        {864,
         644,
         160,
         160,
         4,
         {0, 0, 352, 288},
         {352, 288, 704, 576},
         {704, 0, 864, 576},
         {0, 628, 865, 644},
         {56, 580, 778, 604},
         TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + " mode " + std::to_string(c.mode));
        PlayerLayout layout;
        std::memset(&layout, 0xCD, sizeof layout); // what an uninitialised layout on the stack may hold
        LayoutPlayer(c.w, c.h, c.shown, c.listWidth, c.mode, layout);
        // Every place is one of the player's controls, or unused (id 0): none moves a stray child.
        const std::set<UINT> known = {1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008,
                                      1010, 1011, 1012, 1013, 1014, 1015, 1016};
        std::set<UINT> placed;
        for (const PlayerControlPlace& place : layout.controls) {
            EXPECT_TRUE(place.id == 0 || known.count(place.id) == 1) << place.id;
            EXPECT_TRUE(place.id == 0 || placed.insert(place.id).second) << place.id;
        }
        EXPECT_EQ(known.size(), placed.size());
        EXPECT_TRUE(EqualRect(&c.pane0, &layout.panes[0]));
        EXPECT_EQ(c.pane3Visible, layout.paneVisible[3]);
        if (c.pane3Visible)
            EXPECT_TRUE(EqualRect(&c.pane3, &layout.panes[3]));
        EXPECT_TRUE(EqualRect(&c.playlist, &layout.playlist));
        EXPECT_TRUE(EqualRect(&c.status, ControlRect(layout, 1013)));
        EXPECT_TRUE(EqualRect(&c.position, ControlRect(layout, 1001)));
        const RECT stop = {155, c.h - 40, 175, c.h - 20};
        EXPECT_TRUE(EqualRect(&stop, ControlRect(layout, 1004)));
    }
}

TEST(PlayerLayout, ZoomAndFullScreenOnSmallAndLargeScreens)
{
    struct Case {
        int screenW, screenH, percent, shown;
        BOOL zoomFull, fitFull;
        RECT window;
    } cases[] = {
        {1024, 768, 200, 0, FALSE, FALSE, {8, 11, 1016, 757}},
        {1024, 700, 200, 0, FALSE, TRUE, {}},   // 620 + 126 is higher than the screen
        {1024, 768, 200, 160, FALSE, TRUE, {}}, // the shown playlist makes it wider than the screen
        {1024, 768, 100, 0, FALSE, FALSE, {188, 121, 836, 647}},
        {1024, 700, 150, 0, FALSE, TRUE, {}},
        {1024, 768, 50, 0, FALSE, FALSE, {332, 177, 692, 591}},
        {840, 768, 150, 0, TRUE, FALSE, {}},
        {380, 768, 50, 0, TRUE, FALSE, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.screenW) + "x" + std::to_string(c.screenH) + " " + std::to_string(c.percent));
        const ZoomChoice zoom = ChooseZoom(c.percent, c.screenW);
        EXPECT_EQ(c.zoomFull, zoom.fullScreen);
        if (zoom.fullScreen)
            continue;
        const PictureWindow fit = FitPictureWindow(c.screenW, c.screenH, c.shown, 4, zoom.width, zoom.height);
        EXPECT_EQ(c.fitFull, fit.fullScreen);
        if (!fit.fullScreen)
            EXPECT_TRUE(EqualRect(&c.window, &fit.window));
    }
}

TEST(PlayerLayout, PictureSizesForTheWindow)
{
    struct Case {
        int mode, w, h;
        BOOL local, resized;
        SIZE size;
    } cases[] = {
        {1, 704, 288, TRUE, TRUE, {640, 480}},    {1, 352, 288, TRUE, FALSE, {0, 0}},
        {4, 704, 288, TRUE, TRUE, {640, 480}},    {4, 352, 288, FALSE, TRUE, {704, 576}},
        {1, 352, 288, FALSE, TRUE, {352, 288}},   {1, 704, 576, FALSE, TRUE, {704, 576}},
        {4, 704, 576, FALSE, TRUE, {1408, 1152}}, {1, 704, 288, FALSE, TRUE, {640, 480}},
    };
    for (const Case& c : cases) {
        SIZE size = {0, 0};
        EXPECT_EQ(c.resized, PictureSizeForWindow(c.mode, c.w, c.h, c.local, size));
        EXPECT_EQ(c.size.cx, size.cx);
        EXPECT_EQ(c.size.cy, size.cy);
    }
}

TEST(PlayerLayout, ThePlaylistNeverTakesTheWholeVideoArea)
{
    EXPECT_EQ(200, ClampPlaylistWidth(200, 512));
    EXPECT_EQ(512 - kPlayerMinVideoWidth, ClampPlaylistWidth(600, 512));
    EXPECT_EQ(0, ClampPlaylistWidth(50, 40));
}

CPlaylist FiveEntries()
{
    CPlaylist list;
    for (int i = 0; i < 5; ++i) {
        PlaylistEntry e = {};
        snprintf(e.path, sizeof e.path, "D:\\rec\\A%d.mp4", i);
        e.local = 1;
        list.Add(e);
    }
    return list;
}

std::string Order(const CPlaylist& list)
{
    std::string out;
    for (int i = 0; i < list.GetCount(); ++i)
        out += std::string(PlaylistItemText(list.GetAt(i)->path)).substr(0, 2) + (i + 1 < list.GetCount() ? " " : "");
    return out;
}

TEST(Playlist, MovesKeepTheDraggedTogetherAndFollowTheCurrentEntry)
{
    struct Case {
        std::vector<int> dragged;
        int p, current;
        const char* order;
        int newCurrent;
    } cases[] = {
        {{1, 3}, 5, 3, "A0 A2 A4 A1 A3", 4}, // onto A4
        {{1, 3}, 1, 3, "A0 A1 A3 A2 A4", 2}, // onto A0
        {{1, 3}, 5, 4, "A0 A2 A4 A1 A3", 2},    {{0}, 5, 0, "A1 A2 A3 A4 A0", 4},
        {{4}, 0, 2, "A4 A0 A1 A2 A3", 3},       {{2}, 3, 2, "A0 A1 A2 A3 A4", 2}, // onto itself
        {{1, 2, 3}, 9, 0, "A0 A4 A1 A2 A3", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.order);
        CPlaylist list = FiveEntries();
        list.m_current = c.current;
        list.MoveItems(c.dragged, c.p);
        EXPECT_EQ(c.order, Order(list));
        EXPECT_EQ(c.newCurrent, list.m_current);
    }
}

TEST(Playlist, DeletesFollowTheCurrentEntryOrFallBackToTheFirst)
{
    struct Case {
        std::vector<int> deleted;
        int current;
        const char* order;
        int newCurrent;
    } cases[] = {
        {{1, 3}, 2, "A0 A2 A4", 1},
        {{1, 3}, 3, "A0 A2 A4", 0},
        {{0, 1, 2, 3, 4}, 4, "", 0},
        {{4, 7}, 3, "A0 A1 A2 A3", 3},
    };
    for (const Case& c : cases) {
        CPlaylist list = FiveEntries();
        list.m_current = c.current;
        list.DeleteItems(c.deleted);
        EXPECT_EQ(c.order, Order(list));
        EXPECT_EQ(c.newCurrent, list.m_current);
    }
}

TEST(Playlist, EntriesAreCutToTheirFieldsAndDropsNeedAHighlight)
{
    PlayTarget target = {};
    target.local = 0;
    memset(target.address, 'a', sizeof target.address - 1);
    strcpy(target.user, "user");
    PlaylistEntry e = MakePlaylistEntry(target);
    EXPECT_EQ(39u, strlen(e.address));
    EXPECT_STREQ("user", e.user);
    EXPECT_STREQ("x.mp4", PlaylistItemText("D:\\a\\x.mp4"));
    EXPECT_EQ(5, CDragListCtrl::InsertionPosition(4, 5));
    EXPECT_EQ(5, CDragListCtrl::InsertionPosition(9, 5));
    EXPECT_EQ(1, CDragListCtrl::InsertionPosition(0, 5));
}

TEST(PlayParam, AsfNamesCutOnlyAtADotOfTheFileName)
{
    struct Case {
        const char* mp4;
        int ok;
        const char* asf;
    } cases[] = {
        {"D:\\rec\\a.mp4", 1, "D:\\rec\\a.asf"},
        {"D:\\rec.v1\\cam_1_123005", 0, ""}, // the only dot is a folder's
        {"D:\\rec.v1\\cam_1.mp4", 1, "D:\\rec.v1\\cam_1.asf"},
        {".mp4", 0, ""},
        {"a.b.mp4", 1, "a.b.asf"},
        {"noext", 0, ""},
    };
    for (const Case& c : cases) {
        char out[MAX_PATH] = "";
        EXPECT_EQ(c.ok, MakeAsfName(c.mp4, out, sizeof out)) << c.mp4;
        EXPECT_STREQ(c.asf, out);
    }
    char small[8] = "";
    EXPECT_EQ(0, MakeAsfName("D:\\long.mp4", small, sizeof small));
}

TEST(PlayParam, StayTimeOutsideItsRangeCountsAsTen)
{
    TempDir dir;
    EXPECT_EQ(10, ReadStayTime(dir.Path().c_str())); // no file
    const struct {
        const char* text;
        int seconds;
    } cases[] = {{"5", 5}, {"1", 1}, {"20", 20}, {"25", 10}, {"0", 10}, {"-3", 10}, {"abc", 10}, {"123456789", 10}};
    const std::string ini = dir.File("playparam.ini");
    for (const auto& c : cases) {
        ::WritePrivateProfileStringA("PARAM", "staytime", c.text, ini.c_str());
        EXPECT_EQ(c.seconds, ReadStayTime(dir.Path().c_str())) << c.text;
    }
    EXPECT_TRUE(WriteStayTime(dir.Path().c_str(), 7));
    EXPECT_EQ(7, ReadStayTime(dir.Path().c_str()));

    // Saved whole: a new file that cannot be made leaves the old one as it was.
    ASSERT_TRUE(::CreateDirectoryA((ini + ".tmp").c_str(), nullptr));
    EXPECT_FALSE(WriteStayTime(dir.Path().c_str(), 9));
    ::RemoveDirectoryA((ini + ".tmp").c_str());
    EXPECT_EQ(7, ReadStayTime(dir.Path().c_str()));
}

TEST(SearchNames, DownloadNamesAndExtensionsFollowTheKind)
{
    QueryResultRecord record = {};
    strcpy(record.name, "Lobby");
    record.channel = 0;
    struct tm local = {};
    local.tm_year = 107;
    local.tm_mon = 6;
    local.tm_mday = 4;
    local.tm_hour = 12;
    local.tm_min = 30;
    local.tm_sec = 5;
    local.tm_isdst = -1;
    record.start = (INT32)mktime(&local);
    EXPECT_STREQ("Lobby_1_123005.jpg", MakeSearchLocalName(record, 1));
    EXPECT_STREQ("Lobby_1_123005.mp4", MakeSearchLocalName(record, 2));
    EXPECT_STREQ("Lobby_1_123005.asf", MakeSearchLocalName(record, 3));
    EXPECT_STREQ("", MakeSearchLocalName(record, 4));
    // A full name field has no terminator: the name stops at the field, as the station's query cuts it.
    memset(record.name, 'A', sizeof record.name);
    record.channel = 0x01010101;
    EXPECT_EQ(std::string(39, 'A') + "_16843010_123005.mp4", std::string(MakeSearchLocalName(record, 2)));
    EXPECT_STREQ("mp4", SearchDownloadChoiceFor(1, FALSE).extension);
    EXPECT_STREQ("jpg", SearchDownloadChoiceFor(2, FALSE).extension);
    EXPECT_STREQ("asf", SearchDownloadChoiceFor(1, TRUE).extension);
}

} // namespace
