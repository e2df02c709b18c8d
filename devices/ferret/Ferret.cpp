// Ferret.dll: asks the simulated site which servers answer a search.
#include <cstring>
#include <vector>

#include "devices/common/Net.h"
#include "devices/ferret/Ferret.h"
#include "devices/common/Text.h"

namespace {

int Search(int kind, int timeoutMs, FerretSearchCallback callback)
{
    char site[64];
    DWORD n = GetEnvironmentVariableA("DEVSIM_SITE", site, sizeof site);
    std::string host;
    uint16_t port = 0;
    if (!callback || n == 0 || n >= sizeof site || !dev::SplitHostPort(site, &host, &port))
        return 0;
    DWORD limit = timeoutMs > 0 ? DWORD(timeoutMs) : 300;
    DWORD start = GetTickCount();
    SOCKET s = dev::ConnectTcp(host, port, limit, nullptr);
    if (s == INVALID_SOCKET)
        return 0;
    dev::Channel channel(s);
    dev::HelloMsg hello = dev::MakeHello(dev::PurposeDiscover, "", "", "");
    hello.op = kind;
    dev::WelcomeMsg w = {};
    std::vector<char> extra;
    DWORD elapsed = GetTickCount() - start;
    if (!dev::Handshake(channel, hello, nullptr, 0, elapsed < limit ? limit - elapsed : 1, nullptr, &w, &extra) ||
        w.code != 0)
        return 0;
    int found = 0;
    for (size_t at = 0; at + sizeof(dev::DeviceRecord) <= extra.size(); at += sizeof(dev::DeviceRecord)) {
        dev::DeviceRecord r;
        std::memcpy(&r, &extra[at], sizeof r);
        std::string name = dev::FieldText(r.name, sizeof r.name);
        std::string address = dev::FieldText(r.address, sizeof r.address);
        callback(r.kind, name.c_str(), address.c_str(), r.mac, 0, r.port, 0, 0, 0, 0, 0, r.channels);
        ++found;
    }
    return found;
}

} // namespace

extern "C" {

int __stdcall Ferret_Init(void)
{
    dev::EnsureWinsock();
    return 1;
}

int __stdcall Ferret_Cleanup(void)
{
    return 1;
}

int __stdcall Ferret_SearchDevices(int timeoutMs, FerretSearchCallback callback)
{
    return Search(1, timeoutMs, callback);
}

int __stdcall Ferret_SearchDevicesEx(int timeoutMs, FerretSearchCallback callback)
{
    return Search(2, timeoutMs, callback);
}

} // extern "C"
