// The video wall and its panes in a host window: the split groups and the selection, paging, the
// alarm messages a pane takes, and the double-click steps to full screen.
#include <gtest/gtest.h>

#include <vector>

#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/VuskPageGroup.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/ui/DisplayPage.h"
#include "station/ui/DlgPreviewPane.h"
#include "station/ui/DlgVideoWall.h"
#include "station/ui/LiveViewHost.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

namespace {

// Records the full-screen requests of the panes.
class RecordingHost : public CNullLiveViewHost {
public:
    void ToggleFullScreen(int on, int mode) override { calls.push_back({on, mode}); }
    std::vector<std::pair<int, int>> calls;
};

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
    }
    void TearDown() override
    {
        wall_.DestroyWindow();
        parent_.DestroyWindow();
        DisplayPageTable().RemoveAll();
        delete g_pPageGroup;
        g_pPageGroup = nullptr;
        SetLiveViewHost(previousHost_);
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

TEST_F(VideoWallTest, APaneTakesAlarmsOnlyFromItsOwnSession)
{
    CTermCamera camera;
    camera.m_channel = 2;
    CChannelSession session, other;
    session.m_pCamera = &camera;
    other.m_pCamera = &camera;
    CDlgPreviewPane* pane = wall_.GetPane(0);
    pane->SetSession(&session);

    pane->SendMessage(WM_PANE_ALARM, (WPARAM)&other, PaneAlarmParam(2, 1 << 2));
    EXPECT_EQ(0u, pane->m_blinkTimer) << "a session that left the pane is ignored";
    pane->SendMessage(WM_PANE_ALARM, (WPARAM)&session, PaneAlarmParam(2, 1 << 1));
    EXPECT_EQ(0u, pane->m_blinkTimer) << "another channel's motion";
    pane->SendMessage(WM_PANE_ALARM, (WPARAM)&session, PaneAlarmParam(3, 1 << 2));
    EXPECT_NE(0u, pane->m_blinkTimer) << "video loss on the camera's channel";
    EXPECT_TRUE(pane->m_alarmIcon.IsOn());
    pane->StopAlarmBlink();
    EXPECT_EQ(0u, pane->m_blinkTimer);

    camera.m_sensorMatchesChannel = 1;
    pane->SendMessage(WM_PANE_ALARM, (WPARAM)&session, PaneAlarmParam(4, 1 << 0));
    EXPECT_EQ(0u, pane->m_blinkTimer) << "with the switch set only the channel's own input counts";
    camera.m_sensorMatchesChannel = 0;
    pane->SendMessage(WM_PANE_ALARM, (WPARAM)&session, PaneAlarmParam(4, 1 << 0));
    EXPECT_NE(0u, pane->m_blinkTimer);

    pane->SendMessage(WM_PANE_ALARM, (WPARAM)&session, PaneAlarmParam(6, 2));
    EXPECT_EQ(1, pane->m_inputs[2].GetState());
    EXPECT_EQ(0, pane->m_inputs[0].GetState());
    pane->SendMessage(WM_PANE_ALARM, (WPARAM)&session, PaneAlarmParam(6, 4));
    EXPECT_EQ(1, pane->m_inputs[2].GetState()) << "no fifth input";
    pane->SetSession(nullptr);
    pane->RefreshView(0);
    EXPECT_EQ(0u, pane->m_blinkTimer) << "an empty pane does not blink";
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
