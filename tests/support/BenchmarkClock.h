// The clock every benchmark reads, and the warm-up-then-time loop most of them run.
#pragma once

#include <windows.h>

inline double NowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// Runs work a tenth of the runs to warm caches, then times the runs; milliseconds per run.
template <typename Work> double MillisecondsPerRun(int runs, Work work)
{
    for (int i = 0; i < runs / 10 + 1; ++i)
        work();
    const double start = NowMs();
    for (int i = 0; i < runs; ++i)
        work();
    return (NowMs() - start) / runs;
}
