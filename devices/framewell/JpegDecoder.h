// Decoding of recorded pictures with libjpeg-turbo, through its error-returning path: a damaged
// picture gives false, never ends the process. Pictures over 4096 pixels a side are refused.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fw {

const int kMaxPictureSide = 4096;

struct Picture {
    int width = 0, height = 0;
    int stride = 0;              // bytes a row, a multiple of 4 (a DIB row)
    int bytesPerPixel = 3;       // 3, or 4 with an unused fourth byte
    std::vector<uint8_t> pixels; // top-down, blue first
};

// bytesPerPixel 4 gives the rows a 32-bit window surface takes without a conversion.
bool DecodeJpeg(const uint8_t* data, size_t size, Picture& out, int bytesPerPixel = 3);

} // namespace fw
