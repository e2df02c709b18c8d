// The handle table of a stand-in library and the worker thread behind a handle. Each library
// links its own copy, so each has its own numbers.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <memory>
#include <vector>

namespace dev {

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
template <class T> std::shared_ptr<T> Find(int handle)
{
    return std::dynamic_pointer_cast<T>(FindHandle(handle));
}

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

} // namespace dev
