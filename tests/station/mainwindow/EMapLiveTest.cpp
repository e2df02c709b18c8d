// The electronic map against the simulated site: a motion alarm on a mapped camera brings up the
// map, its scene, the blinking icon and the camera's pop-up; the pop-up borrows the session's
// picture or opens a channel of its own, and its PTZ strip reaches the server.
#include <gtest/gtest.h>

#include <string>

#include "resources/warden/resource.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskEMapDev.h"
#include "station/core/datamodel/VuskEMapGroup.h"
#include "station/core/datamodel/VuskEMapTerm.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/ui/emap/DlgEMapTree.h"
#include "station/ui/emap/DlgEMapVideo.h"
#include "station/ui/emap/DlgViewEMap.h"
#include "station/ui/emap/EMapIcon.h"
#include "station/ui/emap/EMapMessages.h"
#include "tests/station/ui/LiveWallSite.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

namespace {

// The main dialog's map calls, as it makes them: opening the map shows it, a device goes to the tree.
class MapSiteWindows : public LiveWallWindows {
public:
    int IsEMapShown() override { return shown; }
    void OpenEMap() override
    {
        ++opened;
        shown = 1;
        tree->ShowEMap(1);
    }
    void ShowEMapDevice(CVuskEMapDev* device) override { tree->ShowDevice(device); }

    CDlgEMapTree* tree = nullptr;
    int shown = 0;
    int opened = 0;
};

// Hands the map's messages on as the main dialog does.
class MapHost : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_EMAP_ACTIVATE) {
            tree->Activate(wParam, lParam);
            return 0;
        }
        if (message == WM_EMAP_POPUP_CLOSED) {
            view->RemovePopup(reinterpret_cast<CDlgEMapVideo*>(wParam));
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    CDlgEMapTree* tree = nullptr;
    CDlgViewEMap* view = nullptr;
};

// More than a few colours in the middle of the window: a live picture, not a black area.
bool ShowsPicture(HWND window)
{
    Capture shot = CaptureWindow(window);
    RECT client;
    ::GetClientRect(window, &client);
    COLORREF first = shot.Pixel(client.right / 2, client.bottom / 2);
    int differing = 0;
    for (int y = 8; y < client.bottom - 8; y += 7) {
        for (int x = 8; x < client.right - 8; x += 7)
            differing += shot.Pixel(x, y) != first;
    }
    return differing > 20;
}

CVuskEMapDev* AddDevice(CVuskEMapTerm* scene, int kind, int serverId, int index, int x, int y)
{
    CVuskEMapDev* device = new CVuskEMapDev;
    device->m_kind = kind;
    device->m_serverId = serverId;
    device->m_index = index;
    device->m_x = x;
    device->m_y = y;
    device->m_pScene = scene;
    scene->m_devices.AddTail(device);
    return device;
}

CEMapIcon* IconOf(CDlgEMapCanvas& canvas, CVuskEMapDev* device)
{
    for (int i = 0; i < canvas.m_icons.GetSize(); ++i) {
        if (canvas.m_icons[i]->m_pDevice == device)
            return canvas.m_icons[i];
    }
    return nullptr;
}

} // namespace

TEST(EMapLive, AMotionAlarmOpensTheMapAndThePopupShowsTheCamera)
{
    TempDir dir(true);
    SetStartDirectory(dir.Path().c_str());
    CopyStationSkin(dir.Path());
    LiveWallSite site;
    ASSERT_TRUE(site.Start(dir.Path()));
    MapSiteWindows windows;
    IStationWindows* previous = SetStationWindows(&windows);
    g_pSysParam->m_alarmAction = 2; // show on the map
    auto run = [&](DWORD ms) {
        DWORD start = GetTickCount();
        do {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            PumpMessages();
            windows.Deliver();
        } while (GetTickCount() - start < ms);
    };
    auto waitFor = [&](const std::function<bool()>& done) {
        return WaitUntil([&] {
            run(10);
            return done();
        });
    };

    // Site1's sessions are live; Site2's are not, so its camera's pop-up needs a channel of its own.
    for (int i = 0; i < 4; ++i)
        site.sessions[i]->Connect(1, 0);
    ASSERT_TRUE(waitFor([&] {
        int connected = 0;
        for (int i = 0; i < 4; ++i)
            connected += site.sessions[i]->m_state == sessionConnected;
        return connected == 4;
    }));
    std::string liveClients = site.devsim.State("Site1", "clients");

    std::string plan = ProgramDirectory() + "\\..\\..\\resources\\warden\\startdir\\emap\\lobby.bmp";
    g_pEMapGroup = new CVuskEMapGroup;
    CVuskEMapTerm* lobby = g_pEMapGroup->AddScene("大厅", nullptr);
    lobby->m_mapPath = plan.c_str();
    AddDevice(lobby, emapAlarmInput, 1, 0, 300, 120);
    CVuskEMapDev* camera = AddDevice(lobby, emapCamera, 1, 1, 120, 90);
    CVuskEMapTerm* store = g_pEMapGroup->AddScene("仓库", lobby);
    store->m_mapPath = plan.c_str();
    CVuskEMapDev* remote = AddDevice(store, emapCamera, 2, 0, 60, 60);
    g_pEMapGroup->LinkAll();
    CChannelSession* session = site.sessions[1];
    ASSERT_EQ(camera, session->m_pCamera->m_pEMapDev);

    MapHost host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 700,
                              500, nullptr, nullptr));
    CDlgViewEMap* view = new CDlgViewEMap;
    ASSERT_TRUE(view->CreateView(&host, WS_CHILD | WS_BORDER | WS_VISIBLE));
    view->MoveWindow(200, 0, 480, 400);
    CDlgEMapTree tree(view);
    ASSERT_TRUE(tree.Create(CDlgEMapTree::IDD, &host));
    tree.MoveWindow(0, 0, 200, 400);
    tree.Refill();
    tree.ShowWindow(SW_HIDE);
    view->ShowWindow(SW_HIDE);
    host.tree = &tree;
    host.view = view;
    windows.tree = &tree;

    ASSERT_TRUE(site.devsim.Ok("motion Site1 1"));
    ASSERT_TRUE(waitFor([&] {
        session->OnTimerTick();
        return view->m_popups.GetSize() == 1;
    }));
    EXPECT_EQ(1, windows.opened);
    EXPECT_EQ(1, tree.m_shown);
    EXPECT_EQ(lobby, view->m_pScene);
    EXPECT_EQ((DWORD_PTR)camera, tree.m_tree.GetItemData(tree.m_tree.GetSelectedItem()));
    CEMapIcon* icon = IconOf(view->m_canvas, camera);
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ(1, icon->m_selected);
    EXPECT_EQ(1, camera->m_alarmState);
    int shown = icon->m_shown;
    view->m_canvas.BlinkIcons();
    EXPECT_NE(shown, icon->m_shown) << "the alarmed icon blinks";

    CDlgEMapVideo* popup = view->m_popups[0];
    EXPECT_EQ(camera, popup->m_pDevice);
    run(100);
    EXPECT_EQ(0, popup->m_ownStream) << "the session's picture is borrowed";
    EXPECT_TRUE(waitFor([&] { return ShowsPicture(popup->m_videoArea.m_hWnd); }));
    EXPECT_EQ(liveClients, site.devsim.State("Site1", "clients")) << "no second client";

    // The strip, then a second alarm on the same camera while the tree has the focus.
    popup->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(popup->IsStripVisible());
    run(300);
    popup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    run(200);
    SavePng(CaptureWindow(popup->m_hWnd), ScreenshotPath("emap-popup"));
    tree.m_tree.SetFocus();
    ASSERT_TRUE(site.devsim.Ok("motion Site1 1"));
    EXPECT_TRUE(waitFor([&] {
        session->OnTimerTick();
        HWND focus = ::GetFocus();
        return focus == popup->m_hWnd || ::IsChild(popup->m_hWnd, focus);
    })) << "the open pop-up takes the focus";
    EXPECT_EQ(1, view->m_popups.GetSize());

    // "自动" twice (start, then stop), then "转到" with an empty preset number.
    ASSERT_TRUE(site.devsim.Ok("ptz-clear Site1"));
    CWnd* autoButton = popup->GetDlgItem(IDC_EMAP_AUTO);
    for (int i = 0; i < 2; ++i) {
        autoButton->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        autoButton->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    popup->SetDlgItemText(IDC_EMAP_PRESET, "");
    CWnd* gotoButton = popup->GetDlgItem(IDC_EMAP_GOTO_PRESET);
    gotoButton->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    gotoButton->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(WaitUntil([&] { return site.devsim.Command("ptz Site1") == "ok 3 1:12:0 1:32:0 1:10:0"; }))
        << site.devsim.Command("ptz Site1");

    popup->SendMessage(WM_CLOSE);
    run(100);
    EXPECT_EQ(0, view->m_popups.GetSize());
    EXPECT_EQ(0, session->m_previewOn) << "the picture is given back";
    EXPECT_EQ(sessionConnected, session->m_state) << "the session itself stays";
    EXPECT_EQ(liveClients, site.devsim.State("Site1", "clients"));

    // Site2's camera: its own channel, one client, gone with the window.
    tree.ShowDevice(remote);
    run(50);
    EXPECT_EQ(store, view->m_pScene);
    ASSERT_EQ(1, view->m_popups.GetSize());
    popup = view->m_popups[0];
    EXPECT_TRUE(waitFor([&] { return popup->m_ownConnected == 1; }));
    EXPECT_EQ(1, popup->m_ownStream);
    EXPECT_EQ("1", site.devsim.State("Site2", "clients"));
    popup->SendMessage(WM_CLOSE);
    run(100);
    EXPECT_EQ(0, view->m_popups.GetSize());
    EXPECT_TRUE(site.devsim.WaitState("Site2", "clients", "0", 5000));

    host.DestroyWindow(); // the view and the tree with it
    PumpMessages();
    delete g_pEMapGroup;
    g_pEMapGroup = nullptr;
    SetStationWindows(previous);
    site.Stop();
}
