#include "devices/common/FileOut.h"

namespace dev {

bool FileOut::Create(const std::string& path)
{
    Close();
    handle_ = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                          nullptr);
    position_ = 0;
    ok_ = handle_ != INVALID_HANDLE_VALUE;
    return ok_;
}

bool FileOut::Write(const void* data, size_t size)
{
    if (!Ok())
        return false;
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        DWORD chunk = size > 0x100000 ? 0x100000 : DWORD(size), written = 0;
        if (!WriteFile(handle_, p, chunk, &written, nullptr) || written != chunk) {
            ok_ = false;
            return false;
        }
        p += chunk;
        size -= chunk;
        position_ += chunk;
    }
    return true;
}

bool FileOut::WriteAt(uint64_t offset, const void* data, size_t size)
{
    if (!Ok())
        return false;
    uint64_t end = position_;
    LARGE_INTEGER at;
    at.QuadPart = LONGLONG(offset);
    if (!SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN)) {
        ok_ = false;
        return false;
    }
    position_ = offset;
    bool written = Write(data, size);
    at.QuadPart = LONGLONG(end > position_ ? end : position_);
    if (!SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN))
        ok_ = false;
    position_ = uint64_t(at.QuadPart);
    return written && ok_;
}

bool FileOut::Close()
{
    if (handle_ == INVALID_HANDLE_VALUE)
        return false;
    bool ok = ok_;
    if (!CloseHandle(handle_))
        ok = false;
    handle_ = INVALID_HANDLE_VALUE;
    ok_ = false;
    return ok;
}

bool WriteBmp24(const std::string& path, const uint8_t* rgb, int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;
    uint32_t stride = (uint32_t(width) * 3 + 3) & ~3u;
    uint32_t imageSize = stride * uint32_t(height);
    std::vector<uint8_t> out;
    out.reserve(54 + imageSize);
    out.push_back('B');
    out.push_back('M');
    PutLe(out, 54 + imageSize, 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    PutLe(out, 40, 4);
    PutLe(out, uint32_t(width), 4);
    PutLe(out, uint32_t(height), 4);
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4); // BI_RGB
    PutLe(out, imageSize, 4);
    PutLe(out, 2835, 4); // 72 dpi
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* row = rgb + size_t(y) * width * 3;
        for (int x = 0; x < width; ++x) {
            out.push_back(row[x * 3 + 2]);
            out.push_back(row[x * 3 + 1]);
            out.push_back(row[x * 3]);
        }
        for (uint32_t pad = uint32_t(width) * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return WriteWholeFile(path, out.data(), out.size());
}

bool WriteWholeFile(const std::string& path, const void* data, size_t size)
{
    FileOut f;
    if (!f.Create(path))
        return false;
    f.Write(data, size);
    if (f.Close())
        return true;
    DeleteFileA(path.c_str()); // no half-written picture is left behind
    return false;
}

} // namespace dev
