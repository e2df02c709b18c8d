// The main window's windows in-process: the owner-drawn menu, the connection window, the log-in
// checks, the main dialog's start and end, and the sessions' pass of the tick.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "framework/Seams.h"
#include "framework/WindowSeams.h"
#include "resources/warden/resource.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/UserData.h"
#include "station/core/datamodel/UserGroup.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/core/sessions/ChannelSessionLinks.h"
#include "station/ui/mainwindow/DlgConnectInfo.h"
#include "station/ui/mainwindow/DlgLogin.h"
#include "station/ui/mainwindow/DlgMain.h"
#include "station/ui/liveview/DlgMatrixPanel.h"
#include "station/ui/liveview/DlgPtzPanel.h"
#include "station/ui/mainwindow/PVMenu.h"
#include "station/ui/mainwindow/PictureLoad.h"
#include "station/ui/liveview/DlgVideoWall.h"
#include "station/ui/liveview/DlgPreviewPane.h"
#include "station/core/datamodel/VuskPage.h"
#include "station/core/datamodel/VuskPageGroup.h"
#include "station/ui/liveview/SkinButton.h"
#include "station/core/datamodel/VuskLoopGroup.h"
#include "station/core/datamodel/VuskLoopPage.h"
#include "station/ui/emap/DlgEMapTree.h"
#include "station/ui/emap/DlgViewEMap.h"
#include "station/ui/emap/EMapIcon.h"
#include "station/core/datamodel/VuskEMapDev.h"
#include "station/core/datamodel/VuskEMapGroup.h"
#include "station/core/datamodel/VuskEMapTerm.h"
#include "tests/station/mainwindow/MainTestSupport.h"
#include "tests/station/ui/LiveWallSite.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

TEST(PVMenu, CopiesNestedMenusWithStatesReadByPosition)
{
    CMenu source;
    source.CreateMenu();
    CMenu popup, nested;
    popup.CreatePopupMenu();
    nested.CreatePopupMenu();
    nested.AppendMenu(MF_STRING | MF_CHECKED, 9001, "深层");
    popup.AppendMenu(MF_STRING | MF_GRAYED, 9002, "灰色\tCtrl+G");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, 9003, "可用");
    popup.AppendMenu(MF_POPUP, (UINT_PTR)nested.Detach(), "子菜单");
    source.AppendMenu(MF_POPUP, (UINT_PTR)popup.Detach(), "系统");
    source.AppendMenu(MF_STRING, 9004, "帮助");

    CPVMenu menu;
    menu.LoadFromMenu(&source, nullptr);
    ASSERT_EQ(2, menu.GetItemCount());
    const MenuItemRecord* bar = menu.GetItem(1);
    EXPECT_EQ(22, bar->height) << "a menu bar item is its text's width and 22 high";
    HMENU copiedPopup = GetSubMenu(menu.m_hMenu, 0);
    ASSERT_NE(nullptr, copiedPopup);
    CPVMenu* sub = static_cast<CPVMenu*>(CMenu::FromHandlePermanent(copiedPopup));
    ASSERT_NE(nullptr, sub);
    ASSERT_EQ(4, sub->GetItemCount());
    EXPECT_TRUE(sub->GetItem(0)->flags & MF_GRAYED);
    EXPECT_TRUE(sub->GetItem(1)->flags & MF_SEPARATOR);
    EXPECT_EQ(7, sub->GetItem(1)->height);
    EXPECT_FALSE(sub->GetItem(2)->flags & MF_GRAYED) << "the separator's id 0 must not lend its state";
    EXPECT_TRUE(sub->GetItem(3)->flags & MF_POPUP);
    CPVMenu* deep = static_cast<CPVMenu*>(CMenu::FromHandlePermanent(GetSubMenu(copiedPopup, 3)));
    ASSERT_NE(nullptr, deep);
    EXPECT_TRUE(deep->GetItem(0)->flags & MF_CHECKED);
    EXPECT_STREQ("深层", deep->GetItem(0)->text);

    CPVMenu plain, tabbed;
    plain.CreatePopupMenu();
    plain.AppendItem("灰色", 1, 0, nullptr);
    plain.AppendItem("灰色\tCtrl+G", 2, 0, nullptr);
    EXPECT_GT(plain.GetItem(1)->width, plain.GetItem(0)->width + 15 - 1);
}

TEST(PVMenu, CutsLongTextsOnACharacterBoundary)
{
    CPVMenu menu;
    menu.CreatePopupMenu();
    std::string text = "A" + std::string("摄像机摄像机摄像机摄像机摄像机摄像机");
    menu.AppendItem(text.c_str(), 1, 0, nullptr);
    const char* kept = menu.GetItem(0)->text;
    EXPECT_LE(strlen(kept), 31u);
    EXPECT_EQ(31u, strlen(kept)) << "1 + 15 double-byte characters fit";
    menu.AppendItem(("AB" + text.substr(1)).c_str(), 2, 0, nullptr);
    EXPECT_EQ(30u, strlen(menu.GetItem(1)->text)) << "no half character at the end";
}

TEST(ConnectInfo, AccumulatesKeepsTheNewest32KAndOkEmpties)
{
    CDlgConnectInfo info;
    ASSERT_TRUE(info.Create(CDlgConnectInfo::IDD, nullptr));
    info.SetInfoText("Lobby:连接失败\r\n\r\n");
    info.SetInfoText("Parking:连接失败\r\n\r\n");
    CString shown;
    info.GetDlgItemText(IDC_CONNECT_INFO_TEXT, shown);
    EXPECT_EQ(std::string("Lobby:连接失败\r\n\r\nParking:连接失败\r\n\r\n"), std::string(shown));
    info.SendMessage(WM_COMMAND, IDOK);
    info.GetDlgItemText(IDC_CONNECT_INFO_TEXT, shown);
    EXPECT_TRUE(shown.IsEmpty());
    EXPECT_FALSE(info.IsWindowVisible());
    info.SetInfoText("Lobby:无人报警\r\n\r\n");
    info.GetDlgItemText(IDC_CONNECT_INFO_TEXT, shown);
    EXPECT_EQ(std::string("Lobby:无人报警\r\n\r\n"), std::string(shown));
    info.DestroyWindow();

    CString big = "A";
    for (int i = 0; i < 20000; ++i)
        big += "报";
    CString kept = CDlgConnectInfo::KeepNewest(big, CDlgConnectInfo::kMaxText);
    EXPECT_LE(kept.GetLength(), CDlgConnectInfo::kMaxText);
    EXPECT_EQ(0, kept.GetLength() % 2) << "starts on a whole character";
    EXPECT_EQ(std::string("报"), std::string(kept.Left(2)));

    // A report made before the window exists (the main window makes it after its first paint) is
    // shown once it is made.
    CDlgConnectInfo early;
    early.SetInfoText("Lobby:连接失败\r\n\r\n");
    ASSERT_TRUE(early.Create(CDlgConnectInfo::IDD, nullptr));
    early.GetDlgItemText(IDC_CONNECT_INFO_TEXT, shown);
    EXPECT_EQ(std::string("Lobby:连接失败\r\n\r\n"), std::string(shown));
    early.DestroyWindow();
}

// The background picture stretched on a thread of its own is the picture LoadImage gives, found where
// LoadImage would have found it when the load started.
TEST(PictureLoad, StretchesAsLoadImageDoesFromTheDirectoryOfTheStart)
{
    TempDir dir(true);
    const int width = 7, height = 5, stride = (width * 3 + 3) / 4 * 4;
    BITMAPFILEHEADER head = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    head.bfType = 0x4D42;
    head.bfOffBits = sizeof head + sizeof info;
    head.bfSize = head.bfOffBits + stride * height;
    std::string pixels(stride * height, '\0');
    for (int i = 0; i < (int)pixels.size(); ++i)
        pixels[i] = char(i * 37 + 11);
    {
        std::ofstream out(dir.File("pic.bmp"), std::ios::binary);
        out.write((const char*)&head, sizeof head);
        out.write((const char*)&info, sizeof info);
        out.write(pixels.data(), pixels.size());
    }
    HBITMAP expected =
        (HBITMAP)::LoadImageA(nullptr, "pic.bmp", IMAGE_BITMAP, 30, 22, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    ASSERT_NE(nullptr, expected);

    CPictureLoad load;
    load.Start("pic.bmp", 30, 22, LR_CREATEDIBSECTION);
    char elsewhere[MAX_PATH];
    ::GetTempPathA(sizeof elsewhere, elsewhere);
    ::SetCurrentDirectoryA(elsewhere);
    HBITMAP loaded = load.Take();
    ::SetCurrentDirectoryA(dir.Path().c_str());
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ(nullptr, load.Take()) << "handed over once";
    DIBSECTION a = {}, b = {};
    ASSERT_EQ((int)sizeof a, ::GetObjectA(expected, sizeof a, &a));
    ASSERT_EQ((int)sizeof b, ::GetObjectA(loaded, sizeof b, &b));
    EXPECT_EQ(30, b.dsBm.bmWidth);
    EXPECT_EQ(22, b.dsBm.bmHeight);
    EXPECT_EQ(a.dsBm.bmBitsPixel, b.dsBm.bmBitsPixel);
    ASSERT_EQ(a.dsBmih.biSizeImage, b.dsBmih.biSizeImage);
    EXPECT_EQ(0, memcmp(a.dsBm.bmBits, b.dsBm.bmBits, a.dsBm.bmWidthBytes * a.dsBm.bmHeight));
    ::DeleteObject(expected);
    ::DeleteObject(loaded);

    load.Start("missing.bmp", 30, 22, LR_CREATEDIBSECTION);
    EXPECT_EQ(nullptr, load.Take());
}

TEST_F(StationDirTest, LogInIgnoresCaseAndSetsTheAutomaticLogIn)
{
    g_pUserGroup = new CUserGroup;
    g_pUserGroup->Load();
    EXPECT_FALSE(CDlgLogin::LogIn("admin", "wrong", 1));
    EXPECT_TRUE(CDlgLogin::LogIn("ADMIN", "pW", 1));
    EXPECT_EQ(std::string("admin"), std::string(CurrentUser().name));
    EXPECT_EQ(1, g_pUserGroup->m_autoLogin);
    EXPECT_EQ(std::string("pw"), std::string(g_pUserGroup->m_autoLoginPassword));
    EXPECT_TRUE(CDlgLogin::MatchesCurrentUser("Admin", "PW"));
    EXPECT_FALSE(CDlgLogin::MatchesCurrentUser("Admin", ""));
    EXPECT_TRUE(CDlgLogin::LogIn("admin", "pw", 0));
    EXPECT_EQ(0, g_pUserGroup->m_autoLogin);
    delete g_pUserGroup;
    g_pUserGroup = nullptr;
}

namespace {

int g_loginDialogs = 0;
int g_treeSeen = 0;
int g_mainRan = 0;

// Cancels every log-in dialog.
void CancelLogin(CWnd* window)
{
    if (dynamic_cast<CDlgLogin*>(window) != nullptr) {
        ++g_loginDialogs;
        ((CDialog*)window)->EndDialog(IDCANCEL);
    }
    if (dynamic_cast<CDlgMain*>(window) != nullptr && g_pRecGroup != nullptr)
        g_treeSeen = 1;
}

// Ends the main dialog as the watchdog would once the station has loaded.
void ExitOnceLoaded(CWnd* window)
{
    if (dynamic_cast<CDlgLogin*>(window) != nullptr) {
        ++g_loginDialogs;
        ((CDialog*)window)->EndDialog(IDCANCEL);
        return;
    }
    if (dynamic_cast<CDlgMain*>(window) != nullptr && g_pRecGroup != nullptr && !g_mainRan) {
        g_mainRan = 1;
        window->PostMessage(WM_EXIT_REQUEST);
    }
}

struct LockResult {
    int ran = 0;
    int lockedTree = -1, lockedAlarmButton = -1, lockedMenu = -1;
    int restoredQueryButton = -1, restoredAlarmButton = -1, restoredSaveItem = -1, restoredExitItem = -1;
} g_lock;

// Once loaded: a button and a menu item disabled before the lock stay so after it; then the end.
void LockAndUnlock(CWnd* window)
{
    CDlgMain* main = dynamic_cast<CDlgMain*>(window);
    if (main == nullptr || g_pRecGroup == nullptr || g_lock.ran)
        return;
    g_lock.ran = 1;
    HMENU menu = GetMenu(main->m_hWnd);
    main->GetDlgItem(401)->EnableWindow(FALSE);
    EnableMenuItem(menu, ID_SAVE_STATE, MF_BYCOMMAND | MF_GRAYED);
    main->LockControls(0);
    g_lock.lockedTree = main->m_serverTree.IsWindowEnabled();
    g_lock.lockedAlarmButton = main->GetDlgItem(400)->IsWindowEnabled();
    g_lock.lockedMenu = (GetMenuState(menu, ID_EXIT, MF_BYCOMMAND) & MF_GRAYED) != 0;
    main->LockControls(1);
    g_lock.restoredQueryButton = main->GetDlgItem(401)->IsWindowEnabled();
    g_lock.restoredAlarmButton = main->GetDlgItem(400)->IsWindowEnabled();
    g_lock.restoredSaveItem = (GetMenuState(menu, ID_SAVE_STATE, MF_BYCOMMAND) & MF_GRAYED) != 0;
    g_lock.restoredExitItem = (GetMenuState(menu, ID_EXIT, MF_BYCOMMAND) & MF_GRAYED) != 0;
    main->PostMessage(WM_EXIT_REQUEST);
}

struct TreeResult {
    int ran = 0;
    int items = -1;
    int enabledSession = 0, disabledSession = 1, poller = 0;
} g_tree;

void InspectTree(CWnd* window)
{
    CDlgMain* main = dynamic_cast<CDlgMain*>(window);
    if (main == nullptr || g_pRecGroup == nullptr || g_tree.ran)
        return;
    g_tree.ran = 1;
    g_tree.items = (int)main->m_serverTree.GetCount();
    if (!g_pRecGroup->m_projects.IsEmpty() && !g_pRecGroup->m_projects.GetHead()->m_servers.IsEmpty()) {
        CTermServer* server = g_pRecGroup->m_projects.GetHead()->m_servers.GetHead();
        g_tree.enabledSession = server->m_cameras.GetHead()->m_pSession != nullptr;
        g_tree.disabledSession = server->m_cameras.GetTail()->m_pSession != nullptr;
        g_tree.poller = server->m_pAlarmBoxPoller != nullptr;
    }
    main->PostMessage(WM_EXIT_REQUEST);
}

} // namespace

TEST_F(StationDirTest, TheTreeCreatesSessionsForEnabledCamerasAndOnePollerPerAlarmBox)
{
    EnableAutoLogin();
    WriteServerTree("Quillmoor");
    g_tree = TreeResult();
    Seams::ReplaceModalLoop(InspectTree);
    {
        CDlgMain dialog;
        dialog.DoModal();
    }
    ASSERT_EQ(1, g_tree.ran);
    EXPECT_EQ(4, g_tree.items) << "root, project, server and the one enabled camera";
    EXPECT_EQ(1, g_tree.enabledSession);
    EXPECT_EQ(0, g_tree.disabledSession) << "a disabled camera gets no session";
    EXPECT_EQ(1, g_tree.poller);

    WriteServerTree("");
    g_tree = TreeResult();
    {
        CDlgMain dialog;
        dialog.DoModal();
    }
    ASSERT_EQ(1, g_tree.ran);
    EXPECT_EQ(0, g_tree.items) << "without a project name the tree stays empty";
    EXPECT_EQ(0, g_tree.enabledSession);
    EXPECT_EQ(0, g_tree.poller);
}

TEST_F(StationDirTest, TheLockRestoresTheEarlierStates)
{
    EnableAutoLogin();
    g_lock = LockResult();
    Seams::ReplaceModalLoop(LockAndUnlock);
    CDlgMain dialog;
    dialog.DoModal();
    ASSERT_EQ(1, g_lock.ran);
    EXPECT_EQ(0, g_lock.lockedTree);
    EXPECT_EQ(0, g_lock.lockedAlarmButton);
    EXPECT_EQ(1, g_lock.lockedMenu);
    EXPECT_EQ(0, g_lock.restoredQueryButton) << "disabled before the lock, disabled after it";
    EXPECT_EQ(1, g_lock.restoredAlarmButton);
    EXPECT_EQ(1, g_lock.restoredSaveItem);
    EXPECT_EQ(0, g_lock.restoredExitItem);
}

TEST_F(StationDirTest, CancellingTheStartLogInEndsCleanlyWithoutLoadingTheTree)
{
    g_loginDialogs = g_treeSeen = 0;
    Seams::ReplaceModalLoop(CancelLogin);
    DeleteFileA(dir_->File("userlist.dat").c_str());
    CDlgMain dialog;
    dialog.DoModal();
    EXPECT_EQ(1, g_loginDialogs);
    EXPECT_EQ(0, g_treeSeen);
    EXPECT_EQ(nullptr, g_pRecGroup);
    EXPECT_TRUE(FileExists(dir_->File("userlist.dat"))) << "the user list is saved on the way out";
    EXPECT_EQ("1", ReadIni(dir_->File("exit.ini"), "EXIT", "EXITCODE"));
    EXPECT_EQ(nullptr, g_pUserGroup);
    EXPECT_EQ(nullptr, g_pSysParam);
}

TEST_F(StationDirTest, StoredUserNeedsNoDialogAndTheExitRequestEndsWithItsRecords)
{
    EnableAutoLogin();
    g_loginDialogs = g_mainRan = 0;
    Seams::ReplaceModalLoop(ExitOnceLoaded);
    CDlgMain dialog;
    dialog.DoModal();
    EXPECT_EQ(0, g_loginDialogs);
    EXPECT_EQ(1, g_mainRan);
    EXPECT_EQ("1", ReadIni(dir_->File("exit.ini"), "EXIT", "EXITCODE"));
    std::vector<SysLogRecord> records = ReadLogRecords(dir_->Path());
    ASSERT_GE(records.size(), 2u);
    EXPECT_STREQ("登陆系统", records[0].text);
    EXPECT_STREQ("admin", records[0].user);
    EXPECT_STREQ("退出系统", records.back().text);
    EXPECT_EQ(nullptr, g_pRecGroup);
    EXPECT_EQ(nullptr, StationWindows().GetSystemLog()) << "the null windows are back";
}

TEST_F(StationDirTest, DeletedStoredUserGetsTheDialog)
{
    EnableAutoLogin("someone", "gone");
    g_loginDialogs = g_treeSeen = 0;
    Seams::ReplaceModalLoop(CancelLogin);
    CDlgMain dialog;
    dialog.DoModal();
    EXPECT_EQ(1, g_loginDialogs);
}

TEST(SessionTick, CountsOnlyEnabledCamerasAndActiveCountdowns)
{
    TempDir dir(true);
    SetStartDirectory(dir.Path().c_str());
    CSessionLinks* previous = InstallChannelSessionLinks();
    g_pRecGroup = new CRecGroup;
    g_pRecGroup->AddGroup(nullptr, "工程");
    CTermServer* server = new CTermServer;
    server->m_name = "Lobby";
    server->m_pParent = g_pRecGroup->m_projects.GetHead();
    g_pRecGroup->m_projects.GetHead()->m_servers.AddTail(server);
    CChannelSession* sessions[2];
    for (int i = 0; i < 2; ++i) {
        CTermCamera* camera = new CTermCamera;
        camera->m_channel = i;
        camera->m_disabled = i;
        server->m_cameras.AddTail(camera);
        sessions[i] = new CChannelSession;
        sessions[i]->m_pCamera = camera;
        camera->m_pSession = sessions[i];
        sessions[i]->m_presetCycleCountdown.Arm(5);
        sessions[i]->m_presetCycleCountdown.active = 0; // left alone while inactive
        sessions[i]->m_noMotionCountdown.Arm(5);
        sessions[i]->m_noMotionCountdown.active = 0;
        sessions[i]->m_recordCheckCountdown.Arm(5);
        sessions[i]->m_recordCheckCountdown.active = 0;
        sessions[i]->m_reconnectCountdown.Clear();
    }
    server->BindCameras();
    sessions[0]->m_presetCycleCountdown.active = 1;
    sessions[1]->m_presetCycleCountdown.active = 1;
    for (int tick = 1; tick <= 5; ++tick)
        TickAllSessions();
    EXPECT_EQ(5, sessions[0]->m_presetCycleCountdown.count) << "not fired yet";
    EXPECT_EQ(0, sessions[1]->m_presetCycleCountdown.count) << "a disabled camera is never ticked";
    EXPECT_EQ(0, sessions[0]->m_noMotionCountdown.count) << "an inactive countdown is left alone";
    delete g_pRecGroup;
    g_pRecGroup = nullptr;
    SetSessionLinks(previous);
}

TEST(EnglishResources, MenusDialogsAndStringsComeFromTheLibrary)
{
    std::string path = ProgramDirectory() + "\\..\\lang\\en_resource.dll";
    HINSTANCE library = LoadLibraryA(path.c_str());
    ASSERT_NE(nullptr, library) << path;
    HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(library);
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MAIN_MENU));
    char text[64] = "";
    menu.GetMenuString(0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("System", text);
    CString refusal;
    refusal.LoadString(IDS_NO_PERMISSION);
    EXPECT_EQ(std::string("No permission"), std::string(refusal));
    CDlgConnectInfo info;
    ASSERT_TRUE(info.Create(CDlgConnectInfo::IDD, nullptr));
    CString caption;
    info.GetWindowText(caption);
    EXPECT_EQ(std::string("Connection Information"), std::string(caption));
    info.DestroyWindow();
    menu.DestroyMenu();
    AfxSetResourceHandle(previous);
    FreeLibrary(library);
}

namespace {

int g_aboutShots = 0;

// The picture each command button paints: 1 normal, 2 pressed, 4 disabled.
struct ButtonPictures {
    int tourChecked = 0;
    int splitDisabled = 0;
} g_buttons;

CSkinButton* SkinButtonOf(CDlgMain* main, UINT id)
{
    return dynamic_cast<CSkinButton*>(CWnd::FromHandlePermanent(::GetDlgItem(main->m_hWnd, id)));
}

// A click as the mouse makes it: press and release inside the button.
void ClickButton(CDlgMain* main, UINT id)
{
    HWND button = ::GetDlgItem(main->m_hWnd, id);
    ::SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

// The main window once loaded, then its about box; both saved for a person to look at.
void PhotographMainAndAbout(CWnd* window)
{
    if (CDlgMain* main = dynamic_cast<CDlgMain*>(window)) {
        if (g_pRecGroup == nullptr || g_aboutShots != 0)
            return;
        g_aboutShots = 1;
        // The tour runs (its button checked) and the split buttons are disabled while it does.
        ClickButton(main, 402);
        g_buttons.tourChecked = SkinButtonOf(main, 402) != nullptr ? SkinButtonOf(main, 402)->ChosenPicture() : -1;
        g_buttons.splitDisabled = SkinButtonOf(main, 405) != nullptr ? SkinButtonOf(main, 405)->ChosenPicture() : -1;
        main->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        MSG pending;
        ::PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE);
        SavePng(CaptureWindow(main->m_hWnd), ScreenshotPath("main-window"));
        main->PostMessage(WM_COMMAND, ID_ABOUT);
        return;
    }
    if (dynamic_cast<CDialog*>(window) != nullptr && g_aboutShots == 1) {
        g_aboutShots = 2;
        SavePng(CaptureWindow(window->m_hWnd), ScreenshotPath("about-box"));
        CString caption;
        window->GetWindowText(caption);
        EXPECT_EQ(std::string("关于 Quillmoor"), std::string(caption));
        ((CDialog*)window)->EndDialog(IDOK);
        ::PostMessageA(::GetParent(window->m_hWnd), WM_EXIT_REQUEST, 0, 0);
    }
}

// Copies the layout file and pictures that scripts/run gives the station, when the tree has them.
void CopyStartDirectoryFiles(const std::string& to)
{
    std::string from = ProgramDirectory() + "\\..\\..\\resources\\warden\\startdir";
    CreateDirectoryA((to + "\\skin").c_str(), nullptr);
    CopyFileA((from + "\\backpic.bmp").c_str(), (to + "\\backpic.bmp").c_str(), FALSE);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((from + "\\skin\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        CopyFileA((from + "\\skin\\" + found.cFileName).c_str(), (to + "\\skin\\" + found.cFileName).c_str(), FALSE);
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

} // namespace

// A tour of two steps over the tree's one enabled camera (channel 0).
void WriteTour()
{
    CRecGroup tree;
    CVuskLoopGroup tour;
    for (int i = 0; i < 2; ++i) {
        CVuskLoopPage* step = tour.AddPage(4, 30);
        step->m_count = 1;
        step->m_serverIds[0] = tree.m_projects.GetHead()->m_servers.GetHead()->m_id;
        step->m_channels[0] = 0;
    }
    tour.Save();
}

TEST_F(StationDirTest, ScreenshotsOfTheMainWindowAndTheAboutBox)
{
    CopyStartDirectoryFiles(dir_->Path());
    EnableAutoLogin();
    WriteServerTree("Quillmoor");
    WriteTour();
    g_aboutShots = 0;
    g_buttons = ButtonPictures();
    Seams::ReplaceModalLoop(PhotographMainAndAbout);
    CDlgMain dialog;
    dialog.DoModal();
    EXPECT_EQ(2, g_aboutShots);
    EXPECT_TRUE(FileExists(ScreenshotPath("main-window")));
    EXPECT_TRUE(FileExists(ScreenshotPath("about-box")));
    EXPECT_EQ(2, g_buttons.tourChecked) << "the running tour's button shows its pressed picture";
    EXPECT_EQ(4, g_buttons.splitDisabled) << "a disabled button shows its disabled picture";
}

namespace {

std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace

// System log, recorded files, tour and map have no tooltip: each says what it does on its
// pictures, in every state and in both languages.
TEST(CommandButtonPictures, TheFourButtonsWithoutTooltipsLookDifferent)
{
    std::string skin = ProgramDirectory() + "\\..\\..\\resources\\warden\\startdir\\skin\\";
    const char* names[4] = {"alarm", "query", "loopview", "emap"};
    for (const char* language : {"", "_en"}) {
        for (const char* state : {"", "_push", "_dis"}) {
            std::string pictures[4];
            for (int i = 0; i < 4; ++i) {
                std::string name = std::string(names[i]) + language + state + ".BMP";
                pictures[i] = ReadBytes(skin + name);
                ASSERT_FALSE(pictures[i].empty()) << name;
                if (*language != '\0')
                    EXPECT_NE(ReadBytes(skin + names[i] + state + ".BMP"), pictures[i]) << name << " is English";
            }
            for (int i = 0; i < 4; ++i) {
                for (int j = i + 1; j < 4; ++j)
                    EXPECT_NE(pictures[i], pictures[j]) << names[i] << language << state << " and " << names[j];
            }
        }
    }
}

namespace {

// What the panes' commands and clicks did, watched from inside the running station.
struct PaneClickResult {
    int ran = 0;
    int fullScreen = 0;
    int treeKeptItsSelection = 0;
    int treeFocused = 1;
    int paneSelected = 0;
    int refusals = 0;
    int serverRecording = 1;
    int cleanAlarmWidth = 0, cleanAlarmHeight = 0;
    int audioPictureAfterDragOff = 0;
    int audioFollowAfterDragOff = 0;
} g_paneClicks;

std::vector<std::string> g_messages;

int RecordMessage(HWND, LPCSTR text, LPCSTR, UINT)
{
    g_messages.push_back(text);
    return IDOK;
}

CTermCamera* TreeCamera()
{
    return g_pRecGroup->m_projects.GetHead()->m_servers.GetHead()->m_cameras.GetHead();
}

// A camera in pane 2 of the shown page; in full screen a click on its pane leaves the hidden tree
// (its selection and the keyboard focus) alone; without the server-recording right the button says
// so; a checked button dragged off stays checked; a button without a layout key has its
// picture's size.
void ClickPanesAndButtons(CWnd* window)
{
    CDlgMain* main = dynamic_cast<CDlgMain*>(window);
    if (main == nullptr || g_pRecGroup == nullptr || g_paneClicks.ran)
        return;
    g_paneClicks.ran = 1;
    CDlgVideoWall* wall = VideoWall();
    int page = 0, slot = 2;
    g_pPageGroup->PlaceCamera(TreeCamera(), page, slot, 1);
    main->ToggleFullScreen(1, -1);
    g_paneClicks.fullScreen = wall->IsFullScreen();
    HTREEITEM root = main->m_serverTree.GetRootItem();
    main->m_serverTree.SelectItem(root);
    main->SetFocus();
    HWND pane = wall->GetPane(2)->m_hWnd;
    ::SendMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    ::SendMessageA(pane, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    g_paneClicks.paneSelected = wall->GetSelectedPane() == 2;
    g_paneClicks.treeKeptItsSelection = main->m_serverTree.GetSelectedItem() == root;
    g_paneClicks.treeFocused = ::GetFocus() == main->m_serverTree.m_hWnd;
    main->ToggleFullScreen(0, -1);

    CurrentUser().rights[10] = 0; // server recording
    Seams::ReplaceMessageBox(RecordMessage);
    ClickButton(main, 415);
    Seams::ReplaceMessageBox(nullptr);
    g_paneClicks.refusals = (int)g_messages.size();
    g_paneClicks.serverRecording = TreeCamera()->m_pSession->m_serverRecording;

    // Audio follows the selection; a press on its button dragged off and released outside changes
    // nothing, neither the state nor the pressed picture that shows it.
    ClickButton(main, 416);
    HWND audio = ::GetDlgItem(main->m_hWnd, 416);
    ::SendMessageA(audio, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageA(audio, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 3));
    ::SendMessageA(audio, WM_LBUTTONUP, 0, MAKELPARAM(200, 3));
    g_paneClicks.audioPictureAfterDragOff = SkinButtonOf(main, 416)->ChosenPicture();
    g_paneClicks.audioFollowAfterDragOff = wall->IsAudioFollow();

    CRect clean;
    ::GetWindowRect(::GetDlgItem(main->m_hWnd, 441), &clean);
    g_paneClicks.cleanAlarmWidth = clean.Width();
    g_paneClicks.cleanAlarmHeight = clean.Height();
    main->PostMessage(WM_EXIT_REQUEST);
}

} // namespace

TEST_F(StationDirTest, PaneClicksAndCommandButtons)
{
    CopyStartDirectoryFiles(dir_->Path());
    // The clear-alarm button has no rectangle: it comes at its picture's own size, 32 x 32.
    WritePrivateProfileStringA("BUTTONINFO", "cleanalarm", nullptr, dir_->File("skin\\facepic.ini").c_str());
    EnableAutoLogin();
    WriteServerTree("Quillmoor");
    g_paneClicks = PaneClickResult();
    g_messages.clear();
    Seams::ReplaceModalLoop(ClickPanesAndButtons);
    CDlgMain dialog;
    dialog.DoModal();
    ASSERT_EQ(1, g_paneClicks.ran);
    EXPECT_EQ(1, g_paneClicks.fullScreen);
    EXPECT_EQ(1, g_paneClicks.paneSelected);
    EXPECT_EQ(1, g_paneClicks.treeKeptItsSelection) << "the hidden tree does not follow the pane";
    EXPECT_EQ(0, g_paneClicks.treeFocused) << "nor does it take the keyboard";
    ASSERT_EQ(1, g_paneClicks.refusals) << "server recording without the right is refused aloud";
    EXPECT_EQ("没有权限", g_messages[0]);
    EXPECT_EQ(0, g_paneClicks.serverRecording);
    EXPECT_EQ(2, g_paneClicks.audioPictureAfterDragOff) << "a checked button keeps its pressed picture";
    EXPECT_EQ(1, g_paneClicks.audioFollowAfterDragOff);
    EXPECT_EQ(32, g_paneClicks.cleanAlarmWidth);
    EXPECT_EQ(32, g_paneClicks.cleanAlarmHeight);
}

namespace {

// A tree item dragged with the mouse onto a point of the main window and released there.
struct DragRun {
    int step = 0;
    DWORD deadline = 0;
    CTermCamera* dropped = nullptr; // onto pane 3
    CTermCamera* outside = nullptr; // released over the tree
    HTREEITEM droppedItem = nullptr;
    int dragging = 0; // the drag ran while over the pane
    int droppedInPane3 = 0;
    int live = 0;
    int droppedItemSelected = 0;
    int paneOfOutside = -2;
    int pagesAfterOutside = -1;
    int slotsAfterOutside = -1;
} g_drag;

HTREEITEM FindTreeItem(CTreeCtrl& tree, HTREEITEM parent, DWORD_PTR data)
{
    for (HTREEITEM item = tree.GetChildItem(parent); item != nullptr; item = tree.GetNextSiblingItem(item)) {
        if (tree.GetItemData(item) == data)
            return item;
        if (HTREEITEM found = FindTreeItem(tree, item, data))
            return found;
    }
    return nullptr;
}

// Presses on the item and moves the mouse a little: the tree starts the drag.
void PressAndPull(CDlgMain* main, CTermCamera* camera)
{
    CTreeCtrl& tree = main->m_serverTree;
    HTREEITEM item = FindTreeItem(tree, tree.GetRootItem(), (DWORD_PTR)camera);
    tree.EnsureVisible(item);
    CRect text;
    tree.GetItemRect(item, &text, TRUE);
    CPoint at = text.CenterPoint();
    tree.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    tree.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x + 24, at.y + 8));
}

// A window's point in the main window's client coordinates, for the mouse messages the main
// window receives while it holds the capture.
LPARAM MainPoint(CDlgMain* main, HWND window, int x, int y)
{
    CPoint point(x, y);
    ::ClientToScreen(window, &point);
    main->ScreenToClient(&point);
    return MAKELPARAM(point.x, point.y);
}

int UsedSlots()
{
    int used = 0;
    for (int page = 0; page < g_pPageGroup->m_pages.GetCount(); ++page) {
        for (CTermCamera* camera : g_pPageGroup->GetPage(page)->m_cameras)
            used += camera != nullptr;
    }
    return used;
}

// Shows a picture: more than a few colours in the pane, not an empty black area.
bool PaneShowsPicture(HWND pane)
{
    Capture shot = CaptureWindow(pane);
    COLORREF first = shot.Pixel(shot.width / 2, shot.height / 2);
    int differing = 0;
    for (int y = 8; y < shot.height - 8; y += 7) {
        for (int x = 8; x < shot.width - 8; x += 7)
            differing += shot.Pixel(x, y) != first;
    }
    return differing > 20;
}

void DragCamerasOntoTheWall(CWnd* window)
{
    CDlgMain* main = dynamic_cast<CDlgMain*>(window);
    if (main == nullptr || g_pRecGroup == nullptr || main->m_serverTree.GetCount() == 0)
        return;
    CDlgVideoWall* wall = VideoWall();
    HWND pane3 = wall->GetPane(3)->m_hWnd;
    CRect client;
    ::GetClientRect(pane3, &client);
    switch (g_drag.step) {
    case 0: {
        CTermServer* server = g_pRecGroup->m_projects.GetHead()->m_servers.GetHead();
        g_drag.dropped = server->FindCamera(2);
        g_drag.outside = server->FindCamera(3);
        g_drag.droppedItem =
            FindTreeItem(main->m_serverTree, main->m_serverTree.GetRootItem(), (DWORD_PTR)g_drag.dropped);
        PressAndPull(main, g_drag.dropped);
        g_drag.step = 1;
        return;
    }
    case 1:
        // Near the pane's top: a point taken in the wrong coordinates falls above the wall.
        main->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MainPoint(main, pane3, client.Width() / 2, 10));
        g_drag.step = 2;
        return;
    case 2:
        g_drag.dragging = main->m_dragging;
        SavePng(CaptureWindow(main->m_hWnd), ScreenshotPath("main-window-drag"));
        main->PostMessage(WM_LBUTTONUP, 0, MainPoint(main, pane3, client.Width() / 2, 10));
        g_drag.deadline = GetTickCount() + 15000;
        g_drag.step = 3;
        return;
    case 3: {
        CChannelSession* session = g_drag.dropped->m_pSession;
        g_drag.droppedInPane3 = wall->GetPane(3)->m_pSession == session && session != nullptr;
        g_drag.droppedItemSelected = main->m_serverTree.GetSelectedItem() == g_drag.droppedItem;
        g_drag.live = g_drag.droppedInPane3 && session->m_state == sessionConnected && PaneShowsPicture(pane3);
        if (!g_drag.live && GetTickCount() < g_drag.deadline)
            return; // the picture comes once the channel is up
        g_drag.pagesAfterOutside = (int)g_pPageGroup->m_pages.GetCount();
        g_drag.slotsAfterOutside = UsedSlots();
        PressAndPull(main, g_drag.outside);
        g_drag.step = 4;
        return;
    }
    case 4: {
        // Released over the tree, outside the wall.
        CRect tree;
        main->m_serverTree.GetClientRect(&tree);
        LPARAM point = MainPoint(main, main->m_serverTree.m_hWnd, tree.Width() / 2, tree.bottom - 10);
        main->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, point);
        main->PostMessage(WM_LBUTTONUP, 0, point);
        g_drag.step = 5;
        return;
    }
    case 5:
        g_drag.paneOfOutside = wall->FindPageOfCamera(g_drag.outside);
        g_drag.pagesAfterOutside -= (int)g_pPageGroup->m_pages.GetCount();
        g_drag.slotsAfterOutside -= UsedSlots();
        g_drag.step = 6;
        main->PostMessage(WM_EXIT_REQUEST);
        return;
    }
}

} // namespace

TEST_F(StationDirTest, ACameraDraggedFromTheTreeOntoPane3IsLiveThere)
{
    CopyStartDirectoryFiles(dir_->Path());
    EnableAutoLogin();
    WriteTextFile(dir_->File("site.ini"), "[Site]\r\n[Server1]\r\nName=Lobby\r\nUser=admin\r\nPassword=1234\r\n"
                                          "Channels=4\r\nFrameRate=25\r\n");
    DevsimSite site;
    ASSERT_TRUE(site.Start(dir_->File("site.ini")));
    {
        DeleteFileA(StationFilePath("servertree.cfg"));
        CRecGroup tree;
        tree.m_rootCaption = "Quillmoor";
        CTermData* project = tree.AddGroup(nullptr, "工程");
        AddSiteServer(project, tree.m_nextServerId++, "Lobby", site.Port("Lobby"), "admin", "1234", 4);
        tree.Save();
    }
    g_drag = DragRun();
    Seams::ReplaceModalLoop(DragCamerasOntoTheWall);
    CDlgMain dialog;
    dialog.DoModal();
    ASSERT_EQ(6, g_drag.step);
    EXPECT_EQ(1, g_drag.dragging);
    EXPECT_EQ(1, g_drag.droppedInPane3);
    EXPECT_EQ(1, g_drag.live) << "the dropped camera shows its picture in pane 3";
    EXPECT_EQ(1, g_drag.droppedItemSelected);
    EXPECT_EQ(-1, g_drag.paneOfOutside) << "a camera released outside the wall goes nowhere";
    EXPECT_EQ(0, g_drag.pagesAfterOutside);
    EXPECT_EQ(0, g_drag.slotsAfterOutside);
}

namespace {

struct EMapModeResult {
    int step = 0;
    int shown = 0;
    int viewVisible = 0;
    int wallHiddenWhileShown = 0;
    int hiddenAgain = 0;
    int fullScreenEnded = 0;
    int sceneItems = 0;
    int cameraSelected = 0;
};
EMapModeResult g_emapMode;

// Shows the map through its command, photographs it, hides it again and ends the station.
void ShowAndHideTheMap(CWnd* window)
{
    CDlgMain* main = dynamic_cast<CDlgMain*>(window);
    if (main == nullptr || g_pRecGroup == nullptr)
        return;
    if (g_emapMode.step == 0) {
        g_emapMode.step = 1;
        main->ToggleFullScreen(1, -1); // the map ends full screen first
        main->SendMessage(WM_COMMAND, ID_EMAP);
        CDlgVideoWall* wall = dynamic_cast<CDlgVideoWall*>(main->m_videoWall);
        g_emapMode.fullScreenEnded = wall != nullptr && !wall->IsFullScreen();
        g_emapMode.shown = main->IsEMapShown();
        g_emapMode.viewVisible = main->m_emapView != nullptr && main->m_emapView->IsWindowVisible();
        g_emapMode.sceneItems = main->m_emapTree != nullptr ? (int)main->m_emapTree->m_tree.GetCount() : 0;
        g_emapMode.wallHiddenWhileShown = main->m_videoWall == nullptr || !main->m_videoWall->IsWindowVisible();
        // The camera in alarm and selected, the input alarmed, the output on.
        CVuskEMapTerm* scene = g_pEMapGroup->m_scenes.GetHead();
        for (POSITION pos = scene->m_devices.GetHeadPosition(); pos != nullptr;)
            scene->m_devices.GetNext(pos)->SetAlarm(1);
        CVuskEMapDev* camera = scene->m_devices.GetHead();
        CTreeCtrl& tree = main->m_emapTree->m_tree;
        for (HTREEITEM item = tree.GetChildItem(tree.GetRootItem()); item; item = tree.GetNextSiblingItem(item)) {
            if (tree.GetItemData(item) == (DWORD_PTR)camera)
                tree.SelectItem(item);
        }
        main->m_emapView->m_canvas.BlinkIcons();
        g_emapMode.cameraSelected = camera->m_pIcon != nullptr && camera->m_pIcon->m_selected;
        return; // photographed at the next idle turn, once painted
    }
    if (g_emapMode.step == 1) {
        g_emapMode.step = 2;
        // The sessions' tick writes the outputs' relay states (off here) into the map: on again for the photograph.
        CVuskEMapTerm* scene = g_pEMapGroup->m_scenes.GetHead();
        scene->m_devices.GetTail()->SetAlarm(1);
        // Wine hands a window's painting to the display only when the thread next looks at its queue;
        // the scene tree painted by this redraw alone would show the server tree's white that was there.
        main->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        MSG pending;
        ::PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE);
        SavePng(CaptureWindow(main->m_hWnd), ScreenshotPath("main-window-emap"));
        main->SendMessage(WM_COMMAND, ID_EMAP);
        g_emapMode.hiddenAgain = !main->IsEMapShown() && !main->m_emapView->IsWindowVisible();
        main->PostMessage(WM_EXIT_REQUEST, 0, 0);
    }
}

} // namespace

TEST_F(StationDirTest, TheMapTakesTheWallsPlaceAndGivesItBack)
{
    CopyStartDirectoryFiles(dir_->Path());
    EnableAutoLogin();
    WriteServerTree("Quillmoor");
    std::string plan = ProgramDirectory() + "\\..\\..\\resources\\warden\\startdir\\emap\\lobby.bmp";
    {
        CRecGroup tree;
        CVuskEMapGroup map;
        CVuskEMapTerm* scene = map.AddScene("大厅", nullptr);
        scene->m_mapPath = plan.c_str();
        CVuskEMapDev* device = new CVuskEMapDev;
        device->m_serverId = tree.m_projects.GetHead()->m_servers.GetHead()->m_id;
        device->m_x = 120;
        device->m_y = 90;
        device->m_pScene = scene;
        scene->m_devices.AddTail(device);
        const int kinds[2] = {emapAlarmInput, emapAlarmOutput};
        for (int i = 0; i < 2; ++i) {
            CVuskEMapDev* slot = new CVuskEMapDev;
            slot->m_kind = kinds[i];
            slot->m_name = i == 0 ? "门磁" : "警铃";
            slot->m_serverId = device->m_serverId;
            slot->m_x = 420 + 200 * i;
            slot->m_y = 160 + 200 * i;
            slot->m_pScene = scene;
            scene->m_devices.AddTail(slot);
        }
        CVuskEMapTerm* store = map.AddScene("仓库", scene);
        store->m_mapPath = plan.c_str();
        store->m_x = 140;
        store->m_y = 380;
        map.Save();
    }
    g_emapMode = EMapModeResult();
    Seams::ReplaceModalLoop(ShowAndHideTheMap);
    CDlgMain dialog;
    dialog.DoModal();
    EXPECT_EQ(2, g_emapMode.step);
    EXPECT_EQ(1, g_emapMode.shown);
    EXPECT_EQ(1, g_emapMode.viewVisible);
    EXPECT_EQ(1, g_emapMode.wallHiddenWhileShown);
    EXPECT_EQ(1, g_emapMode.hiddenAgain);
    EXPECT_EQ(1, g_emapMode.fullScreenEnded);
    EXPECT_EQ(5, g_emapMode.sceneItems) << "the scene, its camera, input and output, and its child scene";
    EXPECT_EQ(1, g_emapMode.cameraSelected);
}

namespace {

struct PanelTabsResult {
    int step = 0;
    int ptzShown = 0;
    int treeHiddenForPtz = 0;
    int ptzInTreePlace = 0;
    int matrixShownAlone = 0;
    int autoByHotKey = 0;
    int hiddenWithMap = 0;
    int stillActive = 0;
};
PanelTabsResult g_panelTabs;

void SelectTab(CDlgMain* main, int tab)
{
    main->m_tabCtrl.SetCurSel(tab);
    NMHDR change = {main->m_tabCtrl.m_hWnd, IDC_MAIN_TABS, (UINT)TCN_SELCHANGE};
    main->SendMessage(WM_NOTIFY, IDC_MAIN_TABS, (LPARAM)&change);
}

CRect RectInMain(CDlgMain* main, CWnd* child)
{
    CRect rect;
    child->GetWindowRect(&rect);
    main->ScreenToClient(&rect);
    return rect;
}

// The left-hand tabs: the PTZ panel in the tree's place (photographed), then the matrix panel; the
// L key inverts the panel's auto button; the map hides both.
void WorkThePanelTabs(CWnd* window)
{
    CDlgMain* main = dynamic_cast<CDlgMain*>(window);
    if (main == nullptr || g_pRecGroup == nullptr)
        return;
    CDlgPtzPanel* ptz = main->GetPtzPanel();
    CDlgMatrixPanel* matrix = main->GetMatrixPanel();
    if (ptz == nullptr || matrix == nullptr) {
        main->PostMessage(WM_EXIT_REQUEST, 0, 0);
        return;
    }
    if (g_panelTabs.step == 0) {
        g_panelTabs.step = 1;
        main->m_tabCtrl.SetFocus();
        SelectTab(main, 1);
        g_panelTabs.ptzShown = ptz->IsWindowVisible() && !matrix->IsWindowVisible();
        g_panelTabs.treeHiddenForPtz = !main->m_serverTree.IsWindowVisible();
        g_panelTabs.ptzInTreePlace = RectInMain(main, ptz) == RectInMain(main, &main->m_serverTree);
        return;
    }
    if (g_panelTabs.step == 1) {
        g_panelTabs.step = 2;
        // The panels and the broadcast window, made after the window appeared, took neither the
        // activation nor the focus.
        g_panelTabs.stillActive = ::GetActiveWindow() == main->m_hWnd && ::GetFocus() == main->m_tabCtrl.m_hWnd;
        main->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        SavePng(CaptureWindow(main->m_hWnd), ScreenshotPath("main-window-ptz"));
        main->HandlePtzKey('L', WM_KEYDOWN);
        g_panelTabs.autoByHotKey = ptz->GetKey(ptzKeyAuto)->GetChecked();
        SelectTab(main, 2);
        g_panelTabs.matrixShownAlone =
            matrix->IsWindowVisible() && !ptz->IsWindowVisible() && !main->m_serverTree.IsWindowVisible();
        main->SendMessage(WM_COMMAND, ID_EMAP);
        g_panelTabs.hiddenWithMap = !matrix->IsWindowVisible() && !ptz->IsWindowVisible();
        main->SendMessage(WM_COMMAND, ID_EMAP);
        main->PostMessage(WM_EXIT_REQUEST, 0, 0);
    }
}

} // namespace

TEST_F(StationDirTest, TheTabsShowThePanelsInTheTreesPlace)
{
    CopyStartDirectoryFiles(dir_->Path());
    EnableAutoLogin();
    WriteServerTree("Quillmoor");
    g_panelTabs = PanelTabsResult();
    Seams::ReplaceModalLoop(WorkThePanelTabs);
    CDlgMain dialog;
    dialog.DoModal();
    EXPECT_EQ(2, g_panelTabs.step);
    EXPECT_EQ(1, g_panelTabs.ptzShown);
    EXPECT_EQ(1, g_panelTabs.treeHiddenForPtz);
    EXPECT_EQ(1, g_panelTabs.ptzInTreePlace);
    EXPECT_EQ(1, g_panelTabs.autoByHotKey);
    EXPECT_EQ(1, g_panelTabs.matrixShownAlone);
    EXPECT_EQ(1, g_panelTabs.hiddenWithMap);
    EXPECT_EQ(1, g_panelTabs.stillActive);
}
