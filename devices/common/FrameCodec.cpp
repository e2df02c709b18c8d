#include "devices/common/FrameCodec.h"

#include <cstring>

namespace dev {

namespace {
struct Palette {
    RGBQUAD colours[256] = {};
    Palette()
    {
        for (int i = 0; i < 216; ++i) {
            colours[i].rgbRed = BYTE((i / 36) * 51);
            colours[i].rgbGreen = BYTE((i / 6 % 6) * 51);
            colours[i].rgbBlue = BYTE((i % 6) * 51);
        }
        for (int i = 0; i < 40; ++i) {
            BYTE v = BYTE(i * 255 / 39);
            colours[216 + i].rgbRed = colours[216 + i].rgbGreen = colours[216 + i].rgbBlue = v;
        }
    }
};
} // namespace

const RGBQUAD* VideoPalette()
{
    static const Palette palette; // thread-safe first use
    return palette.colours;
}

void EncodeRle8(const uint8_t* pixels, int width, int height, std::vector<uint8_t>& out)
{
    out.clear();
    size_t total = size_t(width) * size_t(height);
    size_t i = 0;
    while (i < total) {
        uint8_t v = pixels[i];
        size_t run = 1;
        while (run < 255 && i + run < total && pixels[i + run] == v)
            ++run;
        out.push_back(uint8_t(run));
        out.push_back(v);
        i += run;
    }
}

bool DecodeRle8(const uint8_t* data, size_t size, int width, int height, uint8_t* pixels)
{
    if (width <= 0 || height <= 0 || size % 2 != 0)
        return false;
    size_t total = size_t(width) * size_t(height);
    size_t at = 0;
    for (size_t i = 0; i < size; i += 2) {
        size_t run = data[i];
        if (run == 0 || at + run > total)
            return false;
        std::memset(pixels + at, data[i + 1], run);
        at += run;
    }
    return at == total;
}

void IndexedToRgb(const uint8_t* pixels, int width, int height, std::vector<uint8_t>& rgb)
{
    const RGBQUAD* pal = VideoPalette();
    size_t total = size_t(width) * size_t(height);
    rgb.resize(total * 3);
    uint8_t* o = rgb.data();
    for (size_t i = 0; i < total; ++i, o += 3) {
        const RGBQUAD& c = pal[pixels[i]];
        o[0] = c.rgbRed;
        o[1] = c.rgbGreen;
        o[2] = c.rgbBlue;
    }
}

} // namespace dev
