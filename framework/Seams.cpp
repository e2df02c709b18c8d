// The seams' current functions. Atomic pointers, since worker threads read them while a test
// may install a replacement.
#include "framework/Seams.h"

#include <atomic>

namespace Seams {

namespace {

BOOL PlatformFreeDiskSpace(LPCSTR root, ULONGLONG* freeBytes)
{
    ULARGE_INTEGER available, total, totalFree;
    if (!GetDiskFreeSpaceExA(root, &available, &total, &totalFree))
        return FALSE;
    *freeBytes = totalFree.QuadPart;
    return TRUE;
}

std::atomic<TickCountFunc> tickCount{nullptr};
std::atomic<LocalTimeFunc> localTime{nullptr};
std::atomic<FreeDiskSpaceFunc> freeDiskSpace{nullptr};

} // namespace

DWORD TickCount()
{
    TickCountFunc f = tickCount.load();
    return f ? f() : ::GetTickCount();
}

void LocalTime(SYSTEMTIME* now)
{
    LocalTimeFunc f = localTime.load();
    if (f)
        f(now);
    else
        ::GetLocalTime(now);
}

BOOL FreeDiskSpace(LPCSTR root, ULONGLONG* freeBytes)
{
    FreeDiskSpaceFunc f = freeDiskSpace.load();
    return f ? f(root, freeBytes) : PlatformFreeDiskSpace(root, freeBytes);
}

TickCountFunc ReplaceTickCount(TickCountFunc f)
{
    return tickCount.exchange(f);
}
LocalTimeFunc ReplaceLocalTime(LocalTimeFunc f)
{
    return localTime.exchange(f);
}
FreeDiskSpaceFunc ReplaceFreeDiskSpace(FreeDiskSpaceFunc f)
{
    return freeDiskSpace.exchange(f);
}

} // namespace Seams
