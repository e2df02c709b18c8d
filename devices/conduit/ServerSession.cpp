#include "devices/conduit/ServerSession.h"

#include <cstring>

#include "devices/common/Guard.h"
#include "devices/common/Text.h"

namespace conduit {

namespace {
volatile LONG g_waitMs = 30000;
volatile LONG g_tries = 4;
} // namespace

KeptConnections::KeptConnections(Clock clock, DWORD idleMs, size_t perServer)
    : clock_(clock), idleMs_(idleMs), perServer_(perServer)
{
    InitializeCriticalSection(&lock_);
}

KeptConnections::~KeptConnections()
{
    CloseAll();
    DeleteCriticalSection(&lock_);
}

std::string KeptConnections::Key(const std::string& address, unsigned short port, const char* user,
                                 const char* password)
{
    return address + ":" + std::to_string(port) + "\n" + Text(user) + "\n" + Text(password);
}

std::unique_ptr<dev::Channel> KeptConnections::Take(const std::string& key)
{
    std::vector<Kept> closing; // closed after the lock is left
    std::unique_ptr<dev::Channel> found;
    {
        dev::Guard g(lock_);
        TakeIdle(clock_(), &closing);
        for (size_t i = kept_.size(); i-- > 0;) { // the newest: the least likely to have been let go
            if (kept_[i].key == key) {
                found = std::move(kept_[i].channel);
                kept_.erase(kept_.begin() + ptrdiff_t(i));
                break;
            }
        }
    }
    return found;
}

void KeptConnections::Keep(const std::string& key, std::unique_ptr<dev::Channel> channel)
{
    std::vector<Kept> closing;
    dev::Guard g(lock_);
    DWORD now = clock_();
    TakeIdle(now, &closing);
    size_t same = 0;
    for (const Kept& k : kept_)
        same += k.key == key;
    for (size_t i = 0; same >= perServer_ && i < kept_.size();) {
        if (kept_[i].key == key) {
            closing.push_back(std::move(kept_[i]));
            kept_.erase(kept_.begin() + ptrdiff_t(i));
            --same;
        } else {
            ++i;
        }
    }
    kept_.push_back({key, std::move(channel), now});
}

void KeptConnections::CloseAll()
{
    std::vector<Kept> closing;
    dev::Guard g(lock_);
    closing.swap(kept_);
}

size_t KeptConnections::Count()
{
    dev::Guard g(lock_);
    return kept_.size();
}

void KeptConnections::TakeIdle(DWORD now, std::vector<Kept>* closing)
{
    size_t left = 0;
    for (size_t i = 0; i < kept_.size(); ++i) {
        if (now - kept_[i].since >= idleMs_)
            closing->push_back(std::move(kept_[i]));
        else if (left++ != i)
            kept_[left - 1] = std::move(kept_[i]);
    }
    kept_.resize(left);
}

KeptConnections& LibraryKeptConnections()
{
    static KeptConnections* kept = new KeptConnections; // sockets may not be closed during process exit
    return *kept;
}

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
                  std::vector<char>* extra, int firstAttempt)
{
    dev::EnsureWinsock();
    ConnectSettings cs = CurrentConnectSettings();
    for (int attempt = firstAttempt; attempt < cs.tries; ++attempt) {
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

int Request(KeptConnections& kept, const char* name, const char* address, unsigned short port, const char* user,
            const char* password, int op, int channel, int arg, const void* data, size_t size,
            std::vector<char>* answer, dev::WelcomeMsg* welcome)
{
    if (!address)
        return -1;
    dev::HelloMsg hello = dev::MakeHello(dev::PurposeRequest, name, user, password);
    hello.op = op;
    hello.channel = channel;
    hello.arg = arg;
    const std::string target = Text(address);
    const std::string key = KeptConnections::Key(target, port, user, password);
    dev::WelcomeMsg w = {};
    std::vector<char> extra;
    Reach r = Reach::Unreachable;
    int spent = 0;
    std::unique_ptr<dev::Channel> ch = kept.Take(key);
    if (ch) {
        // Closed: the server had let the kept connection go meanwhile (it was stopped, restarted
        // or tired of waiting), so the request never reached it and goes on a fresh connection.
        dev::Wait e = dev::HandshakeWait(*ch, hello, data, size, CurrentConnectSettings().waitMs, nullptr, &w, &extra);
        if (e == dev::Wait::Message) {
            r = w.code == 0 ? Reach::Accepted : Reach::Refused;
        } else {
            ch.reset();
            spent = e == dev::Wait::Timeout ? 1 : 0; // a server that is slow to answer had its attempt
        }
    }
    if (!ch)
        r = OpenSession(target, port, hello, data, size, &ch, &w, &extra, spent);
    if (welcome)
        *welcome = w;
    if (r == Reach::Unreachable)
        return -1;
    if (r == Reach::Refused)
        return w.code;
    if (answer)
        *answer = extra;
    kept.Keep(key, std::move(ch));
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
