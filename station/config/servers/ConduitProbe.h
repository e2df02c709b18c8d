// The three Conduit calls by which the add-server dialog asks a server whether it answers. They go
// through one replaceable object so that a test can record them (and the time-out left behind);
// the installed default calls the library.
#pragma once

class IConduitProbe {
public:
    virtual ~IConduitProbe() = default;
    virtual int SetConnectTimeout(int seconds, int tries);
    // 0 = resolved into address (32 bytes) and port.
    virtual int ResolveDdns(const char* ddnsAddress, unsigned short ddnsPort, const char* serverName, char* address,
                            unsigned short* port);
    // Nonzero = the device answered with its channel count.
    virtual int QueryDevice(const char* name, const char* address, int* channels, int* sensors, int* relays,
                            unsigned short port);
};

IConduitProbe& ConduitProbe();
// Returns the object installed before; null puts the library's back.
IConduitProbe* InstallConduitProbe(IConduitProbe* probe);
