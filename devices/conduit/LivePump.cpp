#include "devices/conduit/LivePump.h"

#include <process.h>

#include "devices/common/Guard.h"
#include "devices/conduit/LiveChannel.h"

namespace conduit {

using dev::Guard;

namespace {

CRITICAL_SECTION* PoolLock()
{
    static CRITICAL_SECTION* cs = [] {
        auto* c = new CRITICAL_SECTION; // never deleted: pump threads may use it during process exit
        InitializeCriticalSection(c);
        return c;
    }();
    return cs;
}

std::vector<LivePump*>& Pumps()
{
    static auto* pumps = new std::vector<LivePump*>; // the pumps outlive every channel
    return *pumps;
}

} // namespace

LivePump::LivePump() : wake_(CreateEventA(nullptr, FALSE, FALSE, nullptr))
{
    InitializeCriticalSection(&lock_);
}

bool LivePump::Start()
{
    unsigned id = 0;
    thread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ThreadMain, this, 0, &id));
    threadId_ = id;
    return thread_ != nullptr;
}

bool LivePump::Serve(const std::shared_ptr<LiveChannel>& channel)
{
    LivePump* pump = nullptr;
    {
        Guard g(*PoolLock());
        for (LivePump* p : Pumps()) {
            if (p->load_ < kChannelsPerPump) {
                pump = p;
                break;
            }
        }
        if (!pump) {
            pump = new LivePump;
            if (!pump->Start()) {
                CloseHandle(pump->wake_);
                DeleteCriticalSection(&pump->lock_);
                delete pump;
                return false;
            }
            Pumps().push_back(pump);
        }
        ++pump->load_;
        channel->SetPump(pump);
    }
    {
        Guard g(pump->lock_);
        pump->arriving_.push_back(channel);
    }
    pump->Wake();
    return true;
}

int LivePump::Count()
{
    Guard g(*PoolLock());
    return int(Pumps().size());
}

unsigned __stdcall LivePump::ThreadMain(void* arg)
{
    static_cast<LivePump*>(arg)->Run();
    return 0;
}

void LivePump::Run()
{
    std::vector<std::shared_ptr<LiveChannel>> channels;
    std::vector<HANDLE> handles;
    std::vector<size_t> owners; // the channel of each handle after the wake event
    std::vector<char> ready;
    for (;;) {
        {
            Guard g(lock_);
            channels.insert(channels.end(), arriving_.begin(), arriving_.end());
            arriving_.clear();
        }
        handles.assign(1, wake_);
        owners.clear();
        DWORD now = GetTickCount(), timeout = INFINITE;
        for (size_t i = 0; i < channels.size(); ++i) {
            HANDLE h = channels[i]->WaitHandle();
            if (h) {
                handles.push_back(h);
                owners.push_back(i);
            }
            DWORD due = channels[i]->DueIn(now);
            if (due < timeout)
                timeout = due;
        }
        DWORD n = DWORD(handles.size());
        DWORD r = WaitForMultipleObjects(n, handles.data(), FALSE, timeout);
        // The wait names the first handle set; the others set as well are served in the same round,
        // so that a busy channel early in the list does not starve the later ones.
        ready.assign(channels.size(), 0);
        bool woken = false;
        for (DWORD first = 0; r < WAIT_OBJECT_0 + n - first;) {
            DWORD index = first + (r - WAIT_OBJECT_0);
            if (index == 0)
                woken = true;
            else
                ready[owners[index - 1]] = 1;
            first = index + 1;
            if (first >= n)
                break;
            r = WaitForMultipleObjects(n - first, handles.data() + first, FALSE, 0);
        }
        now = GetTickCount();
        size_t kept = 0;
        for (size_t i = 0; i < channels.size(); ++i) {
            std::shared_ptr<LiveChannel>& c = channels[i];
            bool stays = true;
            if (woken || ready[i] || c->DueIn(now) == 0)
                stays = c->Serve();
            if (stays) {
                if (kept != i)
                    channels[kept] = std::move(c);
                ++kept;
            } else {
                c.reset();
                Guard g(*PoolLock());
                --load_;
            }
        }
        channels.resize(kept);
    }
}

} // namespace conduit
