// The file service behind Depotix's entry points: the listener, one thread per connection, and
// what a connection may see (the paths searches handed out).
#pragma once
#include <set>
#include <string>

#include "devices/common/ConnectionListener.h"
#include "devices/common/FileService.h"
#include "devices/depotix/Depotix.h"

namespace depotix {

class Service : public dev::FileServer {
public:
    static Service& Instance();
    int Start(int port); // the bound port, 0 when it cannot listen
    void Stop();
    void SetLoginCallback(DepotixLoginCallback callback);
    void SetEventCallback(DepotixEventCallback callback);

    int Login(const std::string& peer, const std::string& user, const std::string& password) override;
    bool Search(const dev::FileSearchMsg& query, const std::function<bool(const dev::FileHitMsg&)>& emit) override;
    bool MayServe(const std::string& path) override;

private:
    static int CALLBACK OnResult(const char* name, int channel, const char* path, const DepotixDateTime* start,
                                 const DepotixDateTime* end, int size, int userValue);
    void Serve(dev::Channel& channel, HANDLE stop);
    void Remember(const std::string& path);

    CRITICAL_SECTION lock_;       // state below
    CRITICAL_SECTION searchLock_; // one search in the station at a time
    DepotixLoginCallback login_ = nullptr;
    DepotixEventCallback event_ = nullptr;
    dev::ConnectionListener connections_;
    std::set<std::string> handedOut_; // upper-cased paths
    Service();
};

} // namespace depotix
