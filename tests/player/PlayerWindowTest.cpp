// The player's windows under Xvfb: the main dialog with its panes and playlist, drops, keys and
// hand-overs, the conversion dialog, the search window over a scripted search, and two real
// Clipview processes. Screenshots go to build/screenshots/player/.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <afxwin.h>

#include "devices/framewell/FramewellApi.h"
#include "framework/WindowSeams.h"
#include "player/ConvertDlg.h"
#include "player/PlayListDlg.h"
#include "player/PlayPane.h"
#include "player/PlayerApp.h"
#include "player/PlayerDlg.h"
#include "player/SearchDlg.h"
#include "resources/clipview/resource.h"
#include "skin/engine/toolkit/Tessarine.h"
#include "station/core/storage/RecordReason.h"
#include "station/core/storage/RecordStore.h"
#include "tests/devices/RemoteTestSupport.h"
#include "tests/player/PlayerTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

namespace {

std::vector<std::string> g_messages;
int __cdecl AnswerMessageBox(HWND, LPCSTR text, LPCSTR, UINT)
{
    g_messages.push_back(text);
    return IDOK;
}

void Shot(HWND window, const char* name)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    CreateDirectoryA((ProgramDirectory() + "\\..\\screenshots\\player").c_str(), nullptr);
    SavePng(CaptureWindow(window), ScreenshotPath(std::string("player\\") + name));
}

std::string Text(HWND window, int id)
{
    char text[256] = "";
    ::GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

// A key-down on target as the message loop hands it to the dialog's pre-translation.
BOOL PressKey(CWnd& dialog, HWND target, WPARAM key)
{
    MSG msg = {};
    msg.hwnd = target;
    msg.message = WM_KEYDOWN;
    msg.wParam = key;
    return dialog.PreTranslateMessage(&msg);
}

class PlayerWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        HINSTANCE self = ::GetModuleHandleA(nullptr);
        ASSERT_TRUE(TessarineInit(self));
        TessarineLoadSkin(self, "DEFAULT", "TESSARINE");
        SetFramewellApi(nullptr);
        CopyText(Player().programDirectory, dir.Path().c_str());
        Player().displayMode = 1;
        Player().activePane = 0;
        g_messages.clear();
        previousBox = Seams::ReplaceMessageBox(AnswerMessageBox);
    }
    void TearDown() override
    {
        if (dialog.m_hWnd != nullptr)
            dialog.DestroyWindow();
        PumpMessages();
        Seams::ReplaceMessageBox(previousBox);
        TessarineShutdown();
    }
    void Open(const std::string& line = "")
    {
        dialog.m_startLine = line.c_str();
        dialog.m_screenWidth = 1024;
        dialog.m_screenHeight = 768;
        ASSERT_TRUE(dialog.Create(CPlayerDlg::IDD));
        dialog.ShowWindow(SW_SHOW);
        PumpMessages();
    }
    bool WaitPlaying(int pane)
    {
        return WaitUntil([&] { return dialog.Pane(pane)->m_transport.m_started == 1; }, 10000);
    }
    // A recording of seconds opened in pane 0, started and paused there, with the strip showing it.
    CPaneTransport* OpenPaused(int seconds)
    {
        WriteRecording(dir.File("a.mp4"), seconds * 25, 352, 288);
        Open();
        if (!dialog.OpenCommandLine(dir.File("a.mp4").c_str()) || !WaitPlaying(0))
            return nullptr;
        CPaneTransport& t = dialog.Pane(0)->m_transport;
        t.Control(cmdPause);
        dialog.UpdateControls();
        return &t;
    }
    CPoint PaneCentre(int pane)
    {
        CRect r;
        dialog.Pane(pane)->GetWindowRect(&r);
        return r.CenterPoint();
    }

    TempDir dir;
    CPlayerDlg dialog;
    Seams::MessageBoxFunc previousBox = nullptr;
};

TEST_F(PlayerWindowTest, AStartLineOpensInTheActivePaneAndTimeAdvances)
{
    WriteRecording(dir.File("Lobby_1_120000.mp4"), 150, 352, 288);
    Open("\"" + dir.File("Lobby_1_120000.mp4") + "\"");
    ASSERT_TRUE(WaitPlaying(0));
    dialog.TogglePlaylist();
    EXPECT_EQ("正在播放...", Text(dialog.m_hWnd, IDC_STATUS));
    EXPECT_TRUE(WaitUntil([&] { return Text(dialog.m_hWnd, IDC_PLAYTIME) != "00:00:00"; }, 5000));
    EXPECT_EQ(1, dialog.m_playlist->m_list.GetItemCount());
    EXPECT_EQ("Lobby_1_120000.mp4", std::string(dialog.m_playlist->m_list.GetItemText(0, 0)));
    EXPECT_EQ(INDEXTOSTATEIMAGEMASK(2), dialog.m_playlist->m_list.GetItemState(0, LVIS_STATEIMAGEMASK));
    Shot(dialog.m_hWnd, "clipview-playing");
}

TEST_F(PlayerWindowTest, ALineThatDoesNotParseOpensNothing)
{
    Open("x.mp4 *far 10.0.0.1 3000 admin");
    PumpMessages();
    ::Sleep(0);
    WaitUntil([] { return false; }, 300); // the open timer would have fired
    EXPECT_EQ(-1, dialog.Pane(0)->m_transport.m_handle);
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(PlayerWindowTest, EnterAndEscapeNeverCloseTheWindow)
{
    Open();
    for (WPARAM key : {(WPARAM)VK_RETURN, (WPARAM)VK_ESCAPE}) {
        EXPECT_TRUE(PressKey(dialog, ::GetDlgItem(dialog.m_hWnd, IDC_PLAYLIST_TOGGLE), key));
        PumpMessages();
        EXPECT_TRUE(::IsWindow(dialog.m_hWnd));
        EXPECT_TRUE(dialog.IsWindowVisible());
    }
}

TEST_F(PlayerWindowTest, FullScreenNeedsAPlayingPaneAndKeepsASizeAskedMeanwhile)
{
    WriteRecording(dir.File("a.mp4"), 150, 352, 288);
    Open();
    // F2 comes through the dialog's pre-translation, so a focused control does not swallow it.
    EXPECT_TRUE(PressKey(dialog, ::GetDlgItem(dialog.m_hWnd, IDC_PLAYLIST_TOGGLE), VK_F2));
    EXPECT_FALSE(dialog.m_fullScreen);
    CRect before;
    dialog.GetWindowRect(&before);

    dialog.m_statusText.Empty();
    ASSERT_TRUE(dialog.OpenCommandLine(dir.File("a.mp4").c_str()));
    ASSERT_TRUE(WaitPlaying(0));
    dialog.GetWindowRect(&before);
    EXPECT_TRUE(PressKey(dialog, dialog.m_hWnd, VK_F2));
    ASSERT_TRUE(dialog.m_fullScreen);
    CRect client;
    dialog.GetClientRect(&client);
    EXPECT_EQ(1024, client.Width());
    EXPECT_EQ(768, client.Height());
    CRect pane;
    dialog.Pane(0)->GetClientRect(&pane);
    EXPECT_EQ(1024, pane.Width());
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog.m_hWnd, IDC_STATUS)));

    // In full screen a new picture size is only kept; entering again changes nothing.
    dialog.ResizeForPicture(640, 480);
    EXPECT_TRUE(dialog.m_fullScreen);
    EXPECT_EQ(640, Player().picture.cx);
    dialog.Zoom(200);
    EXPECT_TRUE(dialog.m_fullScreen);
    EXPECT_EQ(1000, Player().picture.cx);

    EXPECT_TRUE(PressKey(dialog, dialog.m_hWnd, VK_ESCAPE)); // leaves full screen, never closes
    EXPECT_FALSE(dialog.m_fullScreen);
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(dialog.m_hWnd, IDC_STATUS)));
    CRect after;
    dialog.GetWindowRect(&after);
    EXPECT_EQ(before, after);

    // Zoom 200% on a screen lower than 746 pixels goes to full screen instead.
    dialog.m_screenHeight = 700;
    dialog.Zoom(200);
    EXPECT_TRUE(dialog.m_fullScreen);
    dialog.ToggleFullScreen();
    dialog.m_screenHeight = 768;
    dialog.Zoom(200);
    EXPECT_FALSE(dialog.m_fullScreen);
    dialog.GetWindowRect(&after);
    EXPECT_EQ(1000 + 2 * dialog.m_borderWidth, after.Width());
    EXPECT_EQ(620 + kPlayerWindowExtra, after.Height());
}

TEST_F(PlayerWindowTest, DropsOnThePlaylistQueueAndOnAPaneOpenTheFirst)
{
    for (const char* name : {"a.mp4", "b.mp4", "c.mp4"})
        WriteRecording(dir.File(name), 150, 352, 288);
    Open();
    dialog.TogglePlaylist();
    CStringArray files;
    for (const char* name : {"a.mp4", "b.mp4", "c.mp4"})
        files.Add(dir.File(name).c_str());
    CRect list;
    dialog.m_playlist->GetWindowRect(&list);
    dialog.DropFiles(files, list.CenterPoint());
    EXPECT_EQ(3, dialog.Pane(0)->m_transport.m_playlist.GetCount());
    EXPECT_EQ(3, dialog.m_playlist->m_list.GetItemCount());
    EXPECT_EQ(-1, dialog.Pane(0)->m_transport.m_handle);

    dialog.SetDisplayMode(4);
    dialog.DropFiles(files, PaneCentre(2));
    EXPECT_EQ(2, Player().activePane);
    EXPECT_TRUE(WaitPlaying(2));
    EXPECT_EQ(-1, dialog.Pane(3)->m_transport.m_handle);
    EXPECT_STREQ(dir.File("a.mp4").c_str(), dialog.Pane(2)->m_transport.m_target.path);

    // Three panes playing, one stopped; the last drop's pane is the active one.
    CStringArray second, third;
    second.Add(dir.File("b.mp4").c_str());
    third.Add(dir.File("c.mp4").c_str());
    dialog.DropFiles(second, PaneCentre(0));
    dialog.DropFiles(third, PaneCentre(1));
    dialog.DropFiles(files, PaneCentre(2));
    ASSERT_TRUE(WaitPlaying(0) && WaitPlaying(1) && WaitPlaying(2));
    WaitUntil([] { return false; }, 500);
    Shot(dialog.m_hWnd, "clipview-four");
}

TEST_F(PlayerWindowTest, HandOversOpenAndGarbageIsRefused)
{
    WriteRecording(dir.File("a.mp4"), 100, 352, 288);
    Open();
    auto send = [&](const void* bytes, DWORD size) {
        COPYDATASTRUCT data = {1, size, (void*)bytes};
        return dialog.SendMessage(WM_COPYDATA, 0, (LPARAM)&data);
    };
    EXPECT_EQ(0, send(nullptr, 10));
    EXPECT_EQ(0, send("", 1));
    EXPECT_EQ(0, send("abc", 0));
    const char unterminated[8] = {'z', 'z', 'z', 'z', 'z', 'z', 'z', 'z'};
    send(unterminated, sizeof unterminated); // read to its size: "zzzzzzzz", which does not open
    EXPECT_EQ(1u, g_messages.size());
    g_messages.clear();
    const std::string noPassword = dir.File("a.mp4") + " *far 127.0.0.1 3000 admin";
    send(noPassword.c_str(), (DWORD)noPassword.size() + 1);
    EXPECT_TRUE(g_messages.empty());
    EXPECT_EQ(-1, dialog.Pane(0)->m_transport.m_handle);
    const std::string quoted = "\"" + dir.File("a.mp4") + "\"";
    send(quoted.c_str(), (DWORD)quoted.size() + 1);
    EXPECT_TRUE(WaitPlaying(0));
    EXPECT_STREQ(dir.File("a.mp4").c_str(), dialog.Pane(0)->m_transport.m_target.path);
}

// A recording whose pictures stop decoding after the first, played from the playlist as the user
// does (a double-click on its entry): it ends, and the next entry plays.
TEST_F(PlayerWindowTest, ADamagedRecordingEndsAndThePlaylistMovesOn)
{
    WriteRecording(dir.File("damaged.mp4"), 25, 352, 288, 1);
    WriteRecording(dir.File("whole.mp4"), 150, 352, 288);
    Open();
    dialog.TogglePlaylist();
    CStringArray files;
    files.Add(dir.File("damaged.mp4").c_str());
    files.Add(dir.File("whole.mp4").c_str());
    CRect list;
    dialog.m_playlist->GetWindowRect(&list);
    dialog.DropFiles(files, list.CenterPoint());
    ASSERT_EQ(2, dialog.m_playlist->m_list.GetItemCount());
    CRect item;
    ASSERT_TRUE(dialog.m_playlist->m_list.GetItemRect(0, &item, LVIR_LABEL));
    const LPARAM at = MAKELPARAM(item.left + 4, item.CenterPoint().y);
    HWND listWindow = dialog.m_playlist->m_list.m_hWnd;
    ::SendMessageA(listWindow, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(listWindow, WM_LBUTTONUP, 0, at);
    ::SendMessageA(listWindow, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::SendMessageA(listWindow, WM_LBUTTONUP, 0, at);
    CPaneTransport& t = dialog.Pane(0)->m_transport;
    ASSERT_TRUE(WaitPlaying(0));
    EXPECT_STREQ(dir.File("damaged.mp4").c_str(), t.m_target.path);
    EXPECT_TRUE(WaitUntil([&] { return t.m_playlist.m_current == 1 && t.m_started == 1; }, 10000))
        << "the damaged recording never ended";
    EXPECT_STREQ(dir.File("whole.mp4").c_str(), t.m_target.path);
    EXPECT_EQ("正在播放...", Text(dialog.m_hWnd, IDC_STATUS));
    EXPECT_TRUE(g_messages.empty());
}

// The user drags the position slider's thumb: the library seeks to the second the slider shows.
TEST_F(PlayerWindowTest, DraggingThePositionSliderSeeks)
{
    CPaneTransport* paused = OpenPaused(10);
    ASSERT_NE(nullptr, paused);
    CPaneTransport& t = *paused;
    CSliderCtrl* slider = (CSliderCtrl*)dialog.GetDlgItem(IDC_POSITION);
    ASSERT_EQ(10, slider->GetRangeMax());
    CRect thumb, channel;
    slider->SendMessage(TBM_GETTHUMBRECT, 0, (LPARAM)&thumb);
    slider->SendMessage(TBM_GETCHANNELRECT, 0, (LPARAM)&channel);
    const int y = thumb.CenterPoint().y;
    const int toX = channel.left + channel.Width() * 7 / 10;
    slider->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(thumb.CenterPoint().x, y));
    slider->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(toX, y));
    EXPECT_EQ(1, t.m_dragging); // the one-second refresh leaves the slider alone meanwhile
    slider->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(toX, y));
    PumpMessages();
    const int seconds = slider->GetPos();
    EXPECT_GT(seconds, 3);
    EXPECT_LT(seconds, 10);
    EXPECT_EQ(0, t.m_dragging);
    // At the second itself (a seek by fraction of the length would land elsewhere).
    EXPECT_EQ(seconds * 1000, GetFramewellApi().GetPlayTime(t.m_handle));
}

// The strip and the menu follow the active pane each second: only what changed is set again.
TEST_F(PlayerWindowTest, ControlsThatDidNotChangeAreLeftAlone)
{
    CPaneTransport* paused = OpenPaused(6);
    ASSERT_NE(nullptr, paused);
    CPaneTransport& t = *paused;
    static std::vector<std::pair<HWND, UINT>> seen;
    struct Hook {
        static LRESULT CALLBACK Proc(int code, WPARAM w, LPARAM l)
        {
            const CWPSTRUCT* m = (const CWPSTRUCT*)l;
            if (code == HC_ACTION &&
                (m->message == BM_SETIMAGE || m->message == WM_ENABLE || m->message == WM_NCCALCSIZE ||
                 m->message == WM_SETTEXT || m->message == TBM_SETPOS || m->message == TBM_SETRANGE ||
                 m->message == TBM_SETRANGEMAX))
                seen.push_back({m->hwnd, m->message});
            return ::CallNextHookEx(nullptr, code, w, l);
        }
    };
    HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, Hook::Proc, nullptr, ::GetCurrentThreadId());
    seen.clear();
    dialog.UpdateControls();
    EXPECT_TRUE(seen.empty()) << seen.size() << " controls were set to what they showed";
    t.m_enable[enCut] = 0; // one button changes: its picture and state, nothing else
    dialog.UpdateControls();
    ::UnhookWindowsHookEx(hook);
    HWND cut = ::GetDlgItem(dialog.m_hWnd, IDC_CUT);
    ASSERT_FALSE(seen.empty());
    for (const auto& m : seen)
        EXPECT_EQ(cut, m.first) << "message " << m.second;
    EXPECT_FALSE(::IsWindowEnabled(cut));
}

// Minimised, the window draws its icon and gives it for a drag.
TEST_F(PlayerWindowTest, AMinimisedWindowShowsItsIcon)
{
    Open();
    const HICON icon = (HICON)dialog.SendMessage(WM_GETICON, ICON_BIG, 0);
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ((LRESULT)icon, dialog.SendMessage(WM_QUERYDRAGICON));
    dialog.ShowWindow(SW_MINIMIZE);
    PumpMessages();
    dialog.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); // paints without a fault
    EXPECT_TRUE(dialog.IsIconic());
    dialog.ShowWindow(SW_RESTORE);
}

std::vector<std::string> g_fileDialogs;
BOOL RecordFileDialog(BOOL open, OPENFILENAMEA* ofn)
{
    g_fileDialogs.push_back(std::string(open ? "open " : "save ") + (ofn->lpstrDefExt ? ofn->lpstrDefExt : ""));
    return FALSE; // cancelled
}

// The open dialogs of the menu, the playlist and the conversion dialog offer "mpg" by default.
TEST_F(PlayerWindowTest, OpenDialogsDefaultToMpg)
{
    Open();
    g_fileDialogs.clear();
    Seams::FileDialogFunc previous = Seams::ReplaceFileDialog(RecordFileDialog);
    dialog.SendMessage(WM_COMMAND, ID_FILE_OPEN_RECORD);
    dialog.SendMessage(WM_COMMAND, ID_PLAYLIST_ADD);
    CConvertDlg convert(&dialog);
    ASSERT_TRUE(convert.Create(CConvertDlg::IDD, &dialog));
    convert.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHOOSE_MP4, BN_CLICKED),
                        (LPARAM)::GetDlgItem(convert.m_hWnd, IDC_CHOOSE_MP4));
    convert.DestroyWindow();
    Seams::ReplaceFileDialog(previous);
    EXPECT_EQ(g_fileDialogs, (std::vector<std::string>{"open mpg", "open mpg", "open mpg"}));
}

CConvertDlg* g_convert = nullptr;
int g_convertStep = 0;
void DriveConversion(CWnd* window)
{
    CConvertDlg* dlg = g_convert;
    if (dlg == nullptr || window != dlg)
        return;
    if (g_convertStep == 0) {
        g_convertStep = 1;
        dlg->OnStartStop();
        return;
    }
    if (g_convertStep == 1 && dlg->m_handle == -1) {
        g_convertStep = 2;
        Shot(dlg->m_hWnd, "clipview-convert");
        dlg->EndDialog(IDOK);
    }
}

TEST_F(PlayerWindowTest, TheConversionDialogTurnsAnMp4IntoAnAsfOfTheSameLength)
{
    WriteRecording(dir.File("rec.v1.mp4"), 60);
    GetFramewellApi().Init();
    CConvertDlg convert;
    convert.m_mp4Path = dir.File("rec.v1.mp4").c_str();
    g_convert = &convert;
    g_convertStep = 0;
    Seams::ModalLoopFunc previous = Seams::ReplaceModalLoop(DriveConversion);
    convert.DoModal();
    Seams::ReplaceModalLoop(previous);
    g_convert = nullptr;
    EXPECT_EQ(2, g_convertStep);
    EXPECT_STREQ(dir.File("rec.v1.asf").c_str(), convert.m_asfPath);
    EXPECT_EQ("转换结束。", std::string(convert.m_status));
    const FramewellApi& fw = GetFramewellApi();
    const int mp4 = fw.OpenFile(dir.File("rec.v1.mp4").c_str(), 0);
    const int asf = fw.OpenFile(dir.File("rec.v1.asf").c_str(), 0);
    ASSERT_GT(mp4, 0);
    ASSERT_GT(asf, 0);
    EXPECT_EQ(fw.GetTotalTime(mp4), fw.GetTotalTime(asf));
    fw.Stop(mp4);
    fw.Stop(asf);
    fw.Cleanup();
}

int __stdcall StartsConverting(const char*, const char*)
{
    return 5;
}
int __stdcall GivesUp(int)
{
    return -2;
}
int __stdcall ClosesConversion(int)
{
    return 1;
}

TEST_F(PlayerWindowTest, AConversionTheLibraryGivesUpSaysSo)
{
    FramewellApi table = LibraryFramewellApi();
    table.StartConvert = StartsConverting;
    table.GetConvertProgress = GivesUp;
    table.CloseConvert = ClosesConversion;
    SetFramewellApi(&table);
    CConvertDlg convert;
    convert.m_mp4Path = "D:\\rec\\a.mp4";
    ASSERT_TRUE(convert.Create(CConvertDlg::IDD));
    EXPECT_STREQ("D:\\rec\\a.asf", convert.m_asfPath);
    convert.OnStartStop();
    EXPECT_EQ(5, convert.m_handle);
    convert.OnProgressTick();
    EXPECT_EQ(-1, convert.m_handle);
    EXPECT_EQ("转换失败!", Text(convert.m_hWnd, IDC_CONVERT_STATUS));
    convert.OnStartStop(); // the next click resets the dialog
    EXPECT_EQ(0, convert.m_running);
    convert.DestroyWindow();
    SetFramewellApi(nullptr);
}

// A search that finds 45 recordings at once.
int __stdcall FortyFiveHits(const char*, const char* serverName, int, const char*, const char*, int, int, int,
                            const FramewellTime*, const FramewellTime*, FramewellSearchCallback callback, void* context,
                            int)
{
    for (int i = 0; i < 45; ++i) {
        FramewellTime start = {2026, 12, 10, 8, (unsigned char)i, 0, {}};
        FramewellTime end = {2026, 12, 10, 8, (unsigned char)i, 59, {}};
        char path[64];
        snprintf(path, sizeof path, "D:\\rec\\20261210\\Lobby_1_08%02d00.mp4", i);
        callback("Lobby", 0, path, &start, &end, 1048576u * (unsigned)(i + 1), context);
    }
    (void)serverName;
    return 3;
}
int __stdcall SearchDone(int)
{
    return 1;
}
int __stdcall Closed(int)
{
    return 1;
}
int __stdcall NoRemotePlayer(const char*, const char*, const char*, const char*, HWND, int)
{
    return 0;
}

TEST_F(PlayerWindowTest, TheSearchWindowPagesItsHitsAndQueuesThemAll)
{
    Open();
    FramewellApi table = LibraryFramewellApi();
    table.StartSearch = FortyFiveHits;
    table.GetSearchState = SearchDone;
    table.CloseSearch = Closed;
    table.OpenRemoteFile = NoRemotePlayer;
    SetFramewellApi(&table);
    dialog.ShowSearchWindow();
    CSearchDlg* search = nullptr;
    for (HWND w = ::GetWindow(::GetDesktopWindow(), GW_CHILD); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT)) {
        if (::GetWindowThreadProcessId(w, nullptr) == ::GetCurrentThreadId() && ::GetDlgItem(w, IDC_ADD_ALL))
            search = (CSearchDlg*)CWnd::FromHandlePermanent(w);
    }
    ASSERT_NE(nullptr, search);
    search->SetDlgItemText(IDC_ADDRESS, "127.0.0.1");
    search->SetDlgItemText(IDC_USER, "admin");
    search->SetDlgItemText(IDC_PASSWORD, "1234");
    search->OnQuery();
    EXPECT_EQ(45, search->m_store.GetCount());
    EXPECT_EQ(20, search->m_results.GetItemCount());
    search->ShowPage(2);
    EXPECT_EQ("当前3/3 共45条记录", Text(search->m_hWnd, IDC_COUNTER));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(search->m_hWnd, IDC_NEXT)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(search->m_hWnd, IDC_LAST)));
    search->ShowPage(1);
    Shot(search->m_hWnd, "clipview-search");
    search->AddAllToPlaylist();
    EXPECT_EQ(45, dialog.ActivePane()->m_transport.m_playlist.GetCount());
    EXPECT_EQ(1, dialog.ActivePane()->m_transport.m_playlistMode);
    EXPECT_EQ(1, search->m_store.GetCurrentPage()); // the page on show stays the rows' page
    search->m_results.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    // The library gives no player: message 131, and the window stays.
    search->ShowWindow(SW_SHOW);
    g_messages.clear();
    EXPECT_FALSE(search->PlaySelected());
    EXPECT_EQ(1u, g_messages.size());
    EXPECT_TRUE(search->IsWindowVisible());
    EXPECT_EQ(0, dialog.ActivePane()->m_transport.m_target.local);
    EXPECT_STREQ("127.0.0.1", dialog.ActivePane()->m_transport.m_target.address);
    char path[MAX_PATH] = "";
    ASSERT_TRUE(search->m_store.ReadPath(0, path));
    EXPECT_STREQ("D:\\rec\\20261210\\Lobby_1_082000.mp4", path);
    SetFramewellApi(nullptr);
}

std::string g_saveAs;
BOOL AnswerSave(BOOL, OPENFILENAMEA* ofn)
{
    CopyText(ofn->lpstrFile, ofn->nMaxFile, g_saveAs.c_str());
    return TRUE;
}

CSearchDlg* FindSearchWindow()
{
    for (HWND w = ::GetWindow(::GetDesktopWindow(), GW_CHILD); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT)) {
        if (::GetWindowThreadProcessId(w, nullptr) == ::GetCurrentThreadId() && ::GetDlgItem(w, IDC_ADD_ALL))
            return (CSearchDlg*)CWnd::FromHandlePermanent(w);
    }
    return nullptr;
}

// With the English resource library, the search window's combo items and the conversion dialog's
// first status are English too: they come from the string table.
TEST_F(PlayerWindowTest, TheEnglishLibraryReplacesTheWindowsTexts)
{
    const std::string path = ProgramDirectory() + "\\..\\lang\\ClipviewEn.dll";
    HINSTANCE english = ::LoadLibraryA(path.c_str());
    ASSERT_NE(nullptr, english) << path;
    HINSTANCE own = AfxGetResourceHandle();
    AfxSetResourceHandle(english);
    Open();
    dialog.ShowSearchWindow();
    CSearchDlg* search = FindSearchWindow();
    ASSERT_NE(nullptr, search);
    CString channel, type;
    ((CComboBox*)search->GetDlgItem(IDC_CHANNEL))->GetLBText(0, channel);
    ((CComboBox*)search->GetDlgItem(IDC_FILETYPE))->GetLBText(0, type);
    CConvertDlg convert(&dialog);
    AfxSetResourceHandle(own);
    ::FreeLibrary(english);
    EXPECT_STREQ("All channels", channel);
    EXPECT_STREQ("Video files", type);
    EXPECT_STREQ("Downloading...", convert.m_status);
}

// The search window against the station's own file service (Depotix over the bridge) with real
// recordings, in the four-pane mode.
TEST_F(PlayerWindowTest, TheSearchWindowFindsPlaysQueuesAndConvertsTheStationsRecordings)
{
    StationFileServer station(dir.File("store"));
    std::string first;
    for (int i = 0; i < 22; ++i) {
        std::string path = station.Record("Gate", i % 4, recordManual, 8 + i / 6, (i % 6) * 10, 25);
        ASSERT_FALSE(path.empty());
        if (first.empty())
            first = path;
    }
    char jpeg[] = "jpeg";
    ASSERT_TRUE(theRecordStore.SaveJpegSnapshot("Gate", 1, jpeg, 4));
    const int port = station.Start();
    ASSERT_GT(port, 0);
    Player().displayMode = 4;
    Open();
    dialog.ShowSearchWindow();
    CSearchDlg* search = FindSearchWindow();
    ASSERT_NE(nullptr, search);
    search->SetDlgItemText(IDC_ADDRESS, "127.0.0.1");
    search->SetDlgItemText(IDC_USER, "admin");
    search->SetDlgItemText(IDC_PASSWORD, "1234");
    search->SetDlgItemInt(IDC_PORT, port, FALSE);
    search->OnQuery();
    ASSERT_EQ(22, search->m_store.GetCount()) << "every recording, and no snapshot among the videos";
    EXPECT_EQ(20, search->m_results.GetItemCount());
    EXPECT_EQ("当前1/2 共22条记录", Text(search->m_hWnd, IDC_COUNTER));
    Shot(search->m_hWnd, "clipview-search");
    search->ShowPage(1);
    EXPECT_EQ(2, search->m_results.GetItemCount());
    search->ShowPage(0);

    // A hit plays remotely in the active pane, and in four panes its 352x288 picture sizes the
    // window for twice that.
    Player().picture = {};
    search->m_results.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    ASSERT_TRUE(search->PlaySelected());
    CPlayPane* pane = dialog.ActivePane();
    EXPECT_TRUE(WaitUntil([&] { return pane->m_transport.m_started == 1; }, 20000));
    EXPECT_EQ(0, pane->m_transport.m_target.local);
    EXPECT_EQ(704, Player().picture.cx);
    EXPECT_EQ(576, Player().picture.cy);

    // All of them queued: the playlist plays on from one to the next.
    search->AddAllToPlaylist();
    EXPECT_EQ(1 + 22, pane->m_transport.m_playlist.GetCount()) << "after the entry already played";
    EXPECT_EQ(1, pane->m_transport.m_playlistMode);
    ASSERT_EQ(1, dialog.PlayPlaylistEntry(1, dialog.m_playlist->m_list.GetItemText(1, 0)));
    EXPECT_TRUE(WaitUntil([&] { return pane->m_transport.m_playlist.m_current >= 3; }, 30000))
        << "the playlist moved on from one remote recording to the next";

    // A download with conversion gives an ASF that Framewell plays.
    g_saveAs = dir.File("converted.asf");
    Seams::FileDialogFunc previousDialog = Seams::ReplaceFileDialog(AnswerSave);
    search->m_results.SetItemState(-1, 0, LVIS_SELECTED);
    search->m_results.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    search->Download(TRUE);
    Seams::ReplaceFileDialog(previousDialog);
    std::vector<MediaSample> samples;
    int width = 0, height = 0;
    ASSERT_TRUE(ReadAsfSamples(g_saveAs, &samples, &width, &height));
    EXPECT_EQ(25u, samples.size());
    const int played = GetFramewellApi().OpenFile(g_saveAs.c_str(), 0);
    EXPECT_GT(played, 0);
    EXPECT_GT(GetFramewellApi().GetTotalTime(played), 0);
    EXPECT_TRUE(g_messages.empty());

    // The snapshots are found as such.
    ((CComboBox*)search->GetDlgItem(IDC_FILETYPE))->SetCurSel(1);
    search->OnQuery();
    EXPECT_EQ(1, search->m_store.GetCount());
    EXPECT_EQ(2, search->m_store.m_kind);
}

TEST(PlayerProcesses, ASecondStartHandsItsLineToTheFirstAndEnds)
{
    TempDir dir;
    WriteRecording(dir.File("a b.mp4"), 150, 352, 288);
    ChildProcess first;
    ASSERT_TRUE(first.Start(ProgramPath("Clipview.exe"), "", dir.Path()));
    HWND window = WaitForWindow(first.Id(), "Clipviewer", 20000);
    ASSERT_NE(nullptr, window);
    ChildProcess bare;
    ASSERT_TRUE(bare.Start(ProgramPath("Clipview.exe"), "", dir.Path()));
    EXPECT_EQ(0, bare.Wait(20000));
    EXPECT_EQ("准备就绪", Text(window, IDC_STATUS));
    ChildProcess second;
    ASSERT_TRUE(second.Start(ProgramPath("Clipview.exe"), "\"" + dir.File("a b.mp4") + "\"", dir.Path()));
    EXPECT_EQ(0, second.Wait(20000));
    EXPECT_TRUE(WaitUntil([&] { return Text(window, IDC_STATUS) == "正在播放..."; }, 10000));
    EXPECT_TRUE(WaitUntil([&] { return Text(window, IDC_PLAYTIME) != "00:00:00"; }, 10000));
    ChildProcess remote;
    ASSERT_TRUE(remote.Start(ProgramPath("Clipview.exe"), "x.mp4 *far 127.0.0.1 1 admin", dir.Path()));
    EXPECT_EQ(0, remote.Wait(20000));
    EXPECT_TRUE(first.Running());
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, first.Wait(20000));
}

// A second start with a remote line: the first instance comes to the front, restored, and plays the
// file from the station's file service.
TEST(PlayerProcesses, ASecondStartWithARemoteLineHandsItOver)
{
    TempDir dir;
    StationFileServer station(dir.File("store"));
    const std::string recording = station.Record("Gate", 0, recordManual, 9, 0, 100);
    ASSERT_FALSE(recording.empty());
    const int port = station.Start();
    ASSERT_GT(port, 0);
    ChildProcess first;
    ASSERT_TRUE(first.Start(ProgramPath("Clipview.exe"), "", dir.Path()));
    HWND window = WaitForWindow(first.Id(), "Clipviewer", 20000);
    ASSERT_NE(nullptr, window);
    ::ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(window) != FALSE; }, 5000));
    ChildProcess second;
    const std::string line = recording + " *far 127.0.0.1 " + std::to_string(port) + " admin 1234";
    ASSERT_TRUE(second.Start(ProgramPath("Clipview.exe"), line, dir.Path()));
    EXPECT_EQ(0, second.Wait(20000));
    EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(window); }, 5000)) << "restored";
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == window; }, 5000)) << "in front";
    EXPECT_TRUE(WaitUntil([&] { return Text(window, IDC_STATUS) == "正在播放..."; }, 20000));
    EXPECT_TRUE(WaitUntil([&] { return Text(window, IDC_PLAYTIME) != "00:00:00"; }, 10000));
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, first.Wait(20000));
}

} // namespace
