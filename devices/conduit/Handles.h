// The library's handle table, the worker threads behind handles, the connect settings and the
// way every call reaches a server (connect, Hello, Welcome, with time limit and tries).
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Net.h"

namespace conduit {

// Something a handle names. Stop() ends it; after Stop returns no callback of it runs, unless
// Stop was called on the object's own thread (then the thread ends after its callback).
class HandleObject {
public:
    virtual ~HandleObject() = default;
    virtual void Stop() = 0;
    int handle = 0;
};
using HandlePtr = std::shared_ptr<HandleObject>;

int AddHandle(const HandlePtr& object); // the new handle, > 0
HandlePtr FindHandle(int handle);
HandlePtr TakeHandle(int handle); // removed from the table
std::vector<HandlePtr> TakeAllHandles();
std::vector<HandlePtr> TakeHandlesIf(bool (*wanted)(const HandlePtr&));
template <class T> std::shared_ptr<T> Find(int handle) { return std::dynamic_pointer_cast<T>(FindHandle(handle)); }

// A handle with a thread of its own. The thread keeps the object alive until it ends.
class Worker : public HandleObject, public std::enable_shared_from_this<Worker> {
public:
    Worker();
    ~Worker() override;
    void Stop() override;

protected:
    bool StartThread();
    bool Stopping() const { return WaitForSingleObject(stop_, 0) == WAIT_OBJECT_0; }
    virtual void Run() = 0;
    HANDLE stop_;

private:
    static unsigned __stdcall ThreadMain(void* arg);
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
};

struct ConnectSettings {
    DWORD waitMs;
    int tries;
};
ConnectSettings CurrentConnectSettings();
void SetConnectSettings(int seconds, int tries);

enum class Reach { Accepted, Refused, Unreachable, Stopped };

// Connects to address:port and sends the hello (with data), trying as the settings say.
// Accepted: *channel is open and *welcome holds the answer. Refused: welcome->code says why.
Reach OpenSession(const std::string& address, unsigned short port, const dev::HelloMsg& hello, const void* data,
                  size_t size, HANDLE stopEvent, std::unique_ptr<dev::Channel>* channel, dev::WelcomeMsg* welcome,
                  std::vector<char>* extra);

// A one-shot request: log in, ask, take the answer. Returns 0 or the refusal code, -1 unreachable.
int Request(const char* name, const char* address, unsigned short port, const char* user, const char* password,
            int op, int channel, int arg, const void* data, size_t size, std::vector<char>* answer,
            dev::WelcomeMsg* welcome = nullptr);

// DDNS look-up: 0 with *address and *port, 6 unreachable, -112 unknown name.
int ResolveDdns(const std::string& ddnsAddress, unsigned short ddnsPort, const char* name, HANDLE stopEvent,
                std::string* address, unsigned short* port);

std::string Text(const char* p); // "" for null; cut at 39 bytes like the callers' buffers

} // namespace conduit
