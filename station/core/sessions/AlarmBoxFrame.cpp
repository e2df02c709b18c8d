// The alarm-box frame codec and the reply parser.
#include "station/core/sessions/AlarmBoxFrame.h"

#include <string.h>

unsigned char AlarmBoxChecksum(const unsigned char* frame)
{
    unsigned int sum = 0;
    for (int i = 1; i <= 5; ++i)
        sum += frame[i];
    return (unsigned char)(sum & 0xFF);
}

AlarmBoxFrame MakeAlarmBoxFrame(int address, unsigned char command, unsigned int value)
{
    AlarmBoxFrame frame;
    frame.bytes[0] = kAlarmBoxStart;
    frame.bytes[1] = (unsigned char)(address & 0xFF);
    frame.bytes[2] = command;
    frame.bytes[3] = kAlarmBoxMarker;
    frame.bytes[4] = (unsigned char)(value & 0xFF);
    frame.bytes[5] = (unsigned char)((value >> 8) & 0xFF);
    frame.bytes[6] = AlarmBoxChecksum(frame.bytes);
    return frame;
}

void AlarmBoxReceiveBuffer::Append(const unsigned char* data, int length)
{
    if (data == nullptr || length <= 0)
        return;
    if (length > kAlarmBoxBufferSize) {
        data += length - kAlarmBoxBufferSize;
        length = kAlarmBoxBufferSize;
    }
    if (m_length + length > kAlarmBoxBufferSize)
        m_length = 0;
    memcpy(m_data + m_length, data, (size_t)length);
    m_length += length;
}

void AlarmBoxReceiveBuffer::Discard(int count)
{
    if (count >= m_length) {
        m_length = 0;
        return;
    }
    memmove(m_data, m_data + count, (size_t)(m_length - count));
    m_length -= count;
}

int AlarmBoxReceiveBuffer::TakeInputReply(int address)
{
    while (m_length > 0) {
        const unsigned char* start =
            static_cast<const unsigned char*>(memchr(m_data, kAlarmBoxStart, (size_t)m_length));
        // Bytes before a start byte can never begin a frame; they go, so that garbage does not sit
        // in the buffer until it overflows.
        int at = start ? (int)(start - m_data) : m_length;
        Discard(at);
        if (m_length < kAlarmBoxFrameSize)
            return -1;
        const unsigned char* f = m_data;
        bool reply = f[1] == (unsigned char)(address & 0xFF) && f[2] == kAlarmBoxInputs && f[3] == kAlarmBoxMarker &&
                     f[6] == AlarmBoxChecksum(f);
        int mask = f[5] * 256 + f[4];
        Discard(kAlarmBoxFrameSize);
        if (reply)
            return mask;
    }
    return -1;
}
