// The add-server dialog's Conduit calls, forwarded to the library unless a test replaced them.
#include "station/config/servers/ConduitProbe.h"

#include "devices/conduit/Conduit.h"

namespace {

IConduitProbe libraryProbe;
IConduitProbe* installed = &libraryProbe;

} // namespace

int IConduitProbe::SetConnectTimeout(int seconds, int tries)
{
    return Conduit_SetConnectTimeout(seconds, tries);
}

int IConduitProbe::ResolveDdns(const char* ddnsAddress, unsigned short ddnsPort, const char* serverName, char* address,
                               unsigned short* port)
{
    return Conduit_ResolveDdns(ddnsAddress, ddnsPort, serverName, address, port);
}

int IConduitProbe::QueryDevice(const char* name, const char* address, int* channels, int* sensors, int* relays,
                               unsigned short port)
{
    return Conduit_QueryDevice(name, address, channels, sensors, relays, port);
}

IConduitProbe& ConduitProbe()
{
    return *installed;
}

IConduitProbe* InstallConduitProbe(IConduitProbe* probe)
{
    IConduitProbe* previous = installed;
    installed = probe != nullptr ? probe : &libraryProbe;
    return previous;
}
