#include "devices/common/KeyboardCodec.h"

#include "devices/common/SerialFrames.h"

namespace dev {
namespace {

struct Motion {
    uint8_t cmd1, cmd2;
};
// Station codes 0..9 in PELCO-D command bits.
const Motion kMotions[10] = {{0, 0x04}, {0, 0x02}, {0, 0x08}, {0, 0x10}, {0x02, 0},
                             {0x04, 0}, {0, 0x80}, {0x01, 0}, {0, 0x20}, {0, 0x40}};

} // namespace

bool EncodeKeyboardFrame(int number, int code, int value, uint8_t f[7])
{
    f[0] = 0xFF;
    f[1] = uint8_t(number);
    f[2] = f[3] = f[4] = f[5] = 0;
    if (code >= 0 && code <= 9) {
        f[2] = kMotions[code].cmd1;
        f[3] = kMotions[code].cmd2;
        f[4] = f[5] = uint8_t(value);
    } else if (code >= 14 && code <= 23) {
        // all zero: stop
    } else if (code == 10 || code == 11) {
        f[3] = code == 10 ? 0x07 : 0x03;
        f[5] = uint8_t(value);
    } else if (code == 30 || code == 31) {
        f[3] = code == 30 ? 0x09 : 0x0B;
        f[5] = uint8_t(value + 1);
    } else {
        return false;
    }
    f[6] = uint8_t(f[1] + f[2] + f[3] + f[4] + f[5]);
    return true;
}

static bool DecodeFrame(const uint8_t* f, int lastStart[256], KeyboardCommand& out)
{
    out.number = f[1];
    uint8_t c1 = f[2], c2 = f[3];
    if (c1 == 0 && c2 == 0) {
        int last = lastStart[f[1]];
        if (last < 1)
            return false; // nothing running for this camera
        out.code = last - 1 + 14;
        out.value = 0;
        lastStart[f[1]] = 0;
        return true;
    }
    if (c1 == 0 && (c2 == 0x07 || c2 == 0x03)) {
        out.code = c2 == 0x07 ? 10 : 11;
        out.value = f[5];
        return true;
    }
    if (c1 == 0 && (c2 == 0x09 || c2 == 0x0B)) {
        out.code = c2 == 0x09 ? 30 : 31;
        out.value = f[5] - 1;
        return true;
    }
    for (int code = 0; code < 10; ++code) {
        if (kMotions[code].cmd1 == c1 && kMotions[code].cmd2 == c2) {
            out.code = code;
            out.value = code == 2 || code == 3 ? f[5] : f[4];
            lastStart[f[1]] = code + 1;
            return true;
        }
    }
    return false;
}

std::vector<KeyboardCommand> KeyboardDecoder::Feed(const uint8_t* data, size_t size)
{
    buffer_.insert(buffer_.end(), data, data + size);
    std::vector<KeyboardCommand> out;
    for (const SerialFrame& f : TakeSerialFrames(buffer_, 0xFF)) {
        KeyboardCommand cmd;
        if (DecodeFrame(f.data(), lastStart_, cmd))
            out.push_back(cmd);
    }
    return out;
}

} // namespace dev
