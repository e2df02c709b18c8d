// The threads that serve the site's connections. A thread whose connection ended waits for the next
// one instead of ending: making a thread costs far more than serving a short request, and a
// station that connects many cameras at once opens three connections for each.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <deque>
#include <functional>

namespace devsim {

class ServingThreads {
public:
    ServingThreads();
    // Runs the work on a waiting thread, or on a new one when every thread is busy.
    void Run(std::function<void()> work);

private:
    static unsigned __stdcall Main(void* self);
    void Serve();

    CRITICAL_SECTION lock_; // the two below
    std::deque<std::function<void()>> work_;
    int waiting_ = 0; // threads that wait for work (each takes one release of ready_)
    HANDLE ready_;    // semaphore: work for a waiting thread
};

} // namespace devsim
