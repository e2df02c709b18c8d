// CAudioCapture: the microphone of the voice broadcast, captured through the wave mapper (PCM,
// 8000 Hz, 16-bit, mono) in 100 ms buffers. The wave-in driver's callback only hands each filled
// buffer to a worker thread of the capture (the driver's thread must not wait on the network);
// the worker calls the data callback with it and queues it again. A stop request ends the capture
// at the next filled buffer, which posts WM_AUDIO_CAPTURE_STOPPED to the notify window, whose
// handler then closes the device.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <deque>

// Called on the capture's worker thread for each filled buffer: the whole buffer, its size, the
// user value.
typedef void (*AudioDataCallback)(const char* data, int count, void* user);

class CAudioCapture {
public:
    CAudioCapture();
    ~CAudioCapture();
    CAudioCapture(const CAudioCapture&) = delete;
    CAudioCapture& operator=(const CAudioCapture&) = delete;

    // 0 when capturing, -1 when the device is already open or cannot be opened.
    int Start();
    // 0 / -1; every failure leaves the capture closed.
    int Open(const WAVEFORMATEX& format);
    // Stops and closes the device and frees the buffers: 0.
    int Close();
    void RequestStop() { m_stopRequested = 1; }

    static void CALLBACK WaveInCallback(HWAVEIN device, UINT message, DWORD_PTR context, DWORD_PTR param1,
                                        DWORD_PTR param2);

    static const int kBufferCount = 3; // one filling while the worker sends another

    AudioDataCallback m_pDataCallback;
    void* m_userValue;
    volatile LONG m_stopRequested; // the next filled buffer ends the capture
    WAVEHDR m_headers[kBufferCount];
    HWAVEIN m_hDevice; // null = closed
    char* m_pBuffer;   // kBufferCount buffers back to back
    int m_bufferSize;  // bytes per buffer: a tenth of a second
    HWND m_hNotifyWnd; // receives WM_AUDIO_CAPTURE_STOPPED

private:
    static DWORD WINAPI WorkerProc(LPVOID param);
    void RunWorker();
    void StopWorker();
    void OnBufferFilled(WAVEHDR* header);
    void PostStopped();

    HANDLE m_hWorker;
    HANDLE m_filledEvent; // auto-reset: a buffer waits in m_filled
    CRITICAL_SECTION m_queueLock;
    std::deque<WAVEHDR*> m_filled; // guarded by m_queueLock
    volatile LONG m_workerRun;
    volatile LONG m_closing;    // buffers returned by a close are dropped
    volatile LONG m_stopPosted; // the stop message goes out once per capture
};
