#include "devices/common/Text.h"

#include <cstring>

namespace dev {

static bool IsLeadByte(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}

size_t CopyText(char* dst, size_t size, const char* src)
{
    if (!dst || size == 0)
        return 0;
    size_t n = 0;
    if (src) {
        while (src[n] && n + 1 < size) {
            size_t len = IsLeadByte(static_cast<unsigned char>(src[n])) && src[n + 1] ? 2 : 1;
            if (n + len + 1 > size)
                break;
            n += len;
        }
        std::memcpy(dst, src, n);
    }
    dst[n] = '\0';
    return n;
}

std::string FieldText(const char* field, size_t size)
{
    size_t n = 0;
    while (n < size && field[n])
        ++n;
    return std::string(field, n);
}

} // namespace dev
