#include "devices/conduit/Streams.h"

#include <cmath>
#include <cstring>

namespace conduit {

const double kPi = 3.14159265358979323846;

void StreamWorker::Run()
{
    DWORD next = GetTickCount() + (TickMs() == INFINITE ? 0 : TickMs());
    for (;;) {
        DWORD wait = INFINITE;
        if (TickMs() != INFINITE) {
            int left = int(next - GetTickCount());
            wait = left > 0 ? DWORD(left) : 0;
        }
        dev::Message m;
        dev::Wait r = channel_->Receive(m, wait, stop_);
        if (r == dev::Wait::Stopped)
            return;
        if (r == dev::Wait::Closed) {
            if (!Stopping())
                Lost();
            return;
        }
        if (r == dev::Wait::Message && !Stopping())
            Deliver(m);
        if (TickMs() != INFINITE && int(GetTickCount() - next) >= 0) {
            next += TickMs();
            if (!Tick()) {
                if (!Stopping())
                    Lost();
                return;
            }
        }
    }
}

void JpegStream::Deliver(const dev::Message& m)
{
    if (m.kind != dev::MsgJpeg || m.data.size() <= sizeof(dev::JpegRequestMsg) || !callback_)
        return;
    dev::JpegRequestMsg head;
    std::memcpy(&head, m.data.data(), sizeof head);
    callback_(handle, head.channel, m.data.data() + sizeof head, int(m.data.size() - sizeof head), context_);
}

void JpegStream::Lost()
{
    if (callback_)
        callback_(handle, -1, nullptr, 0, context_);
}

void SerialChannel::Deliver(const dev::Message& m)
{
    if (m.kind == dev::MsgSerialData && !m.data.empty() && callback_)
        callback_(handle, m.data.data(), int(m.data.size()), context_);
}

void SerialChannel::Lost()
{
    if (callback_)
        callback_(handle, nullptr, 0, context_);
}

bool TalkStream::Tick()
{
    // 100 ms of 8 kHz, 16-bit mono: a quiet 400 Hz tone, so the server hears something.
    int16_t samples[800];
    for (int16_t& s : samples) {
        s = int16_t(1000 * std::sin(2 * kPi * 400 * phase_ / 8000.0));
        phase_ = (phase_ + 1) % 8000;
    }
    return Send(dev::MsgAudio, samples, sizeof samples);
}

int OpenStream(const char* name, const char* address, unsigned short port, const char* user, const char* password,
               dev::Purpose purpose, int channel, const ConduitSerialLine* line, std::unique_ptr<dev::Channel>* out)
{
    if (!address)
        return -1;
    dev::HelloMsg hello = dev::MakeHello(purpose, name, user, password);
    hello.channel = channel;
    if (line)
        std::memcpy(&hello.line, line, sizeof hello.line);
    dev::WelcomeMsg w = {};
    Reach r = OpenSession(Text(address), port, hello, nullptr, 0, out, &w, nullptr);
    if (r == Reach::Accepted)
        return 0;
    if (r == Reach::Refused)
        return w.code;
    return -1;
}

} // namespace conduit
