#include "devices/common/HandleTable.h"

#include "devices/common/Guard.h"

#include <process.h>

#include <map>

namespace dev {

namespace {

CRITICAL_SECTION* TableLock()
{
    static CRITICAL_SECTION* cs = [] {
        auto* c = new CRITICAL_SECTION; // never deleted: threads may use it during process exit
        InitializeCriticalSection(c);
        return c;
    }();
    return cs;
}

std::map<int, HandlePtr>& Table()
{
    static std::map<int, HandlePtr>* table = new std::map<int, HandlePtr>; // outlives every thread
    return *table;
}

int g_nextHandle = 1;

class TableGuard : public Guard {
public:
    TableGuard() : Guard(*TableLock()) {}
};

} // namespace

int AddHandle(const HandlePtr& object)
{
    TableGuard g;
    int h = g_nextHandle++;
    if (g_nextHandle <= 0)
        g_nextHandle = 1;
    object->handle = h;
    Table()[h] = object;
    return h;
}

HandlePtr FindHandle(int handle)
{
    TableGuard g;
    auto it = Table().find(handle);
    return it == Table().end() ? HandlePtr() : it->second;
}

HandlePtr TakeHandle(int handle)
{
    TableGuard g;
    auto it = Table().find(handle);
    if (it == Table().end())
        return HandlePtr();
    HandlePtr p = it->second;
    Table().erase(it);
    return p;
}

std::vector<HandlePtr> TakeAllHandles()
{
    TableGuard g;
    std::vector<HandlePtr> all;
    for (auto& e : Table())
        all.push_back(e.second);
    Table().clear();
    return all;
}

std::vector<HandlePtr> TakeHandlesIf(bool (*wanted)(const HandlePtr&))
{
    TableGuard g;
    std::vector<HandlePtr> taken;
    for (auto it = Table().begin(); it != Table().end();) {
        if (wanted(it->second)) {
            taken.push_back(it->second);
            it = Table().erase(it);
        } else {
            ++it;
        }
    }
    return taken;
}

Worker::Worker() : stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

Worker::~Worker()
{
    if (thread_)
        CloseHandle(thread_);
    CloseHandle(stop_);
}

bool Worker::StartThread()
{
    auto* self = new std::shared_ptr<Worker>(shared_from_this());
    unsigned id = 0;
    thread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ThreadMain, self, 0, &id));
    if (!thread_) {
        delete self;
        return false;
    }
    threadId_ = id;
    return true;
}

unsigned __stdcall Worker::ThreadMain(void* arg)
{
    std::shared_ptr<Worker> self = *static_cast<std::shared_ptr<Worker>*>(arg);
    delete static_cast<std::shared_ptr<Worker>*>(arg);
    self->Run();
    return 0;
}

void Worker::Stop()
{
    SetEvent(stop_);
    // On its own thread (a callback closing its handle) the thread ends after the callback.
    if (thread_ && GetCurrentThreadId() != threadId_)
        WaitForSingleObject(thread_, INFINITE);
}

} // namespace dev
