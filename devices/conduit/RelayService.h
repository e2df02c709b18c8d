// The forwarding service: other clients connect to the station, are checked through the account
// callback and reported through the event callback. The stand-in holds them and forwards nothing.
#pragma once
#include "devices/common/ConnectionListener.h"
#include "devices/conduit/Conduit.h"

namespace conduit {

class RelayService {
public:
    static RelayService& Instance();
    void Configure(const RelayServiceConfig& config);
    int Start(); // 0 = started
    void Stop();

private:
    void Serve(dev::Channel& channel, HANDLE stop);

    CRITICAL_SECTION lock_;
    RelayServiceConfig config_ = {};
    bool configured_ = false;
    dev::ConnectionListener connections_;
    RelayService();
};

} // namespace conduit
