// A listening socket with its accept thread and one thread per connection, as the services of the
// stand-ins run them. Each connection is handed to the handler on a thread of its own; stopping closes
// the listener, aborts the connections and waits for every thread.
#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "devices/common/Net.h"

namespace dev {

class ConnectionListener {
public:
    // Serves one connection; returns when it is over or stop is set.
    using Handler = std::function<void(Channel& channel, HANDLE stop)>;

    // maxClients: connections beyond this many at once are closed at once (0: no limit).
    ConnectionListener(Handler handler, size_t maxClients);
    ~ConnectionListener();
    ConnectionListener(const ConnectionListener&) = delete;
    ConnectionListener& operator=(const ConnectionListener&) = delete;

    // Stops what runs, then listens on address:port (0 = any free port; address as ListenTcp takes it);
    // the bound port goes to *bound (may be null). False when it cannot listen.
    bool Start(uint16_t port, uint16_t* bound, uint32_t address = INADDR_LOOPBACK);
    void Stop();

private:
    struct Client {
        std::unique_ptr<Channel> channel;
        HANDLE thread = nullptr;
        ConnectionListener* owner = nullptr;
    };
    static unsigned __stdcall AcceptMain(void* self);
    static unsigned __stdcall ClientMain(void* client);
    void AcceptLoop();
    void ForgetEndedClients();

    Handler handler_;
    size_t maxClients_;
    CRITICAL_SECTION lock_; // state below
    SOCKET listener_ = INVALID_SOCKET;
    HANDLE acceptThread_ = nullptr;
    HANDLE stop_; // set while stopping: connection threads leave their waits
    std::vector<std::shared_ptr<Client>> clients_;
};

} // namespace dev
