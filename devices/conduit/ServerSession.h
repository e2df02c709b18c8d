// How every call reaches a server: connect, Hello, Welcome, within the connect settings.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "devices/common/HandleTable.h"
#include "devices/common/Net.h"

namespace conduit {

using dev::Find;
using dev::FindHandle;
using dev::HandleObject;
using dev::HandlePtr;
using dev::Worker;

struct ConnectSettings {
    DWORD waitMs;
    int tries;
};
ConnectSettings CurrentConnectSettings();
void SetConnectSettings(int seconds, int tries);

enum class Reach { Accepted, Refused, Unreachable };

// Connects to address:port and sends the hello (with data), trying as the settings say.
// Accepted: *channel is open and *welcome holds the answer. Refused: welcome->code says why.
// firstAttempt > 0: that many attempts were spent already.
Reach OpenSession(const std::string& address, unsigned short port, const dev::HelloMsg& hello, const void* data,
                  size_t size, std::unique_ptr<dev::Channel>* channel, dev::WelcomeMsg* welcome,
                  std::vector<char>* extra, int firstAttempt = 0);

// Request connections that were answered, kept for the next request to the same server with the
// same log-in: it then skips the TCP connect (its Hello still carries the whole log-in). A kept
// connection is closed once it sat idle for idleMs, when more than perServer wait for one server
// and log-in, and by CloseAll.
class KeptConnections {
public:
    typedef DWORD(WINAPI* Clock)();
    static const DWORD kIdleMs = 5000; // well within the time a server keeps an idle one
    static const size_t kPerServer = 4;
    explicit KeptConnections(Clock clock = GetTickCount, DWORD idleMs = kIdleMs, size_t perServer = kPerServer);
    ~KeptConnections();
    KeptConnections(const KeptConnections&) = delete;
    KeptConnections& operator=(const KeptConnections&) = delete;

    static std::string Key(const std::string& address, unsigned short port, const char* user, const char* password);
    std::unique_ptr<dev::Channel> Take(const std::string& key); // null when none is kept
    void Keep(const std::string& key, std::unique_ptr<dev::Channel> channel);
    void CloseAll();
    size_t Count();

private:
    struct Kept {
        std::string key;
        std::unique_ptr<dev::Channel> channel;
        DWORD since;
    };
    // Moves the connections idle too long to *closing (closed by the caller, outside the lock).
    void TakeIdle(DWORD now, std::vector<Kept>* closing);

    Clock clock_;
    DWORD idleMs_;
    size_t perServer_;
    CRITICAL_SECTION lock_;  // kept_
    std::vector<Kept> kept_; // oldest first
};

KeptConnections& LibraryKeptConnections(); // the library's own, closed by Conduit_Cleanup

// A request: log in, ask, take the answer, on a kept connection when there is one (a dead one is
// given up and the request tried once more on a fresh connection). Returns 0 or the refusal code,
// -1 unreachable.
int Request(KeptConnections& kept, const char* name, const char* address, unsigned short port, const char* user,
            const char* password, int op, int channel, int arg, const void* data, size_t size,
            std::vector<char>* answer, dev::WelcomeMsg* welcome = nullptr);
inline int Request(const char* name, const char* address, unsigned short port, const char* user, const char* password,
                   int op, int channel, int arg, const void* data, size_t size, std::vector<char>* answer,
                   dev::WelcomeMsg* welcome = nullptr)
{
    return Request(LibraryKeptConnections(), name, address, port, user, password, op, channel, arg, data, size, answer,
                   welcome);
}

// DDNS look-up: 0 with *address and *port, 6 unreachable, -112 unknown name.
int ResolveDdns(const std::string& ddnsAddress, unsigned short ddnsPort, const char* name, std::string* address,
                unsigned short* port);

std::string Text(const char* p); // "" for null; cut at 39 bytes like the callers' buffers

} // namespace conduit
