// The entry points of Portwick.dll.
#include <cstring>

#include "devices/common/Guard.h"
#include "devices/portwick/SerialDevice.h"
#include "devices/portwick/Portwick.h"
#include "devices/common/Text.h"

using namespace portwick;
using dev::Guard;

namespace {

// A protocol object: one PTZ protocol per camera, replaced in place by a change.
class ProtocolObject : public dev::HandleObject {
public:
    ProtocolObject() { InitializeCriticalSection(&lock); }
    ~ProtocolObject() override { DeleteCriticalSection(&lock); }
    void Stop() override {}
    CRITICAL_SECTION lock;
    PtzProtocol protocol;
};

int OpenDevice(const std::shared_ptr<SerialDevice>& device, const dev::SerialLine& line)
{
    dev::EnsureWinsock();
    int h = dev::AddHandle(device);
    if (!device->Open(line)) {
        dev::TakeHandle(h);
        device->Stop();
        return 0;
    }
    return h;
}

std::shared_ptr<SerialDevice> Device(int handle, int kind)
{
    auto d = dev::Find<SerialDevice>(handle);
    return d && (kind == 0 || d->Kind() == kind) ? d : nullptr;
}

} // namespace

extern "C" {

int __stdcall Portwick_OpenLinkDevice(int comPort, int address, const char* controlFile)
{
    auto d = std::make_shared<SerialDevice>(PORTWICK_LINK_DEVICE, comPort);
    d->address = address & 0xFF;
    if (controlFile && *controlFile) {
        if (!d->protocol.Load(controlFile))
            return 0;
    } else {
        d->protocol.LoadLinkageDefault();
    }
    return OpenDevice(d, MakeLine(9600, 8, 1, 0));
}

int __stdcall Portwick_SetRelay(int handle, int command, int output)
{
    auto d = Device(handle, PORTWICK_LINK_DEVICE);
    if (!d || output < 0 || output > 7 || (command != PORTWICK_RELAY_ON && command != PORTWICK_RELAY_OFF))
        return 0;
    uint8_t bytes[PORTWICK_COMMAND_SIZE];
    int n;
    {
        Guard g(d->lock_);
        n = d->protocol.Build(command, bytes, d->address, 0, output);
    }
    return n > 0 && d->Send(bytes, size_t(n)) ? 1 : 0;
}

int __stdcall Portwick_OpenKeyboard(int comPort, int dataBits, int stopBits, int parity, int baud, int protocol,
                                    HWND window, UINT message)
{
    if (protocol != 0)
        return 0; // "PELCO D/P" is the one keyboard protocol
    auto d = std::make_shared<SerialDevice>(PORTWICK_KEYBOARD, comPort);
    d->window = window;
    d->message = message;
    return OpenDevice(d, MakeLine(baud, dataBits, stopBits, parity));
}

int __stdcall Portwick_ConfigureKeyboard(int handle, int dataBits, int stopBits, int parity, int baud, int protocol)
{
    auto d = Device(handle, PORTWICK_KEYBOARD);
    return d && protocol == 0 && d->Reconfigure(MakeLine(baud, dataBits, stopBits, parity)) ? 1 : 0;
}

int __stdcall Portwick_OpenAlarmInput(int comPort)
{
    return OpenDevice(std::make_shared<SerialDevice>(PORTWICK_ALARM_INPUT, comPort), MakeLine(9600, 8, 1, 0));
}

int __stdcall Portwick_Close(int handle, int kind)
{
    if (!Device(handle, kind) || kind == 0)
        return 0;
    dev::HandlePtr p = dev::TakeHandle(handle);
    if (p)
        p->Stop();
    return p ? 1 : 0;
}

int __stdcall Portwick_GetProtocolName(int handle, char* name)
{
    auto d = Device(handle, PORTWICK_LINK_DEVICE);
    if (!d || !name)
        return 0;
    Guard g(d->lock_);
    dev::CopyText(name, PORTWICK_TEXT_SIZE, d->protocol.Name().c_str());
    return 1;
}

int __stdcall Portwick_GetPort(int handle)
{
    auto d = Device(handle, 0);
    return d ? d->ComPort() : -1;
}

int __stdcall Portwick_GetAddress(int handle)
{
    auto d = Device(handle, PORTWICK_LINK_DEVICE);
    if (!d)
        return -1;
    Guard g(d->lock_);
    return d->address;
}

int __stdcall Portwick_SetAddress(int handle, int address)
{
    auto d = Device(handle, PORTWICK_LINK_DEVICE);
    if (!d)
        return 0;
    Guard g(d->lock_);
    d->address = address & 0xFF;
    return 1;
}

int __stdcall Portwick_LoadControlFile(int handle, const char* path)
{
    auto d = Device(handle, PORTWICK_LINK_DEVICE);
    PtzProtocol loaded;
    if (!d || !path || !loaded.Load(path))
        return 1;
    Guard g(d->lock_);
    d->protocol = loaded;
    return 0;
}

int __stdcall Portwick_OpenPtzProtocol(const char* protocol)
{
    auto p = std::make_shared<ProtocolObject>();
    if (!protocol || !p->protocol.Load(protocol))
        return 0;
    return dev::AddHandle(p);
}

int __stdcall Portwick_ChangePtzProtocol(int handle, const char* protocol)
{
    auto p = dev::Find<ProtocolObject>(handle);
    PtzProtocol loaded;
    if (!p || !protocol || !loaded.Load(protocol))
        return 1;
    Guard g(p->lock);
    p->protocol = loaded;
    return 0;
}

int __stdcall Portwick_ClosePtzProtocol(int handle)
{
    if (!dev::Find<ProtocolObject>(handle))
        return 0;
    dev::TakeHandle(handle);
    return 1;
}

int __stdcall Portwick_GetProtocolDescription(int handle, char* text)
{
    auto p = dev::Find<ProtocolObject>(handle);
    if (!p || !text)
        return 0;
    Guard g(p->lock);
    dev::CopyText(text, PORTWICK_TEXT_SIZE, p->protocol.Description().c_str());
    return 1;
}

int __stdcall Portwick_BuildPtzCommand(int handle, int code, unsigned char* out, int address, int speed, int value)
{
    auto p = dev::Find<ProtocolObject>(handle);
    if (!p || !out)
        return -1;
    Guard g(p->lock);
    return p->protocol.Build(code, out, address, speed, value);
}

} // extern "C"
