// The threads that serve the site's connections. A thread whose connection ended waits for the next
// one instead of ending: making a thread costs far more than serving a short request, and a
// station that connects many cameras at once opens three connections for each. New threads are
// made by a thread of their own, so that an accept loop never waits for one: work that finds no
// waiting thread goes to the first thread that is free, made or done with its own.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <deque>
#include <functional>

namespace devsim {

class ServingThreads {
public:
    ServingThreads();
    // Runs the work on a waiting thread, or on the next thread that is made or free.
    void Run(std::function<void()> work);

private:
    static unsigned __stdcall Main(void* self);
    static unsigned __stdcall MakerMain(void* self);
    void Serve();
    void MakeThreads();

    CRITICAL_SECTION lock_; // the three below
    std::deque<std::function<void()>> work_;
    int waiting_ = 0;     // threads that wait for work (each takes one release of ready_)
    size_t unserved_ = 0; // queued work that no waiting thread was woken for
    HANDLE ready_;        // semaphore: work for a waiting thread
    HANDLE wanted_;       // a thread should be made
};

} // namespace devsim
