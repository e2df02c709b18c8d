// CChannelSession: the live side of one camera. Every camera record of the server tree owns one;
// panes, panels, the electronic map, menus and dialogs act on a camera only through it. It opens
// the camera's channel on its video server through Conduit, shows the picture in a preview pane,
// reacts to connect results and device events, records and takes snapshots, drives PTZ, relays,
// sound and arming. The file pairs ChannelSession*.cpp hold its parts: connection and live view,
// alarms, recording and snapshots, PTZ and the rest.
//
// Threads: everything runs on the user-interface thread except the device-event and JPEG-picture
// callbacks, which run on Conduit's threads. The alarm words are raised with an atomic OR there
// and taken with an atomic exchange by the once-a-second pass; the recording state (reasons, file
// start, last alarm time, the file's format) and the JPEG stream change under the session's lock.
// Conduit's close calls wait for a callback in progress, so the lock is never held across
// Conduit_Disconnect.
#pragma once

#include <afxmt.h>

#include <atomic>

#include "station/core/sessions/SessionCountdown.h"
#include "station/core/storage/RecordReason.h"

class CTermCamera;
class CTermServer;
class IPreviewPane;
struct ScheduleEntry;

// The session's state.
enum SessionState { sessionConnected = 1, sessionConnecting = 2, sessionIdle = 3 };

// What raised an alarm: the bits of the two alarm words.
enum AlarmFlags {
    alarmMotion = 1 << 0,
    alarmVideoLoss = 1 << 1,
    alarmSensorFirst = 7,    // bits 7..10: sensor input 0..3 of the camera's server
    alarmExternalFirst = 12, // bits 12..27: input 0..15 of the server's alarm box
};

// The format of the record file that runs, so that it is stopped the way it was started.
enum RecordFileFormat { recordFileNone = 0, recordFileMp4 = 1, recordFileAsf = 2 };

class CChannelSession {
public:
    CChannelSession();
    // Disconnects and closes the PTZ protocol object.
    virtual ~CChannelSession();
    CChannelSession(const CChannelSession&) = delete;
    CChannelSession& operator=(const CChannelSession&) = delete;

    // --- Connection and live view ---
    // open 1 opens the live channel (reconnect 1 keeps the earlier preview wish), open 0 closes it.
    void Connect(int open, int reconnect);
    // The connect result posted from the event callback, after CRecGroup::OwnsSession.
    void OnConnectResult(CChannelSession* session, int result);
    void AttachPane(int attach, IPreviewPane* pane, int connectFirst);
    void ShowPreview(int on);
    void ApplyPlaySmoothness();
    void ApplyDecodeQuality();
    void ApplyForwardSmoothness();
    void OnReconnectTick();
    // The main dialog's one-second tick for this session: the four countdowns in order (reconnect,
    // record check, no-motion, preset cycle), then the alarm pass. Disabled cameras are skipped
    // by the caller (TickAllSessions).
    void OnTimerTick();

    // Command wrappers of menus and buttons; those needing a right show "没有权限" without it.
    void RequestConnect();
    void RequestDisconnect();
    void RequestShowPreview();
    void RequestHidePreview();
    void RequestStartRecord();
    void RequestStopRecord();
    void RequestCaptureBmp();
    void RequestServerJpeg();
    void RequestCaptureJpeg();
    void RequestStartJpegStream();
    void RequestStopJpegStream();
    void RequestStartServerRecord();
    void RequestStopServerRecord();
    void OpenCameraSettings();
    void RemovePane();

    static void __stdcall ChannelEventCallback(int handle, int type, int value, void* context);

    // --- Device events and alarms ---
    // Every device event but the connect result, on the library thread.
    void OnDeviceEvent(int type, int value);
    void OnExternalAlarm(CChannelSession* session, int input);
    void ProcessAlarms();
    void ClearAlarm();
    void ApplyNoMotionAlarm();
    void OnNoMotionTick();
    static int IsSoundScheduled(const ScheduleEntry* schedule, int hhmm, int dayOfWeek);

    // --- Recording and snapshots ---
    void SetRecording(int start, int bits, int showIcon);
    void CheckRecordSchedule();
    int IsRecordScheduled(int hhmm, int dayOfWeek) const;
    void RestartRecordFile();
    void CaptureBmp();
    int StartJpegStream();
    void StopJpegStream();
    void CaptureJpeg();
    void CaptureServerJpeg();
    int StartServerRecord();
    int StopServerRecord();
    static void __stdcall JpegStreamCallback(int handle, int channel, const char* data, int length, void* context);

    // --- PTZ, presets, relays, sound, camera inputs, arming ---
    void OpenPtzProtocol();
    int SetPtzProtocol(LPCSTR name);
    int PtzControl(int code, int value, int speed);
    int GetDeviceAddress();
    int SetDeviceAddress(int address);
    void ReadPtzDescription();
    void ReadRelayStates();
    int SetRelay(int output, int on);
    void SetAudio(int on);
    void SelectCamera(int input);
    void Arm() { m_armed = 1; }
    void Disarm() { m_armed = 0; }
    void StepPresetCycle(int advance, int restart);
    void SetPresetCycleTimer(int on, int seconds);

    // The number after "delay" in a description, when "delay" stands after its first character;
    // otherwise delay keeps its value.
    static void ReadDelay(LPCSTR text, int& delay);

    // The fields, in the order of the session's record.
    int m_liveHandle;        // Conduit live channel; -1 = not open
    int m_jpegHandle;        // Conduit JPEG capture stream; -1 = not open
    int m_talkHandle;        // set by the main dialog's talk command; -1 = none (0 is a handle)
    CTermCamera* m_pCamera;  // the owning camera (not owned)
    int m_state;             // SessionState
    int m_previewOn;         // the picture runs in the attached pane
    int m_previewWanted;     // show the picture when connected
    DWORD m_lastAlarmTime;   // tick of the last alarm that started alarm recording
    DWORD m_recordFileStart; // tick when the current record file began
    int m_audioWanted;
    int m_cameraInputs;                  // > 0: the pane shows its camera-select buttons
    int m_stayConnected;                 // a later failure reconnects silently
    int m_recordReasons;                 // RecordReason bits
    BYTE m_serverRecording;              // the server records this channel
    int m_currentInput;                  // the encoder's input as device event 6 last reported it
    int m_audioState;                    // 0 no sound in the stream, 1 sound off, 2 sound on
    std::atomic<int> m_alarmAccumulated; // AlarmFlags raised since the last clear
    std::atomic<int> m_alarmPending;     // AlarmFlags not yet answered by ProcessAlarms
    int m_snapshotTicks;                 // ticks since the last timed snapshot
    int m_serverRecordEvent;             // last value of the server-recording event (CONDUIT_EVENT_SERVER_RECORD)
    int m_ptzDelay;                      // from the server's PTZ description
    int m_armed;                         // motion, video loss and sensors raise alarms
    BYTE m_relayStates[4];               // the server's relay outputs 0..3
    int m_jpegReopen;                    // the JPEG stream failed; reopen before the next picture
    SessionCountdown m_reconnectCountdown;
    SessionCountdown m_recordCheckCountdown;
    SessionCountdown m_noMotionCountdown;
    SessionCountdown m_presetCycleCountdown;
    int m_presetIndex; // next entry of the camera's preset cycle
    int m_presetCycleRunning;
    int m_ptzProtocol;     // Portwick PTZ protocol object; 0 = none
    int m_protocolDelay;   // from the protocol's description
    int m_matrixMenu;      // the matrix panel shows its menu keys for this camera
    IPreviewPane* m_pPane; // the attached preview pane (not owned); null = none

private:
    CTermServer* Server() const;
    CString DisplayPath() const;
    BOOL IsOpen() const { return m_liveHandle != -1; }
    BOOL IsConnected() const { return m_liveHandle != -1 && m_state == sessionConnected; }
    // Server name, address, user and password bounded to the library's 40-byte buffers, and the
    // port.
    struct ServerLogin {
        char name[40];
        char address[40];
        char user[40];
        char password[40];
        unsigned short port;
    };
    BOOL GetServerLogin(ServerLogin& login) const;
    BOOL GetReportedAddress(ServerLogin& login) const;
    // Address and port of login become those the channel on handle reached.
    static BOOL ReplaceByReportedAddress(int handle, ServerLogin& login);
    // The channel's parameter block from the server it reported, with the login that read it.
    BOOL ReadChannelParams(ServerLogin& login, unsigned char (&block)[16]);

    // What a successful log-in learns from the server: read on the library thread that reported
    // it (FetchConnectFacts), applied by OnConnectResult on the window thread.
    enum { kPtzDescriptionSize = 128 }; // CONDUIT_PTZ_DESCRIPTION_SIZE
    struct ConnectFacts {
        BOOL ptzRead;
        char ptzDescription[kPtzDescriptionSize];
        BOOL relaysRead;
        BYTE relays[4];
    };
    void FetchConnectFacts(int handle);
    static BOOL QueryPtzDescription(const ServerLogin& login, int channel, char (&text)[kPtzDescriptionSize]);
    static BOOL QueryRelayStates(const ServerLogin& login, BYTE (&states)[4]);
    void ApplyPtzDescription(LPCSTR text);
    void ApplyRelayStates(const BYTE (&states)[4]);

    // Connection.
    void CloseTalk();
    // What closing and a failed or lost channel both do: the channel and everything on it ends.
    void TearDownChannel();
    void ConnectFailed(int result);
    void ReportConnectProblem(LPCSTR message);
    void StopVideoBySwitchMode();
    void DetermineAudioState();
    void WriteLog(int type, LPCSTR text, LPCSTR detail);

    // Device events, one handler each; TRUE when the pane is to be told of the event.
    BOOL OnMotionEvent(CTermCamera& camera, int value);
    BOOL OnVideoLossEvent(CTermCamera& camera, int value);
    BOOL OnSensorEvent(CTermCamera& camera, int value);
    BOOL OnRelaysEvent(int value);
    BOOL OnCameraInputEvent(int value);
    BOOL OnServerRecordEvent(int value);

    // Alarms.
    void RaiseAlarm(int bits);
    void SwitchOutputs(const int* outputs);
    void TakeJpeg();
    void StartAlarmRecording(int bits, int showIcon);
    void SoundAlarm(int soundIndex, const ScheduleEntry* schedule, const SYSTEMTIME& now);
    void RecordLinkedCameras(int list, int bits);
    void ApplyAlarmAction();
    BOOL ChannelBitSet(int mask) const;

    // Recording.
    BOOL StartRecordFile(int bits);
    void StopRecordFile();
    void ShowRecordIcon(int recording);

    // Set while the record file named by the storage runs.
    int m_recordFileFormat;
    // The log-in and channel number the live channel was opened with; fixed while it is open.
    ServerLogin m_openedLogin;
    int m_openedChannel;
    ConnectFacts m_connectFacts; // under m_lock
    // Guards the recording state and the JPEG stream against the library thread.
    CCriticalSection m_lock;
};

// The one-second pass over the whole tree (depth first, in list order): each enabled camera's
// session runs its countdowns and alarm pass.
void TickAllSessions();
