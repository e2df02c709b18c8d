// Test inputs placed so that their last byte is the last readable byte before a no-access page: any read
// past the end of a text faults at once instead of going unnoticed.
#pragma once
#include <windows.h>

#include <cstring>
#include <string_view>

class GuardedText {
public:
    explicit GuardedText(size_t capacity = 1 << 16)
    {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        page_ = info.dwPageSize;
        size_ = (capacity + page_ - 1) / page_ * page_;
        base_ = static_cast<char*>(VirtualAlloc(nullptr, size_ + page_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old;
        if (base_)
            VirtualProtect(base_ + size_, page_, PAGE_NOACCESS, &old);
    }
    ~GuardedText()
    {
        if (base_)
            VirtualFree(base_, 0, MEM_RELEASE);
    }
    GuardedText(const GuardedText&) = delete;
    GuardedText& operator=(const GuardedText&) = delete;

    bool Ok() const { return base_ != nullptr; }
    size_t Capacity() const { return size_; }
    // The returned view ends exactly at the guard page (no terminating NUL follows it).
    std::string_view Place(std::string_view text)
    {
        if (!base_ || text.size() > size_)
            return {};
        char* start = base_ + size_ - text.size();
        std::memcpy(start, text.data(), text.size());
        return std::string_view(start, text.size());
    }

private:
    size_t page_ = 4096;
    size_t size_ = 0;
    char* base_ = nullptr;
};
