// The forwarding service: other clients connect to the station, are checked through the account
// callback and reported through the event callback. The stand-in holds them and forwards nothing.
#pragma once
#include <memory>
#include <vector>

#include "devices/common/Net.h"
#include "devices/conduit/Conduit.h"

namespace conduit {

class RelayService {
public:
    static RelayService& Instance();
    void Configure(const RelayServiceConfig& config);
    int Start(); // 0 = started
    void Stop();

private:
    struct Client {
        std::unique_ptr<dev::Channel> channel;
        HANDLE thread = nullptr;
    };
    static unsigned __stdcall AcceptMain(void* self);
    static unsigned __stdcall ClientMain(void* client);
    void AcceptLoop();
    void Serve(Client* client);

    CRITICAL_SECTION lock_;
    RelayServiceConfig config_ = {};
    bool configured_ = false;
    SOCKET listener_ = INVALID_SOCKET;
    HANDLE acceptThread_ = nullptr;
    HANDLE stop_; // set while stopping: client threads leave their waits
    std::vector<std::shared_ptr<Client>> clients_;
    RelayService();
};

} // namespace conduit
