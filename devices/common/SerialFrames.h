// The 7-byte frames of the station's serial devices (alarm box, linkage device, keyboard): a lead
// byte, five bytes, and the sum of those five mod 256.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace dev {

using SerialFrame = std::array<uint8_t, 7>;

// Takes every whole frame with a valid checksum from the front of buffer, skipping garbage a
// byte at a time; an incomplete frame stays for the next bytes. A buffer that grows past 1024
// bytes without a frame is emptied.
inline std::vector<SerialFrame> TakeSerialFrames(std::vector<uint8_t>& buffer, uint8_t lead)
{
    std::vector<SerialFrame> frames;
    size_t i = 0;
    while (i < buffer.size()) {
        if (buffer[i] != lead) {
            ++i;
            continue;
        }
        if (buffer.size() - i < 7)
            break;
        const uint8_t* f = &buffer[i];
        if (uint8_t(f[1] + f[2] + f[3] + f[4] + f[5]) != f[6]) {
            ++i;
            continue;
        }
        SerialFrame frame;
        for (int k = 0; k < 7; ++k)
            frame[size_t(k)] = f[k];
        frames.push_back(frame);
        i += 7;
    }
    buffer.erase(buffer.begin(), buffer.begin() + ptrdiff_t(i));
    if (buffer.size() > 1024)
        buffer.clear();
    return frames;
}

} // namespace dev
