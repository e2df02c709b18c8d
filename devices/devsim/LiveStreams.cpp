#include "devices/devsim/LiveStreams.h"

#include <process.h>

#include "devices/common/Guard.h"

namespace devsim {

namespace {
// Connections per thread: two wait handles each, beside the thread's own.
const size_t kPerThread = 8;
} // namespace

struct LiveStreams::Group {
    LiveStreams* owner = nullptr;
    HANDLE wake = CreateEventA(nullptr, FALSE, FALSE, nullptr); // a client came
    size_t count = 0;                                           // clients, served and incoming
    std::vector<std::unique_ptr<Client>> incoming;
};

LiveStreams::LiveStreams()
{
    InitializeCriticalSection(&lock_);
}

void LiveStreams::Add(std::unique_ptr<Client> client)
{
    dev::Guard g(lock_);
    Group* group = nullptr;
    for (Group* each : groups_)
        if (each->count < kPerThread) {
            group = each;
            break;
        }
    if (!group) {
        // Lives as long as devsim, like the site that owns it.
        group = new Group();
        group->owner = this;
        HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, Main, group, 0, nullptr));
        if (!thread) {
            client->Ended();
            delete group;
            return;
        }
        CloseHandle(thread);
        groups_.push_back(group);
    }
    ++group->count;
    group->incoming.push_back(std::move(client));
    SetEvent(group->wake);
}

unsigned __stdcall LiveStreams::Main(void* group)
{
    Serve(*static_cast<Group*>(group));
    return 0;
}

void LiveStreams::Serve(Group& g)
{
    std::vector<std::unique_ptr<Client>> clients;
    std::vector<HANDLE> waits;
    for (;;) {
        {
            dev::Guard lock(g.owner->lock_);
            for (auto& c : g.incoming)
                clients.push_back(std::move(c));
            g.incoming.clear();
        }
        waits.assign(1, g.wake);
        DWORD wait = INFINITE;
        for (auto& c : clients) {
            waits.push_back(c->Readable());
            waits.push_back(c->Dropped());
            DWORD due = c->NextPictureMs();
            wait = due < wait ? due : wait;
        }
        DWORD r = WaitForMultipleObjects(DWORD(waits.size()), waits.data(), FALSE, wait);
        std::vector<bool> alive(clients.size(), true);
        if (r >= WAIT_OBJECT_0 + 1 && r < WAIT_OBJECT_0 + waits.size()) {
            size_t i = (r - WAIT_OBJECT_0 - 1) / 2;
            alive[i] = (r - WAIT_OBJECT_0 - 1) % 2 == 0 && clients[i]->TakeArrivals();
        }
        for (size_t i = 0; i < clients.size(); ++i)
            if (alive[i] && clients[i]->NextPictureMs() == 0)
                alive[i] = clients[i]->SendPicture();
        size_t ended = 0;
        for (size_t i = clients.size(); i-- > 0;)
            if (!alive[i]) {
                clients[i]->Ended();
                clients.erase(clients.begin() + ptrdiff_t(i));
                ++ended;
            }
        if (ended) {
            dev::Guard lock(g.owner->lock_);
            g.count -= ended;
        }
    }
}

} // namespace devsim
