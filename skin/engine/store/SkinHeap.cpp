// SkinHeap: one growable heap for the process, made on first use; see SkinHeap.h.
#include "skin/engine/store/SkinHeap.h"

#include <windows.h>

namespace {

// Committed up front and never handed back: a default skin with its frame pieces fits in it.
const SIZE_T kInitialCommit = 4 * 1024 * 1024;

HANDLE Heap()
{
    // Thread-safe once-only construction; the heap lives as long as the process.
    static const HANDLE heap = [] {
        HANDLE made = HeapCreate(0, kInitialCommit, 0);
        return made ? made : GetProcessHeap();
    }();
    return heap;
}

} // namespace

void* tessarine::SkinHeapAlloc(size_t bytes)
{
    return HeapAlloc(Heap(), 0, bytes ? bytes : 1);
}

void* tessarine::SkinHeapAllocZero(size_t bytes)
{
    return HeapAlloc(Heap(), HEAP_ZERO_MEMORY, bytes ? bytes : 1);
}

void* tessarine::SkinHeapRealloc(void* block, size_t bytes)
{
    if (!block)
        return SkinHeapAlloc(bytes);
    return HeapReAlloc(Heap(), 0, block, bytes ? bytes : 1);
}

void tessarine::SkinHeapFree(void* block)
{
    if (block)
        HeapFree(Heap(), 0, block);
}
