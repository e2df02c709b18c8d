// A file written through the Win32 calls with sticky failure: after the first failed write (a
// full disk, a vanished drive) every later call fails too, so a writer checks once at the end.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace dev {

class FileOut {
public:
    FileOut() = default;
    ~FileOut() { Close(); }
    FileOut(const FileOut&) = delete;
    FileOut& operator=(const FileOut&) = delete;

    bool Create(const std::string& path);
    bool Write(const void* data, size_t size);
    bool WriteAt(uint64_t offset, const void* data, size_t size); // then back to the end
    uint64_t Position() const { return position_; }
    bool Ok() const { return handle_ != INVALID_HANDLE_VALUE && ok_; }
    bool Close(); // false when any write failed

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    uint64_t position_ = 0;
    bool ok_ = false;
};

// Little- and big-endian field writers into a byte vector.
inline void PutLe(std::vector<uint8_t>& v, uint64_t x, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        v.push_back(uint8_t(x >> (8 * i)));
}
inline void PutBe(std::vector<uint8_t>& v, uint64_t x, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        v.push_back(uint8_t(x >> (8 * i)));
}

// A 24-bit bottom-up BMP of a top-down RGB picture.
bool WriteBmp24(const std::string& path, const uint8_t* rgb, int width, int height);
bool WriteWholeFile(const std::string& path, const void* data, size_t size);

} // namespace dev
