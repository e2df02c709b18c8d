// Minimal PNG encoder (24-bit RGB, stored deflate blocks): enough to save screenshots without a library.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace png {

// rgb holds width * height pixels, 3 bytes each, top row first.
bool WriteRgb(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

} // namespace png
