// How the channel sessions, the alarm-box pollers and the voice broadcast reach the station's
// windows: the preview pane a session draws into, and the main dialog with the panels, the video
// pane container and the electronic map it carries. The station core only calls through these
// interfaces; the main-window code implements them (CDlgPreviewPane derives from IPreviewPane, the
// main dialog installs its IStationWindows at start). Until then a null implementation stands in.
//
// Calls marked "any thread" may come from a library thread (device events, serial data); they
// must only post or store. Every other call comes from the user-interface thread.
#pragma once

#include <afx.h>

class CChannelSession;
class CSystemLog;
class CTermCamera;
class CTermServer;
class CVuskEMapDev;

// The private messages that carry a session from a library or poller thread. The receiver acts on
// one only after CRecGroup::OwnsSession confirmed the session (HandleConnectResultMessage and
// HandleExternalAlarmMessage do both); a pane acts on WM_PANE_ALARM only while it names its own
// session.
const UINT WM_STREAM_CONNECT_RESULT = 0x52C; // wParam session, lParam connect result
const UINT WM_EXTERNAL_ALARM = 0x536;        // wParam session, lParam input 0..15 or -1 = connect
const UINT WM_PANE_ALARM = 0x537;            // wParam session, lParam PaneAlarmParam (type, value)
const UINT WM_AUDIO_CAPTURE_STOPPED = 0x538; // wParam 0, lParam 0

// WM_PANE_ALARM's lParam: the event type in the top 8 bits and 24 bits of the value, so that
// channels 8 and above keep their bits. The value comes back without sign extension.
inline LPARAM PaneAlarmParam(int type, int value)
{
    return static_cast<LPARAM>((static_cast<DWORD>(type & 0xFF) << 24) | (static_cast<DWORD>(value) & 0xFFFFFF));
}
inline int PaneAlarmType(LPARAM lParam)
{
    return static_cast<int>((static_cast<DWORD>(lParam) >> 24) & 0xFF);
}
inline int PaneAlarmValue(LPARAM lParam)
{
    return static_cast<int>(static_cast<DWORD>(lParam) & 0xFFFFFF);
}

// One of the 16 preview panes (CDlgPreviewPane).
class IPreviewPane {
public:
    virtual ~IPreviewPane() = default;

    // The window the library draws the picture into.
    virtual HWND GetVideoSurface() = 0;
    // The pane's session pointer (null = the pane shows nothing).
    virtual void SetSession(CChannelSession* session) = 0;
    // Repaints the pane: 1 with its picture, 0 empty.
    virtual void RefreshView(int show) = 0;
    // Record, sound, alarm and camera-select icons back to their idle look.
    virtual void ResetIcons() = 0;
    // The channel failed with this connect result; the pane shows it lost its picture.
    virtual void ResetOnConnectFailure(int result) = 0;
    // 0 the stream has no sound, 1 sound off, 2 sound on.
    virtual void SetAudioIcon(int state) = 0;
    virtual void SetRecordIcon(int recording) = 0;
    virtual void StartAlarmBlink() = 0;
    virtual void StopAlarmBlink() = 0;
    // The pane's camera leaves its display page.
    virtual void RemoveFromPage() = 0;
    // Any thread: posts WM_PANE_ALARM (session, lParam) to the pane's window.
    virtual void PostPaneAlarm(CChannelSession* session, LPARAM lParam) = 0;
};

// The main dialog and what it carries.
class IStationWindows {
public:
    virtual ~IStationWindows() = default;

    // Any thread: post WM_STREAM_CONNECT_RESULT (session, result) to the main dialog.
    virtual void PostConnectResult(CChannelSession* session, int result) = 0;
    // Any thread: post WM_EXTERNAL_ALARM (session, input) to the main dialog.
    virtual void PostExternalAlarm(CChannelSession* session, int input) = 0;
    // Any thread: marks relay output 0..7 of the linkage device on in the PTZ panel, without
    // redrawing (CDlgPtzPanel::SetLocalRelayState).
    virtual void SetLocalRelayState(int output, int on) = 0;
    // Any thread: the linkage device's Portwick handle (the alarm outputs), 0 when not open.
    virtual int GetLinkageHandle() = 0;
    // Any thread: the station's system log, or null.
    virtual CSystemLog* GetSystemLog() = 0;

    // Appends the text to the connection-information window and shows it
    // (CDlgConnectInfo::SetInfoText, then show).
    virtual void AppendConnectInfo(LPCSTR text) = 0;
    // A message box with the text (a string of the string table).
    virtual void ShowMessage(LPCSTR text) = 0;
    // The session closed the talk the main dialog had opened on it (CDlgMain::ClearTalkState).
    virtual void ClearTalkState() = 0;
    // Runs the camera settings dialog modally for the camera.
    virtual void RunCameraSettings(CTermCamera* camera) = 0;
    // Redraws the PTZ panel's relay buttons (CDlgPtzPanel::RefreshLocalRelays).
    virtual void RefreshLocalRelays() = 0;
    // The preview pane of index 0..15, or null.
    virtual IPreviewPane* GetPreviewPane(int index) = 0;
    // Runs the server chooser (CDlgServerSelect, dialog 170) modally: the server chosen with OK,
    // else null.
    virtual CTermServer* ChooseServer() = 0;

    // The main dialog's alarm sound: whether its mark is set (a sound plays for this alarm
    // period), and setting the mark.
    virtual int IsAlarmSoundMarked() = 0;
    virtual void MarkAlarmSound() = 0;
    // An alarm was answered: the alarm start time is set to now when it is 0, and the alarm
    // indicator button is checked.
    virtual void NoteAlarmStarted() = 0;

    // What the alarm action looks at and does.
    virtual int IsEMapShown() = 0; // the e-map command button is down
    virtual int IsTourRunning() = 0;
    virtual int IsEMapEditorOpen() = 0;
    virtual int GetDisplayPageCount() = 0;
    // CDlgVideoWall::FindPageOfCamera: the display page that holds the camera, or -1.
    virtual int FindPageOfCamera(CTermCamera* camera) = 0;
    // CDlgVideoWall::SelectPane.
    virtual void SelectPane(int pane) = 0;
    // Opens the map as its command button does (CDlgMain::OnSkinButton (403, 2)).
    virtual void OpenEMap() = 0;
    // CDlgEMapTree::ShowDevice: selects the device's scene and pops up its video.
    virtual void ShowEMapDevice(CVuskEMapDev* device) = 0;
};

// Does nothing and answers "none" everywhere: what the sessions see until the main dialog installs
// itself, and a base for stand-ins that care about a few calls only.
class CNullStationWindows : public IStationWindows {
public:
    void PostConnectResult(CChannelSession*, int) override {}
    void PostExternalAlarm(CChannelSession*, int) override {}
    void SetLocalRelayState(int, int) override {}
    int GetLinkageHandle() override { return 0; }
    CSystemLog* GetSystemLog() override { return nullptr; }
    void AppendConnectInfo(LPCSTR) override {}
    void ShowMessage(LPCSTR) override {}
    void ClearTalkState() override {}
    void RunCameraSettings(CTermCamera*) override {}
    void RefreshLocalRelays() override {}
    IPreviewPane* GetPreviewPane(int) override { return nullptr; }
    CTermServer* ChooseServer() override { return nullptr; }
    int IsAlarmSoundMarked() override { return 0; }
    void MarkAlarmSound() override {}
    void NoteAlarmStarted() override {}
    int IsEMapShown() override { return 0; }
    int IsTourRunning() override { return 0; }
    int IsEMapEditorOpen() override { return 0; }
    int GetDisplayPageCount() override { return 0; }
    int FindPageOfCamera(CTermCamera*) override { return -1; }
    void SelectPane(int) override {}
    void OpenEMap() override {}
    void ShowEMapDevice(CVuskEMapDev*) override {}
};

// The installed windows (a null implementation until one is installed).
IStationWindows& StationWindows();
// Installing null puts the null implementation back; returns the one installed before. Installed
// on the user-interface thread before any session or poller exists.
IStationWindows* SetStationWindows(IStationWindows* windows);

// The main dialog's handlers of the two messages that carry a session: each acts only when the
// server tree still owns the session.
void HandleConnectResultMessage(WPARAM wParam, LPARAM lParam);
void HandleExternalAlarmMessage(WPARAM wParam, LPARAM lParam);
