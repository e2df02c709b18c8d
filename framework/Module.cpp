// The module handles the framework loads resources from. The window half's application sets the
// instance at start; the resource module follows it until a language library replaces it.
#include "afx.h"

#include <atomic>

namespace {

std::atomic<HINSTANCE> instanceHandle{nullptr};
std::atomic<HINSTANCE> resourceHandle{nullptr};

} // namespace

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    HINSTANCE h = instanceHandle.load();
    return h ? h : GetModuleHandleA(nullptr);
}

void AFXAPI AfxSetInstanceHandle(HINSTANCE hInstance)
{
    instanceHandle.store(hInstance);
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    HINSTANCE h = resourceHandle.load();
    return h ? h : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    resourceHandle.store(hInstResource);
}
