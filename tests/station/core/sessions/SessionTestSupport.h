// Fixtures of the channel-session tests: the simulated site, a settable clock, recorders standing
// in for the station's windows and preview panes, and a fixture that builds a server tree whose
// servers are the site's, with the station's globals, log and recording storage in a fresh start
// directory.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "station/core/sessions/ChannelSession.h"
#include "devices/devsim/control/DevsimControl.h"
#include "station/core/storage/RecordStore.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/core/datamodel/StationLinks.h"
#include "station/core/storage/SystemLog.h"
#include "tests/support/TestSupport.h"

class CRecGroup;
class CSystemLog;
class CTermCamera;
class CTermServer;

// The site of these tests (free ports), started once per test program:
//   Alpha  4 channels, 4 camera inputs, PTZ description "SpeedDome delay250", alarm box address 1
//   Beta   4 channels (connect results are scripted on it with "fail")
//   Gamma  stopped
//   Delta  2 channels (stopped and started by tests)
//   Echo, Foxtrot  1 channel each (broadcast targets)
//   the station's linkage device on COM1, address 1
DevsimSite& Site();

// The settable clock of the framework's seams: tick count and local time move together.
namespace TestClock {
void Install(); // 2026-03-10 (a Tuesday) 10:00:00, tick 5,000,000
void Uninstall();
void SetTime(int hour, int minute, int second);
void Advance(DWORD milliseconds);
DWORD Tick();
SYSTEMTIME Now();
} // namespace TestClock

// One thing the windows were asked to do, in order.
struct WindowCall {
    std::string what; // "info", "message", "talk", "relay", "refresh-relays", "sound-mark", "alarm-start",
                      // "select-pane", "open-map", "show-device", "settings", "play"
    std::string text;
    int value = 0;
};

// The station's windows as a recorder. Posted messages wait in a queue until Deliver hands them to
// the main dialog's handlers on the test thread.
class RecordingWindows : public IStationWindows {
public:
    RecordingWindows();
    ~RecordingWindows() override;

    void PostConnectResult(CChannelSession* session, int result) override;
    void PostExternalAlarm(CChannelSession* session, int input) override;
    void SetLocalRelayState(int output, int on) override;
    int GetLinkageHandle() override { return linkage; }
    CSystemLog* GetSystemLog() override { return log; }
    void AppendConnectInfo(LPCSTR text) override;
    void ShowMessage(LPCSTR text) override;
    void ClearTalkState() override;
    void RunCameraSettings(CTermCamera* camera) override;
    void RefreshLocalRelays() override;
    IPreviewPane* GetPreviewPane(int index) override;
    CTermServer* ChooseServer() override { return chosenServer; }
    int IsAlarmSoundMarked() override { return soundMarked; }
    void MarkAlarmSound() override;
    void NoteAlarmStarted() override;
    int IsEMapShown() override { return mapShown; }
    int IsTourRunning() override { return tourRunning; }
    int IsEMapEditorOpen() override { return mapEditorOpen; }
    int GetDisplayPageCount() override { return pageCount; }
    int FindPageOfCamera(CTermCamera* camera) override;
    void SelectPane(int pane) override;
    void OpenEMap() override;
    void ShowEMapDevice(CVuskEMapDev* device) override;

    struct Posted {
        UINT message;
        CChannelSession* session;
        int value;
    };
    // Hands every queued message to HandleConnectResultMessage or HandleExternalAlarmMessage.
    int Deliver();
    // Waits until a message of that kind for the session is queued, then delivers the queue; the
    // value of the first such message, or INT_MIN on time-out.
    int DeliverNext(UINT message, CChannelSession* session, DWORD timeoutMs = 15000);
    std::vector<Posted> TakePosted();
    std::vector<WindowCall> Calls();
    std::vector<std::string> Infos(); // connection-information texts
    int Count(const std::string& what);
    void ClearCalls();

    int linkage = 0;
    CSystemLog* log = nullptr;
    int soundMarked = 0;
    int mapShown = 0;
    int tourRunning = 0;
    int mapEditorOpen = 0;
    int pageCount = 0;
    int cameraPage = -1;
    std::vector<IPreviewPane*> panes;
    CTermServer* chosenServer = nullptr; // what the server chooser answers

private:
    void Record(const std::string& what, const std::string& text = std::string(), int value = 0);
    CRITICAL_SECTION lock_;
    std::vector<Posted> posted_;
    std::vector<WindowCall> calls_;
};

// A preview pane with a real video window; records its calls and the posted pane alarms.
class RecordingPane : public IPreviewPane {
public:
    RecordingPane();
    ~RecordingPane() override;

    HWND GetVideoSurface() override { return window_; }
    void SetSession(CChannelSession* s) override { session = s; }
    void RefreshView(int show) override { Record("refresh", show); }
    void ResetIcons() override { Record("reset-icons", 0); }
    void ResetOnConnectFailure(int result) override { Record("reset-failure", result); }
    void SetAudioIcon(int state) override { Record("audio", state); }
    void SetRecordIcon(int recording) override { Record("record", recording); }
    void StartAlarmBlink() override { Record("blink", 1); }
    void StopAlarmBlink() override { Record("blink", 0); }
    void RemoveFromPage() override { Record("remove", 0); }
    void PostPaneAlarm(CChannelSession* s, LPARAM lParam) override;

    // The pane alarms posted so far (lParam values), for the session given.
    std::vector<int> Alarms(CChannelSession* s);
    bool WaitAlarm(CChannelSession* s, int lParam, DWORD timeoutMs = 10000);
    // The last value of a recorded call kind, or -1.
    int Last(const std::string& what);
    int Count(const std::string& what);
    void ClearCalls();

    CChannelSession* session = nullptr;

private:
    void Record(const std::string& what, int value);
    HWND window_;
    CRITICAL_SECTION lock_;
    std::vector<std::pair<std::string, int>> calls_;
    std::vector<std::pair<CChannelSession*, int>> alarms_;
};

// The recording storage's owner: the recording format it hands out (1 = ASF).
class TestStoreOwner : public IRecordStoreOwner {
public:
    void OnDiskEvent(int) override {}
    int GetRecordFormat() override { return format; }
    int GetLogKeepDays() override { return 0; }
    CSystemLog* GetSystemLog() override { return nullptr; }
    volatile int format = 0;
};

// The free megabytes every volume reports to the disk watcher (plenty unless a test says).
void SetFreeMegabytes(long long megabytes);

// Alarm sounds started through the sound seam.
namespace TestSound {
void Install();
void Uninstall();
std::vector<std::string> Played();
void Clear();
} // namespace TestSound

// One record of a daily log file.
struct LogLine {
    int type;
    int subType;
    std::string text;
    std::string detail;
};

// The base fixture: a fresh start directory with the station's globals (system parameters, a
// server tree, all rights for the user), the recorders installed, the system log and the
// recording storage in the start directory, and the clock settable.
class SessionTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A server of the site in the tree, with its cameras; port and log-in as the site has them.
    CTermServer* AddServer(const char* siteName, int cameras);
    // A camera's session, made as the main dialog makes it.
    CChannelSession* MakeSession(CTermCamera* camera);
    CTermCamera* Camera(CTermServer* server, int channel);
    // A pane that lives until the tree is gone (preview pane index = creation order).
    RecordingPane& NewPane();
    // Opens the camera's channel (with the pane attached first when given) and delivers the
    // connect result; true when it connected.
    bool ConnectSession(CChannelSession* session, RecordingPane* pane = nullptr);
    // One tick of the main dialog's timer: the clock moves a second, then every session's pass.
    void Tick(int count = 1);

    std::vector<LogLine> LogLines();
    std::string StorageDir() const { return dir_->File("rec"); }
    // The day directory of the clock's day under the storage path.
    std::string DayDir() const;
    std::vector<std::string> FilesIn(const std::string& dir, const std::string& pattern);
    // Waits until every MP4 of the day directory holds a picture: a recording that ends before its
    // first picture leaves no file.
    bool WaitForPictures();
    std::vector<RecordIndexEntry> IndexEntries(const char* indexName);

    std::unique_ptr<TempDir> dir_;
    RecordingWindows windows_;
    std::unique_ptr<CSystemLog> log_;
    CSessionLinks* previousLinks_ = nullptr;
    IStationWindows* previousWindows_ = nullptr;
    TestStoreOwner storeOwner_;
    std::vector<std::unique_ptr<RecordingPane>> panes_;
    int nextServerId_ = 1;
};

// The file-properties size of an ASF file equals its length once its writer completed it.
bool AsfComplete(const std::string& path);
// The MP4 file carries its sample table ('moov') once its writer completed it.
bool Mp4Complete(const std::string& path);
std::vector<char> ReadAll(const std::string& path);
