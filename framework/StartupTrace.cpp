#include "framework/StartupTrace.h"

#include <afxwin.h>

namespace {
const char kStartupChannel[] = "startup";
}

void TraceStartupStep(const char* step)
{
    if (!AfxTraceEnabled(kStartupChannel))
        return;
    FILETIME created, exited, kernel, user, now;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    ::GetSystemTimeAsFileTime(&now);
    auto ticks = [](FILETIME t) { return (double(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4; };
    TRACE(kStartupChannel, "%.1f %s", ticks(now) - ticks(created), step);
}
