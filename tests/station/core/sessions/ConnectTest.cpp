// Connecting a camera: the live picture, every connect result with its log record, message or
// silent reconnection, the reconnect countdown, and the wrappers' rights checks.
#include "tests/station/core/sessions/SessionTestSupport.h"

#include <climits>

#include "devices/conduit/Conduit.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/storage/SystemLog.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"

namespace {

int FramesDrawn(CChannelSession* session)
{
    int info[5] = {};
    return Conduit_GetStreamInfo(session->m_liveHandle, info) ? info[4] : 0;
}

} // namespace

TEST_F(SessionTest, ConnectShowsThePictureAndReadsTheServer)
{
    CChannelSession* session = MakeSession(Camera(AddServer("Alpha", 4), 1));
    RecordingPane& pane = NewPane();
    ASSERT_TRUE(ConnectSession(session, &pane));

    EXPECT_EQ(session, pane.session);
    EXPECT_EQ(1, pane.Last("refresh"));
    EXPECT_EQ(1, session->m_previewOn);
    EXPECT_EQ(1, session->m_stayConnected);
    EXPECT_EQ(4, session->m_cameraInputs);
    EXPECT_EQ(250, session->m_ptzDelay);
    EXPECT_EQ(1, session->m_audioState); // the stream has sound, the operator did not ask for it
    EXPECT_EQ(1, session->m_recordCheckCountdown.active);
    EXPECT_EQ(10, session->m_recordCheckCountdown.limit);
    EXPECT_TRUE(WaitUntil([&] { return FramesDrawn(session) > 2; }));

    std::vector<LogLine> log = LogLines();
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ(SYSLOG_CONNECT, log[0].type);
    EXPECT_EQ(1, log[0].subType);
    EXPECT_EQ("连接成功", log[0].text);
    EXPECT_EQ("工程->Alpha->摄像机2", log[0].detail);
    EXPECT_TRUE(windows_.Infos().empty());
}

TEST_F(SessionTest, EachConnectResultGivesItsRecordAndMessage)
{
    struct Case {
        int code;
        const char* text; // null: no record and no message
    };
    const Case cases[] = {
        {2, "连接失败"},
        {4, "绑定端口失败"},
        {5, "分配内存失败"},
        {6, "连接域名服务器失败"},
        {-102, "用户名或密码错误"},
        {-103, "服务器用户满员，请稍后再试"},
        {-105, "服务器用户满员，请稍后再试"},
        {-106, "服务器没有指定的通道"},
        {-112, "域名服务器上没有该服务器存在"},
        {-104, "连接服务器错误:-104!"},
        {77, "连接服务器错误:77!"},
        {1, nullptr},
    };
    CChannelSession* session = MakeSession(Camera(AddServer("Beta", 1), 0));
    RecordingPane& pane = NewPane();
    session->AttachPane(1, &pane, 0);
    const std::string prefix = "工程->Beta->摄像机1:";

    for (int silent = 0; silent < 2; ++silent) {
        // The second round with always-reconnect: the same records, no message, a countdown.
        g_pSysParam->m_alwaysReconnect = silent;
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "code " << c.code << " silent " << silent);
            windows_.ClearCalls();
            size_t logBefore = LogLines().size();
            ASSERT_TRUE(Site().Ok("fail Beta live " + std::to_string(c.code) + " 1"));
            session->Connect(1, 0);
            ASSERT_EQ(c.code, windows_.DeliverNext(WM_STREAM_CONNECT_RESULT, session));

            EXPECT_EQ(sessionIdle, session->m_state);
            EXPECT_EQ(-1, session->m_liveHandle);
            EXPECT_EQ(c.code, pane.Last("reset-failure"));
            std::vector<LogLine> log = LogLines();
            std::vector<std::string> infos = windows_.Infos();
            if (c.text == nullptr) {
                EXPECT_EQ(logBefore, log.size());
                EXPECT_TRUE(infos.empty());
                EXPECT_EQ(0, session->m_reconnectCountdown.active);
                continue;
            }
            ASSERT_EQ(logBefore + 1, log.size());
            EXPECT_EQ(SYSLOG_CONNECT, log.back().type);
            EXPECT_EQ(c.text, log.back().text);
            EXPECT_EQ("工程->Beta->摄像机1", log.back().detail);
            if (silent) {
                EXPECT_TRUE(infos.empty());
                EXPECT_EQ(1, session->m_reconnectCountdown.active);
                EXPECT_EQ(5, session->m_reconnectCountdown.limit);
            } else {
                ASSERT_EQ(1u, infos.size());
                EXPECT_EQ(prefix + c.text + "\r\n\r\n", infos[0]);
                EXPECT_EQ(0, session->m_reconnectCountdown.active);
            }
            session->m_reconnectCountdown.Clear();
        }
    }
}

TEST_F(SessionTest, LibraryRefusingToOpenShowsAMessageWithoutRetry)
{
    CTermServer* server = AddServer("Alpha", 1);
    server->m_port = 0; // the library refuses such arguments at once
    CChannelSession* session = MakeSession(Camera(server, 0));
    session->Connect(1, 0);

    EXPECT_EQ(sessionIdle, session->m_state);
    EXPECT_EQ(-1, session->m_liveHandle);
    ASSERT_EQ(1u, windows_.Infos().size());
    EXPECT_EQ("工程->Alpha->摄像机1:启动连接失败\r\n\r\n", windows_.Infos()[0]);
    EXPECT_EQ(0, session->m_reconnectCountdown.active);
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(SessionTest, ServerStoppedMidStreamIsReconnectedWhenItComesBack)
{
    CChannelSession* session = MakeSession(Camera(AddServer("Delta", 1), 0));
    RecordingPane& pane = NewPane();
    ASSERT_TRUE(ConnectSession(session, &pane));
    session->SetRecording(1, recordManual, 1);
    ASSERT_EQ(1u, FilesIn(DayDir(), "*.mp4").size());
    ASSERT_TRUE(WaitForPictures());

    ASSERT_TRUE(Site().Ok("stop Delta"));
    EXPECT_EQ(3, windows_.DeliverNext(WM_STREAM_CONNECT_RESULT, session));
    EXPECT_EQ(sessionIdle, session->m_state);
    EXPECT_EQ("服务器断开连接", LogLines().back().text);
    EXPECT_TRUE(windows_.Infos().empty());
    EXPECT_EQ(recordManual, session->m_recordReasons); // survives the lost channel

    // The countdown armed by the result fires on the sixth tick, not the fifth.
    Tick(5);
    EXPECT_EQ(-1, session->m_liveHandle);
    Tick(1);
    EXPECT_NE(-1, session->m_liveHandle);
    EXPECT_EQ(sessionConnecting, session->m_state);

    // Still stopped: a camera that was connected retries silently.
    EXPECT_EQ(2, windows_.DeliverNext(WM_STREAM_CONNECT_RESULT, session));
    EXPECT_TRUE(windows_.Infos().empty());
    EXPECT_EQ(1, session->m_reconnectCountdown.active);

    ASSERT_TRUE(Site().Ok("start Delta"));
    Tick(6);
    ASSERT_EQ(0, windows_.DeliverNext(WM_STREAM_CONNECT_RESULT, session));
    EXPECT_EQ(sessionConnected, session->m_state);
    EXPECT_EQ(1, session->m_previewOn);
    // The manual recording resumed in a new file.
    EXPECT_EQ(recordManual, session->m_recordReasons);
    EXPECT_EQ(2u, FilesIn(DayDir(), "*.mp4").size());
}

TEST_F(SessionTest, ReconnectThatCannotStartKeepsTryingUntilTheDdnsNameResolves)
{
    CTermServer* server = AddServer("Delta", 1);
    server->m_useDdns = 1;
    server->m_port = Site().DdnsPort();
    CChannelSession* session = MakeSession(Camera(server, 0));
    ASSERT_TRUE(ConnectSession(session));

    ASSERT_TRUE(Site().Ok("stop Delta"));
    EXPECT_EQ(3, windows_.DeliverNext(WM_STREAM_CONNECT_RESULT, session));
    ASSERT_TRUE(Site().Ok("start Delta"));

    // While the DDNS server's name does not resolve the library refuses to start the connection;
    // each refused attempt arms the countdown again, silently.
    const CString ddnsAddress = server->m_address;
    server->m_address = "";
    for (int attempt = 0; attempt < 3; ++attempt) {
        SCOPED_TRACE(attempt);
        Tick(6);
        EXPECT_EQ(-1, session->m_liveHandle);
        EXPECT_EQ(sessionIdle, session->m_state);
        EXPECT_EQ(1, session->m_reconnectCountdown.active);
        EXPECT_EQ(5, session->m_reconnectCountdown.limit);
    }
    EXPECT_TRUE(windows_.Infos().empty());

    server->m_address = ddnsAddress; // resolves again
    Tick(6);
    ASSERT_EQ(0, windows_.DeliverNext(WM_STREAM_CONNECT_RESULT, session));
    EXPECT_EQ(sessionConnected, session->m_state);
    EXPECT_EQ(0, session->m_reconnectCountdown.active);

    // The operator's own connect that the library refuses still reports and gives up.
    session->Connect(0, 0);
    server->m_address = "";
    session->Connect(1, 0);
    EXPECT_EQ(sessionIdle, session->m_state);
    EXPECT_EQ(0, session->m_reconnectCountdown.active);
    ASSERT_EQ(1u, windows_.Infos().size());
    EXPECT_EQ("工程->Delta->摄像机1:启动连接失败\r\n\r\n", windows_.Infos()[0]);
}

TEST_F(SessionTest, OpenChannelIgnoresConnectAndDisconnectForgetsEverything)
{
    CTermCamera* camera = Camera(AddServer("Alpha", 1), 0);
    CChannelSession* session = MakeSession(camera);
    RecordingPane& pane = NewPane();
    ASSERT_TRUE(ConnectSession(session, &pane));
    int handle = session->m_liveHandle;

    camera->m_previewOnConnect = 0;
    session->Connect(1, 0);
    EXPECT_EQ(handle, session->m_liveHandle);
    EXPECT_EQ(1, session->m_previewWanted);

    session->m_talkHandle = 0; // a handle like any other
    session->RequestDisconnect();
    EXPECT_EQ(-1, session->m_liveHandle);
    EXPECT_EQ(-1, session->m_talkHandle);
    EXPECT_EQ(1, windows_.Count("talk"));
    EXPECT_EQ(sessionIdle, session->m_state);
    EXPECT_EQ(0, session->m_stayConnected);
    EXPECT_EQ(0, session->m_recordCheckCountdown.active);
    EXPECT_EQ(1, pane.Count("reset-icons"));

    // A result still queued for the closed channel, and one for a session the tree does not own.
    windows_.PostConnectResult(session, 0);
    CChannelSession orphan;
    windows_.PostConnectResult(&orphan, 0);
    windows_.Deliver();
    EXPECT_EQ(sessionIdle, session->m_state);
    EXPECT_EQ(0, session->m_stayConnected);
    EXPECT_EQ(sessionIdle, orphan.m_state);
}

TEST_F(SessionTest, PaneBoundWithoutConnectingShowsThePictureAfterTheNextConnect)
{
    CChannelSession* session = MakeSession(Camera(AddServer("Alpha", 1), 0));
    RecordingPane& pane = NewPane();
    session->AttachPane(1, &pane, 0);
    EXPECT_EQ(session, pane.session);
    EXPECT_EQ(-1, session->m_liveHandle);
    EXPECT_EQ(0, session->m_previewOn);

    ASSERT_TRUE(ConnectSession(session));
    EXPECT_EQ(1, session->m_previewOn);
    EXPECT_TRUE(WaitUntil([&] { return FramesDrawn(session) > 0; }));

    // Detaching without a pane forgets it; the pane is cleared.
    session->AttachPane(0, nullptr, 0);
    EXPECT_EQ(nullptr, session->m_pPane);
    EXPECT_EQ(nullptr, pane.session);
    EXPECT_EQ(0, pane.Last("refresh"));
    EXPECT_EQ(0, session->m_previewOn);
}

TEST_F(SessionTest, DisabledCameraGetsNoCountdownsAndNoAlarmPass)
{
    CTermServer* server = AddServer("Alpha", 2);
    CChannelSession* enabled = MakeSession(Camera(server, 0));
    CChannelSession* disabled = MakeSession(Camera(server, 1));
    Camera(server, 1)->m_disabled = 1;
    enabled->m_reconnectCountdown.Arm(100);
    disabled->m_reconnectCountdown.Arm(100);
    disabled->m_alarmPending = alarmMotion;

    Tick(3);
    EXPECT_EQ(3, enabled->m_reconnectCountdown.count);
    EXPECT_EQ(0, disabled->m_reconnectCountdown.count);
    EXPECT_EQ(alarmMotion, disabled->m_alarmPending.load());
}

TEST_F(SessionTest, WrappersRefuseWithoutTheirRight)
{
    struct Case {
        int right;
        void (CChannelSession::*command)();
    };
    const Case cases[] = {
        {rightLocalRecord, &CChannelSession::RequestStartRecord},
        {rightLocalRecord, &CChannelSession::RequestStopRecord},
        {rightSnapshot, &CChannelSession::RequestCaptureBmp},
        {rightSnapshot, &CChannelSession::RequestCaptureJpeg},
        {rightSnapshot, &CChannelSession::RequestServerJpeg},
        {rightServerRecord, &CChannelSession::RequestStartServerRecord},
        {rightCameraSettings, &CChannelSession::OpenCameraSettings},
    };
    CChannelSession* session = MakeSession(Camera(AddServer("Alpha", 1), 0));
    ASSERT_TRUE(ConnectSession(session));
    for (const Case& c : cases) {
        windows_.ClearCalls();
        CurrentUser().rights[c.right] = 0;
        (session->*c.command)();
        CurrentUser().rights[c.right] = 1;
        std::vector<WindowCall> calls = windows_.Calls();
        ASSERT_EQ(1u, calls.size());
        EXPECT_EQ("message", calls[0].what);
        EXPECT_EQ("没有权限", calls[0].text);
    }
    EXPECT_EQ(0, session->m_recordReasons);
    EXPECT_EQ(0u, FilesIn(DayDir(), "*.*").size());
    EXPECT_EQ("0", Site().State("Alpha", "captures").substr(0, 1));

    session->OpenCameraSettings();
    EXPECT_EQ(1, windows_.Count("settings"));
}
