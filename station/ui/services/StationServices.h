// CStationServices: the network services and serial devices the main dialog starts, and the voice
// talk with a camera's server. The forwarding service (Conduit) re-serves the live streams, the
// file service (Depotix) serves the recordings to remote players, Portwick runs the linkage
// device, the control keyboard and the external alarm-input port. The main dialog owns one.
//
// The forwarding service's callbacks run on Conduit's threads: they read a copy of the accounts
// and the log taken under a lock when the service starts, so the settings pages may change the
// parameters meanwhile. Everything else runs on the user-interface thread.
#pragma once

#include <afxwin.h>

#include "devices/conduit/Conduit.h"
#include "station/config/ConfigWindows.h" // WM_KEYBOARD_COMMAND
#include "station/core/storage/StationFileService.h"

class CChannelSession;
class CSysParam;
class CSystemLog;

class CStationServices {
public:
    CStationServices();
    ~CStationServices();
    CStationServices(const CStationServices&) = delete;
    CStationServices& operator=(const CStationServices&) = delete;

    // --- the outside libraries (the main dialog's start and shut-down order) ---
    // Depotix_Init (first of the libraries) and Framewell_Init (last); Conduit and Ferret are the
    // main dialog's own.
    void InitFileLibrary();
    void InitMediaLibrary();
    // The forwarding (Conduit_StopRelayService) and the file service (Depotix_Stop, Depotix_Cleanup)
    // stop: no callback of theirs runs after this, so the parameters and the log may go.
    void StopCallbacks();
    // Framewell_Cleanup, and the file service's stop when StopCallbacks did not run (once).
    void CleanupFileAndMediaLibraries();

    // --- forwarding ---
    // Nothing while forwarding is off; else configures and starts it, string 289 when it fails.
    // 1 when it runs.
    int StartRelayService(const CSysParam& params, CSystemLog* log);
    static RelayServiceConfig MakeRelayConfig(const CSysParam& params);
    // The copy of the accounts and the log that the callbacks read (taken by StartRelayService).
    static void KeepRelaySettings(const CSysParam& params, CSystemLog* log);
    // The forwarding service's account check: 1 administrator, 2 senior operator, 3 operator, 0
    // refused. An empty name at a level admits whoever did not match a higher one.
    static int __stdcall RelayAccountCheck(int reserved, const char* user, const char* password);
    // A forwarding client came (connected 1) or went: one system-log record of type 3.
    static int __stdcall RelayEventLog(const char* serverName, int value, int connected, const char* clientAddress,
                                       const char* user, const char* password);

    // --- file service ---
    // Depotix stopped, and started again from the settings when they switch it on; string 246
    // when it cannot listen. 1 when the settings were followed.
    int RestartFileService(const CSysParam& params, CSystemLog* log);
    CStationFileService& FileService() { return m_fileService; }

    // --- serial devices ---
    // Opens the linkage device, the keyboard (its keys posted to window as WM_KEYBOARD_COMMAND)
    // and the alarm-input port; a device that does not open keeps handle 0, silently. Each open is a
    // connection and a handshake that may wait seconds for a site that does not answer, so they run
    // on a thread of their own and the first use of a handle waits for them.
    void OpenSerialDevices(const CSysParam& params, HWND window);
    // Closes the open ones with kinds 1, 2 and 3; the handles become 0.
    void CloseSerialDevices();
    // Station-wide handles, 0 = not open; the serial settings page replaces them.
    int& LinkDeviceHandle() { return FinishSerialOpen(), m_linkDeviceHandle; }
    int& KeyboardHandle() { return FinishSerialOpen(), m_keyboardHandle; }
    int& AlarmInputHandle() { return FinishSerialOpen(), m_alarmInputHandle; }

    // --- talk ---
    // stopOnly 0: starts a talk with the selected pane's server, or stops the running one; 1:
    // only stops a running one.
    void Talk(int stopOnly);
    // The session closed its own talk: nothing of it is kept.
    void ClearTalkState();
    // The talk-linkage timer fired: the linkage relay goes off.
    void OnTalkRelayTimer();
    int GetTalkHandle() const { return m_talkHandle; }
    CChannelSession* GetTalkSession() const { return m_talkSession; }
    int GetTalkRelay() const { return m_talkRelay; }
    int IsTalkRelayTimerRunning() const { return m_relayTimer; }

private:
    struct SerialOpening;
    static DWORD WINAPI OpenSerialDevicesThread(LPVOID opening);
    // Waits for the opening thread, when one runs: its handles are then this object's.
    void FinishSerialOpen();
    void StartTalk();
    void StopTalk();
    void ShowTalkFailure(int result);
    void KillRelayTimer();

    CStationFileService m_fileService;
    int m_mediaStarted = 0;
    int m_linkDeviceHandle = 0;
    int m_keyboardHandle = 0;
    int m_alarmInputHandle = 0;
    HANDLE m_serialOpener = nullptr;
    int m_talkHandle = -1; // -1 = none; 0 is a valid handle
    CChannelSession* m_talkSession = nullptr;
    int m_talkRelay = -1; // relay output the talk linkage switched on, -1 = none
    int m_relayTimer = 0;
};
