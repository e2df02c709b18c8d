// The video wall with 16 live cameras of the simulated site: every pane shows its camera's
// pictures, a motion alarm makes one pane blink, the selected pane keeps its frame through a
// change of split mode, and a page switch moves only the cameras that change panes. The
// screenshots are for a person to look at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "devices/conduit/Conduit.h"

#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/ui/liveview/DisplayPage.h"
#include "station/ui/liveview/DlgPreviewPane.h"
#include "station/ui/liveview/DlgVideoWall.h"
#include "station/ui/mainwindow/SkinLayout.h"
#include "tests/station/ui/LiveWallSite.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

namespace {

// More than a few colours in the middle of the pane's picture: a live picture, not an empty pane.
bool ShowsPicture(const Capture& shot, const RECT& surface)
{
    COLORREF first = shot.Pixel((surface.left + surface.right) / 2, (surface.top + surface.bottom) / 2);
    int differing = 0;
    for (int y = surface.top + 4; y < surface.bottom - 4; y += 7) {
        for (int x = surface.left + 4; x < surface.right - 4; x += 7)
            differing += shot.Pixel(x, y) != first;
    }
    return differing > 20;
}

void Redraw(CWnd& window, LiveWallSite& site)
{
    site.Run(300);
    window.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    site.Run(300);
}

// Every server of the site sends its next picture only after ms (0: at the usual pace again).
void SpacePictures(LiveWallSite& site, int ms)
{
    for (const char* server : {"Site1", "Site2", "Site3", "Site4"})
        ASSERT_TRUE(site.devsim.Ok(std::string("slow ") + server + " " + std::to_string(ms)));
}

// The number of the picture the session's snapshot is taken from; 0 without a snapshot.
unsigned SnapshotFrame(CChannelSession* session, const std::string& dir, int pane)
{
    std::string path = dir + "\\pane" + std::to_string(pane) + ".jpg";
    if (!Conduit_CapturePicture(session->m_liveHandle, path.c_str()))
        return 0;
    std::ifstream file(path, std::ios::binary);
    std::string jpeg((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    size_t at = jpeg.find("frame=");
    return at == std::string::npos ? 0 : (unsigned)std::strtoul(jpeg.c_str() + at + 6, nullptr, 10);
}

// The site's 16 cameras and a host window for the wall, which each test makes.
class LiveWall : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetStartDirectory(dir.Path().c_str());
        CopyStationSkin(dir.Path());
        SetSkinScreenSize(1024, 768);
        ASSERT_TRUE(site.Start(dir.Path()));
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 800,
                                  600, nullptr, nullptr));
    }
    void TearDown() override
    {
        if (wall.m_hWnd)
            wall.ShowPage(-1, -1, 0); // the panes let go of the sessions before they go
        site.Stop();
        if (wall.m_hWnd)
            wall.DestroyWindow();
        if (host.m_hWnd)
            host.DestroyWindow();
        SetSkinScreenSize(0, 0);
    }

    TempDir dir{true};
    LiveWallSite site;
    CWnd host;
    CDlgVideoWall wall;
};

} // namespace

TEST_F(LiveWall, SixteenLivePanesWithAnAlarmAndTheSelectedFrame)
{
    ASSERT_TRUE(wall.CreateWall(&host, 0, 0, 800, 600));
    wall.ShowPage(0, 5, 0);
    ASSERT_TRUE(site.ConnectAll(30000));
    site.Run(1500);

    // Motion on Site3's channel 1: camera 9 of the page.
    ASSERT_TRUE(site.devsim.Ok("motion Site3 1"));
    CDlgPreviewPane* alarmed = wall.GetPane(9);
    EXPECT_TRUE(WaitUntil([&] {
        site.windows.Deliver();
        return alarmed->m_blinkTimer != 0;
    }));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(i == 9, wall.GetPane(i)->m_blinkTimer != 0) << "pane " << i;
    EXPECT_TRUE(WaitUntil([&] { return alarmed->m_alarmIcon.IsOn() != 0; }));
    Redraw(host, site);
    Capture shot = CaptureWindow(host.m_hWnd);
    SavePng(shot, ScreenshotPath("video-wall-16"));
    for (int i = 0; i < 16; ++i) {
        CRect surface;
        wall.GetPane(i)->m_surface.GetWindowRect(&surface);
        EXPECT_TRUE(ShowsPicture(shot, surface)) << "pane " << i << " shows no picture";
    }
    EXPECT_TRUE(wall.GetPane(5)->m_selected);

    wall.SetSplitMode(8, -1);
    EXPECT_EQ(5, wall.GetSelectedPane());
    Redraw(host, site);
    shot = CaptureWindow(host.m_hWnd);
    SavePng(shot, ScreenshotPath("video-wall-split8"));
    for (int i = 0; i < 16; ++i) {
        if (!wall.IsPaneVisible(i))
            continue;
        CRect surface;
        wall.GetPane(i)->m_surface.GetWindowRect(&surface);
        EXPECT_TRUE(ShowsPicture(shot, surface)) << "split 8, pane " << i;
    }
}

TEST_F(LiveWall, PageSwitchKeepsTheCamerasThatStayInTheirPanes)
{
    // The second page (split 9: panes 0 to 8) shows the first two cameras the other way round.
    DisplayPage* second = DisplayPageTable().GetAt(1);
    std::swap(second->cameras[0], second->cameras[1]);
    ASSERT_TRUE(wall.CreateWall(&host, 0, 0, 800, 600));
    wall.ShowPage(0, 5, 0);
    ASSERT_TRUE(site.ConnectAll(30000));
    site.Run(1500);
    // From the picture on the way on, the next ones come 2.5 s apart: a snapshot that waited for
    // a new picture (the library waits up to 3 s for one) would have a newer one.
    SpacePictures(site, 2500);
    site.Run(300);
    unsigned held[9];
    for (int i = 2; i < 9; ++i)
        ASSERT_NE(0u, held[i] = SnapshotFrame(site.sessions[i], dir.Path(), i)) << "pane " << i;

    wall.NextPage();
    site.Run(300);
    Capture switched = CaptureWindow(host.m_hWnd);

    for (int i = 2; i < 9; ++i)
        EXPECT_EQ(held[i], SnapshotFrame(site.sessions[i], dir.Path(), i)) << "pane " << i << " lost its picture";
    ASSERT_EQ(1, wall.GetCurrentPage());
    for (int i = 2; i < 9; ++i) {
        CChannelSession* session = site.sessions[i];
        EXPECT_EQ(session, wall.GetPane(i)->m_pSession) << "pane " << i;
        EXPECT_EQ(wall.GetPane(i), session->m_pPane) << "pane " << i;
        EXPECT_EQ(1, session->m_previewOn) << "pane " << i;
    }
    const std::pair<int, int> moved[] = {{0, 1}, {1, 0}}; // pane, camera
    for (const auto& [pane, camera] : moved) {
        CChannelSession* session = site.sessions[camera];
        EXPECT_EQ(session, wall.GetPane(pane)->m_pSession) << "pane " << pane;
        EXPECT_EQ(wall.GetPane(pane), session->m_pPane) << "pane " << pane;
        CString caption;
        wall.GetPane(pane)->m_caption.GetWindowText(caption);
        CString expected;
        expected.Format("Site1-1号楼 摄像机%d", camera + 1);
        EXPECT_STREQ(expected, caption) << "pane " << pane;
    }
    SpacePictures(site, 0);
    for (const auto& paneCamera : moved) {
        CChannelSession* session = site.sessions[paneCamera.second];
        EXPECT_TRUE(WaitUntil([&] {
            site.Run(20);
            return Conduit_RefreshDisplay(session->m_liveHandle, 0) == 1;
        })) << "pane "
            << paneCamera.first;
    }
    Redraw(host, site);
    Capture shot = CaptureWindow(host.m_hWnd);
    SavePng(shot, ScreenshotPath("video-wall-page-switch"));
    for (int i = 0; i < 9; ++i) {
        CDlgPreviewPane* pane = wall.GetPane(i);
        CRect surface;
        pane->m_surface.GetWindowRect(&surface);
        EXPECT_TRUE(ShowsPicture(shot, surface)) << "pane " << i;
        // The switch drew the status icons as they paint themselves.
        for (CBitmapStatic* icon : {&pane->m_recordIcon, &pane->m_audioIcon, &pane->m_micIcon,
                                    &pane->m_serverRecordIcon, &pane->m_alarmIcon}) {
            CRect place;
            icon->GetWindowRect(&place);
            int differing = 0;
            for (int y = place.top; y < place.bottom; ++y) {
                for (int x = place.left; x < place.right; ++x)
                    differing += switched.Pixel(x, y) != shot.Pixel(x, y);
            }
            EXPECT_EQ(0, differing) << "pane " << i << ", icon " << icon->GetDlgCtrlID();
        }
    }
}
