// The entry points of Depotix.dll.
#include "devices/depotix/Service.h"

using depotix::Service;

extern "C" {

int __stdcall Depotix_Init(void)
{
    return 1;
}

int __stdcall Depotix_Cleanup(void)
{
    Service::Instance().Stop();
    return 1;
}

int __stdcall Depotix_Start(int, int port)
{
    return Service::Instance().Start(port);
}

int __stdcall Depotix_Stop(void)
{
    Service::Instance().Stop();
    return 1;
}

int __stdcall Depotix_SetLoginCallback(DepotixLoginCallback callback)
{
    Service::Instance().SetLoginCallback(callback);
    return 1;
}

int __stdcall Depotix_SetEventCallback(DepotixEventCallback callback)
{
    Service::Instance().SetEventCallback(callback);
    return 1;
}

} // extern "C"

static_assert(sizeof(DepotixDateTime) == 12, "DepotixDateTime is 12 bytes");
static_assert(sizeof(DepotixRequest) == 80 + sizeof(void*), "DepotixRequest is 84 bytes on the 32-bit target");
