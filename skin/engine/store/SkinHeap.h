// SkinHeap: the toolkit's own heap for skin pictures and skin streams.
// Under Wine the process heap gives the pages of every freed block over about 64 KB back to the system,
// so each skin load or picture crop faulted its memory in again (a skin load took several times its
// decompression). A heap of our own keeps what it committed for the next picture.
#pragma once

#include <cstddef>

namespace tessarine {

void* SkinHeapAlloc(size_t bytes);
// Zero-filled.
void* SkinHeapAllocZero(size_t bytes);
// As realloc: NULL leaves the block as it was.
void* SkinHeapRealloc(void* block, size_t bytes);
void SkinHeapFree(void* block);

} // namespace tessarine
