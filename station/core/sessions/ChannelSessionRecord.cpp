// The channel session's recording (reasons, schedule, file splitting) and snapshots (BMP of the
// live picture, JPEG through the capture stream, JPEG stored by the server), and recording on the
// server.
#include "station/core/sessions/ChannelSession.h"

#include "devices/conduit/Conduit.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/storage/RecordStore.h"
#include "framework/Seams.h"
#include "station/core/sessions/SessionStrings.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"

#include <string.h>

namespace {

const int kRecordCheckTicks = 10;
const int kJpegQuality = 90;
const int kServerJpegQuality = 80;
const int kServerRecordMode = 1;
const DWORD kMsPerMinute = 60000;

// The configured file length; a value outside the settings' range would split on every check or
// never.
DWORD FileLengthMs()
{
    int minutes = g_pSysParam ? g_pSysParam->m_fileMinutes : 20;
    if (minutes < 1)
        minutes = 1;
    if (minutes > 10000)
        minutes = 10000;
    return (DWORD)minutes * kMsPerMinute;
}

BOOL EndsWith(const char* text, const char* suffix)
{
    size_t n = strlen(text), m = strlen(suffix);
    return n >= m && _stricmp(text + n - m, suffix) == 0;
}

} // namespace

int CChannelSession::IsRecordScheduled(int hhmm, int dayOfWeek) const
{
    return m_pCamera && m_pCamera->IsRecordScheduled(hhmm / 100, hhmm % 100, dayOfWeek) ? 1 : 0;
}

void CChannelSession::ShowRecordIcon(int recording)
{
    if (m_pPane != nullptr)
        m_pPane->SetRecordIcon(recording);
}

BOOL CChannelSession::StartRecordFile(int bits)
{
    CTermServer* server = Server();
    if (server == nullptr || !theRecordStore.IsSpaceOk())
        return FALSE;
    char path[MAX_PATH];
    char name[40];
    CopyText(name, server->m_name);
    if (!theRecordStore.BeginRecordFile(name, m_pCamera->m_channel, path, bits))
        return FALSE;
    // The writer follows the name the storage gave the file, so that an ".asf" file always holds
    // ASF, whatever the setting says by the time it was named.
    if (EndsWith(path, ".asf")) {
        if (Conduit_StartRecordAsf(m_liveHandle, path, 0))
            m_recordFileFormat = recordFileAsf;
    } else if (Conduit_StartRecordMp4(m_liveHandle, path)) {
        m_recordFileFormat = recordFileMp4;
    }
    return m_recordFileFormat != recordFileNone;
}

void CChannelSession::StopRecordFile()
{
    // Stopped the way it was started, even when the format setting changed meanwhile.
    if (m_recordFileFormat == recordFileAsf)
        Conduit_StopRecordAsf(m_liveHandle);
    else if (m_recordFileFormat == recordFileMp4)
        Conduit_StopRecordMp4(m_liveHandle);
    m_recordFileFormat = recordFileNone;
}

void CChannelSession::SetRecording(int start, int bits, int showIcon)
{
    if (!HasRight(rightLocalRecord) || !IsConnected())
        return;
    int reasons;
    {
        CSingleLock lock(&m_lock, TRUE);
        if (start) {
            if (m_recordReasons == 0) {
                m_recordFileStart = Seams::TickCount();
                StartRecordFile(bits);
            }
            m_recordReasons |= bits;
            m_recordCheckCountdown.Arm(kRecordCheckTicks);
        } else {
            m_recordReasons &= ~bits;
            if (m_recordReasons == 0) {
                StopRecordFile();
                m_recordFileStart = 0;
                // The record check stays armed while connected, so that the schedule still starts
                // its recording after a manual or alarm recording ended.
            }
        }
        reasons = m_recordReasons;
    }
    if (showIcon)
        ShowRecordIcon(reasons != 0);
}

void CChannelSession::CheckRecordSchedule()
{
    CSingleLock lock(&m_lock, TRUE);
    if (!HasRight(rightLocalRecord)) {
        if (m_recordReasons != 0) {
            StopRecordFile();
            m_recordReasons = 0;
            ShowRecordIcon(0);
        }
        return;
    }
    if (m_liveHandle == -1 || m_pCamera == nullptr)
        return;
    SYSTEMTIME time;
    Seams::LocalTime(&time);
    DWORD now = Seams::TickCount();
    BOOL scheduled = IsRecordScheduled(time.wHour * 100 + time.wMinute, time.wDayOfWeek);

    BOOL fileWasRunning = FALSE;
    if (m_recordReasons != 0) {
        // The schedule joins a running recording as well, so that it goes on after the other
        // reasons end.
        if (scheduled)
            m_recordReasons |= recordSchedule;
        else
            m_recordReasons &= ~recordSchedule;
        if (now - m_lastAlarmTime >= (DWORD)m_pCamera->m_alarmDelaySeconds * 1000) {
            m_recordReasons &= ~(recordAlarm | recordMotion);
            m_lastAlarmTime = 0;
        }
        fileWasRunning = TRUE;
    } else if (scheduled) {
        m_recordReasons = recordSchedule;
        m_recordFileStart = now;
        StopRecordFile();
        ShowRecordIcon(StartRecordFile(recordSchedule));
    }

    if (m_recordReasons != 0) {
        if (now - m_recordFileStart >= FileLengthMs()) {
            m_recordFileStart = now;
            StopRecordFile();
            ShowRecordIcon(StartRecordFile(m_recordReasons));
        }
        return;
    }
    if (fileWasRunning) {
        m_recordFileStart = 0;
        StopRecordFile();
        ShowRecordIcon(0);
    }
}

void CChannelSession::RestartRecordFile()
{
    CSingleLock lock(&m_lock, TRUE);
    if (!IsConnected() || m_recordReasons == 0)
        return;
    StopRecordFile();
    ShowRecordIcon(StartRecordFile(m_recordReasons));
}

void CChannelSession::CaptureBmp()
{
    if (!HasRight(rightSnapshot)) {
        StationWindows().ShowMessage(SessionString(STR_NO_RIGHT));
        return;
    }
    CTermServer* server = Server();
    if (!IsOpen() || server == nullptr || !theRecordStore.IsSpaceOk())
        return;
    char path[MAX_PATH];
    char name[40];
    CopyText(name, server->m_name);
    int entryIndex = 0;
    RecordIndexEntry entry;
    if (!theRecordStore.MakeBmpSnapshotPath(name, m_pCamera->m_channel, path, &entryIndex, &entry))
        return;
    if (Conduit_CapturePicture(m_liveHandle, path))
        theRecordStore.AppendBmpIndex(entryIndex, &entry);
}

int CChannelSession::StartJpegStream()
{
    if (!HasRight(rightSnapshot))
        return -2;
    CSingleLock lock(&m_lock, TRUE);
    StopJpegStream();
    m_jpegReopen = 0;
    ServerLogin login;
    if (m_state != sessionConnected || !GetReportedAddress(login))
        return -1;
    int handle = Conduit_OpenJpegStream(login.name, login.address, login.user, login.password, login.port,
                                        JpegStreamCallback, this);
    m_jpegHandle = handle > 0 ? handle : -1;
    return handle > 0 ? 0 : -1;
}

void CChannelSession::StopJpegStream()
{
    // The picture callback takes no session lock, so closing under it cannot wait on ourselves.
    CSingleLock lock(&m_lock, TRUE);
    if (m_jpegHandle != -1) {
        Conduit_CloseJpegStream(m_jpegHandle);
        m_jpegHandle = -1;
    }
    m_jpegReopen = 0;
}

void CChannelSession::CaptureJpeg()
{
    if (!HasRight(rightSnapshot))
        return;
    CSingleLock lock(&m_lock, TRUE);
    if (m_jpegReopen)
        StartJpegStream();
    if (m_jpegHandle != -1)
        Conduit_RequestJpeg(m_jpegHandle, m_pCamera->m_channel, kJpegQuality);
}

void __stdcall CChannelSession::JpegStreamCallback(int, int, const char* data, int length, void* context)
{
    CChannelSession* session = static_cast<CChannelSession*>(context);
    if (length <= 0) {
        session->m_jpegReopen = 1;
        return;
    }
    CTermServer* server = session->Server();
    if (server == nullptr)
        return;
    char name[40];
    CopyText(name, server->m_name);
    theRecordStore.SaveJpegSnapshot(name, session->m_pCamera->m_channel, data, length);
}

void CChannelSession::CaptureServerJpeg()
{
    ServerLogin login;
    if (!GetReportedAddress(login))
        return;
    if (Conduit_CaptureServerJpeg(login.name, login.address, m_pCamera->m_channel, login.user, login.password,
                                  kServerJpegQuality, login.port) == 0)
        StationWindows().ShowMessage(SessionString(STR_SERVER_JPEG_FAILED));
}

int CChannelSession::StartServerRecord()
{
    ServerLogin login;
    if (!HasRight(rightServerRecord) || !GetReportedAddress(login))
        return 0;
    int result = Conduit_StartServerRecord(login.name, login.address, m_pCamera->m_channel, login.user, login.password,
                                           kServerRecordMode, login.port);
    m_serverRecording = (BYTE)(result != 0);
    return result;
}

int CChannelSession::StopServerRecord()
{
    ServerLogin login;
    if (!HasRight(rightServerRecord) || !GetReportedAddress(login))
        return 0;
    int result = Conduit_StopServerRecord(login.name, login.address, m_pCamera->m_channel, login.user, login.password,
                                          login.port);
    m_serverRecording = 0;
    return result;
}
