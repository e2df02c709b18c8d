#include "devices/conduit/RelayService.h"

#include <process.h>

#include <cstring>

#include "devices/common/Text.h"

namespace conduit {

RelayService::RelayService() : stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr))
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
    ResetEvent(stop_);
    EnterCriticalSection(&lock_);
    int result = 1;
    if (configured_) {
        listener_ = dev::ListenTcp(config_.port, nullptr);
        if (listener_ != INVALID_SOCKET) {
            acceptThread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, AcceptMain, this, 0, nullptr));
            result = acceptThread_ ? 0 : 1;
        }
    }
    LeaveCriticalSection(&lock_);
    return result;
}

void RelayService::Stop()
{
    SetEvent(stop_);
    EnterCriticalSection(&lock_);
    SOCKET s = listener_;
    listener_ = INVALID_SOCKET;
    HANDLE accept = acceptThread_;
    acceptThread_ = nullptr;
    LeaveCriticalSection(&lock_);
    if (s != INVALID_SOCKET)
        closesocket(s);
    if (accept) {
        WaitForSingleObject(accept, INFINITE);
        CloseHandle(accept);
    }
    std::vector<std::shared_ptr<Client>> clients;
    EnterCriticalSection(&lock_);
    clients.swap(clients_);
    LeaveCriticalSection(&lock_);
    for (auto& c : clients)
        c->channel->Abort();
    for (auto& c : clients) {
        WaitForSingleObject(c->thread, INFINITE);
        CloseHandle(c->thread);
    }
}

unsigned __stdcall RelayService::AcceptMain(void* self)
{
    static_cast<RelayService*>(self)->AcceptLoop();
    return 0;
}

void RelayService::AcceptLoop()
{
    for (;;) {
        EnterCriticalSection(&lock_);
        SOCKET l = listener_;
        LeaveCriticalSection(&lock_);
        SOCKET s = l == INVALID_SOCKET ? INVALID_SOCKET : accept(l, nullptr, nullptr);
        if (s == INVALID_SOCKET)
            return;
        auto c = std::make_shared<Client>();
        c->channel.reset(new dev::Channel(s));
        EnterCriticalSection(&lock_);
        c->thread =
            reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ClientMain, c.get(), CREATE_SUSPENDED, nullptr));
        if (c->thread) {
            clients_.push_back(c);
            ResumeThread(c->thread);
        }
        LeaveCriticalSection(&lock_);
    }
}

unsigned __stdcall RelayService::ClientMain(void* client)
{
    Instance().Serve(static_cast<Client*>(client));
    return 0;
}

void RelayService::Serve(Client* client)
{
    dev::Message m;
    if (client->channel->Receive(m, 10000, stop_) != dev::Wait::Message || m.kind != dev::MsgHello ||
        m.data.size() < sizeof(dev::HelloMsg))
        return;
    dev::HelloMsg hello;
    std::memcpy(&hello, m.data.data(), sizeof hello);
    std::string user = dev::FieldText(hello.user, sizeof hello.user);
    std::string password = dev::FieldText(hello.password, sizeof hello.password);
    std::string server = dev::FieldText(hello.name, sizeof hello.name);
    std::string peer = client->channel->PeerAddress();
    EnterCriticalSection(&lock_);
    RelayServiceConfig config = config_;
    LeaveCriticalSection(&lock_);
    int level = config.accountCheck ? config.accountCheck(0, user.c_str(), password.c_str()) : 1;
    dev::WelcomeMsg w = {};
    w.code = level > 0 ? 0 : -102;
    w.channels = level;
    client->channel->Send(dev::MsgWelcome, &w, sizeof w);
    if (level > 0) {
        if (config.eventLog)
            config.eventLog(server.c_str(), hello.channel, 1, peer.c_str(), user.c_str(), password.c_str());
        while (client->channel->Receive(m, INFINITE, stop_) == dev::Wait::Message) {
        }
        if (config.eventLog)
            config.eventLog(server.c_str(), hello.channel, 0, peer.c_str(), user.c_str(), password.c_str());
    }
    client->channel->Shutdown();
}

} // namespace conduit
