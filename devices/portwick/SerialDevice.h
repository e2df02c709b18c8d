// A device on one of the station's serial ports, reached through the simulated site. Its thread
// reads what the device sends; the keyboard turns that into posted key messages.
#pragma once
#include <memory>
#include <string>

#include "devices/common/HandleTable.h"
#include "devices/common/KeyboardCodec.h"
#include "devices/common/Net.h"
#include "devices/portwick/PtzProtocol.h"

namespace portwick {

class SerialDevice : public dev::Worker {
public:
    SerialDevice(int kind, int comPort)
        : kind_(kind), comPort_(comPort), lineSet_(CreateEventA(nullptr, FALSE, FALSE, nullptr))
    {
        InitializeCriticalSection(&lock_);
    }
    ~SerialDevice() override
    {
        CloseHandle(lineSet_);
        DeleteCriticalSection(&lock_);
    }
    // Opens the port on the site with these line settings; false when it cannot.
    bool Open(const dev::SerialLine& line);
    void Stop() override;
    bool Send(const uint8_t* data, size_t size);
    bool Reconfigure(const dev::SerialLine& line); // returns once the port runs with them

    int Kind() const { return kind_; }
    int ComPort() const { return comPort_; }

    // Linkage device.
    int address = 0;
    PtzProtocol protocol;
    // Keyboard.
    HWND window = nullptr;
    UINT message = 0;
    CRITICAL_SECTION lock_; // guards address, protocol

protected:
    void Run() override;

private:
    int kind_, comPort_;
    std::unique_ptr<dev::Channel> channel_;
    dev::KeyboardDecoder decoder_;
    HANDLE lineSet_; // the site's echo of new line settings
};

dev::SerialLine MakeLine(int baud, int dataBits, int stopBits, int parity);

} // namespace portwick
