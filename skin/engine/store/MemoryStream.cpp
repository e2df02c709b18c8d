// MemoryStream: reading, writing and growth in whole steps.
#include "skin/engine/store/MemoryStream.h"

#include <cstring>

#include "skin/engine/store/SkinHeap.h"

MemoryStream::MemoryStream(DWORD growStep)
    : data_(NULL), size_(0), position_(0), capacity_(0), growStep_(growStep ? growStep : 1), shortRead_(false)
{
}

MemoryStream::MemoryStream(const void* source, DWORD length, DWORD growStep)
    : data_(NULL), size_(0), position_(0), capacity_(0), growStep_(growStep ? growStep : 1), shortRead_(false)
{
    if (source && length && Reserve(length)) {
        std::memcpy(data_, source, length);
        size_ = length;
    }
}

MemoryStream::~MemoryStream()
{
    tessarine::SkinHeapFree(data_);
}

DWORD MemoryStream::Read(void* dest, DWORD count)
{
    DWORD n = count < Left() ? count : Left();
    if (!data_)
        n = 0;
    if (n)
        std::memcpy(dest, data_ + position_, n);
    position_ += n;
    if (n < count)
        shortRead_ = true;
    return n;
}

BYTE* MemoryStream::Extend(DWORD count)
{
    if (!count)
        return NULL;
    if (!data_ && !Reserve(count))
        return NULL;
    if (capacity_ - position_ < count) {
        unsigned long long grown =
            capacity_ + static_cast<unsigned long long>(growStep_) *
                            ((count + static_cast<unsigned long long>(position_) - capacity_) / growStep_ + 1);
        if (grown > 0xFFFFFFFFull)
            return NULL;
        BYTE* bigger = static_cast<BYTE*>(tessarine::SkinHeapRealloc(data_, static_cast<size_t>(grown)));
        if (!bigger)
            return NULL;
        data_ = bigger;
        capacity_ = static_cast<DWORD>(grown);
    }
    BYTE* at = data_ + position_;
    position_ += count;
    if (position_ > size_)
        size_ = position_;
    return at;
}

DWORD MemoryStream::Write(const void* source, DWORD count)
{
    BYTE* at = Extend(count);
    if (!at)
        return 0;
    std::memcpy(at, source, count);
    return count;
}

DWORD MemoryStream::Seek(long offset, int origin)
{
    long long base = origin == 1 ? position_ : (origin == 2 ? size_ : 0);
    long long target = base + offset;
    if (target < 0)
        target = 0;
    if (target > size_)
        target = size_;
    position_ = static_cast<DWORD>(target);
    return position_;
}

BOOL MemoryStream::Reserve(DWORD capacity)
{
    tessarine::SkinHeapFree(data_);
    data_ = NULL;
    size_ = position_ = capacity_ = 0;
    if (!capacity)
        return FALSE;
    data_ = static_cast<BYTE*>(tessarine::SkinHeapAlloc(capacity));
    if (!data_)
        return FALSE;
    capacity_ = capacity;
    return TRUE;
}
