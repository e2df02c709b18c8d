// Live pictures on the wire: 8-bit pixels over one fixed 256-colour palette, run-length coded.
// Runs are (count 1..255, palette index) byte pairs covering width x height pixels in raster
// order, top row first; runs may cross rows.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <vector>

namespace dev {

// 0..215: a 6 x 6 x 6 colour cube (index = r * 36 + g * 6 + b, levels 0, 51, ... 255);
// 216..255: 40 greys from black to white.
const RGBQUAD* VideoPalette();
inline uint8_t CubeColour(int r, int g, int b)
{
    return uint8_t(r * 36 + g * 6 + b);
} // each 0..5

void EncodeRle8(const uint8_t* pixels, int width, int height, std::vector<uint8_t>& out);
// False when the data does not cover exactly width x height pixels.
bool DecodeRle8(const uint8_t* data, size_t size, int width, int height, uint8_t* pixels);

// Top-down RGB (3 bytes a pixel, red first) of an 8-bit picture.
void IndexedToRgb(const uint8_t* pixels, int width, int height, std::vector<uint8_t>& rgb);

} // namespace dev
