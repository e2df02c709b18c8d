#include "devices/common/ConnectionListener.h"

#include <process.h>

#include "devices/common/Guard.h"

namespace dev {

ConnectionListener::ConnectionListener(Handler handler, size_t maxClients)
    : handler_(std::move(handler)), maxClients_(maxClients), stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
    InitializeCriticalSection(&lock_);
}

ConnectionListener::~ConnectionListener()
{
    Stop();
    if (stop_)
        CloseHandle(stop_);
    DeleteCriticalSection(&lock_);
}

bool ConnectionListener::Start(uint16_t port, uint16_t* bound, uint32_t address)
{
    Stop();
    ResetEvent(stop_);
    SOCKET s = ListenTcp(port, bound, address);
    if (s == INVALID_SOCKET)
        return false;
    Guard g(lock_);
    listener_ = s;
    acceptThread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, AcceptMain, this, 0, nullptr));
    if (!acceptThread_) {
        closesocket(listener_);
        listener_ = INVALID_SOCKET;
        return false;
    }
    return true;
}

void ConnectionListener::Stop()
{
    SetEvent(stop_);
    SOCKET s;
    HANDLE accept;
    {
        Guard g(lock_);
        s = listener_;
        listener_ = INVALID_SOCKET;
        accept = acceptThread_;
        acceptThread_ = nullptr;
    }
    if (s != INVALID_SOCKET)
        closesocket(s); // ends the blocking accept
    if (accept) {
        WaitForSingleObject(accept, INFINITE);
        CloseHandle(accept);
    }
    std::vector<std::shared_ptr<Client>> clients;
    {
        Guard g(lock_);
        clients.swap(clients_);
    }
    for (auto& c : clients)
        c->channel->Abort();
    for (auto& c : clients) {
        WaitForSingleObject(c->thread, INFINITE);
        CloseHandle(c->thread);
    }
}

unsigned __stdcall ConnectionListener::AcceptMain(void* self)
{
    static_cast<ConnectionListener*>(self)->AcceptLoop();
    return 0;
}

unsigned __stdcall ConnectionListener::ClientMain(void* client)
{
    Client* c = static_cast<Client*>(client);
    c->owner->handler_(*c->channel, c->owner->stop_);
    return 0;
}

void ConnectionListener::ForgetEndedClients()
{
    for (size_t i = 0; i < clients_.size();) {
        if (WaitForSingleObject(clients_[i]->thread, 0) == WAIT_OBJECT_0) {
            CloseHandle(clients_[i]->thread);
            clients_.erase(clients_.begin() + ptrdiff_t(i));
        } else {
            ++i;
        }
    }
}

void ConnectionListener::AcceptLoop()
{
    for (;;) {
        SOCKET l;
        {
            Guard g(lock_);
            l = listener_;
        }
        SOCKET s = l == INVALID_SOCKET ? INVALID_SOCKET : accept(l, nullptr, nullptr);
        if (s == INVALID_SOCKET)
            return;
        auto c = std::make_shared<Client>();
        c->channel.reset(new Channel(s));
        c->owner = this;
        Guard g(lock_);
        ForgetEndedClients();
        if (WaitForSingleObject(stop_, 0) == WAIT_OBJECT_0)
            return; // stopping: the channel closes with c
        if (maxClients_ && clients_.size() >= maxClients_)
            continue;
        c->thread =
            reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ClientMain, c.get(), CREATE_SUSPENDED, nullptr));
        if (c->thread) {
            clients_.push_back(c);
            ResumeThread(c->thread);
        }
    }
}

} // namespace dev
