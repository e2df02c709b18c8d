// The file service behind Depotix's entry points: the listener, one thread per connection, and
// what a connection may see (the paths searches handed out).
#pragma once
#include <memory>
#include <set>
#include <string>
#include <vector>

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
    struct Client {
        std::unique_ptr<dev::Channel> channel;
        HANDLE thread = nullptr;
    };
    static unsigned __stdcall AcceptMain(void* self);
    static unsigned __stdcall ClientMain(void* client);
    static int CALLBACK OnResult(const char* name, int channel, const char* path, const DepotixDateTime* start,
                                 const DepotixDateTime* end, int size, int userValue);
    void AcceptLoop();
    void Serve(Client* client);
    void Remember(const std::string& path);
    void ForgetEndedClients();

    CRITICAL_SECTION lock_;       // state below
    CRITICAL_SECTION searchLock_; // one search in the station at a time
    DepotixLoginCallback login_ = nullptr;
    DepotixEventCallback event_ = nullptr;
    SOCKET listener_ = INVALID_SOCKET;
    HANDLE acceptThread_ = nullptr;
    HANDLE stop_; // set while stopping: connection threads leave their waits
    std::vector<std::shared_ptr<Client>> clients_;
    std::set<std::string> handedOut_; // upper-cased paths
    Service();
};

} // namespace depotix
