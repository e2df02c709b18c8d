// A module of its own that calls system functions through its import table: loaded by the tests after an
// import-table redirection is in force, and standing for any other module (a control library) that asks
// the platform for colours while the inline patches are in force.
#include <windows.h>

extern "C" __declspec(dllexport) int ProbeGetScrollPos(HWND hwnd, int bar)
{
    return GetScrollPos(hwnd, bar);
}

extern "C" __declspec(dllexport) COLORREF ProbeGetSysColor(int index)
{
    return GetSysColor(index);
}

// Where this module's import table sends its GetScrollPos calls.
extern "C" __declspec(dllexport) void* ProbeGetScrollPosAddress()
{
    return reinterpret_cast<void*>(&GetScrollPos);
}
