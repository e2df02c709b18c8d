// A baseline JPEG encoder (JFIF, 4:2:0, the standard tables) for snapshots, JPEG captures and
// the frames of local recordings. No decoder: players and tests use the platform's.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace dev {

// rgb: top-down, 3 bytes a pixel, red first. quality 1..100 (clamped). comment (may be empty)
// goes into a COM segment. Returns false for a picture of no pixels or over 65535 a side.
bool EncodeJpeg(const uint8_t* rgb, int width, int height, int quality, std::vector<uint8_t>& out,
                const std::string& comment = std::string());

} // namespace dev
