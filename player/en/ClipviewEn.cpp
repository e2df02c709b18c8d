// ClipviewEn.dll holds resources only; the entry point has nothing to do.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
