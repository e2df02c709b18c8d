// The voice broadcast: the capture through a simulated wave-in device, the target table and
// opening targets, the broadcast window, and the bytes several simulated servers receive.
#include "tests/station/core/sessions/SessionTestSupport.h"

#include <deque>

#include "station/core/sessions/AudioCapture.h"
#include "station/core/sessions/AudioSeams.h"
#include "station/core/sessions/BroadcastTargets.h"
#include "devices/conduit/Conduit.h"
#include "station/ui/services/DlgBroadcast.h"
#include "tools/screenshot/Screenshot.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskAudioBroadcast.h"
#include "framework/WindowSeams.h"

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

MMRESULT GetDevCaps(UINT_PTR, LPWAVEINCAPSA caps, UINT)
{
    return present ? (memset(caps, 0, sizeof(*caps)), 0) : MMSYSERR_BADDEVICEID;
}
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

} // namespace FakeWaveIn

unsigned long long BroadcastBytes(const char* server)
{
    return std::stoull(Site().State(server, "broadcast"));
}

void SendToTargets(const char* data, int count, void* user)
{
    static_cast<BroadcastHandleTable*>(user)->SendToAll(data, count);
}

LRESULT CALLBACK NotifyProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefWindowProcA(w, msg, wp, lp);
}

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

// Message boxes answered with OK and recorded.
std::vector<std::string> g_boxes;

int RecordBox(HWND, LPCSTR text, LPCSTR, UINT)
{
    g_boxes.push_back(text);
    return IDOK;
}

// The broadcast window on the station's globals: targets "broadcast.cfg" lists, a recorded
// message box and the framework's message pump.
class BroadcastWindowTest : public BroadcastTest {
protected:
    void SetUp() override
    {
        BroadcastTest::SetUp();
        g_boxes.clear();
        previousBox_ = Seams::ReplaceMessageBox(RecordBox);
        g_pAudioBroadcast = new CVuskAudioBroadcast;
    }
    void TearDown() override
    {
        if (dialog_.GetSafeHwnd() != nullptr)
            dialog_.DestroyWindow();
        delete g_pAudioBroadcast;
        g_pAudioBroadcast = nullptr;
        Seams::ReplaceMessageBox(previousBox_);
        BroadcastTest::TearDown();
    }

    void Click(int id)
    {
        dialog_.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(dialog_.m_hWnd, id));
    }
    std::vector<std::string> States()
    {
        std::vector<std::string> states;
        for (int row = 0; row < dialog_.m_targetList.GetItemCount(); ++row)
            states.push_back(std::string(dialog_.m_targetList.GetItemText(row, 3)));
        return states;
    }
    bool Enabled(int id) { return ::IsWindowEnabled(::GetDlgItem(dialog_.m_hWnd, id)) != 0; }

    CDlgBroadcast dialog_;
    Seams::MessageBoxFunc previousBox_ = nullptr;
};

} // namespace

TEST_F(BroadcastTest, EveryBufferGoesToEveryOpenTarget)
{
    CTermServer* echo = AddServer("Echo", 1);
    CTermServer* foxtrot = AddServer("Foxtrot", 1);
    CTermServer* gamma = AddServer("Gamma", 1); // stopped
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
    EXPECT_EQ(-1, capture.Start()); // already open
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
    EXPECT_FALSE(TakeStopMessage()); // closing posts nothing that could end a later capture
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

TEST_F(BroadcastWindowTest, WindowBroadcastsToItsTargetsAndSavesThemOnClose)
{
    CTermServer* echo = AddServer("Echo", 1);
    CTermServer* foxtrot = AddServer("Foxtrot", 1);
    CTermServer* alpha = AddServer("Alpha", 1);
    CTermServer* beta = AddServer("Beta", 1);
    CTermServer* delta = AddServer("Delta", 1);
    g_pAudioBroadcast->AddServer(echo);
    g_pAudioBroadcast->AddServer(foxtrot);
    unsigned long long echoBefore = BroadcastBytes("Echo"), foxtrotBefore = BroadcastBytes("Foxtrot");

    ASSERT_TRUE(dialog_.Create(CDlgBroadcast::IDD));
    EXPECT_FALSE(dialog_.IsWindowVisible());
    EXPECT_FALSE(FakeWaveIn::open);
    dialog_.ShowWindow(SW_SHOW);
    EXPECT_TRUE(FakeWaveIn::open); // shown: the capture runs, nothing is sent yet
    EXPECT_EQ((std::vector<std::string>{"未连接", "未连接"}), States());
    EXPECT_EQ("Echo", std::string(dialog_.m_targetList.GetItemText(0, 0)));
    EXPECT_EQ(std::to_string(echo->m_port), std::string(dialog_.m_targetList.GetItemText(0, 2)));
    EXPECT_TRUE(Enabled(CDlgBroadcast::IDC_START_BROADCAST));
    EXPECT_FALSE(Enabled(CDlgBroadcast::IDC_STOP_BROADCAST));
    Record(2);
    EXPECT_EQ(echoBefore, BroadcastBytes("Echo"));

    Click(CDlgBroadcast::IDC_START_BROADCAST);
    EXPECT_EQ((std::vector<std::string>{"已连接", "已连接"}), States());
    EXPECT_FALSE(Enabled(CDlgBroadcast::IDC_START_BROADCAST));
    EXPECT_TRUE(Enabled(CDlgBroadcast::IDC_STOP_BROADCAST));
    Record(5);
    EXPECT_TRUE(WaitUntil([&] { return BroadcastBytes("Echo") == echoBefore + 5 * 1600; }));
    EXPECT_TRUE(WaitUntil([&] { return BroadcastBytes("Foxtrot") == foxtrotBefore + 5 * 1600; }));

    // Added while broadcasting: opened at once; the same server twice gets a second row and
    // handle, while the file lists it once.
    for (CTermServer* server : {alpha, alpha, beta}) {
        windows_.chosenServer = server;
        Click(CDlgBroadcast::IDC_ADD_TARGET);
    }
    ASSERT_EQ(5, dialog_.m_targetList.GetItemCount());
    EXPECT_EQ("已连接", States()[3]);
    EXPECT_EQ(4, g_pAudioBroadcast->m_count);
    int handles[5];
    for (int i = 0; i < 5; ++i) {
        handles[i] = dialog_.m_handles.Get(i);
        EXPECT_GT(handles[i], 0) << i;
    }

    // Deleting row 3 of 5 moves the handles of rows 4 and 5 to slots 3 and 4.
    Click(CDlgBroadcast::IDC_DELETE_TARGET);
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_EQ("请选择你要删除的服务器", g_boxes[0]);
    dialog_.m_targetList.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    Click(CDlgBroadcast::IDC_DELETE_TARGET);
    ASSERT_EQ(4, dialog_.m_targetList.GetItemCount());
    EXPECT_EQ(handles[3], dialog_.m_handles.Get(2));
    EXPECT_EQ(handles[4], dialog_.m_handles.Get(3));
    EXPECT_EQ(0, dialog_.m_handles.Get(4));
    EXPECT_EQ(0, g_pAudioBroadcast->Contains(alpha->m_id));

    Click(CDlgBroadcast::IDC_STOP_BROADCAST);
    EXPECT_EQ((std::vector<std::string>{"未连接", "未连接", "未连接", "未连接"}), States());
    EXPECT_EQ(0, dialog_.m_handles.Get(0));
    EXPECT_TRUE(Enabled(CDlgBroadcast::IDC_START_BROADCAST));
    Record(2);
    EXPECT_EQ(echoBefore + 5 * 1600, BroadcastBytes("Echo"));

    // Added while not broadcasting: listed unless it is listed already.
    windows_.chosenServer = delta;
    Click(CDlgBroadcast::IDC_ADD_TARGET);
    Click(CDlgBroadcast::IDC_ADD_TARGET);
    EXPECT_EQ(5, dialog_.m_targetList.GetItemCount());
    ASSERT_EQ(2u, g_boxes.size());
    EXPECT_EQ("添加服务器失败", g_boxes[1]);

    PumpMessages();
    RedrawWindow(dialog_.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SavePng(CaptureWindow(dialog_.m_hWnd), ScreenshotPath("broadcast_window"));

    // Closing hides the window, saves the list and lets the capture end at its next buffer.
    Click(IDCANCEL);
    EXPECT_FALSE(dialog_.IsWindowVisible());
    CVuskAudioBroadcast saved;
    ASSERT_EQ(1, saved.Load(nullptr));
    ASSERT_EQ(4, saved.m_count);
    EXPECT_EQ(echo->m_id, saved.m_serverIds[0]);
    EXPECT_EQ(foxtrot->m_id, saved.m_serverIds[1]);
    EXPECT_EQ(beta->m_id, saved.m_serverIds[2]);
    EXPECT_EQ(delta->m_id, saved.m_serverIds[3]);
    EXPECT_TRUE(FakeWaveIn::open);
    Record(1);
    EXPECT_TRUE(WaitUntil([] { return !FakeWaveIn::open; }));
    EXPECT_EQ(nullptr, dialog_.m_capture.m_hDevice);
}

TEST_F(BroadcastWindowTest, WindowWithoutCaptureSaysSoAndStaysQuiet)
{
    g_pAudioBroadcast->AddServer(AddServer("Echo", 1));
    FakeWaveIn::present = false;
    ASSERT_TRUE(dialog_.Create(CDlgBroadcast::IDD));
    dialog_.ShowWindow(SW_SHOW);
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_EQ("启动音频采集失败", g_boxes[0]);
    EXPECT_EQ(1, dialog_.m_targetList.GetItemCount());
    PumpMessages();
    EXPECT_EQ(nullptr, dialog_.m_capture.m_hDevice);
    EXPECT_EQ(1, dialog_.m_capture.m_stopRequested);
}
