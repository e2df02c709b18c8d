// Recordings, a recording pane host and a scripted Framewell for the player tests.
#include "tests/player/PlayerTestSupport.h"

#include <algorithm>
#include <memory>

#include "devices/common/Jpeg.h"
#include "devices/common/VideoFile.h"
#include "player/PlayPane.h"
#include "tests/support/TestSupport.h"

void WriteRecording(const std::string& path, int frames, int width, int height, int damagedFrom)
{
    std::unique_ptr<dev::VideoFileWriter> writer = dev::MakeVideoFileWriter(dev::VideoContainer::Mp4);
    writer->Open(path, width, height);
    for (int i = 0; i < frames; ++i) {
        // Smooth ramps (red across, green down) so a screenshot shows at a glance whether rows and
        // columns land where they belong; blue changes per frame.
        std::vector<uint8_t> rgb(size_t(width) * size_t(height) * 3);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                uint8_t* p = &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3];
                p[0] = uint8_t(x * 255 / (width > 1 ? width - 1 : 1));
                p[1] = uint8_t(y * 255 / (height > 1 ? height - 1 : 1));
                p[2] = uint8_t(i * 11);
            }
        }
        std::vector<uint8_t> jpeg;
        dev::EncodeJpeg(rgb.data(), width, height, 70, jpeg, "frame=" + std::to_string(i) + " channel=0");
        if (damagedFrom >= 0 && i >= damagedFrom)
            std::fill(jpeg.begin(), jpeg.end(), uint8_t(0x5A));
        writer->AddFrame(jpeg.data(), jpeg.size(), 1000 + uint32_t(i) * 40);
    }
    writer->Close();
}

namespace {

// The pane whose notifications the plain windows hand on, and the codes handed on so far.
CPaneTransport* g_notified = nullptr;
std::vector<WPARAM> g_codes;
WNDPROC g_staticProc = nullptr;

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PLAYER_NOTIFY) {
        g_codes.push_back(wParam);
        if (g_notified != nullptr)
            g_notified->OnNotify(wParam, lParam);
        return 0;
    }
    return ::CallWindowProcA(g_staticProc, window, message, wParam, lParam);
}

} // namespace

PlainWindow::PlainWindow(int width, int height)
{
    window_ = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
    g_staticProc = (WNDPROC)::SetWindowLongPtrA(window_, GWLP_WNDPROC, (LONG_PTR)PlainProc);
}

PlainWindow::~PlainWindow()
{
    ::DestroyWindow(window_);
}

BOOL RecordingHost::ChooseCutFile(char* path, size_t size)
{
    if (cutTarget.empty())
        return FALSE;
    CopyText(path, size, cutTarget.c_str());
    return TRUE;
}

namespace {

ScriptedFramewell g_scripted;

void Log(const char* name)
{
    g_scripted.calls.push_back(name);
}

int NextOpen()
{
    if (g_scripted.openResults.empty())
        return g_scripted.nextHandle++;
    int result = g_scripted.openResults.front();
    g_scripted.openResults.erase(g_scripted.openResults.begin());
    return result;
}

#define HANDLE_CALL(name)                                                                                              \
    int __stdcall Fake##name(int)                                                                                      \
    {                                                                                                                  \
        Log(#name);                                                                                                    \
        return 1;                                                                                                      \
    }
HANDLE_CALL(Stop)
HANDLE_CALL(Pause)
HANDLE_CALL(Fast)
HANDLE_CALL(Slow)
HANDLE_CALL(StepFrame)
HANDLE_CALL(StartSound)
HANDLE_CALL(StopSound)
HANDLE_CALL(EndCut)
#undef HANDLE_CALL

int __stdcall FakeInit()
{
    return 1;
}
int __stdcall FakeOpenFile(const char*, int)
{
    Log("OpenFile");
    return NextOpen();
}
int __stdcall FakeOpenRemoteFile(const char*, const char*, const char*, const char*, HWND, int)
{
    Log("OpenRemoteFile");
    return NextOpen();
}
int __stdcall FakeSetNotifyWindow(int, HWND, UINT)
{
    Log("SetNotifyWindow");
    return 1;
}
int __stdcall FakePlay(int, HWND)
{
    Log("Play");
    return 1;
}
int __stdcall FakeSetPosition(int, float)
{
    Log("SetPosition");
    return 1;
}
int __stdcall FakeGetPictureSize(int, int* w, int* h)
{
    *w = g_scripted.pictureWidth;
    *h = g_scripted.pictureHeight;
    return 1;
}
int __stdcall FakeSetVolume(int, int)
{
    Log("SetVolume");
    return 1;
}
int __stdcall FakeTime(int)
{
    return 60000;
}
int __stdcall FakeSetPlayTime(int, int)
{
    Log("SetPlayTime");
    return 0;
}
int __stdcall FakeRefresh(int, int*)
{
    Log("RefreshDisplay");
    return 1;
}
int __stdcall FakeStartCut(int, const char*)
{
    Log("StartCut");
    return 1;
}
int __stdcall FakeSetBufferTime(int, int)
{
    Log("SetBufferTime");
    return 1;
}
int __stdcall FakeBufferProgress(int)
{
    return 50;
}

} // namespace

ScriptedFramewell& ScriptedFramewell::Get()
{
    return g_scripted;
}

void ScriptedFramewell::Reset()
{
    table = LibraryFramewellApi();
    table.Init = FakeInit;
    table.Cleanup = FakeInit;
    table.OpenFile = FakeOpenFile;
    table.OpenRemoteFile = FakeOpenRemoteFile;
    table.SetNotifyWindow = FakeSetNotifyWindow;
    table.Play = FakePlay;
    table.Stop = FakeStop;
    table.Pause = FakePause;
    table.Fast = FakeFast;
    table.Slow = FakeSlow;
    table.StepFrame = FakeStepFrame;
    table.SetPosition = FakeSetPosition;
    table.GetPictureSize = FakeGetPictureSize;
    table.SetVolume = FakeSetVolume;
    table.StartSound = FakeStartSound;
    table.StopSound = FakeStopSound;
    table.GetTotalTime = FakeTime;
    table.GetPlayTime = FakeTime;
    table.SetPlayTime = FakeSetPlayTime;
    table.RefreshDisplay = FakeRefresh;
    table.StartCut = FakeStartCut;
    table.EndCut = FakeEndCut;
    table.SetBufferTime = FakeSetBufferTime;
    table.GetBufferProgress = FakeBufferProgress;
    calls.clear();
    openResults.clear();
    pictureWidth = 352;
    pictureHeight = 288;
    nextHandle = 7;
}

ScriptedFramewellScope::ScriptedFramewellScope()
{
    ScriptedFramewell::Get().Reset();
    SetFramewellApi(&ScriptedFramewell::Get().table);
}

ScriptedFramewellScope::~ScriptedFramewellScope()
{
    SetFramewellApi(nullptr);
}

bool PumpNotifications(CPaneTransport& pane, WPARAM until, DWORD timeoutMs)
{
    g_notified = &pane;
    g_codes.clear();
    const bool seen = WaitUntil(
        [&] {
            for (WPARAM code : g_codes)
                if (code == until)
                    return true;
            return false;
        },
        timeoutMs);
    g_notified = nullptr;
    return seen;
}
