// Holds a critical section for the lifetime of a scope.
#pragma once
#include <winsock2.h>
#include <windows.h>

namespace dev {

class Guard {
public:
    explicit Guard(CRITICAL_SECTION& cs) : cs_(cs) { EnterCriticalSection(&cs_); }
    ~Guard() { LeaveCriticalSection(&cs_); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    CRITICAL_SECTION& cs_;
};

} // namespace dev
