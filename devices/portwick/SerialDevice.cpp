#include "devices/portwick/SerialDevice.h"

#include <cstdlib>

#include "devices/portwick/Portwick.h"

namespace portwick {

dev::SerialLine MakeLine(int baud, int dataBits, int stopBits, int parity)
{
    dev::SerialLine l = {baud, uint8_t(dataBits), uint8_t(stopBits), uint8_t(parity), 0};
    return l;
}

bool SerialDevice::Open(const dev::SerialLine& line)
{
    char site[64];
    DWORD n = GetEnvironmentVariableA("DEVSIM_SITE", site, sizeof site);
    std::string host;
    uint16_t port = 0;
    if (n == 0 || n >= sizeof site || !dev::SplitHostPort(site, &host, &port))
        return false;
    SOCKET s = dev::ConnectTcp(host, port, 3000, nullptr);
    if (s == INVALID_SOCKET)
        return false;
    std::unique_ptr<dev::Channel> ch(new dev::Channel(s));
    dev::HelloMsg hello = dev::MakeHello(dev::PurposeCom, "", "", "");
    hello.channel = comPort_;
    hello.line = line;
    dev::WelcomeMsg w = {};
    if (!dev::Handshake(*ch, hello, nullptr, 0, 3000, nullptr, &w, nullptr) || w.code != 0)
        return false;
    channel_ = std::move(ch);
    return StartThread();
}

void SerialDevice::Stop()
{
    Worker::Stop();
    if (channel_)
        channel_->Finish(2000); // returns once the site has freed the port for the next owner
}

bool SerialDevice::Send(const uint8_t* data, size_t size)
{
    return channel_ && channel_->Send(dev::MsgSerialData, data, size);
}

bool SerialDevice::Reconfigure(const dev::SerialLine& line)
{
    ResetEvent(lineSet_);
    return channel_ && channel_->Send(dev::MsgLineSettings, &line, sizeof line) &&
           WaitForSingleObject(lineSet_, 3000) == WAIT_OBJECT_0;
}

void SerialDevice::Run()
{
    for (;;) {
        dev::Message m;
        if (channel_->Receive(m, INFINITE, stop_) != dev::Wait::Message)
            return;
        if (m.kind == dev::MsgLineSettings)
            SetEvent(lineSet_);
        if (kind_ != PORTWICK_KEYBOARD || m.kind != dev::MsgSerialData)
            continue;
        auto keys = decoder_.Feed(reinterpret_cast<const uint8_t*>(m.data.data()), m.data.size());
        for (const dev::KeyboardCommand& k : keys)
            if (!Stopping())
                PostMessageA(window, message, WPARAM(k.number), LPARAM((k.code << 8) + (k.value & 0xFF)));
    }
}

} // namespace portwick
