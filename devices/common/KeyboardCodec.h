// The control keyboard's serial frames (PELCO-D form: FF, camera number, command 1, command 2,
// data 1, data 2, checksum = bytes 1..5 mod 256) and their mapping to the station's PTZ codes:
// 0..9 start a movement or lens action (value = speed), 14..23 stop it (a stop frame ends the
// action last started for that camera), 10 / 11 go to / set preset, 30 / 31 auxiliary on / off
// (value = device number - 1).
#pragma once
#include <cstdint>
#include <vector>

namespace dev {

// False for a code the keyboard cannot send.
bool EncodeKeyboardFrame(int number, int code, int value, uint8_t frame[7]);

struct KeyboardCommand {
    int number;
    int code;
    int value;
};

class KeyboardDecoder {
public:
    // Appends the bytes and returns the commands of every whole, valid frame; garbage is skipped.
    std::vector<KeyboardCommand> Feed(const uint8_t* data, size_t size);

private:
    std::vector<uint8_t> buffer_;
    int lastStart_[256] = {};
};

} // namespace dev
