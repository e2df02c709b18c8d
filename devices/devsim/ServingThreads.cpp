#include "devices/devsim/ServingThreads.h"

#include <process.h>

#include "devices/common/Guard.h"

namespace devsim {

ServingThreads::ServingThreads() : ready_(CreateSemaphoreA(nullptr, 0, 0x7FFFFFFF, nullptr))
{
    InitializeCriticalSection(&lock_);
}

void ServingThreads::Run(std::function<void()> work)
{
    {
        dev::Guard g(lock_);
        work_.push_back(std::move(work));
        if (waiting_ > 0) {
            --waiting_;
            ReleaseSemaphore(ready_, 1, nullptr);
            return;
        }
    }
    // Made outside the lock: the other threads take and hand on work meanwhile. Should no thread be
    // made, the work waits for the next thread that is done with its own.
    HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, Main, this, 0, nullptr));
    if (thread)
        CloseHandle(thread);
}

unsigned __stdcall ServingThreads::Main(void* self)
{
    static_cast<ServingThreads*>(self)->Serve();
    return 0;
}

void ServingThreads::Serve()
{
    for (;;) {
        std::function<void()> work;
        {
            dev::Guard g(lock_);
            if (work_.empty()) {
                ++waiting_;
            } else {
                work = std::move(work_.front());
                work_.pop_front();
            }
        }
        if (work)
            work();
        else
            WaitForSingleObject(ready_, INFINITE);
    }
}

} // namespace devsim
