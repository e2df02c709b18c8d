// The alarm-box poller's thread: log-in, serial channel, polling, external alarms and outputs.
#include "station/core/sessions/AlarmBoxPoller.h"

#include "station/core/sessions/AlarmBoxInputs.h"
#include "devices/conduit/Conduit.h"
#include "framework/Seams.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"

#include <string.h>

namespace {

const int kIdleSeconds = 5;
const int kInputs = 16;
const int kConnectFlags = 4;

} // namespace

// What the link was opened with; a change of any of it (but the name) makes the thread reconnect.
// The box address belongs to it: polls and replies name the box, so another address is another link.
struct CAlarmBoxPoller::LinkSettings {
    char name[40];
    char address[40];
    char user[40];
    char password[40];
    unsigned short port;
    int useDdns;
    int enabled;
    int serialChannel;
    int boxAddress;
    ConduitSerialLine line;

    BOOL SameLink(const LinkSettings& other) const
    {
        return enabled == other.enabled && serialChannel == other.serialChannel && boxAddress == other.boxAddress &&
               memcmp(&line, &other.line, sizeof(line)) == 0 && strcmp(address, other.address) == 0 &&
               strcmp(user, other.user) == 0 && strcmp(password, other.password) == 0 && port == other.port;
    }
};

CAlarmBoxPoller::CAlarmBoxPoller()
    : m_hThread(nullptr), m_threadId(0), m_serialHandle(-1), m_pServer(nullptr), m_run(0), m_connected(0),
      m_bufferMutex(FALSE), m_stopEvent(FALSE, FALSE), m_msPerSecond(1000), m_boxAddress(0)
{
}

CAlarmBoxPoller::~CAlarmBoxPoller()
{
    Enable(0);
}

int CAlarmBoxPoller::Enable(int on)
{
    if (on) {
        if (m_hThread != nullptr)
            return 0;
        {
            CSingleLock lock(&m_bufferMutex, TRUE);
            m_buffer.Clear();
        }
        m_run = 1;
        m_hThread = CreateThread(nullptr, 0, ThreadProc, this, 0, &m_threadId);
        return 0;
    }
    m_run = 0;
    m_stopEvent.SetEvent();
    if (m_hThread != nullptr) {
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
        m_hThread = nullptr;
        m_threadId = 0;
    }
    return 0;
}

DWORD WINAPI CAlarmBoxPoller::ThreadProc(LPVOID param)
{
    static_cast<CAlarmBoxPoller*>(param)->Run();
    return 0;
}

BOOL CAlarmBoxPoller::WaitSeconds(int seconds)
{
    return WaitForSingleObject(m_stopEvent, (DWORD)seconds * m_msPerSecond) == WAIT_OBJECT_0;
}

int CAlarmBoxPoller::PollSeconds() const
{
    // At least a second: an interval of 0 would poll the box as fast as the line goes.
    return m_pServer->m_pollSeconds > 0 ? m_pServer->m_pollSeconds : 1;
}

BOOL CAlarmBoxPoller::ReadLinkSettings(LinkSettings& settings) const
{
    const CTermServer& server = *m_pServer;
    memset(&settings, 0, sizeof(settings));
    CopyText(settings.address, server.m_address);
    CopyText(settings.name, server.m_name);
    CopyText(settings.user, server.m_user);
    CopyText(settings.password, server.m_password);
    settings.port = server.m_port;
    settings.useDdns = server.m_useDdns;
    settings.enabled = server.m_alarmBoxEnabled;
    settings.serialChannel = server.m_serialPort;
    settings.boxAddress = server.m_boxAddress;
    settings.line.baudRate = server.m_baudRate;
    settings.line.dataBits = server.m_dataBits;
    settings.line.stopBits = server.m_stopBits;
    settings.line.parity = server.m_parity;
    settings.line.flowControl = server.m_flowControl;
    return settings.enabled != 0;
}

BOOL CAlarmBoxPoller::LogIn(LinkSettings& link)
{
    if (link.useDdns) {
        // The stored address is the DDNS server's; the server's own goes into the link.
        char address[CONDUIT_ADDRESS_SIZE] = {};
        unsigned short port = 0;
        if (Conduit_ResolveDdns(link.address, link.port, link.name, address, &port) != 0)
            return FALSE;
        address[sizeof(address) - 1] = '\0';
        CopyText(link.address, address);
        link.port = port;
    }
    return Conduit_Login(link.name, link.address, link.user, link.password, link.port) == 0;
}

void CAlarmBoxPoller::Run()
{
    while (m_run) {
        if (WaitSeconds(kIdleSeconds))
            continue; // woken: test the run flag again
        LinkSettings settings;
        if (m_pServer == nullptr || !ReadLinkSettings(settings))
            continue;
        // The saved copy keeps the stored address for change detection; the log-in may resolve
        // another one for the channel.
        LinkSettings opened = settings;
        if (!LogIn(opened))
            continue;
        int handle =
            Conduit_OpenSerialChannel(opened.name, opened.address, opened.user, opened.password, opened.serialChannel,
                                      &opened.line, SerialDataCallback, this, opened.port);
        if (handle <= 0) {
            m_serialHandle = -1;
            continue;
        }
        m_serialHandle = handle;
        m_boxAddress = settings.boxAddress;
        Poll(settings);
        if (m_serialHandle != -1)
            Conduit_CloseSerialChannel(m_serialHandle);
        m_serialHandle = -1;
    }
}

void CAlarmBoxPoller::Poll(const LinkSettings& settings)
{
    const CTermServer& server = *m_pServer;
    m_connected = 1;
    {
        CSingleLock lock(&m_bufferMutex, TRUE);
        m_buffer.Clear();
    }
    SendOutputMask(0);
    AlarmBoxInputs inputs;
    inputs.Reset(server.m_alarmIntervalSeconds);
    WaitSeconds(PollSeconds());

    for (;;) {
        LinkSettings current;
        ReadLinkSettings(current);
        if (!m_connected || !m_run || !current.SameLink(settings))
            break;
        SendPoll();
        int interval = PollSeconds();
        if (WaitSeconds(interval))
            continue;

        SYSTEMTIME time;
        Seams::LocalTime(&time);
        DWORD now = Seams::TickCount();
        BOOL outputsChanged = inputs.Advance(server.m_alarmInputs, interval, now, m_msPerSecond);
        int mask = TakeInputReply();
        if (mask != -1) {
            int alarms = inputs.Trigger(server.m_alarmInputs, server.m_alarmIntervalSeconds, mask, time, now);
            for (int i = 0; i < kAlarmBoxInputCount; ++i) {
                if (alarms & (1 << i))
                    ReportAlarm(i);
            }
            outputsChanged |= alarms != 0;
        }
        if (outputsChanged) {
            SendOutputMask((int)inputs.Outputs());
            WaitSeconds(interval);
        }
    }
}

void CAlarmBoxPoller::ReportAlarm(int input)
{
    const CTermServer& server = *m_pServer;
    const AlarmInputConfig& config = server.m_alarmInputs[input];
    int k = 0;
    for (POSITION pos = server.m_cameras.GetHeadPosition(); pos; ++k) {
        CChannelSession* session = server.m_cameras.GetNext(pos)->m_pSession;
        if (session == nullptr)
            continue;
        if (k < kConnectFlags && config.connectCameras[k])
            StationWindows().PostExternalAlarm(session, -1);
        if (config.reportToCentre)
            StationWindows().PostExternalAlarm(session, input);
    }
}

void __stdcall CAlarmBoxPoller::SerialDataCallback(int, const char* data, int length, void* context)
{
    CAlarmBoxPoller* poller = static_cast<CAlarmBoxPoller*>(context);
    if (length <= 0) {
        poller->m_connected = 0;
        return;
    }
    CSingleLock lock(&poller->m_bufferMutex, TRUE);
    poller->m_buffer.Append(reinterpret_cast<const unsigned char*>(data), length);
}

void CAlarmBoxPoller::SendPoll()
{
    if (m_serialHandle == -1)
        return;
    AlarmBoxFrame frame = MakeAlarmBoxFrame(m_boxAddress, kAlarmBoxPoll, 0);
    Conduit_WriteSerialChannel(m_serialHandle, frame.bytes, kAlarmBoxFrameSize);
}

void CAlarmBoxPoller::SendOutputMask(int mask)
{
    if (m_serialHandle == -1)
        return;
    AlarmBoxFrame frame = MakeAlarmBoxFrame(m_boxAddress, kAlarmBoxOutputs, (unsigned int)mask & 0xFFFF);
    Conduit_WriteSerialChannel(m_serialHandle, frame.bytes, kAlarmBoxFrameSize);
}

int CAlarmBoxPoller::TakeInputReply()
{
    CSingleLock lock(&m_bufferMutex, TRUE);
    return m_buffer.TakeInputReply(m_boxAddress);
}

int CAlarmBoxPoller::IsInputScheduled(int input, int hhmm, int dayOfWeek) const
{
    if (m_pServer == nullptr || input < 0 || input >= kInputs)
        return 0;
    return ScheduleMatches(m_pServer->m_alarmInputs[input].schedule, 7, hhmm / 100, hhmm % 100, dayOfWeek) ? 1 : 0;
}
