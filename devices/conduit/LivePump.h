// The threads that serve live channels: each serves up to kChannelsPerPump of them, waiting at once
// on their sockets and time limits, so that many cameras cost a few threads (a thread is dear to
// make) and no camera's log-in waits for another's. Pumps are made when every one is full and stay
// for the next channels.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <memory>
#include <vector>

namespace conduit {

class LiveChannel;

class LivePump {
public:
    static const int kChannelsPerPump = 16; // with the wake event far below the 64 handles of one wait

    // Hands the channel to a pump with room; false when no pump thread could be made.
    static bool Serve(const std::shared_ptr<LiveChannel>& channel);
    static int Count(); // pumps made so far
    // Makes the pump look at its channels now (one was stopped).
    void Wake() { SetEvent(wake_); }
    bool OnPumpThread() const { return GetCurrentThreadId() == threadId_; }

private:
    LivePump();
    bool Start();
    static unsigned __stdcall ThreadMain(void* arg);
    void Run();

    HANDLE wake_;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    CRITICAL_SECTION lock_; // arriving_
    std::vector<std::shared_ptr<LiveChannel>> arriving_;
    int load_ = 0; // channels handed to it and not let go yet; under the pool's lock
};

} // namespace conduit
