// The main window's tables: rights to menu states, refusal orders, keys, layout scaling, the tick.
#include <gtest/gtest.h>

#include "resources/warden/resource.h"
#include "station/ui/mainwindow/MainKeys.h"
#include "station/ui/mainwindow/SkinLayout.h"
#include "station/ui/mainwindow/MainRights.h"
#include "station/ui/mainwindow/MainTick.h"

namespace {

int g_rights[13];
int FakeHasRight(int index)
{
    return index >= 1 && index <= 12 ? g_rights[index] : 0;
}

UINT StateOf(const MenuItemState* items, int count, UINT id)
{
    for (int i = 0; i < count; ++i) {
        if (items[i].id == id)
            return items[i].flags;
    }
    return 0xFFFF; // not touched: keeps its resource state
}

} // namespace

TEST(MainRights, LoginEnablesEachItemByItsOwnRight)
{
    const struct {
        UINT id;
        int right;
    } expected[] = {{32780, 1}, {32781, 2}, {32777, 3}, {32783, 5}, {32782, 5}, {32850, 6}, {32784, 6}};
    for (const auto& row : expected) {
        for (int& r : g_rights)
            r = 1;
        g_rights[row.right] = 0;
        UINT flags[7];
        LoginMenuStates(FakeHasRight, flags);
        for (int i = 0; i < 7; ++i) {
            UINT want = kLoginMenuRights[i].right == row.right ? MF_GRAYED : MF_ENABLED;
            EXPECT_EQ(want, flags[i]) << "right " << row.right << " item " << kLoginMenuRights[i].id;
        }
        bool found = false;
        for (const MenuRight& item : kLoginMenuRights)
            found = found || (item.id == row.id && item.right == row.right);
        EXPECT_TRUE(found) << row.id;
    }
}

TEST(MainRights, RefusalsTestTheRightFirstThenTheState)
{
    struct Row {
        int right, touring, emap;
        UINT expected;
    };
    const Row rows[] = {
        {0, 1, 1, IDS_NO_PERMISSION}, {1, 1, 1, IDS_CLOSE_TOUR_FIRST}, {1, 0, 1, IDS_CLOSE_EMAP_FIRST}, {1, 0, 0, 0}};
    for (const Row& row : rows)
        EXPECT_EQ(row.expected, ServerAssignRefusal(row.right, row.touring, row.emap));
    EXPECT_EQ((UINT)IDS_NO_TOUR, TourStartRefusal(0));
    EXPECT_EQ((UINT)IDS_NO_TOUR, TourStartRefusal(-1));
    EXPECT_EQ((UINT)IDS_TOUR_TOO_SHORT, TourStartRefusal(1));
    EXPECT_EQ(0u, TourStartRefusal(2));
    EXPECT_EQ((UINT)IDS_NO_PERMISSION, TourSettingsRefusal(0, 1));
    EXPECT_EQ((UINT)IDS_CLOSE_TOUR_BEFORE_SETTINGS, TourSettingsRefusal(1, 1));
    EXPECT_EQ(0u, TourSettingsRefusal(1, 0));
}

TEST(MainRights, ConnectedCameraWithoutLocalRecordingRightKeepsBothRecordItemsGreyed)
{
    TreeMenuInput input = {};
    input.kind = TREE_CAMERA;
    input.hasSession = 1;
    input.state = 1;
    input.attached = 1;
    input.previewWanted = 1;
    input.rights[8] = 1;
    input.rights[10] = 1;
    input.serverRecording = 1;
    MenuItemState items[32];
    int count = TreeMenuStates(input, items, 32);
    ASSERT_GT(count, 0);
    EXPECT_EQ(0xFFFFu, StateOf(items, count, ID_CAMERA_START_RECORD));
    EXPECT_EQ(0xFFFFu, StateOf(items, count, ID_CAMERA_STOP_RECORD));
    EXPECT_EQ((UINT)MF_ENABLED, StateOf(items, count, ID_CAMERA_HIDE_PREVIEW));
    EXPECT_EQ((UINT)MF_GRAYED, StateOf(items, count, ID_CAMERA_START_SERVER_RECORD));
    EXPECT_EQ((UINT)MF_ENABLED, StateOf(items, count, ID_CAMERA_STOP_SERVER_RECORD));
    EXPECT_EQ((UINT)MF_ENABLED, StateOf(items, count, ID_CAMERA_START_JPEG_STREAM));
    EXPECT_EQ((UINT)MF_GRAYED, StateOf(items, count, ID_CAMERA_SETTINGS));
    EXPECT_EQ((UINT)MF_ENABLED, StateOf(items, count, ID_CAMERA_REMOVE_PANE));
}

TEST(MainRights, TreeMenusByKind)
{
    MenuItemState items[32];
    TreeMenuInput idle = {};
    idle.kind = TREE_CAMERA;
    idle.hasSession = 1;
    idle.state = 3;
    idle.rights[11] = 1;
    int count = TreeMenuStates(idle, items, 32);
    EXPECT_EQ((UINT)MF_ENABLED, StateOf(items, count, ID_CAMERA_CONNECT));
    EXPECT_EQ(0xFFFFu, StateOf(items, count, ID_CAMERA_DISCONNECT));
    EXPECT_EQ((UINT)MF_ENABLED, StateOf(items, count, ID_CAMERA_SETTINGS));

    TreeMenuInput noSession = {};
    noSession.kind = TREE_CAMERA;
    EXPECT_EQ(-1, TreeMenuStates(noSession, items, 32)) << "a camera without a session has no menu";

    TreeMenuInput root = {};
    root.kind = TREE_ROOT;
    EXPECT_EQ(0, TreeMenuStates(root, items, 32)) << "no server: every item keeps its greyed state";
    root.hasServers = 1;
    count = TreeMenuStates(root, items, 32);
    EXPECT_EQ((UINT)MF_ENABLED, StateOf(items, count, ID_ROOT_CONNECT_ALL));
    EXPECT_EQ((UINT)MF_GRAYED, StateOf(items, count, ID_ROOT_START_RECORD));

    TreeMenuInput server = {};
    server.kind = TREE_SERVER;
    server.rights[2] = 1;
    count = TreeMenuStates(server, items, 32);
    EXPECT_EQ((UINT)MF_ENABLED, StateOf(items, count, ID_SERVER_REMOTE_SETTINGS));
    EXPECT_EQ((UINT)MF_GRAYED, StateOf(items, count, ID_SERVER_STOP_RECORD));
    TreeMenuInput unknown = {};
    unknown.kind = 7;
    EXPECT_EQ(-1, TreeMenuStates(unknown, items, 32));
}

TEST(MainKeys, TouringOrLockedSwallowsOnlyEnterAndEscape)
{
    struct Row {
        int touring, locked, ptz;
        UINT message;
        WPARAM key;
        KeyRoute expected;
    };
    const Row rows[] = {
        {0, 0, 0, WM_KEYDOWN, '1', KEY_ROUTE_KEYDOWN},       {0, 0, 0, WM_KEYDOWN, VK_RETURN, KEY_ROUTE_KEYDOWN},
        {0, 0, 1, WM_KEYUP, VK_LEFT, KEY_ROUTE_PTZ_UP},      {0, 0, 0, WM_KEYUP, VK_LEFT, KEY_ROUTE_DEFAULT},
        {1, 0, 1, WM_KEYDOWN, VK_RETURN, KEY_ROUTE_SWALLOW}, {0, 1, 1, WM_KEYDOWN, VK_ESCAPE, KEY_ROUTE_SWALLOW},
        {1, 0, 1, WM_KEYDOWN, '1', KEY_ROUTE_DEFAULT},       {0, 1, 1, WM_KEYUP, VK_LEFT, KEY_ROUTE_DEFAULT},
        {1, 1, 1, WM_KEYDOWN, VK_F3, KEY_ROUTE_DEFAULT},     {0, 0, 1, WM_MOUSEMOVE, 0, KEY_ROUTE_DEFAULT},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.expected, RouteKeyMessage(row.touring, row.locked, row.ptz, row.message, row.key))
            << row.touring << row.locked << " message " << row.message << " key " << row.key;
}

TEST(MainKeys, PanesSplitModesAndPtzCodes)
{
    EXPECT_EQ(0, HotKeyPane('1'));
    EXPECT_EQ(8, HotKeyPane('9'));
    EXPECT_EQ(9, HotKeyPane('0'));
    EXPECT_EQ(10, HotKeyPane(VK_NUMPAD0));
    EXPECT_EQ(15, HotKeyPane(VK_NUMPAD5));
    EXPECT_EQ(-1, HotKeyPane(VK_NUMPAD6));
    EXPECT_EQ(-1, HotKeyPane('A'));
    const int modes[6] = {1, 4, 6, 8, 9, 16};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(modes[i], HotKeySplitMode(VK_F1 + i, 0));
        EXPECT_EQ(0, HotKeySplitMode(VK_F1 + i, 1)) << "Ctrl + F" << i + 1 << " is a relay key";
    }
    EXPECT_EQ(0, HotKeySplitMode(VK_F7, 0));
    EXPECT_EQ(0, PtzDirectionCode(VK_LEFT, 0));
    EXPECT_EQ(14, PtzDirectionCode(VK_LEFT, 1));
    EXPECT_EQ(9, PtzDirectionCode('Z', 0));
    EXPECT_EQ(23, PtzDirectionCode('Z', 1));
    EXPECT_EQ(-1, PtzDirectionCode('R', 0));
}

TEST(MainLayout, MainFontFollowsTheScreen)
{
    // 12 x 6 at 1024 x 768, 15 x 8 at 1280 x 1024, 22 x 8 at 1920 x 1080; exactly half adds nothing.
    EXPECT_EQ(12, ScaleDesignUnit(12, 1024, 1024));
    EXPECT_EQ(15, ScaleDesignUnit(12, 1280, 1024));
    EXPECT_EQ(8, ScaleDesignUnit(6, 1024, 768));
    EXPECT_EQ(22, ScaleDesignUnit(12, 1920, 1024));
    EXPECT_EQ(8, ScaleDesignUnit(6, 1080, 768));
    EXPECT_EQ(12, ScaleDesignUnit(10, 1280, 1024));
    EXPECT_EQ(27, ScaleDesignUnit(20, 1024, 768));
}

TEST(MainTick, NothingBeforeLogInThenAHeartbeatEvery32ndTick)
{
    CMainTick tick;
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(0, tick.Plan(0, 1, 1, 1000u * i));
    std::vector<int> beats;
    for (int i = 1; i <= 96; ++i) {
        int work = tick.Plan(1, 0, 0, 0);
        EXPECT_TRUE(work & TICK_SESSIONS);
        if (work & TICK_HEARTBEAT)
            beats.push_back(i);
    }
    EXPECT_EQ((std::vector<int>{32, 64, 96}), beats);
}

TEST(MainTick, AutoClearFiresOnceTheDelayHasPassedSinceTheFirstAlarm)
{
    CMainTick tick;
    DWORD start = 50000;
    tick.NoteAlarm(start);
    tick.NoteAlarm(start + 4000); // a second alarm does not move the start
    EXPECT_FALSE(tick.Plan(1, 1, 10, start + 9999) & TICK_AUTO_CLEAR);
    EXPECT_TRUE(tick.Plan(1, 1, 10, start + 10000) & TICK_AUTO_CLEAR);
    EXPECT_FALSE(tick.Plan(1, 0, 10, start + 20000) & TICK_AUTO_CLEAR) << "auto-clear switched off";
    tick.ClearAlarm();
    EXPECT_FALSE(tick.Plan(1, 1, 10, start + 30000) & TICK_AUTO_CLEAR) << "nothing pending";
    tick.NoteAlarm(0); // a tick count of 0 still marks an alarm
    EXPECT_NE(0u, tick.alarmSince);
}
