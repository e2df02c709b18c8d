#include "devices/conduit/RelayService.h"

#include "devices/common/Text.h"

namespace conduit {

RelayService::RelayService() : connections_([this](dev::Channel& channel, HANDLE stop) { Serve(channel, stop); }, 0)
{
    InitializeCriticalSection(&lock_);
}

RelayService& RelayService::Instance()
{
    static RelayService* service = new RelayService; // its threads may outlive static destruction
    return *service;
}

void RelayService::Configure(const RelayServiceConfig& config)
{
    EnterCriticalSection(&lock_);
    config_ = config;
    configured_ = true;
    LeaveCriticalSection(&lock_);
}

int RelayService::Start()
{
    Stop();
    EnterCriticalSection(&lock_);
    const bool configured = configured_;
    const uint16_t port = config_.port;
    LeaveCriticalSection(&lock_);
    return configured && connections_.Start(port, nullptr) ? 0 : 1;
}

void RelayService::Stop()
{
    connections_.Stop();
}

void RelayService::Serve(dev::Channel& channel, HANDLE stop)
{
    dev::HelloMsg hello;
    if (!dev::ReceiveHello(channel, 10000, stop, &hello, nullptr))
        return;
    std::string user = dev::FieldText(hello.user, sizeof hello.user);
    std::string password = dev::FieldText(hello.password, sizeof hello.password);
    std::string server = dev::FieldText(hello.name, sizeof hello.name);
    std::string peer = channel.PeerAddress();
    EnterCriticalSection(&lock_);
    RelayServiceConfig config = config_;
    LeaveCriticalSection(&lock_);
    int level = config.accountCheck ? config.accountCheck(0, user.c_str(), password.c_str()) : 1;
    dev::WelcomeMsg w = {};
    w.code = level > 0 ? 0 : -102;
    w.channels = level;
    channel.Send(dev::MsgWelcome, &w, sizeof w);
    if (level > 0) {
        if (config.eventLog)
            config.eventLog(server.c_str(), hello.channel, 1, peer.c_str(), user.c_str(), password.c_str());
        dev::Message m;
        while (channel.Receive(m, INFINITE, stop) == dev::Wait::Message) {
        }
        if (config.eventLog)
            config.eventLog(server.c_str(), hello.channel, 0, peer.c_str(), user.c_str(), password.c_str());
    }
    channel.Shutdown();
}

} // namespace conduit
