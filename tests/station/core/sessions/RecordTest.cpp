// Recording by reasons and schedules, file splitting on the injected clock, the file format, a
// full disk, snapshots (BMP, JPEG stream, server JPEG) and recording on the server.
#include "tests/station/core/sessions/SessionTestSupport.h"

#include "devices/conduit/Conduit.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationLinks.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"

namespace {

void EveryDay(CTermCamera* camera, int startHour, int endHour)
{
    camera->m_recordSchedule[0] = RecordScheduleEntry{scheduleEveryDay, startHour, 0, endHour, 0};
}

} // namespace

TEST_F(SessionTest, MotionRecordingEndsItsPostAlarmSecondsAfterTheLastAlarm)
{
    CTermCamera* camera = Camera(AddServer("Alpha", 1), 0);
    camera->m_motionRecord = 1;
    CChannelSession* session = MakeSession(camera);
    RecordingPane& pane = NewPane();
    ASSERT_TRUE(ConnectSession(session, &pane));

    session->SetRecording(1, recordManual, 1);
    EXPECT_EQ(1, pane.Last("record"));
    ASSERT_TRUE(Site().Ok("motion Alpha 0"));
    ASSERT_TRUE(WaitUntil([&] { return session->m_recordReasons == (recordManual | recordMotion); }));
    std::vector<std::string> files = FilesIn(DayDir(), "*.mp4");
    ASSERT_EQ(1u, files.size());
    ASSERT_TRUE(WaitForPictures());

    // Without the manual reason the file goes on for the motion.
    session->SetRecording(0, recordManual, 1);
    EXPECT_EQ(recordMotion, session->m_recordReasons);
    EXPECT_EQ(1, pane.Last("record"));
    Tick(29);
    EXPECT_EQ(recordMotion, session->m_recordReasons);
    EXPECT_FALSE(Mp4Complete(DayDir() + "\\" + files[0]));
    Tick(1);
    EXPECT_EQ(0, session->m_recordReasons);
    EXPECT_EQ(0, pane.Last("record"));
    EXPECT_TRUE(Mp4Complete(DayDir() + "\\" + files[0]));
    EXPECT_EQ(1u, FilesIn(DayDir(), "*.mp4").size());
}

TEST_F(SessionTest, ScheduleRecordsInItsHoursAndCarriesOnAfterOtherReasons)
{
    CTermCamera* camera = Camera(AddServer("Alpha", 1), 0);
    EveryDay(camera, 8, 18);
    CChannelSession* session = MakeSession(camera);
    RecordingPane& pane = NewPane();
    TestClock::SetTime(7, 0, 0);
    ASSERT_TRUE(ConnectSession(session, &pane));
    EXPECT_EQ(0, session->m_recordReasons);

    // A manual recording that ends before the schedule begins leaves the check armed.
    session->SetRecording(1, recordManual, 1);
    ASSERT_TRUE(WaitForPictures());
    session->SetRecording(0, recordManual, 1);
    EXPECT_EQ(1, session->m_recordCheckCountdown.active);
    TestClock::SetTime(7, 59, 0);
    Tick(60);
    EXPECT_EQ(recordSchedule, session->m_recordReasons);
    EXPECT_EQ(2u, FilesIn(DayDir(), "*.mp4").size());
    EXPECT_EQ(1, pane.Last("record"));
    ASSERT_TRUE(WaitForPictures());

    // A manual recording during the schedule: ending it keeps the scheduled file running.
    session->SetRecording(1, recordManual, 1);
    EXPECT_EQ(recordSchedule | recordManual, session->m_recordReasons);
    session->SetRecording(0, recordManual, 1);
    EXPECT_EQ(recordSchedule, session->m_recordReasons);
    EXPECT_EQ(2u, FilesIn(DayDir(), "*.mp4").size());

    // A manual recording started before 08:00 takes the schedule in and goes on without itself.
    session->Connect(0, 0);
    TestClock::SetTime(7, 59, 30);
    ASSERT_TRUE(ConnectSession(session, &pane));
    session->SetRecording(1, recordManual, 1);
    ASSERT_TRUE(WaitForPictures());
    Tick(30);
    EXPECT_EQ(recordSchedule | recordManual, session->m_recordReasons);
    session->SetRecording(0, recordManual, 1);
    EXPECT_EQ(recordSchedule, session->m_recordReasons);
    EXPECT_EQ(3u, FilesIn(DayDir(), "*.mp4").size());

    // The first check at or after 18:00 stops it.
    TestClock::SetTime(17, 59, 59);
    Tick(1);
    EXPECT_EQ(0, session->m_recordReasons);
    EXPECT_EQ(0, pane.Last("record"));
    EXPECT_TRUE(Mp4Complete(DayDir() + "\\Alpha_1_075930.mp4"));
    std::vector<RecordIndexEntry> index = IndexEntries("index");
    ASSERT_EQ(3u, index.size());
    EXPECT_EQ(recordManual, index[0].typeBits);
    EXPECT_EQ(recordSchedule, index[1].typeBits);
    EXPECT_EQ(recordManual, index[2].typeBits);
}

TEST_F(SessionTest, RecordingSplitsIntoFilesOfTheConfiguredLength)
{
    g_pSysParam->m_fileMinutes = 1;
    CTermCamera* camera = Camera(AddServer("Alpha", 1), 0);
    camera->m_motionRecord = 1;
    camera->m_alarmDelaySeconds = 100;
    CChannelSession* session = MakeSession(camera);
    ASSERT_TRUE(ConnectSession(session));
    session->SetRecording(1, recordManual, 1);
    ASSERT_TRUE(WaitForPictures());

    Tick(30);
    ASSERT_TRUE(Site().Ok("motion Alpha 0"));
    ASSERT_TRUE(WaitUntil([&] { return session->m_recordReasons == (recordManual | recordMotion); }));
    Tick(29);
    EXPECT_EQ(1u, FilesIn(DayDir(), "*.mp4").size());
    Tick(1);
    std::vector<std::string> files = FilesIn(DayDir(), "*.mp4");
    ASSERT_EQ(2u, files.size());
    EXPECT_EQ("Alpha_1_100000.mp4", files[0]);
    EXPECT_EQ("Alpha_1_100100.mp4", files[1]);
    EXPECT_TRUE(Mp4Complete(DayDir() + "\\" + files[0]));
    // Each file is started with the reasons current at the split.
    std::vector<RecordIndexEntry> index = IndexEntries("index");
    ASSERT_EQ(2u, index.size());
    EXPECT_EQ(recordManual, index[0].typeBits);
    EXPECT_EQ(recordManual | recordMotion, index[1].typeBits);
    ASSERT_TRUE(WaitForPictures());
    Tick(60);
    EXPECT_EQ(3u, FilesIn(DayDir(), "*.mp4").size());
}

TEST_F(SessionTest, RecordingStopsInTheFormatItStartedWith)
{
    CChannelSession* session = MakeSession(Camera(AddServer("Alpha", 1), 0));
    ASSERT_TRUE(ConnectSession(session));
    storeOwner_.format = 1;
    g_pSysParam->m_recordFormat = 1;
    session->SetRecording(1, recordManual, 1);
    std::vector<std::string> files = FilesIn(DayDir(), "*.asf");
    ASSERT_EQ(1u, files.size());
    EXPECT_TRUE(WaitUntil([&] { return ReadAll(DayDir() + "\\" + files[0]).size() > 4096; }));

    storeOwner_.format = 0;
    g_pSysParam->m_recordFormat = 0;
    session->SetRecording(0, recordManual, 1);
    EXPECT_TRUE(AsfComplete(DayDir() + "\\" + files[0]));

    session->RestartRecordFile(); // nothing records: nothing starts
    EXPECT_EQ(0u, FilesIn(DayDir(), "*.mp4").size());
    session->SetRecording(1, recordManual, 1);
    ASSERT_TRUE(WaitForPictures());
    session->RestartRecordFile();
    files = FilesIn(DayDir(), "*.mp4");
    ASSERT_EQ(2u, files.size());
    EXPECT_TRUE(Mp4Complete(DayDir() + "\\" + files[0]));
}

TEST_F(SessionTest, FullStorageKeepsTheReasonsAndTriesAgainAtTheSplit)
{
    g_pSysParam->m_fileMinutes = 1;
    CChannelSession* session = MakeSession(Camera(AddServer("Alpha", 1), 0));
    RecordingPane& pane = NewPane();
    ASSERT_TRUE(ConnectSession(session, &pane));
    SetFreeMegabytes(0);
    theRecordStore.WakeDiskWatch();
    ASSERT_TRUE(WaitUntil([] { return theRecordStore.IsSpaceOk() == 0; }));

    session->SetRecording(1, recordManual, 1);
    EXPECT_EQ(recordManual, session->m_recordReasons);
    EXPECT_TRUE(FilesIn(DayDir(), "*.*").empty());
    session->CaptureBmp();
    EXPECT_TRUE(FilesIn(DayDir(), "*.*").empty());

    SetFreeMegabytes(100000);
    theRecordStore.WakeDiskWatch();
    ASSERT_TRUE(WaitUntil([] { return theRecordStore.IsSpaceOk() != 0; }));
    Tick(60);
    EXPECT_EQ(1u, FilesIn(DayDir(), "*.mp4").size());
    EXPECT_EQ(1, pane.Last("record"));
}

TEST_F(SessionTest, RecordRightWithdrawnStopsRecordingAtTheNextCheck)
{
    CChannelSession* session = MakeSession(Camera(AddServer("Alpha", 1), 0));
    RecordingPane& pane = NewPane();
    ASSERT_TRUE(ConnectSession(session, &pane));
    session->SetRecording(1, recordManual, 1);
    ASSERT_TRUE(WaitForPictures());
    CurrentUser().rights[rightLocalRecord] = 0;
    session->CheckRecordSchedule();
    EXPECT_EQ(0, session->m_recordReasons);
    EXPECT_EQ(0, pane.Last("record"));
    EXPECT_TRUE(Mp4Complete(DayDir() + "\\" + FilesIn(DayDir(), "*.mp4")[0]));
    session->SetRecording(1, recordManual, 1);
    EXPECT_EQ(0, session->m_recordReasons);
}

TEST_F(SessionTest, SnapshotsGoToTodaysDirectoryWithTheirIndex)
{
    CChannelSession* session = MakeSession(Camera(AddServer("Alpha", 2), 1));
    RecordingPane& pane = NewPane();
    ASSERT_TRUE(ConnectSession(session, &pane));
    EXPECT_TRUE(WaitUntil([&] {
        int info[5] = {};
        return Conduit_GetStreamInfo(session->m_liveHandle, info) && info[4] > 0;
    }));

    session->CaptureBmp();
    EXPECT_EQ(1u, FilesIn(DayDir(), "Alpha_2_100000.bmp").size());
    std::vector<RecordIndexEntry> bmp = IndexEntries("bmpindex");
    ASSERT_EQ(1u, bmp.size());
    EXPECT_EQ(1, bmp[0].channel);
    EXPECT_EQ(0, bmp[0].typeBits);

    // JPEG through the capture stream; a stream that reported a failure is reopened first.
    EXPECT_EQ(0, session->StartJpegStream());
    int first = session->m_jpegHandle;
    session->CaptureJpeg();
    EXPECT_TRUE(WaitUntil([&] { return FilesIn(DayDir(), "*.jpg").size() == 1; }));
    CChannelSession::JpegStreamCallback(first, -1, nullptr, 0, session);
    EXPECT_EQ(1, session->m_jpegReopen);
    session->CaptureJpeg();
    EXPECT_NE(first, session->m_jpegHandle);
    EXPECT_NE(-1, session->m_jpegHandle);
    EXPECT_TRUE(WaitUntil([&] { return IndexEntries("jpegindex").size() == 2; }));
    session->StopJpegStream();
    EXPECT_EQ(-1, session->m_jpegHandle);

    CurrentUser().rights[rightSnapshot] = 0;
    EXPECT_EQ(-2, session->StartJpegStream());
    CurrentUser().rights[rightSnapshot] = 1;
    session->Connect(0, 0);
    EXPECT_EQ(-1, session->StartJpegStream());
}

TEST_F(SessionTest, ServerRecordsAndStoresJpegOnRequest)
{
    CChannelSession* session = MakeSession(Camera(AddServer("Alpha", 4), 2));
    RecordingPane& pane = NewPane();
    ASSERT_TRUE(ConnectSession(session, &pane));

    EXPECT_EQ(1, session->StartServerRecord());
    EXPECT_EQ(1, session->m_serverRecording);
    EXPECT_EQ("0010", Site().State("Alpha", "recording"));
    EXPECT_TRUE(WaitUntil([&] { return session->m_serverRecordEvent == 1; }));
    EXPECT_EQ(1, session->StopServerRecord());
    EXPECT_EQ(0, session->m_serverRecording);
    EXPECT_EQ("0000", Site().State("Alpha", "recording"));

    auto captures = [] {
        std::string list = Site().State("Alpha", "captures") + ","; // per camera: "0,0,1,0"
        for (int skip = 0; skip < 2; ++skip)
            list.erase(0, list.find(',') + 1);
        return std::stoi(list);
    };
    int before = captures();
    session->CaptureServerJpeg();
    EXPECT_EQ(before + 1, captures());
    EXPECT_EQ(0, windows_.Count("message"));
    ASSERT_TRUE(Site().Ok("fail Alpha request -102 1"));
    session->CaptureServerJpeg();
    ASSERT_EQ(1, windows_.Count("message"));
    EXPECT_EQ("抓拍JPEG失败!", windows_.Calls().back().text);

    CurrentUser().rights[rightServerRecord] = 0;
    EXPECT_EQ(0, session->StartServerRecord());
    EXPECT_EQ("0000", Site().State("Alpha", "recording"));
}

// The data model hands the links only sessions its cameras hold; one handed over after its camera let
// it go is reported by the check, and the call still does no harm.
TEST_F(SessionTest, SessionHandledAfterItsCameraLetItGoIsReported)
{
    CTermCamera* camera = Camera(AddServer("Alpha", 1), 0);
    CChannelSession* session = MakeSession(camera);
    LONG before = AfxAssertFailures();
    SessionLinks().ClearAlarm(session);
    EXPECT_EQ(before, AfxAssertFailures());

    camera->m_pSession = nullptr;
    SessionLinks().ClearAlarm(session);
    EXPECT_EQ(before + 1, AfxAssertFailures());
    camera->m_pSession = session; // the tree deletes it with the camera
}
