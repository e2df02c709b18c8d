// CAlarmBoxPoller: the thread that watches the alarm box on one server's serial port. It logs in
// to the server, opens the server's transparent serial channel, polls the box with 7-byte frames,
// turns active inputs into external alarms of the server's cameras (WM_EXTERNAL_ALARM posted to
// the main dialog), switches the inputs' linked box outputs for their hold time, and starts over
// whenever the link breaks or the server's connection settings change. The server owns the
// poller; its destructor stops the thread before the server's cameras go.
#pragma once

#include <afxmt.h>

#include "station/core/sessions/AlarmBoxFrame.h"

class CTermServer;

class CAlarmBoxPoller {
public:
    // Serial channel closed, buffer empty, the buffer mutex and the auto-reset stop event made.
    // The creator sets the server, then calls Enable (1).
    CAlarmBoxPoller();
    // Enable (0): the thread has ended when the destructor returns.
    virtual ~CAlarmBoxPoller();
    CAlarmBoxPoller(const CAlarmBoxPoller&) = delete;
    CAlarmBoxPoller& operator=(const CAlarmBoxPoller&) = delete;

    // 1 starts the thread when none runs; 0 stops it and waits for it without a time limit.
    int Enable(int on);

    // The data callback given to Conduit; runs on the library's thread.
    static void __stdcall SerialDataCallback(int handle, const char* data, int length, void* context);
    void SendPoll();
    void SendOutputMask(int mask);
    int TakeInputReply();
    int IsInputScheduled(int input, int hhmm, int dayOfWeek) const;

    // Test seam: how many milliseconds a second of the settings (poll interval, hold times, the
    // idle wait) lasts. 1000 unless a test shortens it.
    void SetSecondLength(DWORD ms) { m_msPerSecond = ms ? ms : 1; }

    HANDLE m_hThread; // null = not running
    DWORD m_threadId;
    int m_serialHandle;             // Conduit serial channel; -1 = closed
    CTermServer* m_pServer;         // not owned
    volatile LONG m_run;            // the thread is to run
    volatile LONG m_connected;      // the serial channel is usable; the data callback clears it
    AlarmBoxReceiveBuffer m_buffer; // guarded by m_bufferMutex
    CMutex m_bufferMutex;
    CEvent m_stopEvent; // auto-reset; wakes the thread early

private:
    struct LinkSettings;
    static DWORD WINAPI ThreadProc(LPVOID param);
    void Run();
    BOOL ReadLinkSettings(LinkSettings& settings) const;
    // With DDNS the link's address and port become the server's resolved ones.
    BOOL LogIn(LinkSettings& link);
    void Poll(const LinkSettings& settings);
    // Posts the input's alarm for the server's cameras: connect and report, as the input says.
    void ReportAlarm(int input);
    // Waits up to the given seconds; TRUE when the stop event woke the thread.
    BOOL WaitSeconds(int seconds);
    int PollSeconds() const;

    DWORD m_msPerSecond;
    int m_boxAddress; // of the open link, for the replies
};
