// Alarms: device events scripted in devsim travel through the session (log, recording, JPEG,
// linked outputs, flags, pane message) and are answered at the next tick (sound, alarm action);
// disarmed cameras and events outside the mask, sensors, external inputs, the no-motion alarm,
// timed snapshots and clearing.
#include "tests/station/core/sessions/SessionTestSupport.h"

#include <memory>

#include "devices/conduit/Conduit.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "devices/portwick/Portwick.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationLinks.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/storage/SystemLog.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskEMapDev.h"
#include "station/core/datamodel/VuskPage.h"
#include "station/core/datamodel/VuskPageGroup.h"

namespace {

int Lparam(int type, int value)
{
    return static_cast<int>(PaneAlarmParam(type, value));
}

// Events of one channel arrive in order: once the marker (a camera-input event) reached the pane,
// everything scripted before it has been handled.
void Barrier(RecordingPane& pane, CChannelSession* session, int input)
{
    ASSERT_TRUE(Site().Ok("event Alpha 0 6 " + std::to_string(input)));
    ASSERT_TRUE(pane.WaitAlarm(session, Lparam(6, input)));
}

// The video wall as far as the alarm action sees it.
class RecordingView : public CViewLinks {
public:
    void RebuildPageTable(int) override {}
    void ShowPage(int page, int, int) override { shown.push_back(page); }
    int FindPaneOfCamera(CTermCamera*) override { return paneOfCamera; }
    int GetCurrentPage() override { return currentPage; }
    CChannelSession* GetPaneSession(int) override { return nullptr; }
    void ClearPane(int) override {}

    std::vector<int> shown;
    int paneOfCamera = -1;
    int currentPage = 0;
};

} // namespace

TEST_F(SessionTest, MotionAlarmTravelsFromTheServerToThePaneAndTheTick)
{
    int linkage = Portwick_OpenLinkDevice(0, 1, "");
    ASSERT_GT(linkage, 0);
    windows_.linkage = linkage;
    g_pSysParam->m_alarmSound[1] = "C:\\sounds\\motion2.wav";
    CTermCamera* camera = Camera(AddServer("Alpha", 2), 1);
    camera->m_motionRecord = 1;
    camera->m_motionSnapshot = 1;
    camera->m_motionOutputs[2] = camera->m_motionOutputs[5] = 1;
    CChannelSession* session = MakeSession(camera);
    RecordingPane& pane = NewPane();
    ASSERT_TRUE(ConnectSession(session, &pane));

    ASSERT_TRUE(Site().Ok("motion Alpha 1"));
    ASSERT_TRUE(pane.WaitAlarm(session, Lparam(2, 1 << 1)));

    std::vector<LogLine> log = LogLines();
    ASSERT_EQ(2u, log.size());
    EXPECT_EQ(SYSLOG_ALARM, log[1].type);
    EXPECT_EQ(1, log[1].subType);
    EXPECT_EQ("视频移动报警", log[1].text);
    EXPECT_EQ("工程->Alpha->摄像机2", log[1].detail);

    // Alarm recording: a file in today's directory with its index entry.
    EXPECT_EQ(recordMotion, session->m_recordReasons);
    EXPECT_EQ(TestClock::Tick(), session->m_lastAlarmTime);
    ASSERT_EQ(1u, FilesIn(DayDir(), "*.mp4").size());
    EXPECT_EQ(1u, FilesIn(DayDir(), "Alpha_2_100000.mp4").size());
    std::vector<RecordIndexEntry> index = IndexEntries("index");
    ASSERT_EQ(1u, index.size());
    EXPECT_STREQ("Alpha", index[0].name);
    EXPECT_EQ(1, index[0].channel);
    EXPECT_EQ(recordMotion, index[0].typeBits);

    // The JPEG snapshot, through the capture stream.
    EXPECT_TRUE(WaitUntil([&] { return FilesIn(DayDir(), "*.jpg").size() == 1; }));
    EXPECT_TRUE(WaitUntil([&] { return IndexEntries("jpegindex").size() == 1; }));

    // The linked outputs of the linkage device, marked in the PTZ panel.
    EXPECT_TRUE(WaitUntil([] { return Site().State("station", "relays") == "00100100"; }));
    EXPECT_EQ(2, windows_.Count("relay"));

    EXPECT_EQ(alarmMotion, session->m_alarmAccumulated.load());
    EXPECT_EQ(alarmMotion, session->m_alarmPending.load());
    EXPECT_TRUE(TestSound::Played().empty());

    // The next tick plays the sound once and answers the alarm.
    Tick();
    ASSERT_EQ(1u, TestSound::Played().size());
    EXPECT_EQ("C:\\sounds\\motion2.wav loop", TestSound::Played()[0]);
    EXPECT_EQ(1, windows_.soundMarked);
    EXPECT_EQ(1, windows_.Count("alarm-start"));
    EXPECT_EQ(1, windows_.Count("refresh-relays"));
    EXPECT_EQ(0, session->m_alarmPending.load());
    EXPECT_EQ(alarmMotion, session->m_alarmAccumulated.load());

    // While the mark is set no second sound starts.
    ASSERT_TRUE(Site().Ok("motion Alpha 1"));
    EXPECT_TRUE(WaitUntil([&] { return session->m_alarmPending.load() == alarmMotion; }));
    Tick();
    EXPECT_EQ(1u, TestSound::Played().size());
    EXPECT_EQ(2, windows_.Count("alarm-start"));

    Portwick_Close(linkage, PORTWICK_LINK_DEVICE);
}

TEST_F(SessionTest, DisarmedCameraAndEventsOutsideTheMaskRaiseNothing)
{
    CChannelSession* session = MakeSession(Camera(AddServer("Alpha", 1), 0));
    RecordingPane& pane = NewPane();
    ASSERT_TRUE(ConnectSession(session, &pane));
    size_t logBefore = LogLines().size();

    session->Disarm();
    ASSERT_TRUE(Site().Ok("motion Alpha 0"));
    ASSERT_TRUE(Site().Ok("sensor Alpha 1"));
    ASSERT_TRUE(Site().Ok("event Alpha 0 3 1"));
    Barrier(pane, session, 1);
    EXPECT_EQ(logBefore, LogLines().size());
    EXPECT_EQ(0, session->m_alarmAccumulated.load());
    EXPECT_EQ(0, session->m_recordReasons);
    ASSERT_EQ(1u, pane.Alarms(session).size()); // the marker only

    // Armed, but the motion names another channel: only the pane hears of it.
    session->Arm();
    ASSERT_TRUE(Site().Ok("event Alpha 0 2 4"));
    Barrier(pane, session, 2);
    EXPECT_EQ(logBefore, LogLines().size());
    EXPECT_EQ(0, session->m_alarmAccumulated.load());
    EXPECT_EQ(3u, pane.Alarms(session).size());
    EXPECT_EQ(Lparam(2, 4), pane.Alarms(session)[1]);

    // An external alarm input does not look at arming.
    session->Disarm();
    HandleExternalAlarmMessage(reinterpret_cast<WPARAM>(session), 3);
    EXPECT_EQ(1 << (alarmExternalFirst + 3), session->m_alarmAccumulated.load());
    EXPECT_EQ("外部探头[4]报警", LogLines().back().text);
    EXPECT_EQ("工程->Alpha->摄像机1->外部报警输入4", LogLines().back().detail);
    EXPECT_EQ(1, pane.Last("blink"));
}

TEST_F(SessionTest, SensorAlarmsAnswerOnlyTheirSensors)
{
    CTermServer* server = AddServer("Alpha", 2);
    CTermCamera* camera = Camera(server, 0);
    CTermCamera* linked = Camera(server, 1);
    CChannelSession* session = MakeSession(camera);
    CChannelSession* linkedSession = MakeSession(linked);
    RecordingPane& pane = NewPane();
    ASSERT_TRUE(ConnectSession(session, &pane));
    ASSERT_TRUE(ConnectSession(linkedSession));
    g_pSysParam->m_alarmSound[0] = "s1.wav";
    g_pSysParam->m_alarmSound[2] = "s3.wav";
    camera->m_sensorRecord[2] = 1;
    camera->m_linkRecordEnabled = 1;
    camera->m_links[2].Add(CameraLink{server->m_id, 1, linked});
    std::unique_ptr<CVuskEMapDev> inputs[4];
    for (int i = 0; i < 4; ++i) {
        inputs[i].reset(new CVuskEMapDev);
        camera->m_pEMapInputs[i] = inputs[i].get();
    }

    // Only the camera's own sensor counts with that switch: sensor 0 for channel 0.
    camera->m_sensorMatchesChannel = 1;
    ASSERT_TRUE(Site().Ok("event Alpha 0 4 5"));
    Barrier(pane, session, 1);
    EXPECT_EQ(1 << alarmSensorFirst, session->m_alarmPending.load());
    session->m_alarmPending = 0;
    session->m_alarmAccumulated = 0;

    camera->m_sensorMatchesChannel = 0;
    size_t logBefore = LogLines().size();
    ASSERT_TRUE(Site().Ok("event Alpha 0 4 5"));
    Barrier(pane, session, 2);
    std::vector<LogLine> log = LogLines();
    ASSERT_EQ(logBefore + 2, log.size());
    EXPECT_EQ("探头[1]报警", log[logBefore].text);
    EXPECT_EQ("工程->Alpha->摄像机1->报警输入1", log[logBefore].detail);
    EXPECT_EQ("探头[3]报警", log[logBefore + 1].text);
    EXPECT_EQ((1 << alarmSensorFirst) | (1 << (alarmSensorFirst + 2)), session->m_alarmPending.load());
    EXPECT_EQ(recordAlarm, session->m_recordReasons);

    Tick();
    // The first sound starts and sets the mark; the second waits for the next alarm period.
    ASSERT_EQ(1u, TestSound::Played().size());
    EXPECT_EQ("s1.wav loop", TestSound::Played()[0]);
    EXPECT_EQ(1, inputs[0]->m_alarmState);
    EXPECT_EQ(0, inputs[1]->m_alarmState);
    EXPECT_EQ(1, inputs[2]->m_alarmState);
    EXPECT_EQ(0, inputs[3]->m_alarmState);
    // Sensor 2's link list records the other camera, for an alarm.
    EXPECT_EQ(recordAlarm, linkedSession->m_recordReasons);
    EXPECT_EQ(TestClock::Tick(), linkedSession->m_lastAlarmTime);

    std::string clears = std::to_string(std::stoi(Site().State("Alpha", "clears")) + 1);
    session->ClearAlarm();
    EXPECT_EQ(0, session->m_alarmAccumulated.load());
    EXPECT_EQ(0, inputs[2]->m_alarmState);
    EXPECT_EQ(0, pane.Last("blink"));
    EXPECT_TRUE(WaitUntil([&] { return Site().State("Alpha", "clears") == clears; }));
    for (int i = 0; i < 4; ++i)
        camera->m_pEMapInputs[i] = nullptr;
}

TEST_F(SessionTest, AlarmSoundsFollowChannelInputAndSchedule)
{
    for (int i = 0; i < 4; ++i)
        g_pSysParam->m_alarmSound[i].Format("alarm%d.wav", i + 1);
    CTermServer* server = AddServer("Beta", 6);
    CChannelSession* fifth = MakeSession(Camera(server, 5));
    CChannelSession* first = MakeSession(Camera(server, 0));

    // A camera on channel 5 plays nothing and leaves the mark, but the alarm is answered.
    fifth->m_alarmPending = alarmMotion;
    fifth->ProcessAlarms();
    EXPECT_TRUE(TestSound::Played().empty());
    EXPECT_EQ(0, windows_.soundMarked);
    EXPECT_EQ(1, windows_.Count("alarm-start"));

    // External input 6 plays sound 3 at any time of day.
    TestClock::SetTime(23, 59, 30);
    first->m_alarmPending = 1 << (alarmExternalFirst + 6);
    first->ProcessAlarms();
    ASSERT_EQ(1u, TestSound::Played().size());
    EXPECT_EQ("alarm3.wav loop", TestSound::Played()[0]);

    // Motion at 23:59 lies outside the default sound schedule (its end is exclusive): no sound,
    // but the mark is set all the same.
    windows_.soundMarked = 0;
    first->m_alarmPending = alarmMotion;
    first->ProcessAlarms();
    EXPECT_EQ(1u, TestSound::Played().size());
    EXPECT_EQ(1, windows_.soundMarked);
}

TEST_F(SessionTest, AlarmActionBringsTheCameraIntoAPaneOrShowsItOnTheMap)
{
    struct Case {
        int action, mapShown, tour, editor, mapRight;
        bool placed;       // the camera was put on a page
        const char* calls; // the windows' calls, in order
    };
    const Case cases[] = {
        {1, 0, 0, 0, 1, true, "select-pane"},
        {1, 0, 1, 0, 1, false, ""},
        {1, 1, 0, 0, 1, false, ""},
        {2, 1, 0, 0, 1, false, "show-device"},
        {2, 0, 0, 0, 1, false, "open-map show-device"},
        {2, 0, 0, 0, 0, false, ""},
        {2, 0, 0, 1, 1, false, ""},
        {2, 0, 1, 0, 1, false, ""},
        {0, 0, 0, 0, 1, false, ""},
    };
    RecordingView view;
    CViewLinks* previousView = SetViewLinks(&view);
    CTermServer* server = AddServer("Gamma", 1); // stopped: attaching with connecting goes nowhere
    CTermCamera* camera = Camera(server, 0);
    CChannelSession* session = MakeSession(camera);
    NewPane();
    CVuskEMapDev device;
    camera->m_pEMapDev = &device;
    windows_.pageCount = 1;

    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "action " << c.action << " map " << c.mapShown << " tour " << c.tour
                                        << " editor " << c.editor << " right " << c.mapRight);
        g_pPageGroup = new CVuskPageGroup;
        g_pPageGroup->AddPage(16);
        session->AttachPane(0, nullptr, 0);
        g_pSysParam->m_alarmAction = c.action;
        windows_.mapShown = c.mapShown;
        windows_.tourRunning = c.tour;
        windows_.mapEditorOpen = c.editor;
        CurrentUser().rights[rightElectronicMap] = c.mapRight;
        windows_.cameraPage = c.placed ? 0 : -1;
        view.paneOfCamera = c.placed ? 0 : -1;
        view.currentPage = 0;
        device.m_alarmState = 0;
        windows_.ClearCalls();

        session->m_alarmPending = alarmVideoLoss;
        session->ProcessAlarms();

        CVuskPage* page = nullptr;
        EXPECT_EQ(c.placed ? 0 : -1, g_pPageGroup->FindCamera(camera, page));
        std::string calls;
        for (const WindowCall& call : windows_.Calls()) {
            if (call.what == "select-pane" || call.what == "open-map" || call.what == "show-device")
                calls += (calls.empty() ? "" : " ") + call.what;
        }
        EXPECT_EQ(c.calls, calls);
        EXPECT_EQ(1, device.m_alarmState); // the camera's map icon blinks whatever the action
        session->Connect(0, 0);
        delete g_pPageGroup;
        g_pPageGroup = nullptr;
    }
    camera->m_pEMapDev = nullptr;
    windows_.Deliver();
    SetViewLinks(previousView);
}

TEST_F(SessionTest, NoMotionAlarmWaitsForItsSecondsWithoutMotion)
{
    CTermCamera* camera = Camera(AddServer("Alpha", 1), 0);
    CChannelSession* session = MakeSession(camera);
    RecordingPane& pane = NewPane();
    ASSERT_TRUE(ConnectSession(session, &pane));
    camera->m_motionAlarmMode = 1;
    camera->m_noMotionSeconds = 3;
    session->ApplyNoMotionAlarm();
    EXPECT_EQ(1, session->m_noMotionCountdown.active);

    Tick(2);
    // Motion starts the wait again and raises nothing.
    size_t logBefore = LogLines().size();
    ASSERT_TRUE(Site().Ok("motion Alpha 0"));
    Barrier(pane, session, 3);
    EXPECT_EQ(0, session->m_noMotionCountdown.count);
    EXPECT_EQ(logBefore, LogLines().size());
    EXPECT_EQ(0, session->m_alarmAccumulated.load());
    EXPECT_TRUE(pane.Alarms(session).size() == 1);

    Tick(3);
    EXPECT_TRUE(windows_.Infos().empty());
    Tick(1);
    ASSERT_EQ(1u, windows_.Infos().size());
    EXPECT_EQ("工程->Alpha->摄像机1:无人报警\r\n\r\n", windows_.Infos()[0]);
    EXPECT_EQ(1, session->m_noMotionCountdown.active);

    camera->m_motionAlarmMode = 0;
    session->ApplyNoMotionAlarm();
    EXPECT_EQ(0, session->m_noMotionCountdown.active);
}

TEST_F(SessionTest, TimedSnapshotTakesAJpegEveryFewTicks)
{
    CTermCamera* camera = Camera(AddServer("Alpha", 1), 0);
    CChannelSession* session = MakeSession(camera);
    ASSERT_TRUE(ConnectSession(session));
    camera->m_timedSnapshot = 1;
    camera->m_timedSnapshotSeconds = 3;

    Tick(2);
    EXPECT_EQ(-1, session->m_jpegHandle);
    Tick(1);
    EXPECT_NE(-1, session->m_jpegHandle);
    EXPECT_TRUE(WaitUntil([&] { return FilesIn(DayDir(), "*.jpg").size() == 1; }));
    Tick(3);
    EXPECT_TRUE(WaitUntil([&] { return FilesIn(DayDir(), "*.jpg").size() == 2; }));
    EXPECT_EQ(2u, IndexEntries("jpegindex").size());
}
