#include "station/ui/liveview/LiveViewHost.h"

namespace {

CNullLiveViewHost nullHost;
ILiveViewHost* installedHost = &nullHost;

} // namespace

ILiveViewHost& LiveViewHost()
{
    return *installedHost;
}

ILiveViewHost* SetLiveViewHost(ILiveViewHost* host)
{
    ILiveViewHost* before = installedHost == &nullHost ? nullptr : installedHost;
    installedHost = host ? host : &nullHost;
    return before;
}
