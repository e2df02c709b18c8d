#include "devices/common/Net.h"

#include <cstdlib>
#include <cstring>

#include "devices/common/Text.h"

namespace dev {

void EnsureWinsock()
{
    static const int started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data);
    }();
    (void)started;
}

static bool ResolveHost(const std::string& host, in_addr* out)
{
    unsigned long a = inet_addr(host.c_str());
    if (a != INADDR_NONE || host == "255.255.255.255") {
        out->s_addr = a;
        return true;
    }
    hostent* h = gethostbyname(host.c_str());
    if (!h || h->h_addrtype != AF_INET || !h->h_addr_list[0])
        return false;
    std::memcpy(out, h->h_addr_list[0], sizeof *out);
    return true;
}

Connecting StartConnectTcp(const std::string& host, uint16_t port, HANDLE event, SOCKET* s)
{
    EnsureWinsock();
    *s = INVALID_SOCKET;
    sockaddr_in sa = {};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    if (port == 0 || !ResolveHost(host, &sa.sin_addr))
        return Connecting::Failed;
    *s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (*s == INVALID_SOCKET)
        return Connecting::Failed;
    WSAEventSelect(*s, event, FD_CONNECT);
    if (connect(*s, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0)
        return Connecting::Done;
    return WSAGetLastError() == WSAEWOULDBLOCK ? Connecting::Pending : Connecting::Failed;
}

Connecting TakeConnectResult(SOCKET s, HANDLE event)
{
    WSANETWORKEVENTS ne = {};
    if (WSAEnumNetworkEvents(s, event, &ne) != 0)
        return Connecting::Failed;
    if (!(ne.lNetworkEvents & FD_CONNECT))
        return Connecting::Pending;
    return ne.iErrorCode[FD_CONNECT_BIT] == 0 ? Connecting::Done : Connecting::Failed;
}

SOCKET ConnectTcp(const std::string& host, uint16_t port, DWORD timeoutMs, HANDLE stopEvent)
{
    HANDLE ev = WSACreateEvent();
    SOCKET s;
    Connecting c = StartConnectTcp(host, port, ev, &s);
    if (c == Connecting::Pending) {
        HANDLE waits[2] = {ev, stopEvent};
        DWORD r = WaitForMultipleObjects(stopEvent ? 2 : 1, waits, FALSE, timeoutMs);
        c = r == WAIT_OBJECT_0 ? TakeConnectResult(s, ev) : Connecting::Failed;
    }
    // A Channel's event selection replaces the connect's, and it sets no-delay itself: making the
    // socket blocking first would be three socket calls for nothing.
    if (c != Connecting::Done && s != INVALID_SOCKET)
        closesocket(s);
    WSACloseEvent(ev);
    return c == Connecting::Done ? s : INVALID_SOCKET;
}

SOCKET ListenTcp(uint16_t port, uint16_t* actualPort, uint32_t address)
{
    EnsureWinsock();
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return s;
    // A restarted server must get its old port back while its dropped connections linger.
    BOOL reuse = TRUE;
    setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
    sockaddr_in sa = {};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = htonl(address);
    if (bind(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || listen(s, 64) != 0) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    int len = sizeof sa;
    getsockname(s, reinterpret_cast<sockaddr*>(&sa), &len);
    if (actualPort)
        *actualPort = ntohs(sa.sin_port);
    return s;
}

void AbortSocket(SOCKET s)
{
    if (s == INVALID_SOCKET)
        return;
    linger l = {1, 0};
    setsockopt(s, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&l), sizeof l);
    closesocket(s);
}

Channel::Channel(SOCKET s) : sock_(s), netEvent_(WSACreateEvent())
{
    InitializeCriticalSection(&sendLock_);
    WSAEventSelect(sock_, netEvent_, FD_READ | FD_CLOSE);
    BOOL noDelay = TRUE;
    setsockopt(sock_, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
}

Channel::~Channel()
{
    if (sock_ != INVALID_SOCKET)
        closesocket(sock_);
    WSACloseEvent(netEvent_);
    DeleteCriticalSection(&sendLock_);
}

// Sends the parts as one stream, gathered into as few calls as the socket takes: a message leaves
// in one segment, so the peer wakes once for it (each call is a round trip to the wineserver).
static bool SendAll(SOCKET s, WSABUF* parts, DWORD count)
{
    // The socket is non-blocking (event select); a peer that stops reading for 5 s is given up.
    DWORD start = GetTickCount();
    for (;;) {
        while (count > 0 && parts->len == 0) {
            ++parts;
            --count;
        }
        if (count == 0)
            return true;
        WSABUF batch[3];
        DWORD n = 0;
        ULONG budget = 0x10000;
        for (; n < count && n < 3 && budget > 0; ++n) {
            batch[n].buf = parts[n].buf;
            batch[n].len = parts[n].len < budget ? parts[n].len : budget;
            budget -= batch[n].len;
        }
        DWORD sent = 0;
        if (WSASend(s, batch, n, &sent, 0, nullptr, nullptr) == 0) {
            for (; count > 0 && sent >= parts->len; ++parts, --count)
                sent -= parts->len;
            if (count > 0) {
                parts->buf += sent;
                parts->len -= sent;
            }
            continue;
        }
        if (WSAGetLastError() != WSAEWOULDBLOCK)
            return false;
        if (GetTickCount() - start > 5000)
            return false;
        fd_set w;
        FD_ZERO(&w);
        FD_SET(s, &w);
        timeval tv = {0, 50000};
        select(0, nullptr, &w, nullptr, &tv);
    }
}

bool Channel::Send(uint16_t kind, const void* a, size_t na, const void* b, size_t nb)
{
    if (na + nb > kMaxPayload)
        return false;
    WireHeader h = {uint32_t(na + nb), kind, 0};
    WSABUF parts[3] = {{sizeof h, reinterpret_cast<char*>(&h)},
                       {ULONG(na), static_cast<char*>(const_cast<void*>(a))},
                       {ULONG(nb), static_cast<char*>(const_cast<void*>(b))}};
    EnterCriticalSection(&sendLock_);
    bool ok = !broken_ && SendAll(sock_, parts, 3);
    if (!ok)
        broken_ = true; // a half-sent message would desynchronise the stream
    LeaveCriticalSection(&sendLock_);
    return ok;
}

bool Channel::SendRaw(const void* data, size_t size)
{
    EnterCriticalSection(&sendLock_);
    WSABUF part = {ULONG(size), static_cast<char*>(const_cast<void*>(data))};
    bool ok = !broken_ && SendAll(sock_, &part, 1);
    broken_ = broken_ || !ok;
    LeaveCriticalSection(&sendLock_);
    return ok;
}

int Channel::ReceiveRaw(char* buffer, size_t size, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        size_t avail = in_.size() - inStart_;
        if (avail > 0) {
            size_t n = avail < size ? avail : size;
            std::memcpy(buffer, &in_[inStart_], n);
            inStart_ += n;
            return int(n);
        }
        if (closed_)
            return 0;
        DWORD elapsed = GetTickCount() - start;
        if (timeoutMs != INFINITE && elapsed >= timeoutMs)
            return -1;
        DWORD r = WaitForSingleObject(netEvent_, timeoutMs == INFINITE ? INFINITE : timeoutMs - elapsed);
        if (r == WAIT_TIMEOUT)
            continue;
        TakeArrivals();
    }
}

bool Channel::TakeMessage(Message& out)
{
    size_t avail = in_.size() - inStart_;
    if (avail < sizeof(WireHeader))
        return false;
    WireHeader h;
    std::memcpy(&h, &in_[inStart_], sizeof h);
    if (h.length > kMaxPayload) {
        closed_ = true;
        return false;
    }
    if (avail < sizeof h + h.length)
        return false;
    out.kind = h.kind;
    const char* p = &in_[inStart_ + sizeof h];
    out.data.assign(p, p + h.length);
    inStart_ += sizeof h + h.length;
    if (inStart_ == in_.size()) {
        in_.clear();
        inStart_ = 0;
    }
    return true;
}

void Channel::TakeArrivals()
{
    WSANETWORKEVENTS ne = {};
    WSAEnumNetworkEvents(sock_, netEvent_, &ne);
    // A close reported with the last data is not reported again: what came is taken (and handed out
    // first), then the end is noted.
    if (!Fill() || (ne.lNetworkEvents & FD_CLOSE))
        closed_ = true;
}

bool Channel::Fill()
{
    if (inStart_ > 0 && inStart_ > in_.size() / 2) {
        in_.erase(in_.begin(), in_.begin() + ptrdiff_t(inStart_));
        inStart_ = 0;
    }
    char buf[65536];
    for (;;) {
        int n = recv(sock_, buf, sizeof buf, 0);
        if (n > 0) {
            in_.insert(in_.end(), buf, buf + n);
            if (n < int(sizeof buf))
                return true;
            continue;
        }
        if (n == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK)
            return true;
        return false;
    }
}

Wait Channel::Receive(Message& out, DWORD timeoutMs, HANDLE stopEvent)
{
    DWORD start = GetTickCount();
    bool looked = false; // a zero time-out still takes what the socket holds
    for (;;) {
        if (TakeMessage(out))
            return Wait::Message;
        if (closed_)
            return Wait::Closed;
        if (stopEvent && WaitForSingleObject(stopEvent, 0) == WAIT_OBJECT_0)
            return Wait::Stopped;
        DWORD elapsed = GetTickCount() - start;
        DWORD left = timeoutMs == INFINITE ? INFINITE : elapsed >= timeoutMs ? 0 : timeoutMs - elapsed;
        if (left == 0 && looked)
            return Wait::Timeout;
        looked = true;
        HANDLE waits[2] = {netEvent_, stopEvent};
        DWORD r = WaitForMultipleObjects(stopEvent ? 2 : 1, waits, FALSE, left);
        if (r == WAIT_OBJECT_0 + 1)
            return Wait::Stopped;
        if (r == WAIT_TIMEOUT)
            continue;
        TakeArrivals();
    }
}

void Channel::Shutdown()
{
    shutdown(sock_, SD_BOTH);
}

void Channel::Finish(DWORD timeoutMs)
{
    shutdown(sock_, SD_SEND);
    Message ignored;
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs || Receive(ignored, timeoutMs - elapsed, nullptr) != Wait::Message)
            break;
    }
}

void Channel::Abort()
{
    linger l = {1, 0};
    setsockopt(sock_, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&l), sizeof l);
    shutdown(sock_, SD_BOTH);
}

std::string Channel::PeerAddress() const
{
    sockaddr_in sa = {};
    int len = sizeof sa;
    if (getpeername(sock_, reinterpret_cast<sockaddr*>(&sa), &len) != 0)
        return std::string();
    return inet_ntoa(sa.sin_addr);
}

Wait HandshakeWait(Channel& channel, const HelloMsg& hello, const void* data, size_t size, DWORD timeoutMs,
                   HANDLE stopEvent, WelcomeMsg* welcome, std::vector<char>* extra)
{
    if (!channel.Send(MsgHello, &hello, sizeof hello, data, size))
        return Wait::Closed;
    DWORD start = GetTickCount();
    Message m;
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return Wait::Timeout;
        Wait r = channel.Receive(m, timeoutMs - elapsed, stopEvent);
        if (r != Wait::Message)
            return r;
        if (m.kind != MsgWelcome || m.data.size() < sizeof(WelcomeMsg))
            continue;
        std::memcpy(welcome, m.data.data(), sizeof *welcome);
        if (extra)
            extra->assign(m.data.begin() + sizeof(WelcomeMsg), m.data.end());
        return Wait::Message;
    }
}

bool Handshake(Channel& channel, const HelloMsg& hello, const void* data, size_t size, DWORD timeoutMs,
               HANDLE stopEvent, WelcomeMsg* welcome, std::vector<char>* extra)
{
    return HandshakeWait(channel, hello, data, size, timeoutMs, stopEvent, welcome, extra) == Wait::Message;
}

bool ReceiveHello(Channel& channel, DWORD timeoutMs, HANDLE stopEvent, HelloMsg* hello, std::vector<char>* data)
{
    Message m;
    if (channel.Receive(m, timeoutMs, stopEvent) != Wait::Message || m.kind != MsgHello ||
        m.data.size() < sizeof(HelloMsg))
        return false;
    std::memcpy(hello, m.data.data(), sizeof *hello);
    if (data)
        data->assign(m.data.begin() + sizeof(HelloMsg), m.data.end());
    return true;
}

HelloMsg MakeHello(Purpose purpose, const char* name, const char* user, const char* password)
{
    HelloMsg h = {};
    h.version = kProtocolVersion;
    h.purpose = purpose;
    CopyText(h.name, name);
    CopyText(h.user, user);
    CopyText(h.password, password);
    return h;
}

bool SplitHostPort(const std::string& text, std::string* host, uint16_t* port)
{
    size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0)
        return false;
    unsigned long p = std::strtoul(text.c_str() + colon + 1, nullptr, 10);
    if (p == 0 || p > 65535)
        return false;
    *host = text.substr(0, colon);
    *port = uint16_t(p);
    return true;
}

} // namespace dev
