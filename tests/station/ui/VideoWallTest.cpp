// The video wall and its 16 panes in a host window, with sessions that stay offline: the split
// groups and the selection, paging, tours, rebuilds, the alarm messages a pane takes, drag swaps,
// the context menu, the double-click steps to full screen, and the slots of disabled cameras.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "framework/WindowSeams.h"
#include "resources/warden/mainwindow.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/VuskLoopGroup.h"
#include "station/core/datamodel/VuskLoopPage.h"
#include "station/core/datamodel/VuskPage.h"
#include "station/core/datamodel/VuskPageGroup.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/core/sessions/ChannelSessionLinks.h"
#include "station/ui/liveview/DisplayPage.h"
#include "station/ui/liveview/DlgPreviewPane.h"
#include "station/ui/liveview/DlgVideoWall.h"
#include "station/ui/liveview/LiveViewHost.h"
#include "station/ui/liveview/PaneGeometry.h"
#include "tests/station/ui/LiveWallSite.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

namespace {

// Records the full-screen requests of the panes and each time the panels are refreshed.
class RecordingHost : public CNullLiveViewHost {
public:
    void ToggleFullScreen(int on, int mode) override { calls.push_back({on, mode}); }
    int IsScreenLocked() override { return locked; }
    CDlgPtzPanel* GetPtzPanel() override
    {
        ++panelRefreshes;
        return nullptr;
    }
    std::vector<std::pair<int, int>> calls;
    int locked = 0;
    int panelRefreshes = 0;
};

// The session side finds the wall's panes by index, as the main dialog answers it.
class WallWindows : public CNullStationWindows {
public:
    IPreviewPane* GetPreviewPane(int index) override
    {
        return VideoWall() != nullptr ? VideoWall()->GetPane(index) : nullptr;
    }
};

std::set<UINT> menuEnabled;
int menuTracked = 0;

// Reads the enabled commands of the tracked menu and chooses none.
UINT ReadMenu(HMENU menu, UINT, int, int, HWND)
{
    ++menuTracked;
    menuEnabled.clear();
    for (UINT id : kPaneMenuCommands) {
        UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
        if (state != (UINT)-1 && (state & (MF_GRAYED | MF_DISABLED)) == 0)
            menuEnabled.insert(id);
    }
    return 0;
}

class VideoWallTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetStartDirectory(dir_.Path().c_str());
        previousHost_ = SetLiveViewHost(&host_);
        g_pPageGroup = new CVuskPageGroup;
        g_pPageGroup->AddPage(6);
        g_pPageGroup->AddPage(9);
        g_pPageGroup->AddPage(4);
        ASSERT_TRUE(parent_.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                     820, 620, nullptr, nullptr));
        ASSERT_TRUE(wall_.CreateWall(&parent_, 10, 10, 800, 600));
        wall_.RebuildPageTable(0);
        wall_.ShowPage(0, -1, 0);
        for (int i = 0; i < 4; ++i) {
            cameras_[i].m_channel = i;
            cameras_[i].m_pSession = &sessions_[i];
            sessions_[i].m_pCamera = &cameras_[i];
        }
    }
    void TearDown() override
    {
        wall_.DestroyWindow();
        parent_.DestroyWindow();
        for (CChannelSession& session : sessions_)
            session.m_pPane = nullptr;
        DisplayPageTable().RemoveAll();
        delete g_pPageGroup;
        g_pPageGroup = nullptr;
        delete g_pLoopGroup;
        g_pLoopGroup = nullptr;
        CurrentUser().Clear();
        SetLiveViewHost(previousHost_);
    }
    // Camera i (0..3) in slot i of page 0, a disabled camera's reference in slot 4, shown again.
    void PlaceCameras()
    {
        for (int i = 0; i < 4; ++i)
            g_pPageGroup->GetPage(0)->SetSlot(i, &cameras_[i], 1, i);
        g_pPageGroup->GetPage(0)->SetSlot(4, nullptr, 1, 7);
        wall_.RebuildPageTable(0);
        wall_.ShowPage(0, -1, 1);
    }
    void AddTourStep(std::vector<CTermCamera*> cameras)
    {
        if (g_pLoopGroup == nullptr)
            g_pLoopGroup = new CVuskLoopGroup;
        CVuskLoopPage* step = g_pLoopGroup->AddPage(4, 5);
        step->m_count = (int)cameras.size();
        for (size_t i = 0; i < cameras.size(); ++i) {
            step->m_cameras[i] = cameras[i];
            step->m_serverIds[i] = 1;
            step->m_channels[i] = cameras[i] != nullptr ? cameras[i]->m_channel : 7;
        }
    }
    std::vector<int> VisiblePanes()
    {
        std::vector<int> panes;
        for (int i = 0; i < 16; ++i) {
            if (wall_.IsPaneVisible(i))
                panes.push_back(i);
        }
        return panes;
    }
    CRect PaneRect(int pane)
    {
        CRect rect;
        wall_.GetPane(pane)->GetWindowRect(&rect);
        wall_.ScreenToClient(&rect);
        return rect;
    }
    TempDir dir_{true};
    RecordingHost host_;
    ILiveViewHost* previousHost_ = nullptr;
    CTermCamera cameras_[4];
    CChannelSession sessions_[4];
    CWnd parent_;
    CDlgVideoWall wall_;
};

} // namespace

TEST_F(VideoWallTest, SplitGroupsFollowTheSelectedPane)
{
    wall_.SelectPane(13);
    EXPECT_EQ(std::vector<int>({0, 1, 12, 13, 14, 15}), VisiblePanes());
    EXPECT_EQ(CRect(0, 0, 532, 400), PaneRect(12)) << "pane 12 takes the large position";
    EXPECT_EQ(13, wall_.GetSelectedPane());
    EXPECT_EQ(wall_.GetPane(13), wall_.GetSelectedPaneWnd());
    EXPECT_TRUE(wall_.GetPane(13)->m_selected);

    wall_.SelectPane(8);
    EXPECT_EQ(std::vector<int>({6, 7, 8, 9, 10, 11}), VisiblePanes()) << "the group that holds the pane";
    EXPECT_FALSE(wall_.GetPane(13)->m_selected);

    wall_.SetSplitMode(8, -1);
    EXPECT_EQ(CRect(0, 0, 600, 450), PaneRect(8)) << "split 8 on 800 x 600";
    EXPECT_EQ(CRect(600, 450, 800, 600), PaneRect(15));

    wall_.NextPage();
    EXPECT_EQ(1, wall_.GetCurrentPage());
    wall_.SelectPane(10);
    EXPECT_EQ(std::vector<int>({0, 1, 9, 10, 11, 12, 13, 14, 15}), VisiblePanes());
    wall_.NextPage();
    wall_.NextPage();
    EXPECT_EQ(0, wall_.GetCurrentPage()) << "from the last page to the first";
    EXPECT_EQ(8, wall_.GetSplitMode()) << "a display page keeps its split mode";
    wall_.PrevPage();
    EXPECT_EQ(2, wall_.GetCurrentPage());

    wall_.ShowPage(-1, -1, 0);
    EXPECT_TRUE(VisiblePanes().empty()) << "the map empties the wall";
    for (int i = 0; i < 16; ++i)
        EXPECT_FALSE(wall_.GetPane(i)->IsWindowVisible());
}

// A pane window is made when the wall first lays it out or gives it a camera, not before.
TEST_F(VideoWallTest, PanesAreMadeWhenFirstShownOrGivenACamera)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(i < 6, wall_.ExistingPane(i) != nullptr) << "pane " << i << " of the first page's split 6";

    wall_.SelectPane(13);
    for (int pane : {12, 13, 14, 15}) {
        ASSERT_NE(nullptr, wall_.ExistingPane(pane));
        EXPECT_TRUE(wall_.ExistingPane(pane)->IsWindowVisible()) << "pane " << pane;
    }
    EXPECT_EQ(nullptr, wall_.ExistingPane(8));

    g_pPageGroup->GetPage(2)->SetSlot(9, &cameras_[1], 1, 1);
    wall_.RebuildPageTable(0);
    wall_.ShowPage(2, -1, 1); // split 4
    ASSERT_NE(nullptr, wall_.ExistingPane(9)) << "a pane that takes a camera is made, shown or not";
    EXPECT_EQ(&sessions_[1], wall_.GetPaneSession(9));
    EXPECT_FALSE(wall_.ExistingPane(9)->IsWindowVisible());
}

TEST_F(VideoWallTest, ReselectingChangesNothingAndPanesOutsideTheWallAreIgnored)
{
    wall_.SelectPane(13);
    std::vector<int> visible = VisiblePanes();
    wall_.GetPane(12)->MoveWindow(1, 1, 5, 5); // a new layout would move it back
    int refreshes = host_.panelRefreshes;
    for (int pane : {13, 16, -1, 99}) {
        wall_.SelectPane(pane);
        EXPECT_EQ(visible, VisiblePanes()) << pane;
        EXPECT_EQ(CRect(1, 1, 6, 6), PaneRect(12)) << pane;
        EXPECT_EQ(13, wall_.GetSelectedPane()) << pane;
        EXPECT_EQ(wall_.GetPane(13), wall_.GetSelectedPaneWnd()) << pane;
    }
    wall_.ShowPage(0, 13, 0);
    EXPECT_EQ(CRect(1, 1, 6, 6), PaneRect(12)) << "the page shown, the pane selected";
    EXPECT_EQ(refreshes, host_.panelRefreshes) << "the panels are not refreshed";
    EXPECT_TRUE(wall_.GetPane(13)->m_selected);
}

TEST_F(VideoWallTest, APaneTakesAlarmsOnlyFromItsOwnSession)
{
    CopyStationSkin(dir_.Path()); // the icons' pictures
    cameras_[0].m_channel = 9;    // beyond the 8 bits the message once carried
    CChannelSession foreign;
    foreign.m_pCamera = &cameras_[0];
    CDlgPreviewPane* pane = wall_.GetPane(0);
    ASSERT_EQ(pane, wall_.GetSelectedPaneWnd());
    pane->SetSession(&sessions_[0]);
    struct Case {
        const char* what;
        CChannelSession* from;
        int type, value, sensorMatchesChannel;
        int blinks, input, serverRecord, panels;
    } cases[] = {
        {"motion on channel 9", &sessions_[0], 2, 1 << 9, 0, 1, -1, 0, 0},
        {"motion on channel 8", &sessions_[0], 2, 1 << 8, 0, 0, -1, 0, 0},
        {"video loss on channel 9", &sessions_[0], 3, 1 << 9, 0, 1, -1, 0, 0},
        {"video loss on another channel", &sessions_[0], 3, 1 << 1, 0, 0, -1, 0, 0},
        {"any input without the switch", &sessions_[0], 4, 1 << 1, 0, 1, -1, 0, 0},
        {"with the switch only input 9 counts: none", &sessions_[0], 4, 0xF, 1, 0, -1, 0, 0},
        {"relays refresh the panels of the selected pane", &sessions_[0], 5, 3, 0, 0, -1, 0, 1},
        {"the encoder input", &sessions_[0], 6, 2, 0, 0, 2, 0, 0},
        {"no fifth input", &sessions_[0], 6, 4, 0, 0, -1, 0, 0},
        {"server recording", &sessions_[0], 11, 1, 0, 0, -1, 1, 0},
        {"a session that left the pane", &foreign, 2, 1 << 9, 0, 0, -1, 0, 0},
        {"a foreign session's server recording", &foreign, 11, 1, 0, 0, -1, 0, 0},
    };
    for (const Case& c : cases) {
        pane->StopAlarmBlink();
        for (CIconButton& input : pane->m_inputs)
            input.SetState(0);
        pane->SendMessage(WM_PANE_ALARM, (WPARAM)&sessions_[0], PaneAlarmParam(11, 0));
        cameras_[0].m_sensorMatchesChannel = c.sensorMatchesChannel;
        int refreshes = host_.panelRefreshes;
        pane->SendMessage(WM_PANE_ALARM, (WPARAM)c.from, PaneAlarmParam(c.type, c.value));
        EXPECT_EQ(c.blinks, pane->m_blinkTimer != 0) << c.what;
        EXPECT_EQ(c.blinks, pane->m_alarmIcon.IsOn()) << c.what;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(i == c.input, pane->m_inputs[i].GetState()) << c.what << ", input " << i;
        EXPECT_EQ(c.serverRecord, strstr(pane->m_serverRecordIcon.GetPicturePath(), "serverrecord_on") != nullptr)
            << c.what;
        EXPECT_EQ(c.panels, host_.panelRefreshes - refreshes) << c.what;
    }

    cameras_[0].m_channel = 2;
    cameras_[0].m_sensorMatchesChannel = 1;
    pane->StopAlarmBlink();
    pane->SendMessage(WM_PANE_ALARM, (WPARAM)&sessions_[0], PaneAlarmParam(4, 1 << 2));
    EXPECT_NE(0u, pane->m_blinkTimer) << "with the switch the channel's own input counts";
    pane->SetSession(nullptr);
    pane->RefreshView(0);
    EXPECT_EQ(0u, pane->m_blinkTimer) << "an empty pane does not blink";
}

TEST_F(VideoWallTest, ToursNeedTwoStepsKeepCamerasSilentAndStopOnTheFirstPage)
{
    PlaceCameras();
    wall_.ShowPage(1, -1, 0);
    AddTourStep({&cameras_[0], &cameras_[1]});
    EXPECT_EQ(0, wall_.StartTour(1)) << "one step is no tour";
    EXPECT_FALSE(wall_.IsTouring());
    EXPECT_EQ(1, wall_.GetCurrentPage());

    AddTourStep({&cameras_[0], nullptr, &cameras_[2]}); // a disabled camera in the middle
    ASSERT_EQ(1, wall_.StartTour(1));
    EXPECT_TRUE(wall_.IsTouring());
    EXPECT_EQ(&sessions_[0], wall_.GetPane(0)->m_pSession);
    EXPECT_EQ(&sessions_[1], wall_.GetPane(1)->m_pSession);
    for (CChannelSession& session : sessions_)
        session.m_audioWanted = 1, session.m_audioState = 2;

    wall_.NextPage();
    EXPECT_EQ(1, wall_.GetTourPosition());
    EXPECT_EQ(&sessions_[0], wall_.GetPane(0)->m_pSession) << "a kept camera stays in its pane";
    EXPECT_NE(2, sessions_[0].m_audioState) << "but its sound goes off";
    EXPECT_EQ(nullptr, sessions_[1].m_pPane) << "a camera that is not kept lets go of its pane";
    EXPECT_EQ(nullptr, wall_.GetPane(1)->m_pSession) << "the disabled camera's pane is empty";
    EXPECT_EQ(&sessions_[2], wall_.GetPane(2)->m_pSession);
    wall_.NextPage();
    EXPECT_EQ(0, wall_.GetTourPosition()) << "from the last step to the first";
    wall_.PrevPage();
    EXPECT_EQ(1, wall_.GetTourPosition()) << "and back";
    wall_.SetAudioFollow(1);
    wall_.SelectPane(1);
    EXPECT_EQ(wall_.GetPane(1), wall_.GetSelectedPaneWnd()) << "the disabled camera's pane can be selected";

    EXPECT_EQ(1, wall_.StartTour(0));
    EXPECT_FALSE(wall_.IsTouring());
    EXPECT_EQ(0, wall_.GetCurrentPage()) << "stopping shows the first page";
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(&sessions_[i], wall_.GetPane(i)->m_pSession) << i;
    EXPECT_EQ(nullptr, wall_.GetPane(4)->m_pSession);
}

TEST_F(VideoWallTest, ARebuildWithFewerPagesDropsTheCurrentPage)
{
    PlaceCameras();
    wall_.ShowPage(2, -1, 0);
    CVuskPage* last = g_pPageGroup->GetPage(2);
    g_pPageGroup->m_pages.RemoveTail();
    delete last;
    wall_.RebuildPageTable(0);
    EXPECT_EQ(-1, wall_.GetCurrentPage());
    EXPECT_EQ(-1, wall_.GetSplitMode());
    EXPECT_EQ(-1, wall_.FindPaneOfCamera(&cameras_[0]));
    wall_.SetSplitMode(4, -1);
    wall_.SelectPane(3);
    EXPECT_EQ(-1, wall_.GetSplitMode()) << "layout calls do nothing without a page";
    wall_.NextPage();
    EXPECT_EQ(0, wall_.GetCurrentPage());
    EXPECT_EQ(0, wall_.FindPaneOfCamera(&cameras_[0]));
    wall_.PrevPage();
    EXPECT_EQ(1, wall_.GetCurrentPage()) << "two pages are left";
}

TEST_F(VideoWallTest, DraggingSwapsCamerasAndDisabledReferences)
{
    CViewLinks* previousView = SetViewLinks(&wall_);
    CSessionLinks* previousLinks = InstallChannelSessionLinks();
    WallWindows windows;
    IStationWindows* previousWindows = SetStationWindows(&windows);
    PlaceCameras();
    auto drag = [this](int from, int to) {
        wall_.GetPane(from)->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(20, 20));
        wall_.GetPane(to)->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    };
    CVuskPage* page = g_pPageGroup->GetPage(0);

    drag(0, 1);
    EXPECT_EQ(&sessions_[1], wall_.GetPane(0)->m_pSession);
    EXPECT_EQ(&sessions_[0], wall_.GetPane(1)->m_pSession);
    EXPECT_EQ(&cameras_[1], page->m_cameras[0]);
    EXPECT_EQ(&cameras_[0], page->m_cameras[1]);
    EXPECT_EQ(1, wall_.FindPaneOfCamera(&cameras_[0]));
    EXPECT_EQ(1, wall_.GetSelectedPane()) << "the target is selected";

    drag(1, 4);
    EXPECT_EQ(&sessions_[0], wall_.GetPane(4)->m_pSession);
    EXPECT_EQ(nullptr, wall_.GetPane(1)->m_pSession) << "the disabled camera's pane, empty";
    EXPECT_EQ(nullptr, page->m_cameras[1]);
    EXPECT_EQ(7, page->m_channels[1]) << "its reference moves along";
    EXPECT_EQ(-1, wall_.FindPaneOfCamera(nullptr));

    drag(2, 2);
    EXPECT_EQ(&sessions_[2], wall_.GetPane(2)->m_pSession) << "onto itself";

    AddTourStep({&cameras_[0], &cameras_[1]});
    AddTourStep({&cameras_[2], &cameras_[3]});
    EXPECT_EQ(1, wall_.StartTour(1)); // the links are put back below whatever happens
    drag(0, 1);
    EXPECT_EQ(&sessions_[0], wall_.GetPane(0)->m_pSession) << "no swaps on tour";
    EXPECT_EQ(&cameras_[1], page->m_cameras[0]);
    wall_.StartTour(0);

    SetStationWindows(previousWindows);
    SetSessionLinks(previousLinks);
    SetViewLinks(previousView);
}

TEST_F(VideoWallTest, TheContextMenuFollowsStateRightsTourAndLock)
{
    Seams::PopupMenuFunc previous = Seams::ReplacePopupMenu(ReadMenu);
    AddTourStep({&cameras_[0]});
    AddTourStep({&cameras_[1]});
    CChannelSession& session = sessions_[3];
    const int none = 0, idle = sessionIdle, connecting = sessionConnecting, connected = sessionConnected;
    // flags: the tour runs, the screen is locked, and the session's preview-wanted, armed, local
    // recording, server recording and JPEG stream states.
    struct Case {
        const char* what;
        int state;
        std::vector<int> rights;
        const char* flags;
        std::set<UINT> enabled;
    } cases[] = {
        {"no session", none, {8, 9, 10, 11}, "", {}},
        {"the screen locked", connected, {8, 9, 10, 11}, "lock", {}},
        {"idle", idle, {11}, "", {ID_CAMERA_REMOVE_PANE, ID_CAMERA_CONNECT, ID_CAMERA_SETTINGS}},
        {"idle on tour, no rights", idle, {}, "tour", {ID_CAMERA_CONNECT}},
        {"connecting",
         connecting,
         {8, 9, 10, 11},
         "preview armed record server jpeg",
         {ID_CAMERA_REMOVE_PANE, ID_CAMERA_DISCONNECT, ID_CAMERA_SETTINGS}},
        {"connected, no rights",
         connected,
         {},
         "preview record server",
         {ID_CAMERA_REMOVE_PANE, ID_CAMERA_DISCONNECT, ID_CAMERA_HIDE_PREVIEW, ID_CAMERA_ARM}},
        {"connected, rights 8 to 11",
         connected,
         {8, 9, 10, 11},
         "armed record",
         {ID_CAMERA_REMOVE_PANE, ID_CAMERA_DISCONNECT, ID_CAMERA_SHOW_PREVIEW, ID_CAMERA_DISARM, ID_CAMERA_STOP_RECORD,
          ID_CAMERA_START_SERVER_RECORD, ID_CAMERA_CAPTURE_BMP, ID_CAMERA_SERVER_JPEG, ID_CAMERA_START_JPEG_STREAM,
          ID_CAMERA_SETTINGS}},
        {"connected on tour, rights 8 and 10",
         connected,
         {8, 10},
         "tour preview server jpeg",
         {ID_CAMERA_DISCONNECT, ID_CAMERA_HIDE_PREVIEW, ID_CAMERA_ARM, ID_CAMERA_STOP_SERVER_RECORD,
          ID_CAMERA_CAPTURE_BMP, ID_CAMERA_SERVER_JPEG, ID_CAMERA_CAPTURE_JPEG, ID_CAMERA_STOP_JPEG_STREAM}},
        {"connected, right 9 only",
         connected,
         {9},
         "",
         {ID_CAMERA_REMOVE_PANE, ID_CAMERA_DISCONNECT, ID_CAMERA_SHOW_PREVIEW, ID_CAMERA_ARM, ID_CAMERA_START_RECORD}},
    };
    for (const Case& c : cases) {
        std::string flags = std::string(" ") + c.flags + " ";
        auto has = [&flags](const char* flag) {
            return flags.find(std::string(" ") + flag + " ") != std::string::npos;
        };
        int touring = has("tour");
        if (touring != wall_.IsTouring())
            wall_.StartTour(touring);
        ASSERT_EQ(touring, wall_.IsTouring()) << c.what;
        CurrentUser().Clear();
        for (int right : c.rights)
            CurrentUser().rights[right] = 1;
        host_.locked = has("lock");
        session.m_state = c.state != none ? c.state : sessionIdle;
        session.m_previewWanted = has("preview");
        session.m_armed = has("armed");
        session.m_recordReasons = has("record");
        session.m_serverRecording = (BYTE)has("server");
        session.m_jpegHandle = has("jpeg") ? 5 : -1;
        CDlgPreviewPane* pane = wall_.GetPane(5);
        pane->SetSession(c.state != none ? &session : nullptr);
        menuTracked = 0;
        pane->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
        EXPECT_EQ(1, menuTracked) << c.what;
        EXPECT_EQ(c.enabled, menuEnabled) << c.what;
        pane->SetSession(nullptr);
    }
    session.m_state = sessionIdle;
    session.m_jpegHandle = -1;
    session.m_recordReasons = 0;
    session.m_serverRecording = 0;
    Seams::ReplacePopupMenu(previous);
}

TEST_F(VideoWallTest, DisabledCamerasLeaveEmptyPanesAndTheWallKeepsWorking)
{
    PlaceCameras();
    CDlgPreviewPane* pane = wall_.GetPane(4);
    EXPECT_EQ(nullptr, pane->m_pSession);
    EXPECT_EQ(-1, wall_.FindPaneOfCamera(nullptr));
    EXPECT_EQ(-1, wall_.FindPageOfCamera(nullptr));
    wall_.ShowCamera(nullptr);
    EXPECT_EQ(0, wall_.GetCurrentPage());
    wall_.SelectPane(4);
    EXPECT_EQ(pane, wall_.GetSelectedPaneWnd());
    wall_.RefreshPanels();
    EXPECT_EQ(0, wall_.DropTreeItem(nullptr, nullptr, 30, 30));
    pane->SendMessage(WM_PANE_ALARM, 0, PaneAlarmParam(2, -1));
    EXPECT_EQ(0u, pane->m_blinkTimer);
    wall_.SetSplitMode(16, -1);
    EXPECT_EQ(16u, VisiblePanes().size());
    wall_.ShowCamera(&cameras_[3]);
    EXPECT_EQ(3, wall_.GetSelectedPane()) << "the other cameras are still found";
}

// The strip follows the pane's size through split switches, also the input buttons of a camera
// that gets its inputs (and the buttons) only after the switch.
TEST_F(VideoWallTest, StripControlsFollowThePaneSizeAlsoInputButtonsShownLater)
{
    PlaceCameras();
    CDlgPreviewPane* pane = wall_.GetPane(0);
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    auto sx = [sw](int n) { return ScaleToScreen(n, sw, 1024); };
    auto sy = [sh](int n) { return ScaleToScreen(n, sh, 768); };
    auto at = [pane](CWnd& control) {
        CRect rect;
        control.GetWindowRect(&rect);
        pane->ScreenToClient(&rect);
        return rect.TopLeft();
    };
    const struct {
        int mode;
        int inputs; // the camera's inputs after the switch
    } cases[] = {{4, 0}, {4, 2}, {1, 2}, {9, 0}, {16, 0}, {16, 2}, {6, 2}};
    for (const auto& c : cases) {
        wall_.SetSplitMode(c.mode, 0);
        sessions_[0].m_cameraInputs = c.inputs;
        pane->RefreshView(0);
        CRect client;
        pane->GetClientRect(&client);
        int strip = client.bottom - sy(12);
        EXPECT_EQ(CPoint(1, 1), at(pane->m_surface)) << c.mode;
        EXPECT_EQ(CPoint(sx(41), strip), at(pane->m_alarmIcon)) << c.mode;
        EXPECT_EQ(CPoint(client.right - sx(140) - 1, strip - 1), at(pane->m_caption)) << c.mode;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(c.inputs > 0, (pane->m_inputs[i].GetStyle() & WS_VISIBLE) != 0) << c.mode;
            if (c.inputs > 0)
                EXPECT_EQ(CPoint(sx(51 + 10 * i), strip), at(pane->m_inputs[i])) << c.mode << ", input " << i;
        }
    }
}

TEST_F(VideoWallTest, DoubleClicksStepToFullScreenAndBack)
{
    wall_.ShowPage(1, 4, 0);
    CDlgPreviewPane* pane = wall_.GetPane(4);
    pane->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(1, wall_.GetSplitMode()) << "first the pane alone";
    EXPECT_EQ(9, SplitBeforeFullScreen);
    pane->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(20, 20));
    ASSERT_EQ(1u, host_.calls.size());
    EXPECT_EQ(std::make_pair(1, -1), host_.calls[0]) << "then full screen";
    wall_.SetFullScreen(1, nullptr, -1);
    pane->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(20, 20));
    ASSERT_EQ(2u, host_.calls.size());
    EXPECT_EQ(std::make_pair(0, 9), host_.calls[1]) << "back to the split shown before";
    EXPECT_EQ(-1, SplitBeforeFullScreen);
    wall_.SetFullScreen(0, nullptr, 9);
    PumpMessages();
    parent_.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SavePng(CaptureWindow(parent_.m_hWnd), ScreenshotPath("video-wall"));
}
