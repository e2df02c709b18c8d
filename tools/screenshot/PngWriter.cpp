#include "tools/screenshot/PngWriter.h"

#include <cstdio>

namespace png {
namespace {

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0)
{
    static uint32_t table[256];
    if (table[1] == 0) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
    }
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PutBig32(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v >> 24));
    out.push_back(uint8_t(v >> 16));
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& body)
{
    PutBig32(out, uint32_t(body.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    PutBig32(out, Crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<uint8_t> ZlibStored(const std::vector<uint8_t>& raw)
{
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t pos = 0;
    do {
        size_t n = raw.size() - pos;
        if (n > 65535)
            n = 65535;
        bool last = pos + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(uint8_t(n));
        z.push_back(uint8_t(n >> 8));
        z.push_back(uint8_t(~n));
        z.push_back(uint8_t(~n >> 8));
        z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + n);
        pos += n;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(z, (b << 16) | a);
    return z;
}

} // namespace

bool WriteRgb(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb)
{
    if (width <= 0 || height <= 0 || rgb.size() != size_t(width) * size_t(height) * 3)
        return false;
    std::vector<uint8_t> raw;
    raw.reserve(size_t(height) * (size_t(width) * 3 + 1));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // filter: none
        const uint8_t* row = rgb.data() + size_t(y) * width * 3;
        raw.insert(raw.end(), row, row + size_t(width) * 3);
    }
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBig32(header, uint32_t(width));
    PutBig32(header, uint32_t(height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, no interlace
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", ZlibStored(raw));
    PutChunk(out, "IEND", {});

    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace png
