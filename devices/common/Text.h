// Bounded text copies for the device stand-ins: never past the buffer, never half a GBK character.
#pragma once
#include <cstddef>
#include <string>

namespace dev {

// Copies src into dst[size] (size > 0), NUL-terminated, cutting before a double-byte character of
// code page 936 that would not fit whole. Returns the number of bytes copied without the NUL.
size_t CopyText(char* dst, size_t size, const char* src);

template <size_t N> size_t CopyText(char (&dst)[N], const char* src)
{
    return CopyText(dst, N, src);
}

// Text of a fixed field that may lack its NUL: at most size bytes.
std::string FieldText(const char* field, size_t size);

} // namespace dev
