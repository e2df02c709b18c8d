#include "devices/depotix/Service.h"

#include <cstring>

#include "devices/common/Guard.h"
#include "devices/common/Text.h"

namespace depotix {
namespace {

const size_t kMaxHandedOut = 100000; // beyond this the list starts over; paths are checked again
const size_t kMaxClients = 64;       // connections beyond this are closed at once

// The search being handed to the station (searches run one at a time).
struct CurrentSearch {
    int id = 0;
    const std::function<bool(const dev::FileHitMsg&)>* emit = nullptr;
    bool wanted = true;
};
CurrentSearch g_current;
int g_nextSearchId = 0;

int KindOfPath(const std::string& path)
{
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find_first_of("\\/", dot) != std::string::npos)
        return 0;
    std::string ext = path.substr(dot + 1);
    if (_stricmp(ext.c_str(), "mp4") == 0)
        return 1;
    if (_stricmp(ext.c_str(), "jpg") == 0 || _stricmp(ext.c_str(), "jpeg") == 0)
        return 2;
    if (_stricmp(ext.c_str(), "bmp") == 0)
        return 3;
    if (_stricmp(ext.c_str(), "asf") == 0)
        return 4;
    return 0;
}

} // namespace

Service::Service() : connections_([this](dev::Channel& channel, HANDLE stop) { Serve(channel, stop); }, kMaxClients)
{
    InitializeCriticalSection(&lock_);
    InitializeCriticalSection(&searchLock_);
}

Service& Service::Instance()
{
    static Service* service = new Service; // its threads may outlive static destruction
    return *service;
}

void Service::SetLoginCallback(DepotixLoginCallback callback)
{
    dev::Guard g(lock_);
    login_ = callback;
}

void Service::SetEventCallback(DepotixEventCallback callback)
{
    dev::Guard g(lock_);
    event_ = callback;
}

int Service::Start(int port)
{
    Stop();
    if (port < 0 || port > 65535)
        return 0;
    uint16_t bound = 0;
    // Remote players reach the service from other machines: it listens on every interface.
    return connections_.Start(uint16_t(port), &bound, INADDR_ANY) ? bound : 0;
}

void Service::Stop()
{
    connections_.Stop();
}

void Service::Serve(dev::Channel& channel, HANDLE stop)
{
    dev::HelloMsg hello;
    std::vector<char> data;
    if (!dev::ReceiveHello(channel, 10000, stop, &hello, &data))
        return;
    dev::ServeFileConnection(*this, channel, hello, data, stop);
    channel.Shutdown();
}

int Service::Login(const std::string& peer, const std::string& user, const std::string& password)
{
    DepotixLoginCallback login;
    {
        dev::Guard g(lock_);
        login = login_;
    }
    if (!login)
        return 0;
    return login(peer.c_str(), user.c_str(), password.c_str()) == 0 ? 0 : dev::kFileWrongLogin;
}

int CALLBACK Service::OnResult(const char* name, int channel, const char* path, const DepotixDateTime* start,
                               const DepotixDateTime* end, int size, int userValue)
{
    // Runs inside the event callback, under searchLock_.
    if (userValue != g_current.id || !g_current.emit || !g_current.wanted || !path || !start || !end)
        return 0;
    dev::FileHitMsg hit = {};
    dev::CopyText(hit.name, name ? name : "");
    hit.channel = channel;
    if (std::strlen(path) >= sizeof hit.path)
        return 0; // a path that cannot be sent whole is not listed
    dev::CopyText(hit.path, path);
    std::memcpy(&hit.start, start, sizeof hit.start);
    std::memcpy(&hit.end, end, sizeof hit.end);
    hit.size = size > 0 ? uint32_t(size) : 0;
    Instance().Remember(hit.path);
    g_current.wanted = (*g_current.emit)(hit);
    return 0;
}

bool Service::Search(const dev::FileSearchMsg& query, const std::function<bool(const dev::FileHitMsg&)>& emit)
{
    DepotixEventCallback event;
    {
        dev::Guard g(lock_);
        event = event_;
    }
    if (!event)
        return true; // nothing to search: no hits
    DepotixRequest request = {};
    std::memcpy(request.name, query.name, sizeof request.name);
    request.name[sizeof request.name - 1] = '\0';
    request.channel = query.channel;
    request.kind = query.kind;
    request.typeSelector = query.selector >= 1 && query.selector <= 4 ? query.selector : 0;
    request.rangeFlag = query.useRange ? 1 : 0;
    if (request.rangeFlag) {
        std::memcpy(&request.from, &query.from, sizeof request.from);
        std::memcpy(&request.to, &query.to, sizeof request.to);
    }
    request.resultCallback = &Service::OnResult;
    dev::Guard g(searchLock_);
    g_current.id = ++g_nextSearchId;
    g_current.emit = &emit;
    g_current.wanted = true;
    event(&request, g_current.id);
    g_current.emit = nullptr;
    return true;
}

void Service::Remember(const std::string& path)
{
    dev::Guard g(lock_);
    if (handedOut_.size() >= kMaxHandedOut)
        handedOut_.clear();
    handedOut_.insert(path);
}

bool Service::MayServe(const std::string& path)
{
    {
        dev::Guard g(lock_);
        if (handedOut_.count(path))
            return true;
    }
    int kind = KindOfPath(path);
    if (kind == 0)
        return false;
    dev::FileSearchMsg query = {};
    query.channel = -1;
    query.kind = kind;
    bool found = false;
    Search(query, [&](const dev::FileHitMsg& hit) {
        found = found || dev::FieldText(hit.path, sizeof hit.path) == path;
        return !found;
    });
    return found;
}

} // namespace depotix
