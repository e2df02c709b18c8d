// The PTZ and matrix panels in a host window beside a video wall whose selected pane shows a
// camera of the simulated site: what each key sends (as devsim lists it), the key repeat, the
// relays, the matrix keypad, the preset-cycle and channel-name dialogs, and panels without their
// layout file or pictures.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "devices/conduit/Conduit.h"
#include "devices/devsim/control/DevsimControl.h"
#include "devices/portwick/Portwick.h"
#include "framework/WindowSeams.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskPageGroup.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/ui/liveview/DisplayPage.h"
#include "station/ui/liveview/DlgChannelName.h"
#include "station/ui/liveview/DlgMatrixPanel.h"
#include "station/ui/liveview/DlgPresetCycle.h"
#include "station/ui/liveview/DlgPreviewPane.h"
#include "station/ui/liveview/DlgPtzPanel.h"
#include "station/ui/liveview/DlgVideoWall.h"
#include "station/ui/liveview/LiveViewHost.h"
#include "station/ui/mainwindow/SkinLayout.h"
#include "tests/station/ui/LiveWallSite.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

namespace {

DevsimSite& Site()
{
    static DevsimSite* site = [] {
        auto* s = new DevsimSite; // devsim ends with the test program
        static TempDir dir;
        std::string ini = dir.File("site.ini");
        WriteTextFile(ini, "[Site]\r\n[Station]\r\nComPorts=2\r\nLinkDevice=COM1\r\nLinkAddress=1\r\n"
                           "[Server1]\r\nName=Alpha\r\nUser=admin\r\nPassword=secret\r\nChannels=2\r\n"
                           "PtzDescription=SpeedDome delay250\r\n");
        s->Start(ini);
        Conduit_Init(0, 0, 0, 0);
        return s;
    }();
    return *site;
}

// The PTZ commands the server received since the last call ("ok N CH:CODE:VALUE ...").
std::string TakePtz(size_t expected)
{
    std::string prefix = "ok " + std::to_string(expected);
    std::string answer;
    WaitUntil([&] {
        answer = Site().Command("ptz Alpha");
        return answer == prefix || answer.compare(0, prefix.size() + 1, prefix + " ") == 0;
    });
    Site().Ok("ptz-clear Alpha");
    return answer;
}

// The station's windows: connect results wait here until the test hands them on.
class PanelWindows : public CNullStationWindows {
public:
    void PostConnectResult(CChannelSession* session, int result) override
    {
        lastSession = session;
        lastResult = result;
    }
    int GetLinkageHandle() override { return linkage; }
    void ShowMessage(LPCSTR text) override { messages.push_back(text); }
    std::atomic<CChannelSession*> lastSession{nullptr};
    std::atomic<int> lastResult{0};
    int linkage = 0;
    std::vector<std::string> messages;
};

class PanelHost : public CNullLiveViewHost {
public:
    CWnd* GetMainWindow() override { return main; }
    CDlgPtzPanel* GetPtzPanel() override { return ptz; }
    CDlgMatrixPanel* GetMatrixPanel() override { return matrix; }
    CWnd* main = nullptr;
    CDlgPtzPanel* ptz = nullptr;
    CDlgMatrixPanel* matrix = nullptr;
};

// Copies the layout file and the pictures the station ships in its start directory.
void CopyStartDirectoryFiles(const std::string& to)
{
    std::string from = ProgramDirectory() + "\\..\\..\\resources\\warden\\startdir\\skin";
    CreateDirectoryA((to + "\\skin").c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((from + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        CopyFileA((from + "\\" + found.cFileName).c_str(), (to + "\\skin\\" + found.cFileName).c_str(), FALSE);
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

class PanelsTest : public ::testing::Test {
protected:
    void SetUp() override { SetUpStation(true); }
    void SetUpStation(bool withSkin)
    {
        Site();
        if (withSkin)
            CopyStartDirectoryFiles(dir_.Path());
        SetStartDirectory(dir_.Path().c_str());
        SetSkinScreenSize(1024, 768);
        for (int& right : CurrentUser().rights)
            right = 1;
        previousWindows_ = SetStationWindows(&windows_);
        previousHost_ = SetLiveViewHost(&host_);
        g_pSysParam = new CSysParam;
        g_pRecGroup = new CRecGroup;
        g_pRecGroup->AddGroup(nullptr, "工程");
        g_pPageGroup = new CVuskPageGroup;
        g_pPageGroup->AddPage(4);

        ASSERT_TRUE(parent_.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                     1024, 768, nullptr, nullptr));
        host_.main = &parent_;
        ASSERT_TRUE(wall_.CreateWall(&parent_, 244, 40, 776, 640));
        wall_.RebuildPageTable(0);
        wall_.ShowPage(0, -1, 0);
        ASSERT_TRUE(ptz_.Create(CDlgPtzPanel::IDD, &parent_));
        ASSERT_TRUE(matrix_.Create(CDlgMatrixPanel::IDD, &parent_));
        host_.ptz = &ptz_;
        host_.matrix = &matrix_;
        ptz_.EnableControls(1);
        matrix_.EnableControls(1);
    }
    void TearDown() override
    {
        if (session_ != nullptr)
            session_->AttachPane(0, nullptr, 0);
        Seams::ReplaceModalLoop(nullptr);
        Seams::ReplaceMessageBox(nullptr);
        Seams::ReplacePopupMenu(nullptr);
        host_.ptz = nullptr;
        host_.matrix = nullptr;
        ptz_.DestroyWindow();
        matrix_.DestroyWindow();
        delete g_pRecGroup; // disconnects the session
        g_pRecGroup = nullptr;
        wall_.DestroyWindow();
        parent_.DestroyWindow();
        DisplayPageTable().RemoveAll();
        delete g_pPageGroup;
        g_pPageGroup = nullptr;
        delete g_pSysParam;
        g_pSysParam = nullptr;
        if (windows_.linkage != 0)
            Portwick_Close(windows_.linkage, 0);
        SetLiveViewHost(previousHost_);
        SetStationWindows(previousWindows_);
        SetSkinScreenSize(0, 0);
        CurrentUser().Clear();
    }

    // Alpha's camera 1 in the tree, its session connected and shown in the selected pane 0.
    CChannelSession* ConnectCamera()
    {
        CTermServer* server =
            AddSiteServer(g_pRecGroup->m_projects.GetHead(), 1, "Alpha", Site().Port("Alpha"), "admin", "secret", 2);
        server->BindCameras();
        camera_ = server->FindCamera(1);
        camera_->m_description = "大门口 东侧";
        session_ = new CChannelSession;
        session_->m_pCamera = camera_;
        camera_->m_pSession = session_;
        session_->AttachPane(1, wall_.GetPane(0), 1);
        EXPECT_TRUE(WaitUntil([&] { return windows_.lastSession.load() == session_; }));
        HandleConnectResultMessage((WPARAM)session_, windows_.lastResult);
        EXPECT_EQ(sessionConnected, session_->m_state);
        Site().Ok("ptz-clear Alpha");
        wall_.RefreshPanels();
        return session_;
    }

    void Click(CWnd* key)
    {
        ASSERT_NE(nullptr, key);
        key->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        key->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    void ClickPtz(UINT id) { Click(ptz_.GetKey(id) != nullptr ? (CWnd*)ptz_.GetKey(id) : ptz_.GetRelayButton(id)); }
    void ClickMatrix(UINT id) { Click(matrix_.GetKey(id)); }
    // Shown within its panel (the panels themselves stay hidden in these tests).
    static bool Shown(CWnd* control) { return (control->GetStyle() & WS_VISIBLE) != 0; }
    std::string Text(CWnd& control)
    {
        CString text;
        control.GetWindowText(text);
        return std::string(text);
    }

    TempDir dir_{true};
    PanelWindows windows_;
    PanelHost host_;
    IStationWindows* previousWindows_ = nullptr;
    ILiveViewHost* previousHost_ = nullptr;
    CWnd parent_;
    CDlgVideoWall wall_;
    CDlgPtzPanel ptz_;
    CDlgMatrixPanel matrix_;
    CTermCamera* camera_ = nullptr;
    CChannelSession* session_ = nullptr;
};

} // namespace

TEST_F(PanelsTest, EveryPtzKeySendsItsCodeToTheSelectedCamera)
{
    ConnectCamera();
    EXPECT_EQ(5, ptz_.GetSpeed());
    ptz_.m_presetEdit.SetWindowText("300");
    ptz_.m_auxEdit.SetWindowText("3");
    struct Case {
        UINT id;
        const char* sent;
    } cases[] = {
        {ptzKeyLeft, "14:5"}, // press and release: start and stop at the bar's speed
        {ptzKeyRight, "15:5"},    {ptzKeyUp, "16:5"},      {ptzKeyDown, "17:5"},
        {ptzKeyIrisAdd, "18:5"},  {ptzKeyIrisSub, "19:5"}, {ptzKeyFocusAdd, "20:5"},
        {ptzKeyFocusSub, "21:5"}, {ptzKeyZoomAdd, "23:5"}, {ptzKeyZoomSub, "22:5"},
        {ptzKeyCall, "10:255"}, // preset 300 is sent as 255
        {ptzKeyPreset, "11:255"}, {ptzKeyAuto, "12:0"},    {ptzKeyAuto, "32:0"},
        {ptzKeyAuxOn, "30:2"}, // device number minus 1
        {ptzKeyAuxOff, "31:2"},
    };
    for (const Case& c : cases) {
        ClickPtz(c.id);
        std::string sent(c.sent);
        bool both = PtzKeyStartCode(c.id) >= 0;
        if (both) {
            std::string start = std::to_string(PtzKeyStartCode(c.id)) + ":5";
            EXPECT_EQ("ok 2 1:" + start + " 1:" + sent, TakePtz(2)) << c.id;
        } else {
            EXPECT_EQ("ok 1 1:" + sent, TakePtz(1)) << c.id;
        }
    }
    // Empty and non-numeric edits read 0.
    ptz_.m_presetEdit.SetWindowText("");
    ClickPtz(ptzKeyCall);
    ptz_.m_auxEdit.SetWindowText("x");
    ClickPtz(ptzKeyAuxOn);
    EXPECT_EQ("ok 2 1:10:0 1:30:0", TakePtz(2));
    // Without a selected pane no key does anything.
    wall_.SetSelectedPaneWnd(nullptr);
    ClickPtz(ptzKeyLeft);
    ClickPtz(ptzKeyCall);
    EXPECT_EQ("ok 0", TakePtz(0));
    // Nor with an empty pane selected (the slot of a disabled camera), on either panel.
    wall_.SetSelectedPaneWnd(wall_.GetPane(3));
    wall_.RefreshPanels();
    ClickPtz(ptzKeyLeft);
    ClickPtz(ptzKeyCall);
    matrix_.m_valueEdit.SetWindowText("7");
    ClickMatrix(mtxKeyEnter);
    ClickMatrix(469);
    EXPECT_EQ("ok 0", TakePtz(0));
}

TEST_F(PanelsTest, AMovementReleasedOutsideItsKeyStillStops)
{
    ConnectCamera();
    CSkinButton* left = ptz_.GetKey(ptzKeyLeft);
    left->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_TRUE(ptz_.IsRepeating());
    left->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
    EXPECT_EQ("ok 2 1:0:5 1:14:5", TakePtz(2));
    EXPECT_FALSE(ptz_.IsRepeating()) << "the stop code ends the repeat";
}

TEST_F(PanelsTest, OnlyHeldMovementsRepeatAndOnlyForTheirPane)
{
    ConnectCamera();
    EXPECT_EQ(250, session_->m_ptzDelay);
    camera_->m_matrixValue = 7; // the camera's configured speed rides with the repeat
    for (UINT id : {ptzKeyIrisAdd, ptzKeyFocusSub, ptzKeyZoomAdd}) {
        ptz_.GetKey(id)->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        EXPECT_FALSE(ptz_.IsRepeating()) << id;
        ptz_.GetKey(id)->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    ptz_.m_presetEdit.SetWindowText("4");
    ClickPtz(ptzKeyCall);
    EXPECT_FALSE(ptz_.IsRepeating());
    TakePtz(7);

    CSkinButton* down = ptz_.GetKey(ptzKeyDown);
    down->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ASSERT_TRUE(ptz_.IsRepeating());
    ptz_.SendMessage(WM_TIMER, CDlgPtzPanel::REPEAT_TIMER);
    ptz_.SendMessage(WM_TIMER, CDlgPtzPanel::REPEAT_TIMER);
    EXPECT_EQ("ok 3 1:3:5 1:3:5 1:3:5", TakePtz(3));

    // Another pane selected: the next tick ends the repeat without sending.
    wall_.SetSelectedPaneWnd(wall_.GetPane(1));
    ptz_.SendMessage(WM_TIMER, CDlgPtzPanel::REPEAT_TIMER);
    EXPECT_FALSE(ptz_.IsRepeating());
    EXPECT_EQ("ok 0", TakePtz(0));

    // A camera whose delays are 0 never repeats.
    wall_.SetSelectedPaneWnd(wall_.GetPane(0));
    session_->m_ptzDelay = 0;
    ptz_.StartKeyRepeat(0, 5);
    EXPECT_FALSE(ptz_.IsRepeating());
}

TEST_F(PanelsTest, RelaysOfTheServerAndOfTheAlarmBox)
{
    windows_.linkage = Portwick_OpenLinkDevice(0, 1, "");
    ASSERT_GT(windows_.linkage, 0);
    ConnectCamera();
    ClickPtz(ptzKeyRelayFirst + 1);
    EXPECT_TRUE(Site().WaitState("Alpha", "relays", "0100", 5000));
    EXPECT_EQ(1, ptz_.GetRelayButton(ptzKeyRelayFirst + 1)->GetState());
    ClickPtz(ptzKeyRelayFirst + 1);
    EXPECT_TRUE(Site().WaitState("Alpha", "relays", "0000", 5000));

    ClickPtz(ptzKeyLocalRelayFirst + 2);
    EXPECT_TRUE(Site().WaitState("station", "relays", "00100000", 5000));
    EXPECT_EQ(1, ptz_.GetRelayButton(ptzKeyLocalRelayFirst + 2)->GetState());
    ClickPtz(ptzKeyLocalRelayFirst + 2);
    EXPECT_TRUE(Site().WaitState("station", "relays", "00000000", 5000));

    // The linkage marks outputs without redrawing; the refresh shows them.
    ptz_.SetLocalRelayState(1, 5, 0);
    EXPECT_EQ(0, ptz_.GetRelayButton(ptzKeyLocalRelayFirst + 5)->GetState());
    ptz_.RefreshLocalRelays();
    EXPECT_EQ(1, ptz_.GetRelayButton(ptzKeyLocalRelayFirst + 5)->GetState());
    ptz_.SetLocalRelayState(1, 8, 1); // no ninth output

    // Selecting shows the session's relay states; an empty pane shows them off.
    session_->m_relayStates[3] = 1;
    wall_.RefreshPanels();
    EXPECT_EQ(1, ptz_.GetServerRelay(3));
    wall_.SetSelectedPaneWnd(wall_.GetPane(2));
    wall_.RefreshPanels();
    EXPECT_EQ(0, ptz_.GetServerRelay(3));
    EXPECT_EQ("", Text(ptz_.m_description));
}

TEST_F(PanelsTest, ARelayEventShowsTheRelaysAndLeavesWhatTheOperatorTypesAlone)
{
    ConnectCamera();
    // The operator is typing a camera and a monitor number for the matrix.
    ClickMatrix(mtxKeyDelete);
    for (UINT d : {1u, 2u})
        ClickMatrix(mtxKeyDigitFirst + d);
    matrix_.m_monitorEdit.SetWindowText("3");
    ASSERT_TRUE(Site().Ok("event Alpha 1 5 4")); // the server reports relay 3 on
    EXPECT_TRUE(WaitUntil([&] { return ptz_.GetServerRelay(2) == 1; }));
    EXPECT_EQ(1, ptz_.GetRelayButton(ptzKeyRelayFirst + 2)->GetState());
    EXPECT_EQ("12", Text(matrix_.m_cameraEdit));
    EXPECT_EQ("3", Text(matrix_.m_monitorEdit));
}

TEST_F(PanelsTest, MatrixKeysSendTheirCodesWithTheCameraAndMonitorNumbers)
{
    ConnectCamera();
    // Typing 2, 5, 6 keeps the camera number within 255: "56".
    for (UINT d : {2u, 5u, 6u})
        ClickMatrix(mtxKeyDigitFirst + d);
    EXPECT_EQ("56", Text(matrix_.m_cameraEdit));
    matrix_.m_monitorEdit.SetWindowText("3");
    ClickMatrix(mtxKeyEnter);
    EXPECT_EQ("ok 2 1:35:0 1:36:0", TakePtz(2));
    EXPECT_EQ(56, camera_->m_matrixValue);
    EXPECT_EQ(3, camera_->m_matrixMonitor);

    matrix_.m_valueEdit.SetWindowText("7");
    struct Case {
        UINT id;
        const char* sent;
    } cases[] = {
        {469, "37:7"}, {470, "38:7"}, {471, "42:7"}, {472, "39:7"}, {473, "41:7"}, {474, "40:7"},
        {475, "45:7"}, {476, "46:7"}, {477, "43:7"}, {478, "44:7"}, {479, "47:7"},
    };
    for (const Case& c : cases) {
        ClickMatrix(c.id);
        EXPECT_EQ(std::string("ok 1 1:") + c.sent, TakePtz(1)) << c.id;
    }
    // The menu button opens the menu group; its digits send themselves, "mtxmenu" leaves it.
    matrix_.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MTX_MENU_BUTTON, BN_CLICKED), 0);
    EXPECT_EQ(1, session_->m_matrixMenu);
    EXPECT_TRUE(Shown(matrix_.GetKey(mtxKeyMenuExit)));
    EXPECT_FALSE(Shown(&matrix_.m_list));
    ClickMatrix(mtxKeyMenuDigitFirst + 4);
    ClickMatrix(492);
    ClickMatrix(497);
    ClickMatrix(mtxKeyMenuExit);
    EXPECT_EQ("ok 5 1:48:7 1:50:4 1:51:7 1:56:7 1:49:7", TakePtz(5));
    EXPECT_EQ(0, session_->m_matrixMenu);
    EXPECT_FALSE(Shown(matrix_.GetKey(mtxKeyMenuExit)));
    EXPECT_TRUE(Shown(&matrix_.m_list));

    // A value of -1 sends nothing; non-numbers read 0.
    matrix_.m_valueEdit.SetWindowText("-1");
    ClickMatrix(469);
    matrix_.m_valueEdit.SetWindowText("abc");
    ClickMatrix(470);
    EXPECT_EQ("ok 1 1:38:0", TakePtz(1));

    // The editing keys.
    matrix_.m_cameraEdit.SetWindowText("");
    ClickMatrix(mtxKeyPrev);
    EXPECT_EQ("0", Text(matrix_.m_cameraEdit));
    matrix_.m_cameraEdit.SetWindowText("255");
    ClickMatrix(mtxKeyNext);
    EXPECT_EQ("255", Text(matrix_.m_cameraEdit));
    ClickMatrix(mtxKeyDelete);
    EXPECT_EQ("", Text(matrix_.m_cameraEdit));
    matrix_.m_cameraEdit.SetWindowText("1234");
    EXPECT_EQ("234", Text(matrix_.m_cameraEdit));
    matrix_.m_cameraEdit.SetWindowText("2999");
    EXPECT_EQ("99", Text(matrix_.m_cameraEdit)) << "the last three read above 255";
}

TEST_F(PanelsTest, WithoutThePtzRightEveryKeyIsDisabled)
{
    CurrentUser().rights[7] = 0;
    ptz_.EnableControls(1);
    matrix_.EnableControls(1);
    EXPECT_FALSE(ptz_.GetKey(ptzKeyLeft)->IsWindowEnabled());
    EXPECT_FALSE(ptz_.GetRelayButton(ptzKeyLocalRelayFirst)->IsWindowEnabled());
    EXPECT_FALSE(ptz_.GetSpeedBar()->IsWindowEnabled());
    EXPECT_FALSE(matrix_.GetKey(mtxKeyEnter)->IsWindowEnabled());
    EXPECT_FALSE(matrix_.m_list.IsWindowEnabled());
    CurrentUser().rights[7] = 1;
    ptz_.EnableControls(0); // the screen lock
    EXPECT_FALSE(ptz_.GetKey(ptzKeyCall)->IsWindowEnabled());
    ptz_.EnableControls(1);
    matrix_.EnableControls(1);
    EXPECT_TRUE(ptz_.GetKey(ptzKeyCall)->IsWindowEnabled());
    EXPECT_TRUE(matrix_.GetKey(mtxKeyMenuExit)->IsWindowEnabled());
}

namespace {

// Works the preset-cycle dialog: a row added from the edits, then OK.
void AddCycleRow(CWnd* window)
{
    auto* cycle = dynamic_cast<CDlgPresetCycle*>(window);
    if (cycle == nullptr)
        return;
    cycle->SetDlgItemText(IDC_CYCLE_PRESET, "12");
    cycle->SetDlgItemText(IDC_CYCLE_DWELL, "1200");
    cycle->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CYCLE_ADD, BN_CLICKED), 0);
    cycle->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

std::vector<std::string> g_boxes;
int RecordBox(HWND, LPCSTR text, LPCSTR, UINT)
{
    g_boxes.push_back(text);
    return IDOK;
}

// Works the channel-name dialog: first a number that exists, then a new one.
void NameChannel(CWnd* window)
{
    auto* dialog = dynamic_cast<CDlgChannelName*>(window);
    if (dialog == nullptr)
        return;
    dialog->SetDlgItemText(IDC_CHANNEL_NUMBER, "5");
    dialog->SetDlgItemText(IDC_CHANNEL_NAME, "西门");
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    if (g_boxes.size() == 1) {
        dialog->SetDlgItemText(IDC_CHANNEL_NUMBER, "9");
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
}

UINT g_menuChoice = 0;
std::vector<UINT> g_enabledItems;
UINT ChooseFromMenu(HMENU menu, UINT, int, int, HWND)
{
    g_enabledItems.clear();
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (!(GetMenuState(menu, i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)))
            g_enabledItems.push_back(GetMenuItemID(menu, i));
    }
    return g_menuChoice;
}

} // namespace

TEST_F(PanelsTest, ThePresetCycleKeepsWholeDwellTimes)
{
    ConnectCamera();
    Seams::ReplaceModalLoop(AddCycleRow);
    ClickPtz(ptzKeyCycleSettings);
    ASSERT_EQ(1, camera_->m_presetTour.GetSize());
    EXPECT_EQ(12, camera_->m_presetTour[0].preset);
    EXPECT_EQ(1200, camera_->m_presetTour[0].dwellSeconds) << "not cut to 120";
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(dir_.File("servertree.cfg").c_str())) << "saved";

    ClickPtz(ptzKeyCycleToggle);
    EXPECT_EQ(1, session_->m_presetCycleRunning);
    EXPECT_EQ("ok 1 1:10:12", TakePtz(1));
    ClickPtz(ptzKeyCycleToggle);
    EXPECT_EQ(0, session_->m_presetCycleRunning);
}

TEST_F(PanelsTest, TheChannelListIsEditedThroughItsMenu)
{
    ConnectCamera();
    camera_->m_matrixChannelNames.Add(MatrixChannelName{5, "东门"});
    matrix_.ShowCamera(nullptr);
    matrix_.ShowCamera(camera_);
    ASSERT_EQ(1, matrix_.m_list.GetItemCount());

    g_boxes.clear();
    Seams::ReplaceMessageBox(RecordBox);
    Seams::ReplaceModalLoop(NameChannel);
    Seams::ReplacePopupMenu(ChooseFromMenu);
    g_menuChoice = ID_MATRIX_ADD;
    NMHDR click = {matrix_.m_list.m_hWnd, IDC_MTX_LIST, (UINT)NM_RCLICK};
    matrix_.SendMessage(WM_NOTIFY, IDC_MTX_LIST, (LPARAM)&click);
    PumpMessages();
    EXPECT_EQ(std::vector<UINT>{ID_MATRIX_ADD}, g_enabledItems) << "nothing selected: only adding";
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_EQ("该通道已经存在", g_boxes[0]);
    ASSERT_EQ(2, camera_->m_matrixChannelNames.GetSize());
    EXPECT_EQ(9, camera_->m_matrixChannelNames[1].number);
    ASSERT_EQ(2, matrix_.m_list.GetItemCount());
    EXPECT_EQ(std::string("9"), std::string(matrix_.m_list.GetItemText(1, 0)));

    // Double-clicking a listed channel switches to it.
    matrix_.m_list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    NMHDR dbl = {matrix_.m_list.m_hWnd, IDC_MTX_LIST, (UINT)NM_DBLCLK};
    matrix_.SendMessage(WM_NOTIFY, IDC_MTX_LIST, (LPARAM)&dbl);
    EXPECT_EQ("ok 2 1:35:0 1:36:0", TakePtz(2));
    EXPECT_EQ(9, camera_->m_matrixValue);
    EXPECT_EQ("9", Text(matrix_.m_cameraEdit));

    g_menuChoice = ID_MATRIX_DELETE;
    matrix_.SendMessage(WM_NOTIFY, IDC_MTX_LIST, (LPARAM)&click);
    PumpMessages();
    EXPECT_EQ(4u, g_enabledItems.size());
    ASSERT_EQ(1, camera_->m_matrixChannelNames.GetSize());
    EXPECT_EQ(5, camera_->m_matrixChannelNames[0].number);
    EXPECT_EQ(1, matrix_.m_list.GetItemCount());
}

TEST_F(PanelsTest, Screenshots)
{
    ConnectCamera();
    camera_->m_matrixChannelNames.Add(MatrixChannelName{1, "大门"});
    camera_->m_matrixChannelNames.Add(MatrixChannelName{2, "停车场"});
    camera_->m_matrixValue = 2;
    matrix_.ShowCamera(nullptr); // the same camera again would keep its list
    wall_.RefreshPanels();
    ptz_.SetLocalRelayState(1, 1, 1);
    ClickPtz(ptzKeyRelayFirst);
    ptz_.ShowWindow(SW_SHOW);
    PumpMessages();
    ptz_.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Capture ptzShot = CaptureWindow(ptz_.m_hWnd);
    EXPECT_TRUE(SavePng(ptzShot, ScreenshotPath("ptz-panel")));
    ptz_.ShowWindow(SW_HIDE);
    matrix_.ShowWindow(SW_SHOW);
    PumpMessages();
    matrix_.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(SavePng(CaptureWindow(matrix_.m_hWnd), ScreenshotPath("matrix-panel")));
    EXPECT_EQ(236, ptzShot.width);
    EXPECT_EQ(556, ptzShot.height);
}

// A start directory without its layout file or pictures: the panels still work.
class BarePanelsTest : public PanelsTest {
protected:
    void SetUp() override { SetUpStation(false); }
};

TEST_F(BarePanelsTest, PanelsWithoutLayoutOrPicturesStillWork)
{
    // Wine finds a relative picture path in the program's folder too, where scripts/run leaves the
    // demonstration station's pictures.
    if (::GetFileAttributesA((ProgramDirectory() + "\\skin").c_str()) != INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "the program folder holds pictures (scripts/run's start directory)";
    ConnectCamera();
    CSkinButton* left = ptz_.GetKey(ptzKeyLeft);
    ASSERT_NE(nullptr, left);
    EXPECT_EQ(0, left->ChosenPicture()) << "no pictures: nothing drawn";
    EXPECT_EQ(1, ptz_.GetSpeed()) << "a bar without a width reads the lowest speed";
    ptz_.OnButton(ptzKeyLeft, skinButtonPressed);
    ptz_.OnButton(ptzKeyLeft, skinButtonClicked);
    EXPECT_EQ("ok 2 1:0:1 1:14:1", TakePtz(2));
    matrix_.m_cameraEdit.SetWindowText("");
    matrix_.OnKey(mtxKeyDigitFirst + 4, skinButtonClicked);
    EXPECT_EQ("4", Text(matrix_.m_cameraEdit));
    ptz_.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    matrix_.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
