#include "devices/conduit/ServerSession.h"

#include <cstring>

#include "devices/common/Text.h"

namespace conduit {

namespace {
volatile LONG g_waitMs = 30000;
volatile LONG g_tries = 4;
} // namespace

ConnectSettings CurrentConnectSettings()
{
    return {DWORD(g_waitMs), int(g_tries)};
}

void SetConnectSettings(int seconds, int tries)
{
    seconds = seconds < 1 ? 1 : seconds > 3600 ? 3600 : seconds;
    tries = tries < 1 ? 1 : tries > 100 ? 100 : tries;
    InterlockedExchange(&g_waitMs, seconds * 1000);
    InterlockedExchange(&g_tries, tries);
}

Reach OpenSession(const std::string& address, unsigned short port, const dev::HelloMsg& hello, const void* data,
                  size_t size, std::unique_ptr<dev::Channel>* channel, dev::WelcomeMsg* welcome,
                  std::vector<char>* extra)
{
    dev::EnsureWinsock();
    ConnectSettings cs = CurrentConnectSettings();
    for (int attempt = 0; attempt < cs.tries; ++attempt) {
        if (attempt > 0)
            Sleep(100);
        SOCKET s = dev::ConnectTcp(address, port, cs.waitMs, nullptr);
        if (s == INVALID_SOCKET)
            continue;
        std::unique_ptr<dev::Channel> ch(new dev::Channel(s));
        if (!dev::Handshake(*ch, hello, data, size, cs.waitMs, nullptr, welcome, extra))
            continue;
        if (welcome->code != 0)
            return Reach::Refused;
        *channel = std::move(ch);
        return Reach::Accepted;
    }
    return Reach::Unreachable;
}

int Request(const char* name, const char* address, unsigned short port, const char* user, const char* password, int op,
            int channel, int arg, const void* data, size_t size, std::vector<char>* answer, dev::WelcomeMsg* welcome)
{
    if (!address)
        return -1;
    dev::HelloMsg hello = dev::MakeHello(dev::PurposeRequest, name, user, password);
    hello.op = op;
    hello.channel = channel;
    hello.arg = arg;
    std::unique_ptr<dev::Channel> ch;
    dev::WelcomeMsg w = {};
    std::vector<char> extra;
    Reach r = OpenSession(Text(address), port, hello, data, size, &ch, &w, &extra);
    if (welcome)
        *welcome = w;
    if (r == Reach::Unreachable)
        return -1;
    if (r == Reach::Refused)
        return w.code;
    if (answer)
        *answer = extra;
    return 0;
}

int ResolveDdns(const std::string& ddnsAddress, unsigned short ddnsPort, const char* name, std::string* address,
                unsigned short* port)
{
    dev::HelloMsg hello = dev::MakeHello(dev::PurposeDdns, name, "", "");
    std::unique_ptr<dev::Channel> ch;
    dev::WelcomeMsg w = {};
    std::vector<char> extra;
    Reach r = OpenSession(ddnsAddress, ddnsPort, hello, nullptr, 0, &ch, &w, &extra);
    if (r == Reach::Unreachable)
        return 6;
    if (r == Reach::Refused)
        return w.code ? w.code : -112;
    if (extra.size() < sizeof(dev::DdnsAnswer))
        return -112;
    dev::DdnsAnswer a;
    std::memcpy(&a, extra.data(), sizeof a);
    *address = dev::FieldText(a.address, sizeof a.address);
    *port = a.port;
    return 0;
}

std::string Text(const char* p)
{
    char buf[40];
    dev::CopyText(buf, p);
    return buf;
}

} // namespace conduit
