// The wave-in capture of the voice broadcast and its sending worker.
#include "station/core/sessions/AudioCapture.h"

#include "station/core/sessions/AudioSeams.h"
#include "station/core/sessions/SessionWindows.h"

#include <stdlib.h>
#include <string.h>

namespace {

const int kSampleRate = 8000;
const int kBitsPerSample = 16;

} // namespace

CAudioCapture::CAudioCapture()
    : m_pDataCallback(nullptr), m_userValue(nullptr), m_stopRequested(1), m_hDevice(nullptr), m_pBuffer(nullptr),
      m_bufferSize(0), m_hNotifyWnd(nullptr), m_hWorker(nullptr),
      m_filledEvent(CreateEventA(nullptr, FALSE, FALSE, nullptr)), m_workerRun(0), m_closing(0), m_stopPosted(0)
{
    memset(m_headers, 0, sizeof(m_headers));
    InitializeCriticalSection(&m_queueLock);
}

CAudioCapture::~CAudioCapture()
{
    Close();
    DeleteCriticalSection(&m_queueLock);
    if (m_filledEvent != nullptr)
        CloseHandle(m_filledEvent);
}

int CAudioCapture::Start()
{
    if (m_hDevice != nullptr)
        return -1;
    Close();
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = kSampleRate;
    format.wBitsPerSample = kBitsPerSample;
    format.nBlockAlign = kBitsPerSample / 8;
    format.nAvgBytesPerSec = kSampleRate * format.nBlockAlign;
    if (Open(format) != 0) {
        Close();
        return -1;
    }
    return 0;
}

int CAudioCapture::Open(const WAVEFORMATEX& format)
{
    const AudioSeams::WaveInApi& waveIn = AudioSeams::WaveIn();
    m_bufferSize = (int)(format.nAvgBytesPerSec / 10);
    if (m_bufferSize <= 0)
        return -1;
    m_pBuffer = static_cast<char*>(malloc((size_t)m_bufferSize * kBufferCount));
    if (m_pBuffer == nullptr) {
        m_bufferSize = 0;
        return -1;
    }
    m_stopRequested = 0;
    m_stopPosted = 0;
    m_closing = 0;

    WAVEINCAPSA caps;
    HWAVEIN device = nullptr;
    if (waveIn.getDevCaps(0, &caps, sizeof(caps)) != MMSYSERR_NOERROR ||
        waveIn.open(&device, WAVE_MAPPER, &format, (DWORD_PTR)WaveInCallback, (DWORD_PTR)this, CALLBACK_FUNCTION) !=
            MMSYSERR_NOERROR) {
        Close();
        return -1;
    }
    m_hDevice = device;
    m_workerRun = 1;
    m_hWorker = CreateThread(nullptr, 0, WorkerProc, this, 0, nullptr);
    BOOL ok = m_hWorker != nullptr;
    for (int i = 0; i < kBufferCount && ok; ++i) {
        WAVEHDR& header = m_headers[i];
        memset(&header, 0, sizeof(header));
        header.lpData = m_pBuffer + i * m_bufferSize;
        header.dwBufferLength = (DWORD)m_bufferSize;
        ok = waveIn.prepareHeader(device, &header, sizeof(header)) == MMSYSERR_NOERROR &&
             waveIn.addBuffer(device, &header, sizeof(header)) == MMSYSERR_NOERROR;
    }
    if (!ok || waveIn.start(device) != MMSYSERR_NOERROR) {
        Close();
        return -1;
    }
    return 0;
}

int CAudioCapture::Close()
{
    const AudioSeams::WaveInApi& waveIn = AudioSeams::WaveIn();
    m_stopRequested = 1;
    m_closing = 1;
    // The worker goes first: once it has ended nothing queues a buffer again.
    StopWorker();
    if (m_hDevice != nullptr) {
        waveIn.reset(m_hDevice);
        for (WAVEHDR& header : m_headers) {
            if (header.dwFlags & WHDR_PREPARED)
                waveIn.unprepareHeader(m_hDevice, &header, sizeof(header));
        }
        waveIn.stop(m_hDevice);
        waveIn.close(m_hDevice);
        m_hDevice = nullptr;
    }
    memset(m_headers, 0, sizeof(m_headers));
    free(m_pBuffer);
    m_pBuffer = nullptr;
    m_bufferSize = 0;
    EnterCriticalSection(&m_queueLock);
    m_filled.clear();
    LeaveCriticalSection(&m_queueLock);
    return 0;
}

void CALLBACK CAudioCapture::WaveInCallback(HWAVEIN, UINT message, DWORD_PTR context, DWORD_PTR param1, DWORD_PTR)
{
    if (message == WIM_DATA)
        reinterpret_cast<CAudioCapture*>(context)->OnBufferFilled(reinterpret_cast<WAVEHDR*>(param1));
}

void CAudioCapture::OnBufferFilled(WAVEHDR* header)
{
    // The driver's thread: only a posted message, a queue entry and an event.
    if (m_closing)
        return;
    if (m_stopRequested) {
        PostStopped();
        return;
    }
    EnterCriticalSection(&m_queueLock);
    m_filled.push_back(header);
    LeaveCriticalSection(&m_queueLock);
    SetEvent(m_filledEvent);
}

void CAudioCapture::PostStopped()
{
    // Whichever thread meets the first filled buffer after the request tells the window, once.
    if (InterlockedExchange(&m_stopPosted, 1) == 0 && m_hNotifyWnd != nullptr)
        PostMessageA(m_hNotifyWnd, WM_AUDIO_CAPTURE_STOPPED, 0, 0);
}

DWORD WINAPI CAudioCapture::WorkerProc(LPVOID param)
{
    static_cast<CAudioCapture*>(param)->RunWorker();
    return 0;
}

void CAudioCapture::RunWorker()
{
    while (m_workerRun) {
        WaitForSingleObject(m_filledEvent, INFINITE);
        for (;;) {
            EnterCriticalSection(&m_queueLock);
            WAVEHDR* header = nullptr;
            if (!m_filled.empty()) {
                header = m_filled.front();
                m_filled.pop_front();
            }
            LeaveCriticalSection(&m_queueLock);
            if (header == nullptr || !m_workerRun)
                break;
            if (m_stopRequested) {
                PostStopped(); // not queued again: the capture winds down
                continue;
            }
            if (m_pDataCallback != nullptr)
                m_pDataCallback(header->lpData, m_bufferSize, m_userValue);
            AudioSeams::WaveIn().addBuffer(m_hDevice, header, sizeof(*header));
        }
    }
}

void CAudioCapture::StopWorker()
{
    if (m_hWorker == nullptr)
        return;
    m_workerRun = 0;
    SetEvent(m_filledEvent);
    WaitForSingleObject(m_hWorker, INFINITE);
    CloseHandle(m_hWorker);
    m_hWorker = nullptr;
}
