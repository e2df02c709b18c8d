// The station's services against the simulated site: the voice talk with its relay linkage, the
// forwarding service's record, account check and client log, the file service's log-in check, and
// the control keyboard's keys reaching the main window.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "devices/conduit/Conduit.h"
#include "devices/devsim/control/DevsimControl.h"
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
#include "station/core/storage/SystemLog.h"
#include "station/ui/liveview/DisplayPage.h"
#include "station/ui/liveview/DlgPreviewPane.h"
#include "station/ui/liveview/DlgVideoWall.h"
#include "station/ui/liveview/LiveViewHost.h"
#include "station/ui/services/StationServices.h"
#include "tests/station/ui/LiveWallSite.h"
#include "tests/support/TestSupport.h"

namespace {

// A site of its own (a keyboard and an alarm-input port beside the linkage device); Portwick of
// this program is pointed at it only while a test of this file runs.
DevsimSite& Site()
{
    static DevsimSite* site = [] {
        auto* s = new DevsimSite; // devsim ends with the test program
        static TempDir dir;
        std::string ini = dir.File("site.ini");
        WriteTextFile(ini, "[Site]\r\n[Station]\r\nComPorts=3\r\nLinkDevice=COM1\r\nKeyboard=COM2\r\n"
                           "AlarmInput=COM3\r\n[Server1]\r\nName=Talker\r\nUser=admin\r\nPassword=secret\r\n"
                           "Channels=2\r\n");
        char previous[64] = {};
        GetEnvironmentVariableA("DEVSIM_SITE", previous, sizeof previous);
        s->Start(ini);
        SetEnvironmentVariableA("DEVSIM_SITE", previous[0] ? previous : nullptr);
        Conduit_Init(0, 0, 0, 0);
        return s;
    }();
    return *site;
}

unsigned short FreePort()
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in sa = {};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    int len = sizeof sa;
    getsockname(s, reinterpret_cast<sockaddr*>(&sa), &len);
    closesocket(s);
    return ntohs(sa.sin_port);
}

std::vector<std::string> g_boxes;
int RecordBox(HWND, LPCSTR text, LPCSTR, UINT)
{
    g_boxes.push_back(text);
    return IDOK;
}

// The records of the one daily file the log wrote into dir.
std::vector<SysLogRecord> LogRecords(const std::string& dir)
{
    std::vector<SysLogRecord> records;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir + "\\Vusk\\*.log").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return records;
    FindClose(find);
    HANDLE file = CreateFileA((dir + "\\Vusk\\" + found.cFileName).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    SysLogRecord record;
    DWORD read = 0;
    while (ReadFile(file, &record, sizeof record, &read, nullptr) && read == sizeof record)
        records.push_back(record);
    CloseHandle(file);
    return records;
}

// The main window: keeps the keyboard's messages and the command buttons' states.
class HostWindow : public CWnd, public CNullLiveViewHost {
public:
    CWnd* GetMainWindow() override { return this; }
    int GetButtonChecked(UINT id) override { return buttons[id]; }
    void SetButtonChecked(UINT id, int checked) override { buttons[id] = checked; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KEYBOARD_COMMAND)
            keys.push_back({wParam, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::map<UINT, int> buttons;
    std::vector<std::pair<WPARAM, LPARAM>> keys;
};

class ConnectWindows : public CNullStationWindows {
public:
    void PostConnectResult(CChannelSession* session, int result) override
    {
        lastSession = session;
        lastResult = result;
    }
    std::atomic<CChannelSession*> lastSession{nullptr};
    std::atomic<int> lastResult{0};
};

class StationServicesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Site();
        GetEnvironmentVariableA("DEVSIM_SITE", previousSite_, sizeof previousSite_);
        SetEnvironmentVariableA("DEVSIM_SITE", Site().SiteAddress().c_str());
        SetStartDirectory(dir_.Path().c_str());
        for (int& right : CurrentUser().rights)
            right = 1;
        previousWindows_ = SetStationWindows(&windows_);
        previousHost_ = SetLiveViewHost(&host_);
        g_boxes.clear();
        Seams::ReplaceMessageBox(RecordBox);
        g_pSysParam = new CSysParam;
        log_.SetBaseDir(dir_.Path().c_str());
        ASSERT_TRUE(host_.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                   1024, 768, nullptr, nullptr));
    }
    void TearDown() override
    {
        services_.Talk(1);
        services_.CloseSerialDevices();
        if (session_ != nullptr)
            session_->AttachPane(0, nullptr, 0);
        delete g_pRecGroup; // disconnects the session
        g_pRecGroup = nullptr;
        if (wall_.m_hWnd != nullptr)
            wall_.DestroyWindow();
        DisplayPageTable().RemoveAll();
        delete g_pPageGroup;
        g_pPageGroup = nullptr;
        host_.DestroyWindow();
        delete g_pSysParam;
        g_pSysParam = nullptr;
        Seams::ReplaceMessageBox(nullptr);
        SetLiveViewHost(previousHost_);
        SetStationWindows(previousWindows_);
        CurrentUser().Clear();
        SetEnvironmentVariableA("DEVSIM_SITE", previousSite_[0] ? previousSite_ : nullptr);
    }

    // Talker's camera 2 connected in pane 0 of a wall, pane 0 selected; its talk linkage switches
    // relay 1 for resetSeconds.
    CChannelSession* ConnectCamera(int resetSeconds)
    {
        g_pRecGroup = new CRecGroup;
        g_pRecGroup->AddGroup(nullptr, "工程");
        g_pPageGroup = new CVuskPageGroup;
        g_pPageGroup->AddPage(4);
        EXPECT_TRUE(wall_.CreateWall(&host_, 244, 40, 776, 640));
        wall_.RebuildPageTable(0);
        wall_.ShowPage(0, 0, 0);
        CTermServer* server =
            AddSiteServer(g_pRecGroup->m_projects.GetHead(), 1, "Talker", Site().Port("Talker"), "admin", "secret", 2);
        server->BindCameras();
        CTermCamera* camera = server->FindCamera(1);
        camera->m_talkAlarmOutput = 1;
        camera->m_talkResetSeconds = resetSeconds;
        session_ = new CChannelSession;
        session_->m_pCamera = camera;
        camera->m_pSession = session_;
        session_->AttachPane(1, wall_.GetPane(0), 1);
        EXPECT_TRUE(WaitUntil([&] { return windows_.lastSession.load() == session_; }));
        HandleConnectResultMessage((WPARAM)session_, windows_.lastResult);
        EXPECT_EQ(sessionConnected, session_->m_state);
        EXPECT_EQ(wall_.GetPane(0), wall_.GetSelectedPaneWnd());
        return session_;
    }

    TempDir dir_{true};
    char previousSite_[64] = {};
    ConnectWindows windows_;
    HostWindow host_;
    IStationWindows* previousWindows_ = nullptr;
    ILiveViewHost* previousHost_ = nullptr;
    CSystemLog log_;
    CDlgVideoWall wall_;
    CChannelSession* session_ = nullptr;
    CStationServices services_;
};

} // namespace

TEST_F(StationServicesTest, TalkSendsVoiceSwitchesItsRelayAndASecondPressStops)
{
    CChannelSession* session = ConnectCamera(30);
    EXPECT_EQ(-1, services_.GetTalkRelay());
    services_.Talk(1); // stop only: nothing runs, nothing starts
    EXPECT_EQ(-1, services_.GetTalkHandle());

    services_.Talk(0);
    int handle = services_.GetTalkHandle();
    ASSERT_GE(handle, 0) << (g_boxes.empty() ? "" : g_boxes[0]);
    EXPECT_EQ(handle, session->m_talkHandle);
    EXPECT_EQ(session, services_.GetTalkSession());
    EXPECT_EQ(1, host_.buttons[ID_BUTTON_TALK]);
    EXPECT_EQ(1, host_.buttons[ID_BUTTON_AUDIO_FOLLOW]);
    EXPECT_EQ(1, wall_.IsAudioFollow());
    EXPECT_EQ(1, services_.GetTalkRelay());
    EXPECT_TRUE(services_.IsTalkRelayTimerRunning());
    EXPECT_TRUE(Site().WaitState("Talker", "talking", "1", 5000));
    EXPECT_TRUE(Site().WaitState("Talker", "relays", "0100", 5000));
    EXPECT_TRUE(WaitUntil([] { return std::atoi(Site().State("Talker", "talk").c_str()) >= 1600; }))
        << "voice bytes: " << Site().State("Talker", "talk");

    services_.Talk(0); // the second press stops
    EXPECT_EQ(-1, services_.GetTalkHandle());
    EXPECT_EQ(-1, session->m_talkHandle);
    EXPECT_EQ(nullptr, services_.GetTalkSession());
    EXPECT_EQ(-1, services_.GetTalkRelay());
    EXPECT_FALSE(services_.IsTalkRelayTimerRunning());
    EXPECT_EQ(0, host_.buttons[ID_BUTTON_TALK]);
    EXPECT_TRUE(Site().WaitState("Talker", "talking", "0", 5000));
    EXPECT_TRUE(Site().WaitState("Talker", "relays", "0000", 5000));
    EXPECT_TRUE(g_boxes.empty());

    // The linkage timer's tick switches the relay off; the stop afterwards switches nothing.
    services_.Talk(0);
    ASSERT_GE(services_.GetTalkHandle(), 0);
    EXPECT_TRUE(Site().WaitState("Talker", "relays", "0100", 5000));
    services_.OnTalkRelayTimer();
    EXPECT_EQ(-1, services_.GetTalkRelay());
    EXPECT_TRUE(Site().WaitState("Talker", "relays", "0000", 5000));
    services_.Talk(1);
    EXPECT_EQ(-1, services_.GetTalkHandle());
    EXPECT_TRUE(Site().WaitState("Talker", "talking", "0", 5000));
}

TEST_F(StationServicesTest, RefusedTalkShowsItsMessageAndLeavesNoState)
{
    CChannelSession* session = ConnectCamera(0);
    struct Case {
        int code;
        const char* message;
    } cases[] = {
        {-104, "服务器正在与其他用户通话,请稍候再试."},
        {-102, "错误的用户名或密码!"},
        {-7, "请求对讲失败:-7."},
    };
    for (const Case& c : cases) {
        Site().Ok("fail Talker talk " + std::to_string(c.code));
        g_boxes.clear();
        services_.Talk(0);
        EXPECT_EQ(std::vector<std::string>{c.message}, g_boxes);
        EXPECT_EQ(-1, services_.GetTalkHandle()) << c.code;
        EXPECT_EQ(nullptr, services_.GetTalkSession());
        EXPECT_EQ(-1, session->m_talkHandle);
        EXPECT_EQ(-1, services_.GetTalkRelay());
        EXPECT_EQ(0, host_.buttons[ID_BUTTON_TALK]);
        EXPECT_EQ("0000", Site().State("Talker", "relays"));
    }
    Site().Ok("fail Talker talk off");
    // With no talk state left, the next press starts a talk at once.
    services_.Talk(0);
    EXPECT_GE(services_.GetTalkHandle(), 0);
    EXPECT_TRUE(Site().WaitState("Talker", "talking", "1", 5000));
    EXPECT_FALSE(services_.IsTalkRelayTimerRunning()); // a reset time of 0 never switches it off
}

TEST_F(StationServicesTest, RelayServiceConfigIsLaidOutAsTheLibraryReadsIt)
{
    CSysParam params; // defaults: "234.5.6.7", ports 6000 and 3000, 50, 100, 50
    RelayServiceConfig config = CStationServices::MakeRelayConfig(params);
    const size_t pointer = sizeof(void*);
    ASSERT_EQ(36 + 2 * pointer, sizeof config); // 44 bytes in the 32-bit build
    unsigned char bytes[sizeof config];
    std::memcpy(bytes, &config, sizeof config);
    const unsigned char expected[36] = {'2', '3', '4', '.', '5',  '.',  '6',  '.',  '7', 0, 0, 0,
                                        0,   0,   0,   0,   0x70, 0x17, 0xB8, 0x0B, 50,  0, 0, 0,
                                        50,  0,   0,   0,   50,   0,    0,    0,    100, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(expected, bytes, 36));
    RelayAccountCallback account;
    RelayEventCallback event;
    std::memcpy(&account, bytes + 36, pointer);
    std::memcpy(&event, bytes + 36 + pointer, pointer);
    EXPECT_EQ(&CStationServices::RelayAccountCheck, account);
    EXPECT_EQ(&CStationServices::RelayEventLog, event);

    // All three account names empty: no account check at all. An address too long is cut.
    params.m_forwardAdminUser = params.m_forwardSeniorUser = params.m_forwardOperatorUser = "";
    params.m_multicastAddress = "239.255.255.250:12345"; // 15 characters kept
    config = CStationServices::MakeRelayConfig(params);
    EXPECT_EQ(nullptr, config.accountCheck);
    EXPECT_STREQ("239.255.255.250", config.multicastAddress);
}

TEST_F(StationServicesTest, RelayAccountCheckTable)
{
    struct Case {
        const char *admin, *senior, *operator_;
        const char *user, *password;
        int level;
    } cases[] = {
        {"a", "s", "o", "a", "pa", 1},
        {"a", "s", "o", "s", "ps", 2},
        {"a", "s", "o", "o", "po", 3},
        {"a", "s", "o", "a", "ps", 0}, // a name with another level's password
        {"a", "s", "o", "A", "pa", 0}, // exact case
        {"a", "s", "o", "", "", 0},
        {"a", "", "o", "x", "y", 2}, // an empty name admits whoever did not match above
                                     // it
        {"a", "", "o", "a", "pa", 1},
        {"", "s", "o", "x", "y", 1},
        {"a", "s", "", "x", "y", 3},
    };
    for (const Case& c : cases) {
        CSysParam params;
        params.m_forwardAdminUser = c.admin;
        params.m_forwardAdminPassword = (std::string("p") + c.admin).c_str();
        params.m_forwardSeniorUser = c.senior;
        params.m_forwardSeniorPassword = (std::string("p") + c.senior).c_str();
        params.m_forwardOperatorUser = c.operator_;
        params.m_forwardOperatorPassword = (std::string("p") + c.operator_).c_str();
        CStationServices::KeepRelaySettings(params, nullptr);
        EXPECT_EQ(c.level, CStationServices::RelayAccountCheck(0, c.user, c.password))
            << c.admin << "/" << c.senior << "/" << c.operator_ << " " << c.user << ":" << c.password;
    }
}

TEST_F(StationServicesTest, ForwardingClientsAreCheckedAndLogged)
{
    CSysParam params;
    params.m_forwardEnabled = 1;
    params.m_forwardLocalPort = FreePort();
    params.m_forwardAdminUser = "boss";
    params.m_forwardAdminPassword = "pw";
    params.m_forwardSeniorUser = "";
    ASSERT_EQ(1, services_.StartRelayService(params, &log_));
    // The settings change after the start: the callbacks keep the copy they were started with.
    params.m_forwardAdminUser = "other";
    std::string port = std::to_string(params.m_forwardLocalPort);
    EXPECT_EQ("ok level=1", Site().Command("relay-client " + port + " boss pw Lobby 2"));
    EXPECT_EQ("ok level=2", Site().Command("relay-client " + port + " boss guess Yard 0"));
    EXPECT_TRUE(WaitUntil([&] { return LogRecords(dir_.Path()).size() == 4; }));
    services_.StopCallbacks();
    EXPECT_EQ("err unreachable", Site().Command("relay-client " + port + " boss pw"));

    std::vector<SysLogRecord> records = LogRecords(dir_.Path());
    ASSERT_EQ(4u, records.size());
    EXPECT_EQ(3, records[0].type);
    EXPECT_EQ(2, records[0].subType);
    EXPECT_STREQ("转发服务   服务器名称: Lobby", records[0].detail);
    EXPECT_STREQ("127.0.0.1 建立连接 用户名:boss 密码:pw", records[0].text);
    EXPECT_STREQ("127.0.0.1 断开连接", records[1].text);
    EXPECT_STREQ("转发服务   服务器名称: Yard", records[2].detail);
    EXPECT_STREQ("127.0.0.1 建立连接 用户名:boss 密码:guess", records[2].text);
    EXPECT_TRUE(g_boxes.empty());

    // Switched off: nothing starts. A port in use: the failure message, once.
    params.m_forwardEnabled = 0;
    EXPECT_EQ(0, services_.StartRelayService(params, &log_));
    EXPECT_TRUE(g_boxes.empty());
    params.m_forwardEnabled = 1;
    params.m_forwardLocalPort = Site().Port("Talker");
    EXPECT_EQ(0, services_.StartRelayService(params, &log_));
    EXPECT_EQ(std::vector<std::string>{"启动转发服务失败"}, g_boxes);
    services_.StopCallbacks();
}

TEST_F(StationServicesTest, FileServiceLoginTable)
{
    struct Case {
        const char *configuredUser, *user, *password;
        int result;
        const char* logged; // null: no record
    } cases[] = {
        {"", "anyone", "x", 0, nullptr},
        {"remote", "remote", "pw", 0, "10.1.1.1 连接成功"},
        {"remote", "remote", "PW", -1, "10.1.1.1 用户名密码错误！"},
        {"remote", "Remote", "pw", -1, "10.1.1.1 用户名密码错误！"},
        {"remote", "", "", -1, "10.1.1.1 用户名密码错误！"},
    };
    CSysParam params;
    params.m_fileServiceEnabled = 0; // the check follows the settings without listening
    params.m_fileServicePassword = "pw";
    size_t count = 0;
    for (const Case& c : cases) {
        params.m_fileServiceUser = c.configuredUser;
        ASSERT_EQ(1, services_.RestartFileService(params, &log_));
        EXPECT_EQ(c.result, CStationFileService::Login("10.1.1.1", c.user, c.password)) << c.user << ":" << c.password;
        std::vector<SysLogRecord> records = LogRecords(dir_.Path());
        if (c.logged == nullptr) {
            EXPECT_EQ(count, records.size());
            continue;
        }
        ASSERT_EQ(++count, records.size());
        EXPECT_EQ(3, records.back().type);
        EXPECT_STREQ("远程文件服务", records.back().detail);
        EXPECT_STREQ(c.logged, records.back().text);
    }
    EXPECT_TRUE(g_boxes.empty());
    // A port it cannot listen on: string 246.
    params.m_fileServiceEnabled = 1;
    params.m_fileServicePort = 70000;
    EXPECT_EQ(0, services_.RestartFileService(params, &log_));
    EXPECT_EQ(std::vector<std::string>{"打开文件服务失败!"}, g_boxes);
    services_.FileService().Shutdown();
}

TEST_F(StationServicesTest, SerialKeyboardKeysReachTheMainWindow)
{
    CSysParam params;
    params.m_linkagePort = 0;
    params.m_linkageAddress = 1;
    params.m_linkageControlFile = "";
    params.m_keyboardPort = 1;
    params.m_keyboardBaud = 9600;
    params.m_keyboardDataBits = 8;
    params.m_keyboardStopBits = 1;
    params.m_keyboardParity = 0;
    params.m_keyboardProtocol = 0;
    params.m_alarmInPort = 2;
    services_.OpenSerialDevices(params, host_.m_hWnd);
    EXPECT_NE(0, services_.LinkDeviceHandle());
    EXPECT_NE(0, services_.KeyboardHandle());
    EXPECT_NE(0, services_.AlarmInputHandle());

    ASSERT_EQ("ok", Site().Command("key 7 10 12"));
    ASSERT_TRUE(WaitUntil([&] { return !host_.keys.empty(); }));
    EXPECT_EQ(7u, host_.keys[0].first);
    EXPECT_EQ((10 << 8) + 12, host_.keys[0].second);

    // Opening again replaces the devices (the old ones are closed, so the ports are free).
    services_.OpenSerialDevices(params, host_.m_hWnd);
    EXPECT_NE(0, services_.KeyboardHandle());
    services_.CloseSerialDevices();
    EXPECT_EQ(0, services_.LinkDeviceHandle());
    EXPECT_EQ(0, services_.KeyboardHandle());
    EXPECT_EQ(0, services_.AlarmInputHandle());

    // The devices open on a thread of their own: a close straight after the open waits for it, and
    // frees the ports for the next open.
    services_.OpenSerialDevices(params, host_.m_hWnd);
    services_.CloseSerialDevices();
    services_.OpenSerialDevices(params, host_.m_hWnd);
    EXPECT_NE(0, services_.KeyboardHandle());
    services_.CloseSerialDevices();

    // A port that does not exist: handle 0, no message.
    params.m_keyboardPort = 5;
    services_.OpenSerialDevices(params, host_.m_hWnd);
    EXPECT_EQ(0, services_.KeyboardHandle());
    EXPECT_NE(0, services_.LinkDeviceHandle());
    EXPECT_TRUE(g_boxes.empty());
}
