// The electronic map: its rules, the canvas with its icons and links, the scene tree's alarm path,
// the editor, the device chooser and the pop-up video's reconnection.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "devices/conduit/Conduit.h"
#include "framework/WindowSeams.h"
#include "resources/warden/resource.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskEMapDev.h"
#include "station/core/datamodel/VuskEMapGroup.h"
#include "station/core/datamodel/VuskEMapTerm.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/ui/emap/DlgEMapCanvas.h"
#include "station/ui/emap/DlgEMapDevSelect.h"
#include "station/ui/emap/DlgEMapTree.h"
#include "station/ui/emap/DlgEMapVideo.h"
#include "station/ui/emap/DlgEditEMap.h"
#include "station/ui/emap/DlgViewEditMap.h"
#include "station/ui/emap/DlgViewEMap.h"
#include "station/ui/emap/EMapIcon.h"
#include "station/ui/emap/EMapLink.h"
#include "station/ui/emap/EMapMessages.h"
#include "station/ui/emap/EMapRules.h"
#include "station/ui/emap/EMapSceneTree.h"
#include "tests/station/mainwindow/MainTestSupport.h"
#include "tests/support/TestBitmap.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

TEST(EMapRules, DraggingStaysInsideThePicture)
{
    struct Case {
        int start, travel, canvas, window, expected;
    } cases[] = {
        {10, 25, 400, 32, 35}, {10, 1000, 400, 32, 368}, // stops at the right edge
        {10, -50, 400, 32, 0}, {0, 0, 400, 32, 0},       // and at 0
        {10, 5, 20, 32, -12},                            // wider than the picture: the upper limit wins
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ClampDragPosition(c.start, c.travel, c.canvas, c.window)) << c.start << "+" << c.travel;
}

TEST(EMapRules, LinksBlinkingAndTheContextMenu)
{
    EXPECT_EQ(68, LinkWidthForName("会议室一")) << "four GBK characters are 8 bytes";
    EXPECT_EQ(4, LinkWidthForName(""));

    struct Blink {
        int kind, alarm, shown, next;
    } blinks[] = {
        {emapCamera, 1, 0, 1},      {emapCamera, 1, 1, 0},      {emapCamera, 0, 1, 0},      {emapAlarmInput, 1, 0, 1},
        {emapAlarmOutput, 1, 1, 1}, {emapAlarmOutput, 1, 0, 1}, {emapAlarmOutput, 0, 1, 0},
    };
    for (const Blink& b : blinks)
        EXPECT_EQ(b.next, NextBlinkState(b.kind, b.alarm, b.shown)) << b.kind << " " << b.alarm << " " << b.shown;

    auto enabled = [](EMapMenuTarget target) {
        std::vector<UINT> ids;
        for (const UINT* id = EnabledMapCommands(target); *id != 0; ++id)
            ids.push_back(*id);
        return ids;
    };
    EXPECT_EQ(std::vector<UINT>({IDM_EMAP_ADD_SCENE}), enabled(emapMenuEmptyTree));
    EXPECT_TRUE(enabled(emapMenuNoSelection).empty()) << "the menu does not open";
    EXPECT_EQ(std::vector<UINT>({IDM_EMAP_DELETE_DEVICE}), enabled(emapMenuCamera));
    EXPECT_EQ(std::vector<UINT>({IDM_EMAP_RENAME, IDM_EMAP_DELETE_DEVICE}), enabled(emapMenuInputOrOutput));
    EXPECT_EQ(4u, enabled(emapMenuSceneWithoutPicture).size());
    EXPECT_EQ(7u, enabled(emapMenuSceneWithPicture).size());
}

TEST(EMapRules, MaskRunsAndThePopupsNumbers)
{
    const DWORD W = 0xFFFFFF, B = 0;
    const DWORD mask[] = {W, B, B, W, //
                          B, W, B, B};
    std::vector<RECT> runs = BlackRuns(mask, 4, 2);
    ASSERT_EQ(3u, runs.size());
    EXPECT_EQ(1, runs[0].left);
    EXPECT_EQ(3, runs[0].right);
    EXPECT_EQ(0, runs[1].left);
    EXPECT_EQ(1, runs[1].right);
    EXPECT_EQ(2, runs[2].left);
    EXPECT_EQ(4, runs[2].right);
    EXPECT_EQ(1, runs[2].top);
    EXPECT_TRUE(BlackRuns(nullptr, 4, 2).empty());

    POINT big = PopupPosition(12345, 678, SIZE{800, 600}, SIZE{900, 700});
    EXPECT_EQ(0, big.x) << "no positive range: the window goes to 0";
    EXPECT_EQ(0, big.y);
    POINT some = PopupPosition(1000, 1000, SIZE{800, 600}, SIZE{540, 400});
    EXPECT_EQ(1000 % 260, some.x);
    EXPECT_EQ(1000 % 200, some.y);

    struct Codes {
        UINT id;
        BOOL autoChecked;
        int press, release;
    } codes[] = {
        {IDC_EMAP_LEFT, 0, 0, 14},         {IDC_EMAP_DOWN, 0, 3, 17},        {IDC_EMAP_IRIS_OPEN, 0, 4, 18},
        {IDC_EMAP_ZOOM_OUT, 0, 9, 23},     {IDC_EMAP_AUTO, 0, 12, -1},       {IDC_EMAP_AUTO, 1, 32, -1},
        {IDC_EMAP_GOTO_PRESET, 0, 10, -1}, {IDC_EMAP_SET_PRESET, 0, 11, -1}, {IDC_EMAP_VIDEO, 0, -1, -1},
    };
    for (const Codes& c : codes) {
        PopupPtzCodes got = PopupButtonCodes(c.id, c.autoChecked);
        EXPECT_EQ(c.press, got.onPress) << c.id;
        EXPECT_EQ(c.release, got.onRelease) << c.id;
    }
    EXPECT_EQ(255, PresetNumberFromText("255"));
    EXPECT_EQ(0, PresetNumberFromText(""));
    EXPECT_EQ(255, PresetNumberFromText("999"));

    PopupControlPlace places[20];
    int count = PopupStripPlaces(540, 400, places, 20);
    EXPECT_EQ(18, count);
    EXPECT_EQ(IDC_EMAP_UP, places[0].id);
    EXPECT_EQ(280, places[0].y);
    // a = 30, b = 380: the zoom "-" button.
    EXPECT_EQ(IDC_EMAP_ZOOM_OUT, places[14].id);
    EXPECT_EQ(460, places[14].x);
}

namespace {

CTermCamera* AddCamera(CTermServer* server, int channel, bool withSession, bool disabled = false)
{
    CTermCamera* camera = new CTermCamera;
    camera->m_channel = channel;
    camera->m_name.Format("通道%d", channel + 1);
    camera->m_disabled = disabled ? 1 : 0;
    camera->m_pServer = server;
    server->m_cameras.AddTail(camera);
    if (withSession) {
        camera->m_pSession = new CChannelSession;
        camera->m_pSession->m_pCamera = camera;
    }
    return camera;
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

// A start directory with the icon pictures, a 400 x 300 plan, a server of four cameras (channel 2
// disabled) and a map: scene "大厅" with cameras 0 and 2, input 1 and output 0, and the child
// scene "会议室一" with camera 1.
class EMapWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetStartDirectory(dir_.Path().c_str());
        ::CreateDirectoryA(dir_.File("skin").c_str(), nullptr);
        const char* kinds[] = {"cam", "sensor", "output"};
        for (const char* kind : kinds) {
            std::string base = dir_.File("skin\\emap_") + kind;
            WriteBitmap(base + ".bmp", 32, 24, [](int, int) { return RGB(0, 0, 255); });
            WriteBitmap(base + "_push.bmp", 32, 24, [](int, int) { return RGB(255, 0, 0); });
            // The shape: the left 20 columns.
            WriteBitmap(base + "_area.bmp", 32, 24,
                        [](int x, int) { return x < 20 ? RGB(0, 0, 0) : RGB(255, 255, 255); });
        }
        plan_ = dir_.File("plan.bmp");
        WriteBitmap(plan_, 400, 300, [](int x, int y) { return RGB(200 + x % 40, 220, 200 + y % 40); });

        Conduit_Init(0, 0, 0, 0);
        g_pRecGroup = new CRecGroup;
        g_pRecGroup->m_rootCaption = "工程";
        CTermData* group = g_pRecGroup->AddGroup(nullptr, "分组");
        server_ = new CTermServer;
        server_->m_id = 7;
        server_->m_name = "S";
        server_->m_address = "127.0.0.1";
        server_->m_port = 1; // nobody listens
        server_->m_pParent = group;
        group->m_servers.AddTail(server_);
        for (int channel = 0; channel < 4; ++channel)
            AddCamera(server_, channel, channel != 3, channel == 2);

        g_pEMapGroup = new CVuskEMapGroup;
        lobby_ = g_pEMapGroup->AddScene("大厅", nullptr);
        lobby_->m_mapPath = plan_.c_str();
        camera0_ = AddDevice(lobby_, emapCamera, 7, 0, 50, 40);
        disabled_ = AddDevice(lobby_, emapCamera, 7, 2, 120, 40);
        input_ = AddDevice(lobby_, emapAlarmInput, 7, 1, 200, 100);
        output_ = AddDevice(lobby_, emapAlarmOutput, 7, 0, 300, 200);
        room_ = g_pEMapGroup->AddScene("会议室一", lobby_);
        room_->m_mapPath = plan_.c_str();
        room_->m_x = 100;
        room_->m_y = 250;
        camera1_ = AddDevice(room_, emapCamera, 7, 1, 10, 10);
        g_pEMapGroup->LinkAll();

        host_.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 700, 500,
                       nullptr, nullptr);
    }

    void TearDown() override
    {
        if (host_.m_hWnd != nullptr)
            host_.DestroyWindow();
        PumpMessages();
        delete g_pEMapGroup;
        g_pEMapGroup = nullptr;
        delete g_pRecGroup;
        g_pRecGroup = nullptr;
        Conduit_Cleanup();
        CurrentUser().Clear();
    }

    // The run view in the host window, its tree beside it.
    CDlgViewEMap* MakeRunView(CDlgEMapTree& tree)
    {
        CDlgViewEMap* view = new CDlgViewEMap;
        EXPECT_TRUE(view->CreateView(&host_, WS_CHILD | WS_BORDER | WS_VISIBLE));
        view->MoveWindow(200, 0, 480, 400);
        tree.m_pView = view;
        EXPECT_TRUE(tree.Create(CDlgEMapTree::IDD, &host_));
        tree.MoveWindow(0, 0, 200, 400);
        tree.Refill();
        return view;
    }

    CEMapIcon* IconOf(CDlgEMapCanvas& canvas, CVuskEMapDev* device)
    {
        for (int i = 0; i < canvas.m_icons.GetSize(); ++i) {
            if (canvas.m_icons[i]->m_pDevice == device)
                return canvas.m_icons[i];
        }
        return nullptr;
    }

    TempDir dir_{true};
    std::string plan_;
    CWnd host_;
    CTermServer* server_ = nullptr;
    CVuskEMapTerm* lobby_ = nullptr;
    CVuskEMapTerm* room_ = nullptr;
    CVuskEMapDev* camera0_ = nullptr;
    CVuskEMapDev* camera1_ = nullptr;
    CVuskEMapDev* disabled_ = nullptr;
    CVuskEMapDev* input_ = nullptr;
    CVuskEMapDev* output_ = nullptr;
};

// A screen pixel with what it shows, for a table of them.
struct ExpectedPixel {
    int x, y;
    COLORREF expected;
    const char* what;
};

void ExpectPixels(const Capture& shot, std::initializer_list<ExpectedPixel> pixels)
{
    for (const ExpectedPixel& p : pixels)
        EXPECT_EQ(p.expected, shot.Pixel(p.x, p.y)) << p.what;
}

} // namespace

TEST_F(EMapWindows, ASceneShowsItsDevicesAndLinksAndBlinksAlarms)
{
    CDlgEMapTree tree;
    CDlgViewEMap* view = MakeRunView(tree);
    CDlgEMapCanvas& canvas = view->m_canvas;

    CVuskEMapTerm missing;
    missing.m_mapPath = dir_.File("none.bmp").c_str();
    EXPECT_EQ(0, canvas.LoadScene(&missing));
    EXPECT_EQ(0, canvas.m_icons.GetSize());
    EXPECT_EQ(0u, canvas.m_blinkTimer) << "no picture, no timer";

    ASSERT_EQ(1, view->ShowScene(lobby_));
    EXPECT_EQ(1, view->ShowScene(lobby_)) << "already current";
    ASSERT_EQ(4, canvas.m_icons.GetSize());
    ASSERT_EQ(1, canvas.m_links.GetSize());
    EXPECT_NE(0u, canvas.m_blinkTimer);
    EXPECT_EQ(400, canvas.m_pictureWidth);

    CEMapIcon* icon = IconOf(canvas, camera0_);
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ(icon, camera0_->m_pIcon);
    CRect rect;
    icon->GetWindowRect(&rect);
    canvas.ScreenToClient(&rect);
    EXPECT_EQ(CRect(50, 40, 82, 64), rect) << "at the device's place, at the picture's size";
    CRect shape;
    EXPECT_NE(ERROR, ::GetWindowRgnBox(icon->m_hWnd, &shape));
    EXPECT_EQ(CRect(0, 0, 20, 24), shape) << "the mask's black pixels only";
    for (CWnd* item : {(CWnd*)icon, (CWnd*)canvas.m_links[0]}) {
        EXPECT_TRUE(item->IsWindowVisible());
        EXPECT_EQ(1000, item->GetDlgCtrlID());
        EXPECT_NE(0u, ::GetClassLongA(item->m_hWnd, GCL_STYLE) & CS_DBLCLKS) << "a double-click activates it";
    }
    EXPECT_STREQ("大厅", (LPCSTR)lobby_->m_name);
    EXPECT_FALSE(disabled_->IsBound());
    EXPECT_FALSE(IconOf(canvas, disabled_)->m_caption.IsEmpty()) << "a disabled camera's device keeps its caption";

    CEMapLink* link = canvas.m_links[0];
    link->GetWindowRect(&rect);
    EXPECT_EQ(68, rect.Width());
    EXPECT_EQ(20, rect.Height());

    camera0_->SetAlarm(1);
    disabled_->m_alarmState = 1;
    output_->SetAlarm(1);
    canvas.BlinkIcons();
    EXPECT_EQ(1, icon->m_shown);
    EXPECT_EQ(0, IconOf(canvas, disabled_)->m_shown) << "an unbound device never blinks";
    EXPECT_EQ(1, IconOf(canvas, output_)->m_shown);
    canvas.BlinkIcons();
    EXPECT_EQ(0, icon->m_shown) << "a second later the normal picture";
    EXPECT_EQ(1, IconOf(canvas, output_)->m_shown) << "an output does not blink";
    camera0_->SetAlarm(0);
    canvas.BlinkIcons();
    canvas.BlinkIcons();
    EXPECT_EQ(0, icon->m_shown);
    PumpMessages();
    SavePng(CaptureWindow(host_.m_hWnd), ScreenshotPath("emap-run-view"));
    Capture shot = CaptureWindow(canvas.m_hWnd);
    EXPECT_EQ(RGB(220, 220, 230), shot.Pixel(100, 150)) << "the plan under the icons";

    view->ClearScene();
    EXPECT_EQ(nullptr, camera0_->m_pIcon) << "the device lets go of the icon window with it";
    EXPECT_EQ(0, canvas.m_icons.GetSize());
    EXPECT_EQ(50, camera0_->m_x) << "the run view writes no positions";
}

// Icons of one kind share their pictures and their shape's data, yet each window has a shape of its
// own and paints its own state; a cleared scene leaves the canvas shown and bare.
TEST_F(EMapWindows, IconsOfOneKindShareTheirPicturesButShapeAndPaintAlone)
{
    CVuskEMapDev* camera1 = AddDevice(lobby_, emapCamera, 7, 1, 50, 140);
    g_pEMapGroup->LinkAll();
    CDlgEMapTree tree;
    CDlgViewEMap* view = MakeRunView(tree);
    CDlgEMapCanvas& canvas = view->m_canvas;
    ASSERT_EQ(1, view->ShowScene(lobby_));
    ASSERT_TRUE(camera1->IsBound());
    camera0_->SetAlarm(1);
    canvas.BlinkIcons();
    PumpMessages();
    Capture shot = CaptureWindow(canvas.m_hWnd);
    ExpectPixels(shot, {
                           {55, 45, RGB(255, 0, 0), "the camera in alarm shows its alarm picture"},
                           {55, 145, RGB(0, 0, 255), "the other camera its normal one"},
                           {50, 45, RGB(0, 0, 255), "the frame on the shape's left edge"},
                           {75, 45, RGB(200 + 75 % 40, 220, 200 + 45 % 40), "the plan beside the shape"},
                           {75, 145, RGB(200 + 75 % 40, 220, 200 + 145 % 40), "and beside the other's"},
                       });

    canvas.RemoveIcon(camera0_);
    CRect shape;
    ASSERT_NE(nullptr, IconOf(canvas, camera1));
    EXPECT_NE(ERROR, ::GetWindowRgnBox(IconOf(canvas, camera1)->m_hWnd, &shape));
    EXPECT_EQ(CRect(0, 0, 20, 24), shape) << "the other icon keeps a shape of its own";

    view->ClearScene();
    PumpMessages();
    EXPECT_NE(0u, canvas.GetStyle() & WS_VISIBLE) << "the canvas draws again after its windows went";
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), CaptureWindow(canvas.m_hWnd).Pixel(55, 145)) << "and shows no icon";
}

// The canvas draws a scene's icons with its picture and spares their windows a paint of their own;
// the screen shows what each icon paints itself: overlapping icons, a selected one, one in alarm,
// an icon over the link and one under it (made after it).
TEST_F(EMapWindows, TheCanvasPaintsItsIconsAsTheyPaintThemselves)
{
    AddDevice(lobby_, emapCamera, 7, 1, 60, 50); // under the first camera's lower right
    CVuskEMapDev* overLink = AddDevice(lobby_, emapAlarmInput, 7, 1, 110, 240);
    g_pEMapGroup->LinkAll();
    CDlgEMapTree tree;
    CDlgViewEMap* view = MakeRunView(tree);
    CDlgEMapCanvas& canvas = view->m_canvas;
    ASSERT_EQ(1, view->ShowScene(lobby_));
    CVuskEMapDev* underLink = AddDevice(lobby_, emapCamera, 7, 1, 150, 255);
    canvas.AddIcon(underLink);
    camera0_->SetAlarm(1);
    canvas.BlinkIcons();
    canvas.SelectDevice(input_);
    PumpMessages();

    canvas.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    canvas.SendMessage(WM_PAINT);
    for (int i = 0; i < canvas.m_icons.GetSize(); ++i) {
        CEMapIcon* icon = canvas.m_icons[i];
        bool byLink = icon->m_pDevice == overLink || icon->m_pDevice == underLink;
        EXPECT_EQ(byLink, icon->GetUpdateRect(nullptr) != FALSE) << "icon " << i << ": only a link's neighbours wait";
    }
    canvas.UpdateWindow();
    Capture byCanvas = CaptureWindow(canvas.m_hWnd);
    for (int i = 0; i < canvas.m_icons.GetSize(); ++i)
        canvas.m_icons[i]->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Capture byIcons = CaptureWindow(canvas.m_hWnd);

    ASSERT_EQ(byIcons.width, byCanvas.width);
    ASSERT_EQ(byIcons.height, byCanvas.height);
    int differing = 0;
    for (int y = 0; y < byIcons.height; ++y) {
        for (int x = 0; x < byIcons.width; ++x) {
            if (byCanvas.Pixel(x, y) != byIcons.Pixel(x, y) && differing++ == 0)
                ADD_FAILURE() << "first differing pixel (" << x << ", " << y << ")";
        }
    }
    EXPECT_EQ(0, differing);
    ExpectPixels(byCanvas,
                 {
                     {65, 55, RGB(255, 0, 0), "the upper icon (in alarm) where two overlap"},
                     {72, 55, RGB(0, 0, 255), "the lower beside the upper's shape"},
                     {200, 105, RGB(255, 0, 0), "the selected icon's frame"},
                     {115, 255, RGB(0, 0, 255), "the icon over the link"},
                     {165, 266, RGB(200 + 165 % 40, 220, 200 + 266 % 40), "the plan through the link over an icon"},
                 });
}

TEST_F(EMapWindows, EditorDragsStayOnThePictureAndReachTheMap)
{
    CDlgEMapCanvas canvas(1);
    ASSERT_TRUE(canvas.Create(CDlgEMapCanvas::IDD, &host_));
    canvas.MoveWindow(0, 0, 400, 300);
    ASSERT_EQ(1, canvas.LoadScene(lobby_));
    EXPECT_EQ(0u, canvas.m_blinkTimer) << "the editor does not blink";
    CEMapIcon* icon = IconOf(canvas, input_);
    ASSERT_NE(nullptr, icon);
    icon->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(1, icon->m_selected);
    icon->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1000, 900));
    EXPECT_EQ(400 - 32, icon->m_x);
    EXPECT_EQ(300 - 24, icon->m_y);
    icon->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((WORD)-1000, (WORD)-900));
    EXPECT_EQ(0, icon->m_x);
    EXPECT_EQ(0, icon->m_y);
    icon->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(35, 25));
    EXPECT_EQ(30, icon->m_x) << "the mouse's travel from where the drag began";
    EXPECT_EQ(20, icon->m_y);
    icon->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(35, 25));
    icon->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(200, 200));
    EXPECT_EQ(30, icon->m_x) << "after the release the icon stays";

    CEMapLink* link = canvas.m_links[0];
    link->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(0, icon->m_selected) << "pressing another item deselects the rest";
    link->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1000, 0));
    link->SendMessage(WM_LBUTTONUP, 0, 0);

    canvas.Clear();
    EXPECT_EQ(30, input_->m_x);
    EXPECT_EQ(20, input_->m_y);
    EXPECT_EQ(32, input_->m_width);
    EXPECT_EQ(400 - 68, room_->m_x) << "a link's place reaches its scene";
    canvas.DestroyWindow();
}

TEST_F(EMapWindows, AlarmPathSelectsTheCameraAndStaleActivationsAreIgnored)
{
    CurrentUser().rights[5] = 1;
    CDlgEMapTree tree;
    CDlgViewEMap* view = MakeRunView(tree);
    tree.ShowEMap(1);
    EXPECT_EQ(lobby_, view->m_pScene) << "showing the map loads the first scene";

    tree.ShowDevice(camera1_);
    EXPECT_EQ(room_, view->m_pScene) << "the camera's scene, a child scene";
    HTREEITEM selected = tree.m_tree.GetSelectedItem();
    EXPECT_EQ((DWORD_PTR)camera1_, tree.m_tree.GetItemData(selected));
    EXPECT_EQ(1, IconOf(view->m_canvas, camera1_)->m_selected);
    MSG message;
    ASSERT_TRUE(::PeekMessageA(&message, host_.m_hWnd, WM_EMAP_ACTIVATE, WM_EMAP_ACTIVATE, PM_REMOVE));
    EXPECT_EQ((WPARAM)camera1_, message.wParam);
    EXPECT_EQ(emapActivateDevice, (int)message.lParam);

    tree.ShowDevice(input_);
    EXPECT_FALSE(::PeekMessageA(&message, host_.m_hWnd, WM_EMAP_ACTIVATE, WM_EMAP_ACTIVATE, PM_REMOVE))
        << "inputs have no item to match";

    // A link activation posted before the scene changed.
    view->ShowScene(lobby_);
    CEMapLink* staleLink = view->m_canvas.m_links[0];
    view->ShowScene(room_);
    tree.Activate((WPARAM)staleLink, emapActivateLink);
    EXPECT_EQ(room_, view->m_pScene);
    // A stale link's memory may hold an icon by now: an icon named as a link is no link.
    tree.Activate((WPARAM)IconOf(view->m_canvas, camera1_), emapActivateLink);
    EXPECT_EQ(room_, view->m_pScene);

    tree.Activate((WPARAM)camera0_, emapActivateDevice);
    ASSERT_EQ(1, view->m_popups.GetSize());
    tree.Activate((WPARAM)camera0_, emapActivateDevice);
    EXPECT_EQ(1, view->m_popups.GetSize()) << "a second activation focuses the open pop-up";
    tree.Activate((WPARAM)disabled_, emapActivateDevice);
    tree.Activate((WPARAM)input_, emapActivateDevice);
    EXPECT_EQ(1, view->m_popups.GetSize()) << "neither an unbound camera nor an input opens one";

    view->RemovePopup(view->m_popups[0]);
    EXPECT_EQ(0, view->m_popups.GetSize());
    tree.ShowEMap(0);
    EXPECT_EQ(nullptr, view->m_pScene);
    EXPECT_EQ(0, view->m_canvas.m_icons.GetSize());
}

TEST_F(EMapWindows, PopupOwnStreamRetriesAfterAPause)
{
    CTermCamera* camera = server_->FindCamera(3); // no session: the pop-up opens its own channel
    CVuskEMapDev device;
    device.m_kind = emapCamera;
    device.m_pServer = server_;
    device.m_caption = "S:通道4";
    CDlgEMapVideo popup(&device, camera);
    ASSERT_TRUE(popup.Create(CDlgEMapVideo::IDD, &host_));
    popup.ShowWindow(SW_SHOW);
    PumpMessages();
    EXPECT_EQ(1, popup.m_ownStream);
    int first = popup.m_ownHandle;
    EXPECT_NE(-1, first);
    EXPECT_FALSE(popup.IsStripVisible()) << "without the PTZ right the strip stays hidden";

    popup.SendMessage(WM_STREAM_CONNECT_RESULT, 1, -3);
    EXPECT_EQ(-1, popup.m_ownHandle) << "not at once: an unreachable server is not flooded";
    EXPECT_EQ(0, popup.m_ownConnected);
    popup.SendMessage(WM_TIMER, CDlgEMapVideo::kReconnectTimer, 0);
    EXPECT_NE(-1, popup.m_ownHandle) << "it retries once the pause is over";

    popup.SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(10, 10));
    EXPECT_FALSE(popup.IsStripVisible());
    CurrentUser().rights[7] = 1;
    CRect before;
    popup.GetWindowRect(&before);
    popup.SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(popup.IsStripVisible());
    CRect after;
    popup.GetWindowRect(&after);
    EXPECT_EQ(before.Height() + 125, after.Height());
    popup.DestroyWindow();
    EXPECT_EQ(-1, popup.m_ownHandle);
}

TEST_F(EMapWindows, ChooserOffersFreeDevicesByTheirChannel)
{
    // The server's list out of channel order: a leaf must carry the channel, not the position.
    CTermCamera* late = AddCamera(server_, 5, true);
    server_->m_cameras.RemoveAt(server_->m_cameras.Find(late));
    server_->m_cameras.AddHead(late);

    CDlgEditEMap editor;
    CDlgEMapDevSelect cameras(&editor, emapCamera, nullptr);
    ASSERT_TRUE(cameras.Create(CDlgEMapDevSelect::IDD, &host_));
    cameras.FillTree();
    HTREEITEM server = cameras.m_tree.GetChildItem(cameras.m_tree.GetChildItem(cameras.m_tree.GetRootItem()));
    ASSERT_NE(nullptr, server);
    std::vector<DWORD_PTR> offered;
    for (HTREEITEM leaf = cameras.m_tree.GetChildItem(server); leaf; leaf = cameras.m_tree.GetNextSiblingItem(leaf))
        offered.push_back(cameras.m_tree.GetItemData(leaf));
    // 0 and 1 are on the map, 2 disabled, 3 without a session.
    EXPECT_EQ(std::vector<DWORD_PTR>({5}), offered);
    cameras.DestroyWindow();

    CDlgEMapDevSelect inputs(&editor, emapAlarmInput, nullptr);
    ASSERT_TRUE(inputs.Create(CDlgEMapDevSelect::IDD, &host_));
    inputs.FillTree();
    server = inputs.m_tree.GetChildItem(inputs.m_tree.GetChildItem(inputs.m_tree.GetRootItem()));
    std::vector<std::string> names;
    for (HTREEITEM leaf = inputs.m_tree.GetChildItem(server); leaf; leaf = inputs.m_tree.GetNextSiblingItem(leaf))
        names.push_back((LPCSTR)inputs.m_tree.GetItemText(leaf));
    EXPECT_EQ(std::vector<std::string>({"报警探头1", "报警探头3", "报警探头4"}), names);
    inputs.CheckDescendants(inputs.m_tree.GetRootItem(), TRUE);
    EXPECT_TRUE(inputs.m_tree.GetCheck(inputs.m_tree.GetChildItem(server)));
    inputs.DestroyWindow();
}

namespace {

std::vector<UINT> g_commands;
std::vector<UINT> g_menuEnabled;

UINT RecordMenu(HMENU menu, UINT, int, int, HWND)
{
    g_menuEnabled.clear();
    for (UINT id : kAllMapCommands) {
        UINT state = ::GetMenuState(menu, id, MF_BYCOMMAND);
        if (state != (UINT)-1 && !(state & (MF_GRAYED | MF_DISABLED)))
            g_menuEnabled.push_back(id);
    }
    return 0;
}

int AnswerYes(HWND, LPCSTR, LPCSTR, UINT)
{
    return IDYES;
}

// Works the editor: builds scenes by its commands, checks the context menu, closes it.
void WorkEditor(CWnd* window)
{
    CDlgEditEMap* editor = static_cast<CDlgEditEMap*>(window);
    CTreeCtrl& tree = editor->m_tree;
    NMHDR click = {tree.m_hWnd, IDC_EMAP_TREE, (UINT)NM_RCLICK};
    editor->SendMessage(WM_NOTIFY, IDC_EMAP_TREE, (LPARAM)&click);
    EXPECT_EQ(std::vector<UINT>({IDM_EMAP_ADD_SCENE}), g_menuEnabled) << "an empty map offers only a new scene";

    editor->SendMessage(WM_COMMAND, IDM_EMAP_ADD_SCENE);
    HTREEITEM first = tree.GetRootItem();
    ASSERT_NE(nullptr, first);
    EXPECT_STREQ("场景1", (LPCSTR)tree.GetItemText(first));
    tree.SelectItem(first);
    editor->SendMessage(WM_NOTIFY, IDC_EMAP_TREE, (LPARAM)&click);
    EXPECT_EQ(4u, g_menuEnabled.size()) << "a scene without a picture";
    editor->SendMessage(WM_COMMAND, IDM_EMAP_ADD_CHILD_SCENE);
    HTREEITEM child = tree.GetChildItem(first);
    ASSERT_NE(nullptr, child);
    tree.SelectItem(child);
    editor->SendMessage(WM_COMMAND, IDM_EMAP_ADD_SCENE); // on a child scene: its sibling
    tree.SelectItem(first);
    editor->SendMessage(WM_COMMAND, IDM_EMAP_ADD_SCENE); // on a top-level scene: a new top-level one
    ASSERT_NE(nullptr, tree.GetNextSiblingItem(first));
    tree.SelectItem(tree.GetNextSiblingItem(first));
    editor->SendMessage(WM_COMMAND, IDM_EMAP_DELETE_SCENE);
    editor->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
}

} // namespace

TEST_F(EMapWindows, EditorBuildsTheMapAndSavesItOnClose)
{
    delete g_pEMapGroup;
    g_pEMapGroup = new CVuskEMapGroup;
    Seams::PopupMenuFunc oldMenu = Seams::ReplacePopupMenu(RecordMenu);
    Seams::MessageBoxFunc oldBox = Seams::ReplaceMessageBox(AnswerYes);
    Seams::ModalLoopFunc oldLoop = Seams::ReplaceModalLoop(WorkEditor);
    CDlgEditEMap editor(&host_);
    editor.DoModal();
    Seams::ReplaceModalLoop(oldLoop);
    Seams::ReplaceMessageBox(oldBox);
    Seams::ReplacePopupMenu(oldMenu);

    CVuskEMapGroup saved;
    ASSERT_EQ(1, saved.Load());
    ASSERT_EQ(1, saved.m_scenes.GetCount()) << "the second top-level scene was deleted";
    CVuskEMapTerm* scene = saved.m_scenes.GetHead();
    EXPECT_STREQ("场景1", (LPCSTR)scene->m_name);
    ASSERT_EQ(2, scene->m_children.GetCount());
    EXPECT_STREQ("子场景2", (LPCSTR)scene->m_children.GetHead()->m_name);
    EXPECT_STREQ("场景3", (LPCSTR)scene->m_children.GetTail()->m_name) << "a sibling of the child scene";
}

TEST_F(EMapWindows, BadInputIsLeftOutOrShownPlainly)
{
    AddDevice(lobby_, 2, 7, 0, 10, 10); // kinds the map does not know
    AddDevice(lobby_, 99, 7, 0, 20, 20);
    g_pEMapGroup->LinkAll();
    ::DeleteFileA(dir_.File("skin\\emap_sensor_area.bmp").c_str());
    ::DeleteFileA(dir_.File("skin\\emap_output.bmp").c_str());

    CDlgEMapTree tree;
    CDlgViewEMap* view = MakeRunView(tree);
    EXPECT_EQ(7u, tree.m_tree.GetCount()) << "two scenes and five devices; unknown kinds are left out";
    ASSERT_EQ(1, view->ShowScene(lobby_));
    CDlgEMapCanvas& canvas = view->m_canvas;
    CRect shape;
    ASSERT_NE(nullptr, IconOf(canvas, input_));
    EXPECT_EQ(ERROR, ::GetWindowRgnBox(IconOf(canvas, input_)->m_hWnd, &shape)) << "no mask: a rectangular icon";
    CEMapIcon* output = IconOf(canvas, output_);
    ASSERT_NE(nullptr, output);
    CRect rect;
    output->GetClientRect(&rect);
    EXPECT_GT(rect.Width(), 0) << "no picture: the icon still shows, with its caption";

    // Alarm states beyond 0 and 1 count as an alarm.
    CEMapIcon* camera = IconOf(canvas, camera0_);
    camera0_->SetAlarm(-5);
    canvas.BlinkIcons();
    EXPECT_EQ(1, camera->m_shown);
    canvas.BlinkIcons();
    EXPECT_EQ(0, camera->m_shown);
    output_->SetAlarm(1000);
    canvas.BlinkIcons();
    EXPECT_EQ(1, output->m_shown);
    output_->SetAlarm(0);
    canvas.BlinkIcons();
    EXPECT_EQ(0, output->m_shown);
    PumpMessages();
    view->ClearScene();

    g_pRecGroup->m_rootCaption = "";
    CDlgEditEMap editor;
    CDlgEMapDevSelect chooser(&editor, emapCamera, nullptr);
    ASSERT_TRUE(chooser.Create(CDlgEMapDevSelect::IDD, &host_));
    chooser.FillTree();
    EXPECT_EQ(0u, chooser.m_tree.GetCount()) << "an empty root caption offers nothing";
    chooser.DestroyWindow();
}

namespace {

int g_chooserLeaves = 0;

// Deletes the input, then adds a camera through the chooser (photographed open) and closes.
void DeleteAndChoose(CWnd* window)
{
    if (CDlgEMapDevSelect* chooser = dynamic_cast<CDlgEMapDevSelect*>(window)) {
        CTreeCtrl& tree = chooser->m_tree;
        HTREEITEM server = tree.GetChildItem(tree.GetChildItem(tree.GetRootItem()));
        HTREEITEM leaf = server != nullptr ? tree.GetChildItem(server) : nullptr;
        g_chooserLeaves = 0;
        for (HTREEITEM item = leaf; item; item = tree.GetNextSiblingItem(item))
            ++g_chooserLeaves;
        if (leaf != nullptr)
            tree.SetCheck(leaf, TRUE);
        chooser->GetParent()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        chooser->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        SavePng(CaptureScreen(), ScreenshotPath("emap-editor"));
        chooser->SendMessage(WM_COMMAND, IDOK);
        return;
    }
    CDlgEditEMap* editor = dynamic_cast<CDlgEditEMap*>(window);
    if (editor == nullptr)
        return;
    CTreeCtrl& tree = editor->m_tree;
    HTREEITEM lobby = tree.GetRootItem();
    tree.SelectItem(lobby);
    CDlgEMapCanvas& canvas = editor->m_pView->m_canvas;
    int icons = canvas.m_icons.GetSize();
    for (HTREEITEM item = tree.GetChildItem(lobby); item; item = tree.GetNextSiblingItem(item)) {
        if (ItemImage(tree, item) == emapImageInput) {
            tree.SelectItem(item);
            break;
        }
    }
    editor->SendMessage(WM_COMMAND, IDM_EMAP_DELETE_DEVICE);
    EXPECT_EQ(icons - 1, canvas.m_icons.GetSize()) << "the icon goes with the device";
    tree.SelectItem(lobby);
    editor->SendMessage(WM_COMMAND, IDM_EMAP_ADD_CAMERA);
    editor->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
}

} // namespace

TEST_F(EMapWindows, EditorDeletesADeviceAndAddsOneThroughTheChooser)
{
    AddCamera(server_, 5, true);
    Seams::MessageBoxFunc oldBox = Seams::ReplaceMessageBox(AnswerYes);
    Seams::ModalLoopFunc oldLoop = Seams::ReplaceModalLoop(DeleteAndChoose);
    CDlgEditEMap editor(&host_);
    editor.DoModal();
    Seams::ReplaceModalLoop(oldLoop);
    Seams::ReplaceMessageBox(oldBox);

    EXPECT_EQ(1, g_chooserLeaves) << "only the free camera is offered";
    CVuskEMapGroup saved;
    ASSERT_EQ(1, saved.Load());
    CVuskEMapTerm* scene = saved.m_scenes.GetHead();
    int inputs = 0, cameras = 0;
    for (POSITION pos = scene->m_devices.GetHeadPosition(); pos != nullptr;) {
        CVuskEMapDev* device = scene->m_devices.GetNext(pos);
        inputs += device->m_kind == emapAlarmInput;
        cameras += device->m_kind == emapCamera && device->m_index == 5;
    }
    EXPECT_EQ(0, inputs) << "the deleted input is gone";
    EXPECT_EQ(1, cameras) << "the chosen camera is on the scene";
}

namespace {

std::string g_defaultExtension;

BOOL CancelPictureDialog(BOOL, OPENFILENAMEA* ofn)
{
    g_defaultExtension = ofn->lpstrDefExt != nullptr ? ofn->lpstrDefExt : "(none)";
    return FALSE;
}

// Starts renaming the item through the menu command, types text into the tree's edit box and
// presses Escape there.
void RenameAndEscape(CDlgEditEMap* editor, HTREEITEM item, const char* text)
{
    CTreeCtrl& tree = editor->m_tree;
    tree.SelectItem(item);
    editor->SendMessage(WM_COMMAND, IDM_EMAP_RENAME);
    HWND edit = (HWND)tree.SendMessage(TVM_GETEDITCONTROL);
    ASSERT_NE(nullptr, edit);
    ::SetWindowTextA(edit, text);
    ::SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    ::SendMessageA(edit, WM_CHAR, VK_ESCAPE, 0);
    PumpMessages();
    EXPECT_EQ(nullptr, (HWND)tree.SendMessage(TVM_GETEDITCONTROL)) << "Escape ended the edit";
}

struct RenameResult {
    std::string sceneName, sceneItem, inputName, inputItem, inputCaption;
} g_rename;

// Renames the scene and the input, each cancelled with Escape; opens the picture dialog; closes.
void EscapeRenamesAndOpenThePicture(CWnd* window)
{
    CDlgEditEMap* editor = dynamic_cast<CDlgEditEMap*>(window);
    if (editor == nullptr)
        return;
    CTreeCtrl& tree = editor->m_tree;
    HTREEITEM lobby = tree.GetRootItem();
    HTREEITEM input = nullptr;
    for (HTREEITEM item = tree.GetChildItem(lobby); item; item = tree.GetNextSiblingItem(item)) {
        if (ItemImage(tree, item) == emapImageInput)
            input = item;
    }
    RenameAndEscape(editor, lobby, "改名");
    RenameAndEscape(editor, input, "新名");
    CVuskEMapTerm* scene = reinterpret_cast<CVuskEMapTerm*>(tree.GetItemData(lobby));
    CVuskEMapDev* device = reinterpret_cast<CVuskEMapDev*>(tree.GetItemData(input));
    g_rename = {(LPCSTR)scene->m_name, (LPCSTR)tree.GetItemText(lobby), (LPCSTR)device->m_name,
                (LPCSTR)tree.GetItemText(input), (LPCSTR)device->m_caption};
    tree.SelectItem(lobby);
    editor->SendMessage(WM_COMMAND, IDM_EMAP_LOAD_PICTURE);
    editor->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
}

} // namespace

// Escape while renaming a scene or a device changes nothing (the device's item shows its caption
// again); the plan's file dialog proposes the extension "bmp".
TEST_F(EMapWindows, EscapeWhileRenamingChangesNothing)
{
    const std::string inputName = (LPCSTR)input_->m_name;
    Seams::FileDialogFunc oldFile = Seams::ReplaceFileDialog(CancelPictureDialog);
    Seams::ModalLoopFunc oldLoop = Seams::ReplaceModalLoop(EscapeRenamesAndOpenThePicture);
    g_rename = RenameResult();
    g_defaultExtension.clear();
    CDlgEditEMap editor(&host_);
    editor.DoModal();
    Seams::ReplaceModalLoop(oldLoop);
    Seams::ReplaceFileDialog(oldFile);
    EXPECT_EQ("大厅", g_rename.sceneName);
    EXPECT_EQ("大厅", g_rename.sceneItem);
    EXPECT_EQ(inputName, g_rename.inputName);
    EXPECT_EQ(g_rename.inputCaption, g_rename.inputItem) << "the item shows the device's caption again";
    EXPECT_EQ("bmp", g_defaultExtension);
}

// Each scene load gives every icon one tooltip tool, and the icon's tool goes with the icon: the
// tooltip does not grow with the loads.
TEST_F(EMapWindows, TheTooltipKeepsOneToolPerIconAcrossSceneLoads)
{
    CDlgEMapCanvas canvas(0);
    ASSERT_TRUE(canvas.Create(CDlgEMapCanvas::IDD, &host_));
    auto tools = [&] { return (int)canvas.m_toolTip.SendMessage(TTM_GETTOOLCOUNT); };
    for (int load = 0; load < 3; ++load) {
        ASSERT_EQ(1, canvas.LoadScene(lobby_));
        EXPECT_EQ(canvas.m_icons.GetSize(), tools()) << "load " << load;
    }
    canvas.RemoveIcon(input_);
    EXPECT_EQ(canvas.m_icons.GetSize(), tools());
    canvas.Clear();
    EXPECT_EQ(0, tools());
    canvas.DestroyWindow();
}

namespace {

// A wall pane as far as a session sees it: it remembers whether it was told to let go.
class WallPane : public IPreviewPane {
public:
    HWND GetVideoSurface() override { return nullptr; }
    void SetSession(CChannelSession* session) override { cleared += session == nullptr; }
    void RefreshView(int) override {}
    void ResetIcons() override {}
    void ResetOnConnectFailure(int) override {}
    void SetAudioIcon(int) override {}
    void SetRecordIcon(int) override {}
    void StartAlarmBlink() override {}
    void StopAlarmBlink() override {}
    void RemoveFromPage() override {}
    void PostPaneAlarm(CChannelSession*, LPARAM) override {}
    int cleared = 0;
};

} // namespace

// A pop-up closed before its deferred start never borrowed the session's picture: it gives nothing
// back, and the wall pane that shows the camera keeps it.
TEST_F(EMapWindows, APopupClosedBeforeItsStartLeavesTheWallPaneAlone)
{
    CurrentUser().rights[5] = 1;
    CChannelSession* session = server_->FindCamera(0)->m_pSession;
    ASSERT_NE(nullptr, session);
    WallPane pane;
    session->m_pPane = &pane;
    CDlgEMapTree tree;
    CDlgViewEMap* view = MakeRunView(tree);
    tree.ShowEMap(1);
    tree.Activate((WPARAM)camera0_, emapActivateDevice);
    ASSERT_EQ(1, view->m_popups.GetSize());
    view->CloseAllPopups(); // before the deferred start is handled, as hiding the map does
    PumpMessages();
    EXPECT_EQ(&pane, session->m_pPane) << "the wall pane keeps its session";
    EXPECT_EQ(0, pane.cleared);
    session->m_pPane = nullptr;
}

// An output's icon shows its relay's state as the device's alarm changes: the map's own windows
// answer, with no video wall in the program.
TEST_F(EMapWindows, AnOutputsIconFollowsItsAlarmWithoutTheWall)
{
    CDlgEMapCanvas canvas(0);
    ASSERT_TRUE(canvas.Create(CDlgEMapCanvas::IDD, &host_));
    ASSERT_EQ(1, canvas.LoadScene(lobby_));
    CEMapIcon* icon = IconOf(canvas, output_);
    ASSERT_NE(nullptr, icon);
    ASSERT_TRUE(output_->IsBound());
    output_->SetAlarm(1);
    EXPECT_EQ(1, icon->m_shown);
    output_->SetAlarm(0);
    EXPECT_EQ(0, icon->m_shown);
    canvas.DestroyWindow();
}
