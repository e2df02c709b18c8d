#include "devices/conduit/LiveChannel.h"

#include <cstdio>
#include <cstring>

#include "devices/common/FrameCodec.h"
#include "devices/common/Guard.h"
#include "devices/common/Jpeg.h"
#include "devices/common/Text.h"
#include "devices/conduit/LivePump.h"

namespace conduit {

using dev::Guard;

namespace {

// How long a snapshot of a channel whose pictures were paused waits for a new one.
const DWORD kSnapshotWaitMs = 3000;

bool EndsWith(const std::string& s, const char* tail)
{
    size_t n = std::strlen(tail);
    return s.size() >= n && _stricmp(s.c_str() + s.size() - n, tail) == 0;
}

} // namespace

LiveChannel::LiveChannel(const std::string& address, unsigned short port, bool ddns, const ConduitConnectRecord& r)
    : connectEvent_(WSACreateEvent()), address_(address), user_(Text(r.userName)), password_(Text(r.password)),
      name_(Text(r.serverName)), port_(port), ddns_(ddns), camera_(r.channel), callback_(r.callback),
      context_(r.context), notifyWindow_(r.notifyWindow), notifyMessage_(r.notifyMessage)
{
    InitializeCriticalSection(&busy_);
    InitializeCriticalSection(&lock_);
    window_ = r.displayWindow;
    if (r.showNow && r.displayWindow)
        video_ = Video::Running;
    std::memset(&bitmapInfo_, 0, sizeof bitmapInfo_);
    bitmapInfo_.header.biSize = sizeof(BITMAPINFOHEADER);
    bitmapInfo_.header.biPlanes = 1;
    bitmapInfo_.header.biBitCount = 8;
    bitmapInfo_.header.biClrUsed = 256;
    std::memcpy(bitmapInfo_.colours, dev::VideoPalette(), sizeof bitmapInfo_.colours);
}

LiveChannel::~LiveChannel()
{
    Release();
    WSACloseEvent(connectEvent_);
    CloseHandle(stop_);
    CloseHandle(pictureCame_);
    DeleteCriticalSection(&lock_);
    DeleteCriticalSection(&busy_);
}

bool LiveChannel::Begin()
{
    // The first attempt is due at once: it starts on the pump, not on the caller's thread.
    phase_ = ddns_ ? Phase::Ddns : Phase::Live;
    target_ = address_;
    targetPort_ = port_;
    settings_ = CurrentConnectSettings();
    step_ = Step::Pause;
    deadline_ = GetTickCount();
    return LivePump::Serve(shared_from_this());
}

void LiveChannel::Stop()
{
    SetEvent(stop_);
    {
        // Waits for the pump's step of this channel in progress (its callback included); on the
        // pump's own thread, within a callback, the lock is the caller's and the step ends after it.
        Guard b(busy_);
        stopped_ = true;
    }
    {
        Guard g(lock_);
        CloseRecording();
        window_ = nullptr;
        MarkEnded(); // the server sees the end now, not when the pump lets go
    }
    if (pump_)
        pump_->Wake();
}

std::shared_ptr<dev::Channel> LiveChannel::CurrentChannel()
{
    Guard g(lock_);
    return loggedIn_ ? channel_ : nullptr;
}

void LiveChannel::Notify(int type, int value)
{
    if (stopped_)
        return;
    if (callback_)
        callback_(handle, type, value, context_);
    else if (notifyWindow_ && type == CONDUIT_EVENT_CONNECT)
        PostMessageA(notifyWindow_, notifyMessage_, CONDUIT_EVENT_CONNECT, value);
}

HANDLE LiveChannel::WaitHandle()
{
    Guard b(busy_);
    if (stopped_)
        return nullptr;
    switch (step_) {
    case Step::Connecting:
        return connectEvent_;
    case Step::Handshaking:
        return opening_->ReadEvent();
    case Step::Serving:
        return channel_->ReadEvent();
    default:
        return nullptr;
    }
}

DWORD LiveChannel::DueIn(DWORD now)
{
    Guard b(busy_);
    if (stopped_ || step_ == Step::Ended)
        return 0; // the pump lets it go at once
    if (step_ == Step::Serving)
        return INFINITE;
    LONG left = LONG(deadline_ - now);
    return left > 0 ? DWORD(left) : 0;
}

bool LiveChannel::Serve()
{
    Guard b(busy_);
    if (!stopped_) {
        switch (step_) {
        case Step::Pause:
            if (Due())
                StartAttempt();
            break;
        case Step::Connecting:
            OnConnecting();
            break;
        case Step::Handshaking:
            OnHandshaking();
            break;
        case Step::Serving:
            ServeLive();
            break;
        case Step::Ended:
            break;
        }
    }
    if (stopped_ || step_ == Step::Ended) {
        Release();
        return false;
    }
    return true;
}

void LiveChannel::StartAttempt()
{
    WSAResetEvent(connectEvent_);
    dev::Connecting c = dev::StartConnectTcp(target_, targetPort_, connectEvent_, &connecting_);
    step_ = Step::Connecting;
    deadline_ = GetTickCount() + settings_.waitMs;
    if (c == dev::Connecting::Done)
        OnConnecting();
    else if (c == dev::Connecting::Failed)
        AttemptFailed();
}

void LiveChannel::OnConnecting()
{
    dev::Connecting c = dev::TakeConnectResult(connecting_, connectEvent_);
    if (c == dev::Connecting::Pending) {
        if (Due())
            AttemptFailed();
        return;
    }
    if (c == dev::Connecting::Failed) {
        AttemptFailed();
        return;
    }
    opening_.reset(new dev::Channel(connecting_));
    connecting_ = INVALID_SOCKET;
    dev::HelloMsg hello;
    if (phase_ == Phase::Ddns) {
        hello = dev::MakeHello(dev::PurposeDdns, name_.c_str(), "", "");
    } else {
        hello = dev::MakeHello(dev::PurposeLive, name_.c_str(), user_.c_str(), password_.c_str());
        hello.channel = camera_;
    }
    if (!opening_->Send(dev::MsgHello, &hello, sizeof hello)) {
        AttemptFailed();
        return;
    }
    step_ = Step::Handshaking;
    deadline_ = GetTickCount() + settings_.waitMs;
}

void LiveChannel::OnHandshaking()
{
    for (;;) {
        dev::Message m;
        dev::Wait w = opening_->Receive(m, 0, nullptr);
        if (w == dev::Wait::Closed || (w != dev::Wait::Message && Due())) {
            AttemptFailed();
            return;
        }
        if (w != dev::Wait::Message)
            return;
        if (m.kind != dev::MsgWelcome || m.data.size() < sizeof(dev::WelcomeMsg))
            continue;
        dev::WelcomeMsg welcome;
        std::memcpy(&welcome, m.data.data(), sizeof welcome);
        OnWelcome(welcome, std::vector<char>(m.data.begin() + sizeof welcome, m.data.end()));
        return;
    }
}

void LiveChannel::AttemptFailed()
{
    Release();
    if (++attempt_ >= settings_.tries) {
        End();
        Notify(CONDUIT_EVENT_CONNECT, phase_ == Phase::Ddns ? CONDUIT_DDNS_UNREACHABLE : CONDUIT_CONNECT_FAILED);
        return;
    }
    step_ = Step::Pause;
    deadline_ = GetTickCount() + 100;
}

void LiveChannel::OnWelcome(const dev::WelcomeMsg& w, const std::vector<char>& extra)
{
    if (phase_ == Phase::Live) {
        if (w.code != 0) {
            End();
            Notify(CONDUIT_EVENT_CONNECT, w.code);
            return;
        }
        OnLoggedIn(w);
        return;
    }
    Release();
    if (w.code != 0 || extra.size() < sizeof(dev::DdnsAnswer)) {
        End();
        Notify(CONDUIT_EVENT_CONNECT, w.code ? w.code : CONDUIT_DDNS_UNKNOWN);
        return;
    }
    dev::DdnsAnswer a;
    std::memcpy(&a, extra.data(), sizeof a);
    target_ = dev::FieldText(a.address, sizeof a.address);
    targetPort_ = a.port;
    phase_ = Phase::Live;
    attempt_ = 0;
    settings_ = CurrentConnectSettings();
    StartAttempt();
}

void LiveChannel::OnLoggedIn(const dev::WelcomeMsg& w)
{
    {
        Guard g(lock_);
        channel_.reset(opening_.release());
        info_ = w;
        serverAddress_ = target_;
        serverPort_ = targetPort_;
        loggedIn_ = true;
        SendStreamWish(); // only a shown or recorded channel wants more than the opening picture
    }
    step_ = Step::Serving;
    Notify(CONDUIT_EVENT_CONNECT, CONDUIT_CONNECTED);
    ServeLive(); // what came with the Welcome
}

void LiveChannel::ServeLive()
{
    while (!stopped_ && step_ == Step::Serving) {
        dev::Message m;
        dev::Wait wr = channel_->Receive(m, 0, nullptr);
        if (wr == dev::Wait::Timeout)
            return;
        if (wr == dev::Wait::Closed) {
            {
                Guard g(lock_);
                CloseRecording(); // what was recorded stays playable
            }
            End();
            Notify(CONDUIT_EVENT_CONNECT, CONDUIT_SERVER_CLOSED);
            return;
        }
        if (m.kind == dev::MsgFrame)
            OnFrame(m.data);
        else if (m.kind == dev::MsgEvent && m.data.size() >= sizeof(dev::EventMsg)) {
            dev::EventMsg e;
            std::memcpy(&e, m.data.data(), sizeof e);
            Notify(e.type, e.value);
        }
    }
}

void LiveChannel::End()
{
    // However it ends, the channel is over: calls on the handle fail from then on.
    step_ = Step::Ended;
    Release();
    Guard g(lock_);
    MarkEnded();
}

void LiveChannel::MarkEnded()
{
    ended_ = true;
    loggedIn_ = false;
    if (channel_)
        channel_->Abort();
    SetEvent(pictureCame_); // a snapshot that waits gives up
}

void LiveChannel::Release()
{
    if (connecting_ != INVALID_SOCKET) {
        closesocket(connecting_);
        connecting_ = INVALID_SOCKET;
    }
    opening_.reset();
}

void LiveChannel::OnFrame(std::vector<char>& data)
{
    Guard g(lock_);
    if (!picture_.Take(data))
        return;
    ++frames_;
    SetEvent(pictureCame_);
    SendStreamWish(); // a hidden channel that has its first picture wants no more
    bool shown = Shown();
    if (!shown && !recorder_)
        return; // nobody needs the pixels: the picture waits undecoded
    if (!picture_.Decode())
        return;
    if (recorder_)
        Record();
    if (shown)
        Draw();
}

bool LiveChannel::Shown()
{
    return video_ == Video::Running && window_ && IsWindowVisible(window_);
}

bool LiveChannel::PicturesWanted()
{
    // A window that is hidden for a moment (its owner holds its redraw) keeps them coming, only
    // undecoded.
    return recorder_ || snapshotsWaiting_ > 0 || (streamWanted_ && video_ == Video::Running && window_);
}

void LiveChannel::ShowLatest()
{
    if (Shown() && picture_.Decode())
        Draw();
}

void LiveChannel::Draw()
{
    if (!window_ || !picture_.HasPixels() || !IsWindow(window_))
        return;
    HDC dc = GetDC(window_);
    if (!dc)
        return;
    RECT rc;
    GetClientRect(window_, &rc);
    bitmapInfo_.header.biWidth = picture_.Width();
    bitmapInfo_.header.biHeight = -picture_.Height();
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, 0, 0, rc.right, rc.bottom, 0, 0, picture_.Width(), picture_.Height(), picture_.Pixels(),
                  reinterpret_cast<BITMAPINFO*>(&bitmapInfo_), DIB_RGB_COLORS, SRCCOPY);
    ReleaseDC(window_, dc);
}

void LiveChannel::Record()
{
    std::vector<uint8_t> rgb, jpeg;
    dev::IndexedToRgb(picture_.Pixels(), picture_.Width(), picture_.Height(), rgb);
    char comment[64];
    std::snprintf(comment, sizeof comment, "frame=%u channel=%d", picture_.FrameNo(), camera_);
    dev::EncodeJpeg(rgb.data(), picture_.Width(), picture_.Height(), 75, jpeg, comment);
    if (!recorder_->AddFrame(jpeg.data(), jpeg.size(), picture_.TimeMs()))
        CloseRecording(); // a full disk ends the recording; what was written stays
}

void LiveChannel::CloseRecording()
{
    if (recorder_) {
        recorder_->Close();
        recorder_.reset();
    }
}

void LiveChannel::SendStreamWish()
{
    // Sent with the lock held, so that wishes reach the server in the order they changed.
    if (!loggedIn_ || !channel_)
        return;
    if (serverStream_ == Stream::Opening && frames_ > 0)
        serverStream_ = Stream::Off; // the server paused after the opening picture
    bool on = PicturesWanted();
    // Until the first picture came nobody stops the pictures, so that there always is a last one.
    if (on ? serverStream_ == Stream::On : (serverStream_ == Stream::Off || frames_ == 0))
        return;
    if (on && serverStream_ == Stream::Off)
        picture_.Forget(); // kept from before the pause: a show or a snapshot waits for the next one
    serverStream_ = on ? Stream::On : Stream::Off;
    dev::CommandMsg c = {dev::CmdStream, on ? 1 : 0, 0, 0};
    channel_->Send(dev::MsgCommand, &c, sizeof c);
}

int LiveChannel::SetDisplayWindow(HWND window)
{
    Guard g(lock_);
    window_ = window;
    SendStreamWish();
    return 1;
}

int LiveChannel::StartVideo()
{
    Guard g(lock_);
    if (ended_)
        return 0;
    video_ = Video::Running;
    SendStreamWish();
    // While the pictures kept coming, the last one shows now, not when the next one arrives.
    ShowLatest();
    return 1;
}

int LiveChannel::StopVideo()
{
    HWND w;
    {
        Guard g(lock_);
        video_ = Video::Stopped;
        w = window_;
        SendStreamWish();
    }
    if (w)
        InvalidateRect(w, nullptr, TRUE);
    return 1;
}

int LiveChannel::PauseVideo()
{
    Guard g(lock_);
    if (video_ == Video::Running)
        video_ = Video::Paused;
    SendStreamWish();
    return 1;
}

int LiveChannel::EnableStream(bool on)
{
    Guard g(lock_);
    streamWanted_ = on;
    SendStreamWish();
    return 1;
}

int LiveChannel::RefreshDisplay()
{
    Guard g(lock_);
    if (video_ == Video::Stopped || !window_)
        return 0;
    picture_.Decode();
    if (!picture_.HasPixels())
        return 0;
    Draw();
    return 1;
}

int LiveChannel::GetStreamInfo(int* info)
{
    Guard g(lock_);
    if (!loggedIn_ || !info)
        return 0;
    info[0] = info_.width;
    info[1] = info_.height;
    info[2] = info_.audio;
    info[3] = info_.frameRate;
    info[4] = int(frames_);
    return 1;
}

int LiveChannel::StartSound()
{
    Guard g(lock_);
    if (!loggedIn_ || !info_.audio)
        return 0;
    sound_ = true;
    return 1;
}

int LiveChannel::StopSound()
{
    Guard g(lock_);
    sound_ = false;
    return 1;
}

int LiveChannel::GetCameraInputs()
{
    Guard g(lock_);
    return loggedIn_ ? info_.cameraInputs : 0;
}

int LiveChannel::StartRecord(const char* path, dev::VideoContainer container)
{
    if (!path || !*path)
        return 0;
    int width, height;
    {
        Guard g(lock_);
        if (!loggedIn_)
            return 0;
        width = info_.width;
        height = info_.height;
    }
    std::unique_ptr<dev::VideoFileWriter> writer = dev::MakeVideoFileWriter(container);
    if (!writer->Open(path, width, height)) {
        writer->Close();
        return 0;
    }
    {
        Guard g(lock_);
        CloseRecording();
        recorder_ = std::move(writer);
        recordKind_ = container;
        SendStreamWish();
    }
    return 1;
}

int LiveChannel::StopRecord(dev::VideoContainer container)
{
    int ok;
    {
        Guard g(lock_);
        if (!recorder_ || recordKind_ != container)
            return 0;
        ok = recorder_->Close() ? 1 : 0;
        recorder_.reset();
        SendStreamWish();
    }
    return ok;
}

bool LiveChannel::TakeNewestPicture(std::vector<uint8_t>* pixels, int* width, int* height, uint32_t* frameNo)
{
    Guard g(lock_);
    if (loggedIn_ && (serverStream_ != Stream::On || !picture_.Decode())) {
        // The pictures are paused (nobody watches) or none came yet: ask for one and wait for it.
        ++snapshotsWaiting_;
        SendStreamWish();
        DWORD start = GetTickCount();
        for (uint32_t seen = frames_; frames_ == seen && !ended_;) {
            DWORD spent = GetTickCount() - start;
            if (spent >= kSnapshotWaitMs)
                break;
            ResetEvent(pictureCame_); // under the lock: a picture after this sets it again
            LeaveCriticalSection(&lock_);
            HANDLE waits[2] = {pictureCame_, stop_};
            WaitForMultipleObjects(2, waits, FALSE, kSnapshotWaitMs - spent);
            EnterCriticalSection(&lock_);
        }
        --snapshotsWaiting_;
        picture_.Decode();
        SendStreamWish();
    }
    if (!picture_.HasPixels())
        return false;
    pixels->assign(picture_.Pixels(), picture_.Pixels() + size_t(picture_.Width()) * picture_.Height());
    *width = picture_.Width();
    *height = picture_.Height();
    *frameNo = picture_.FrameNo();
    return true;
}

int LiveChannel::CapturePicture(const char* path)
{
    if (!path || !*path)
        return 0;
    std::vector<uint8_t> pixels;
    int width, height;
    uint32_t frameNo;
    if (!TakeNewestPicture(&pixels, &width, &height, &frameNo))
        return 0;
    std::vector<uint8_t> rgb;
    dev::IndexedToRgb(pixels.data(), width, height, rgb);
    std::string p = path;
    if (EndsWith(p, ".jpg") || EndsWith(p, ".jpeg")) {
        std::vector<uint8_t> jpeg;
        char comment[64];
        std::snprintf(comment, sizeof comment, "frame=%u channel=%d", frameNo, camera_);
        dev::EncodeJpeg(rgb.data(), width, height, 90, jpeg, comment);
        return dev::WriteWholeFile(p, jpeg.data(), jpeg.size()) ? 1 : 0;
    }
    return dev::WriteBmp24(p, rgb.data(), width, height) ? 1 : 0;
}

int LiveChannel::GetServerAddress(char* address, unsigned short* port)
{
    Guard g(lock_);
    if (!loggedIn_ && serverAddress_.empty())
        return 0;
    if (address)
        dev::CopyText(address, CONDUIT_ADDRESS_SIZE, serverAddress_.c_str());
    if (port)
        *port = serverPort_;
    return 1;
}

unsigned LiveChannel::Decodes()
{
    Guard g(lock_);
    return picture_.Decodes();
}

int LiveChannel::Command(int op, int a, int b, const void* data, size_t size)
{
    std::shared_ptr<dev::Channel> ch = CurrentChannel();
    if (!ch)
        return 0;
    dev::CommandMsg c = {op, a, b, 0};
    return ch->Send(dev::MsgCommand, &c, sizeof c, data, size) ? 1 : 0;
}

} // namespace conduit
