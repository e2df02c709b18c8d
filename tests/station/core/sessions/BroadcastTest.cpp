// The voice broadcast without its window: the capture through a simulated wave-in device, the
// target table and opening targets, and the bytes several simulated servers receive.
#include "SessionTestSupport.h"

#include <deque>

#include "AudioCapture.h"
#include "AudioSeams.h"
#include "BroadcastTargets.h"
#include "Conduit.h"
#include "TermServer.h"

namespace {

// A wave-in device driven by the test: Fill hands queued buffers back as recorded, on the test's
// thread, the way a driver calls back on its own.
namespace FakeWaveIn {

bool present = true;
bool open = false;
bool started = false;
WAVEFORMATEX format = {};
DWORD_PTR callback = 0;
DWORD_PTR instance = 0;
CRITICAL_SECTION* lock = nullptr;
std::deque<WAVEHDR*> queued;
int sample = 0;

void CallBack(UINT message, WAVEHDR* header)
{
    reinterpret_cast<void(CALLBACK*)(HWAVEIN, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR)>(callback)(
        (HWAVEIN)1, message, instance, (DWORD_PTR)header, 0);
}

MMRESULT GetDevCaps(UINT_PTR, LPWAVEINCAPSA caps, UINT) { return present ? (memset(caps, 0, sizeof(*caps)), 0) : MMSYSERR_BADDEVICEID; }
MMRESULT Open(LPHWAVEIN device, UINT, LPCWAVEFORMATEX f, DWORD_PTR cb, DWORD_PTR inst, DWORD flags)
{
    if (flags != CALLBACK_FUNCTION)
        return MMSYSERR_INVALFLAG;
    format = *f;
    callback = cb;
    instance = inst;
    open = true;
    *device = (HWAVEIN)1;
    return 0;
}
MMRESULT Prepare(HWAVEIN, LPWAVEHDR h, UINT)
{
    h->dwFlags |= WHDR_PREPARED;
    return 0;
}
MMRESULT Unprepare(HWAVEIN, LPWAVEHDR h, UINT)
{
    h->dwFlags &= ~WHDR_PREPARED;
    return 0;
}
MMRESULT AddBuffer(HWAVEIN, LPWAVEHDR h, UINT)
{
    EnterCriticalSection(lock);
    h->dwFlags &= ~WHDR_DONE;
    queued.push_back(h);
    LeaveCriticalSection(lock);
    return 0;
}
MMRESULT Start(HWAVEIN)
{
    started = true;
    return 0;
}
MMRESULT Stop(HWAVEIN)
{
    started = false;
    return 0;
}
MMRESULT Reset(HWAVEIN)
{
    for (;;) {
        EnterCriticalSection(lock);
        WAVEHDR* h = queued.empty() ? nullptr : queued.front();
        if (h)
            queued.pop_front();
        LeaveCriticalSection(lock);
        if (!h)
            return 0;
        h->dwBytesRecorded = 0;
        h->dwFlags |= WHDR_DONE;
        CallBack(WIM_DATA, h);
    }
}
MMRESULT Close(HWAVEIN)
{
    open = false;
    return 0;
}

const AudioSeams::WaveInApi kApi = {GetDevCaps, Open, Prepare, Unprepare, AddBuffer, Start, Stop, Reset, Close};

size_t Queued()
{
    EnterCriticalSection(lock);
    size_t n = queued.size();
    LeaveCriticalSection(lock);
    return n;
}

// One buffer recorded (only part of it filled, as drivers report); false when none was queued.
bool FillOne()
{
    EnterCriticalSection(lock);
    WAVEHDR* h = queued.empty() ? nullptr : queued.front();
    if (h)
        queued.pop_front();
    LeaveCriticalSection(lock);
    if (!h || !started)
        return false;
    short* samples = reinterpret_cast<short*>(h->lpData);
    for (DWORD i = 0; i < h->dwBufferLength / 2; ++i)
        samples[i] = (short)(++sample * 37);
    h->dwBytesRecorded = h->dwBufferLength / 2;
    h->dwFlags |= WHDR_DONE;
    CallBack(WIM_DATA, h);
    return true;
}

void Install()
{
    if (lock == nullptr) {
        lock = new CRITICAL_SECTION;
        InitializeCriticalSection(lock);
    }
    present = true;
    open = started = false;
    queued.clear();
    AudioSeams::ReplaceWaveIn(&kApi);
}

}  // namespace FakeWaveIn

unsigned long long BroadcastBytes(const char* server) { return std::stoull(Site().State(server, "broadcast")); }

void SendToTargets(const char* data, int count, void* user)
{
    static_cast<BroadcastHandleTable*>(user)->SendToAll(data, count);
}

LRESULT CALLBACK NotifyProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, msg, wp, lp); }

class BroadcastTest : public SessionTest {
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        FakeWaveIn::Install();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = NotifyProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "BroadcastTestNotify";
        RegisterClassA(&wc);
        notify_ = CreateWindowExA(0, "BroadcastTestNotify", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(notify_);
        AudioSeams::ReplaceWaveIn(nullptr);
        SessionTest::TearDown();
    }

    bool TakeStopMessage()
    {
        MSG msg;
        return PeekMessageA(&msg, notify_, WM_AUDIO_CAPTURE_STOPPED, WM_AUDIO_CAPTURE_STOPPED, PM_REMOVE) != 0;
    }

    // Records n buffers, each once the capture has queued one again.
    void Record(int n)
    {
        for (int i = 0; i < n; ++i) {
            ASSERT_TRUE(WaitUntil([] { return FakeWaveIn::Queued() > 0; }));
            ASSERT_TRUE(FakeWaveIn::FillOne());
        }
    }

    HWND notify_ = nullptr;
};

}  // namespace

TEST_F(BroadcastTest, EveryBufferGoesToEveryOpenTarget)
{
    CTermServer* echo = AddServer("Echo", 1);
    CTermServer* foxtrot = AddServer("Foxtrot", 1);
    CTermServer* gamma = AddServer("Gamma", 1);  // stopped
    CTermServer* echoByDdns = AddServer("Echo", 1);
    echoByDdns->m_useDdns = 1;
    echoByDdns->m_port = Site().DdnsPort();
    CTermServer* unknown = AddServer("Echo", 1);
    unknown->m_name = "nosuch";
    unknown->m_useDdns = 1;
    unknown->m_port = Site().DdnsPort();

    int handles[5] = {};
    EXPECT_EQ(broadcastOpened, OpenBroadcastTarget(*echo, &handles[0]));
    EXPECT_EQ(broadcastOpened, OpenBroadcastTarget(*foxtrot, &handles[1]));
    EXPECT_EQ(broadcastAddFailed, OpenBroadcastTarget(*gamma, &handles[2]));
    EXPECT_EQ(broadcastOpened, OpenBroadcastTarget(*echoByDdns, &handles[3]));
    EXPECT_EQ(broadcastDdnsFailed, OpenBroadcastTarget(*unknown, &handles[4]));
    EXPECT_EQ(0, handles[2]);

    BroadcastHandleTable table;
    table.Set(0, handles[0]);
    table.Set(1, handles[1]);
    table.Set(2, handles[3]);
    unsigned long long echoBefore = BroadcastBytes("Echo"), foxtrotBefore = BroadcastBytes("Foxtrot");

    CAudioCapture capture;
    capture.m_pDataCallback = SendToTargets;
    capture.m_userValue = &table;
    capture.m_hNotifyWnd = notify_;
    ASSERT_EQ(0, capture.Start());
    EXPECT_EQ(-1, capture.Start());  // already open
    EXPECT_EQ(8000u, FakeWaveIn::format.nSamplesPerSec);
    EXPECT_EQ(16, FakeWaveIn::format.wBitsPerSample);
    EXPECT_EQ(1, FakeWaveIn::format.nChannels);
    EXPECT_EQ(1600, capture.m_bufferSize);
    EXPECT_GE(FakeWaveIn::Queued(), 2u);

    // Whole 100 ms buffers, whatever the driver reported as recorded.
    Record(10);
    EXPECT_TRUE(WaitUntil([&] { return BroadcastBytes("Foxtrot") == foxtrotBefore + 16000; }));
    EXPECT_TRUE(WaitUntil([&] { return BroadcastBytes("Echo") == echoBefore + 2 * 16000; }));

    // Deleting the first row: the later handles move down one slot.
    EXPECT_EQ(handles[0], table.RemoveSlot(0));
    Conduit_RemoveBroadcastTarget(handles[0]);
    EXPECT_EQ(handles[1], table.Get(0));
    EXPECT_EQ(handles[3], table.Get(1));
    EXPECT_EQ(0, table.Get(2));
    Record(2);
    EXPECT_TRUE(WaitUntil([&] { return BroadcastBytes("Foxtrot") == foxtrotBefore + 12 * 1600; }));
    EXPECT_TRUE(WaitUntil([&] { return BroadcastBytes("Echo") == echoBefore + 22 * 1600; }));

    // A stop request ends the capture at the next buffer: one message, nothing more sent.
    EXPECT_FALSE(TakeStopMessage());
    capture.RequestStop();
    Record(1);
    EXPECT_TRUE(WaitUntil([&] { return TakeStopMessage(); }));
    while (FakeWaveIn::FillOne()) {
    }
    EXPECT_FALSE(TakeStopMessage());
    EXPECT_EQ(0, capture.Close());
    EXPECT_FALSE(FakeWaveIn::open);
    EXPECT_EQ(nullptr, capture.m_hDevice);
    EXPECT_EQ(foxtrotBefore + 12 * 1600, BroadcastBytes("Foxtrot"));
    EXPECT_FALSE(TakeStopMessage());  // closing posts nothing that could end a later capture
    Conduit_StopBroadcast();
}

TEST_F(BroadcastTest, CaptureWithoutADeviceFailsClosed)
{
    FakeWaveIn::present = false;
    CAudioCapture capture;
    capture.m_hNotifyWnd = notify_;
    EXPECT_EQ(-1, capture.Start());
    EXPECT_EQ(nullptr, capture.m_hDevice);
    EXPECT_EQ(nullptr, capture.m_pBuffer);
    EXPECT_EQ(0, capture.m_bufferSize);
    EXPECT_FALSE(FakeWaveIn::open);

    FakeWaveIn::present = true;
    EXPECT_EQ(0, capture.Start());
    EXPECT_TRUE(FakeWaveIn::open);
    capture.Close();
    EXPECT_FALSE(FakeWaveIn::open);
    EXPECT_FALSE(TakeStopMessage());
}
