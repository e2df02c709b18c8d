// Loopback TCP for the stand-ins and devsim: connecting with a time limit, listening, and a
// message channel whose waits can be cut short by a stop event.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "devices/common/Protocol.h"

namespace dev {

void EnsureWinsock();

// Connects to host:port within timeoutMs; a set stopEvent (may be null) gives up at once.
// Returns INVALID_SOCKET on failure (refused, unreachable, timed out, stopped). The socket is left
// as the connect made it, non-blocking, for a Channel: the channel selects its own events on it.
SOCKET ConnectTcp(const std::string& host, uint16_t port, DWORD timeoutMs, HANDLE stopEvent);

// The same connect for a thread that waits on many things at once: the connect starts without
// blocking and `event` is set when it ended either way; TakeConnectResult then says how (Pending:
// the event was set for something else). A connected socket is ready for its Channel.
enum class Connecting { Pending, Done, Failed };
Connecting StartConnectTcp(const std::string& host, uint16_t port, HANDLE event, SOCKET* s);
Connecting TakeConnectResult(SOCKET s, HANDLE event);

// A listening socket on address:port (0 = any free port; the address in host order, loopback unless a
// service must be reached from other machines); the bound port goes to *actualPort.
SOCKET ListenTcp(uint16_t port, uint16_t* actualPort, uint32_t address = INADDR_LOOPBACK);

// Closes a socket so that the peer sees a reset at once, leaving no lingering state behind.
void AbortSocket(SOCKET s);

struct Message {
    uint16_t kind = 0;
    std::vector<char> data;
};

enum class Wait { Message, Timeout, Stopped, Closed };

// One connected socket speaking WireHeader-framed messages. Sends may come from any thread;
// Receive belongs to one thread at a time.
class Channel {
public:
    explicit Channel(SOCKET s);
    ~Channel();
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;

    bool Send(uint16_t kind, const void* a, size_t na, const void* b = nullptr, size_t nb = 0);
    // Waits up to timeoutMs for one whole message; stopEvent (may be null) ends the wait.
    Wait Receive(Message& out, DWORD timeoutMs, HANDLE stopEvent);
    // Unframed bytes (the devsim control port's text lines). ReceiveRaw returns the byte count,
    // 0 when the connection ended, -1 when nothing came within timeoutMs.
    bool SendRaw(const void* data, size_t size);
    int ReceiveRaw(char* buffer, size_t size, DWORD timeoutMs);
    // Further sends fail and the peer sees the connection end; Receive reports Closed.
    void Shutdown();
    void Abort(); // as Shutdown, but the peer sees a reset
    // Ends sending after what was sent, then waits (bounded) for the peer to close, so that an
    // answer is never cut off by a reset.
    void Finish(DWORD timeoutMs);
    std::string PeerAddress() const;
    HANDLE ReadEvent() const { return netEvent_; } // set when something arrived; Receive takes it

private:
    bool TakeMessage(Message& out);
    bool Fill();         // false when the connection ended
    void TakeArrivals(); // after the network event: what came is read, an end noted

    SOCKET sock_;
    HANDLE netEvent_;
    CRITICAL_SECTION sendLock_;
    std::vector<char> in_;
    size_t inStart_ = 0;
    bool closed_ = false;
    bool broken_ = false;
};

// Sends a Hello and waits for the Welcome; on success the welcome's payload follows in *extra.
// Returns false when the connection ended or no answer came within timeoutMs.
bool Handshake(Channel& channel, const HelloMsg& hello, const void* data, size_t size, DWORD timeoutMs,
               HANDLE stopEvent, WelcomeMsg* welcome, std::vector<char>* extra);
// The same, saying why it failed: Message when the Welcome came, Timeout when no answer came in
// time, Closed when the connection ended (the Hello could not be sent, or the peer closed), Stopped.
Wait HandshakeWait(Channel& channel, const HelloMsg& hello, const void* data, size_t size, DWORD timeoutMs,
                   HANDLE stopEvent, WelcomeMsg* welcome, std::vector<char>* extra);

// The server's side: waits up to timeoutMs for the Hello that opens a connection; what follows it goes
// to *data (may be null). False when the connection ended, was stopped, or opened with anything else.
bool ReceiveHello(Channel& channel, DWORD timeoutMs, HANDLE stopEvent, HelloMsg* hello, std::vector<char>* data);

HelloMsg MakeHello(Purpose purpose, const char* name, const char* user, const char* password);

// "host:port" -> parts; false when malformed.
bool SplitHostPort(const std::string& text, std::string* host, uint16_t* port);

} // namespace dev
