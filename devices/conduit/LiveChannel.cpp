#include "devices/conduit/LiveChannel.h"

#include <cstdio>
#include <cstring>

#include "devices/common/FrameCodec.h"
#include "devices/common/Guard.h"
#include "devices/common/Jpeg.h"
#include "devices/common/Text.h"

namespace conduit {

using dev::Guard;

namespace {

bool EndsWith(const std::string& s, const char* tail)
{
    size_t n = std::strlen(tail);
    return s.size() >= n && _stricmp(s.c_str() + s.size() - n, tail) == 0;
}

} // namespace

LiveChannel::LiveChannel(const std::string& address, unsigned short port, bool ddns, const ConduitConnectRecord& r)
    : address_(address), user_(Text(r.userName)), password_(Text(r.password)), name_(Text(r.serverName)), port_(port),
      ddns_(ddns), camera_(r.channel), callback_(r.callback), context_(r.context), notifyWindow_(r.notifyWindow),
      notifyMessage_(r.notifyMessage)
{
    InitializeCriticalSection(&lock_);
    if (r.showNow && r.displayWindow) {
        window_ = r.displayWindow;
        video_ = Video::Running;
    } else {
        window_ = r.displayWindow;
    }
    std::memset(&bitmapInfo_, 0, sizeof bitmapInfo_);
    bitmapInfo_.header.biSize = sizeof(BITMAPINFOHEADER);
    bitmapInfo_.header.biPlanes = 1;
    bitmapInfo_.header.biBitCount = 8;
    bitmapInfo_.header.biClrUsed = 256;
    std::memcpy(bitmapInfo_.colours, dev::VideoPalette(), sizeof bitmapInfo_.colours);
}

LiveChannel::~LiveChannel()
{
    DeleteCriticalSection(&lock_);
}

void LiveChannel::Stop()
{
    Worker::Stop();
    Guard g(lock_);
    CloseRecording();
    window_ = nullptr;
}

std::shared_ptr<dev::Channel> LiveChannel::CurrentChannel()
{
    Guard g(lock_);
    return loggedIn_ ? channel_ : nullptr;
}

void LiveChannel::Notify(int type, int value)
{
    if (Stopping())
        return;
    if (callback_)
        callback_(handle, type, value, context_);
    else if (notifyWindow_ && type == CONDUIT_EVENT_CONNECT)
        PostMessageA(notifyWindow_, notifyMessage_, CONDUIT_EVENT_CONNECT, value);
}

void LiveChannel::Run()
{
    // However the thread ends, the channel is over: calls on the handle fail from then on.
    struct EndMark {
        LiveChannel* self;
        ~EndMark()
        {
            Guard g(self->lock_);
            self->ended_ = true;
            self->loggedIn_ = false;
            if (self->channel_)
                self->channel_->Abort();
        }
    } endMark{this};
    std::string address = address_;
    unsigned short port = port_;
    if (ddns_) {
        int code = ResolveDdns(address_, port_, name_.c_str(), stop_, &address, &port);
        if (Stopping())
            return;
        if (code != 0) {
            Notify(CONDUIT_EVENT_CONNECT, code);
            return;
        }
    }
    dev::HelloMsg hello = dev::MakeHello(dev::PurposeLive, name_.c_str(), user_.c_str(), password_.c_str());
    hello.channel = camera_;
    std::unique_ptr<dev::Channel> ch;
    dev::WelcomeMsg w = {};
    Reach r = OpenSession(address, port, hello, nullptr, 0, stop_, &ch, &w, nullptr);
    if (r == Reach::Stopped)
        return;
    if (r != Reach::Accepted) {
        Notify(CONDUIT_EVENT_CONNECT, r == Reach::Refused ? w.code : CONDUIT_CONNECT_FAILED);
        return;
    }
    {
        Guard g(lock_);
        channel_.reset(ch.release());
        info_ = w;
        serverAddress_ = address;
        serverPort_ = port;
        loggedIn_ = true;
    }
    SendStreamWish();
    Notify(CONDUIT_EVENT_CONNECT, CONDUIT_CONNECTED);
    for (;;) {
        dev::Message m;
        dev::Wait wr = channel_->Receive(m, INFINITE, stop_);
        if (wr == dev::Wait::Stopped)
            break;
        if (wr == dev::Wait::Closed) {
            {
                Guard g(lock_);
                CloseRecording(); // what was recorded stays playable
                ended_ = true;
            }
            Notify(CONDUIT_EVENT_CONNECT, CONDUIT_SERVER_CLOSED);
            break;
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

void LiveChannel::OnFrame(const std::vector<char>& data)
{
    if (data.size() < sizeof(dev::FrameHeader))
        return;
    dev::FrameHeader h;
    std::memcpy(&h, data.data(), sizeof h);
    if (h.width == 0 || h.height == 0 || h.width > 4096 || h.height > 4096)
        return;
    spare_.resize(size_t(h.width) * h.height);
    const uint8_t* rle = reinterpret_cast<const uint8_t*>(data.data()) + sizeof h;
    if (!dev::DecodeRle8(rle, data.size() - sizeof h, h.width, h.height, spare_.data()))
        return; // a damaged picture is skipped, the next one comes soon
    Guard g(lock_);
    pixels_.swap(spare_);
    width_ = h.width;
    height_ = h.height;
    ++frames_;
    lastFrameNo_ = h.frameNo;
    if (recorder_) {
        std::vector<uint8_t> rgb, jpeg;
        dev::IndexedToRgb(pixels_.data(), width_, height_, rgb);
        char comment[64];
        std::snprintf(comment, sizeof comment, "frame=%u channel=%d", h.frameNo, camera_);
        dev::EncodeJpeg(rgb.data(), width_, height_, 75, jpeg, comment);
        if (!recorder_->AddFrame(jpeg.data(), jpeg.size(), h.timeMs))
            CloseRecording(); // a full disk ends the recording; what was written stays
    }
    if (video_ == Video::Running)
        Draw();
}

void LiveChannel::Draw()
{
    if (!window_ || pixels_.empty() || !IsWindow(window_))
        return;
    HDC dc = GetDC(window_);
    if (!dc)
        return;
    RECT rc;
    GetClientRect(window_, &rc);
    bitmapInfo_.header.biWidth = width_;
    bitmapInfo_.header.biHeight = -height_;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, 0, 0, rc.right, rc.bottom, 0, 0, width_, height_, pixels_.data(),
                  reinterpret_cast<BITMAPINFO*>(&bitmapInfo_), DIB_RGB_COLORS, SRCCOPY);
    ReleaseDC(window_, dc);
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
    std::shared_ptr<dev::Channel> ch;
    bool on;
    {
        Guard g(lock_);
        ch = loggedIn_ ? channel_ : nullptr;
        on = streamWanted_ || recorder_;
    }
    if (ch) {
        dev::CommandMsg c = {dev::CmdStream, on ? 1 : 0, 0, 0};
        ch->Send(dev::MsgCommand, &c, sizeof c);
    }
}

int LiveChannel::SetDisplayWindow(HWND window)
{
    Guard g(lock_);
    window_ = window;
    return 1;
}

int LiveChannel::StartVideo()
{
    Guard g(lock_);
    if (ended_)
        return 0;
    video_ = Video::Running;
    return 1;
}

int LiveChannel::StopVideo()
{
    HWND w;
    {
        Guard g(lock_);
        video_ = Video::Stopped;
        w = window_;
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
    return 1;
}

int LiveChannel::EnableStream(bool on)
{
    {
        Guard g(lock_);
        streamWanted_ = on;
    }
    SendStreamWish();
    return 1;
}

int LiveChannel::RefreshDisplay()
{
    Guard g(lock_);
    if (video_ == Video::Stopped || pixels_.empty() || !window_)
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
    }
    SendStreamWish();
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
    }
    SendStreamWish();
    return ok;
}

int LiveChannel::CapturePicture(const char* path)
{
    if (!path || !*path)
        return 0;
    std::vector<uint8_t> pixels;
    int width, height;
    uint32_t frameNo;
    {
        Guard g(lock_);
        if (pixels_.empty())
            return 0;
        pixels = pixels_;
        width = width_;
        height = height_;
        frameNo = lastFrameNo_;
    }
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

int LiveChannel::Command(int op, int a, int b, const void* data, size_t size)
{
    std::shared_ptr<dev::Channel> ch = CurrentChannel();
    if (!ch)
        return 0;
    dev::CommandMsg c = {op, a, b, 0};
    return ch->Send(dev::MsgCommand, &c, sizeof c, data, size) ? 1 : 0;
}

} // namespace conduit
