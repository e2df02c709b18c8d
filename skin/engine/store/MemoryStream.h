// MemoryStream: the growable byte buffer skins are read from and written to.
#pragma once
#include <windows.h>

#include <cstdint>

class MemoryStream {
public:
    explicit MemoryStream(DWORD growStep = 10240);
    MemoryStream(const void* source, DWORD length, DWORD growStep = 10240);
    ~MemoryStream();
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;

    // Bytes copied: min(count, size - position); the position advances by that.
    DWORD Read(void* dest, DWORD count);
    // count, or 0 when the buffer cannot grow; writes at the position.
    DWORD Write(const void* source, DWORD count);
    // Grows like Write and hands out the count bytes at the position for the caller to fill; NULL when
    // the buffer cannot grow.
    BYTE* Extend(DWORD count);
    // origin 0 begin, 1 current, 2 end; the new position is clamped to 0..size.
    DWORD Seek(long offset, int origin);
    void Rewind() { Seek(0, 0); }
    // Drops the old data and allocates; FALSE (everything 0) when the allocation fails.
    BOOL Reserve(DWORD capacity);

    const BYTE* Data() const { return data_; }
    DWORD Size() const { return size_; }
    DWORD Position() const { return position_; }
    DWORD Capacity() const { return capacity_; }
    DWORD Left() const { return size_ - position_; }

    // Whether any read since the last ClearShortRead came back with fewer bytes than asked for.
    bool ShortRead() const { return shortRead_; }
    void ClearShortRead() { shortRead_ = false; }

    bool ReadU32(uint32_t& value) { return Read(&value, 4) == 4; }
    void WriteU32(uint32_t value) { Write(&value, 4); }

private:
    BYTE* data_;
    DWORD size_;
    DWORD position_;
    DWORD capacity_;
    DWORD growStep_;
    bool shortRead_;
};
