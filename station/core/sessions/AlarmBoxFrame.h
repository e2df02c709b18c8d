// The alarm box's 7-byte frames over a server's transparent serial channel, and the receive buffer
// in which the box's replies are collected and found. No platform calls: tested on its own.
//
//   0 0xF6   1 box address   2 command   3 0x10   4 value bits 0-7   5 value bits 8-15
//   6 checksum = (bytes 1..5) mod 256
#pragma once

#include <stddef.h>

const unsigned char kAlarmBoxStart = 0xF6;
const unsigned char kAlarmBoxPoll = 0x4A;    // "J": station asks for the inputs
const unsigned char kAlarmBoxOutputs = 0x44; // "D": station sets the 16 outputs
const unsigned char kAlarmBoxInputs = 0x4B;  // "K": the box reports its 16 inputs
const unsigned char kAlarmBoxMarker = 0x10;
const int kAlarmBoxFrameSize = 7;
const int kAlarmBoxBufferSize = 1024;

#pragma pack(push, 1)
struct AlarmBoxFrame {
    unsigned char bytes[kAlarmBoxFrameSize];
};
#pragma pack(pop)
static_assert(sizeof(AlarmBoxFrame) == 7, "an alarm-box frame is 7 bytes");

// A frame of the command with the 16-bit value, for the box at the low byte of address.
AlarmBoxFrame MakeAlarmBoxFrame(int address, unsigned char command, unsigned int value);
unsigned char AlarmBoxChecksum(const unsigned char* frame);

// What the serial callback appends and the poller takes replies from. Not locked itself: the
// poller holds its buffer mutex around each call.
class AlarmBoxReceiveBuffer {
public:
    // When the bytes would not fit beside what is held, what is held is dropped first; of a
    // single chunk longer than the buffer only its last bytes are kept.
    void Append(const unsigned char* data, int length);
    // The input mask of the first input reply to this box (bytes up to and including it are
    // removed; garbled frames before it are dropped whole, 7 bytes from their 0xF6), or -1 when no
    // whole reply is held (a partial frame stays for the next call).
    int TakeInputReply(int address);
    void Clear() { m_length = 0; }
    int Length() const { return m_length; }

private:
    void Discard(int count);

    unsigned char m_data[kAlarmBoxBufferSize] = {};
    int m_length = 0;
};
