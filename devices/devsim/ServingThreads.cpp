#include "devices/devsim/ServingThreads.h"

#include <process.h>

#include "devices/common/Guard.h"

namespace devsim {

ServingThreads::ServingThreads()
    : ready_(CreateSemaphoreA(nullptr, 0, 0x7FFFFFFF, nullptr)), wanted_(CreateEventA(nullptr, FALSE, FALSE, nullptr))
{
    InitializeCriticalSection(&lock_);
    HANDLE maker = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, MakerMain, this, 0, nullptr));
    if (maker)
        CloseHandle(maker);
}

void ServingThreads::Run(std::function<void()> work)
{
    dev::Guard g(lock_);
    work_.push_back(std::move(work));
    if (waiting_ > 0) {
        --waiting_;
        ReleaseSemaphore(ready_, 1, nullptr);
        return;
    }
    ++unserved_;
    SetEvent(wanted_);
}

unsigned __stdcall ServingThreads::Main(void* self)
{
    static_cast<ServingThreads*>(self)->Serve();
    return 0;
}

unsigned __stdcall ServingThreads::MakerMain(void* self)
{
    static_cast<ServingThreads*>(self)->MakeThreads();
    return 0;
}

void ServingThreads::MakeThreads()
{
    for (;;) {
        WaitForSingleObject(wanted_, INFINITE);
        for (;;) {
            {
                dev::Guard g(lock_);
                if (unserved_ == 0)
                    break;
                --unserved_;
            }
            // Should no thread be made, the work waits for the next thread that is done with its own.
            HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, Main, this, 0, nullptr));
            if (thread)
                CloseHandle(thread);
        }
    }
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
                if (work_.size() < unserved_)
                    unserved_ = work_.size(); // taken by a thread that was free: one fewer to make
            }
        }
        if (work)
            work();
        else
            WaitForSingleObject(ready_, INFINITE);
    }
}

} // namespace devsim
