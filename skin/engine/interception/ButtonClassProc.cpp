// Capturing the "BUTTON" class procedure through a throw-away button in a hidden helper window.
#include "skin/engine/interception/ButtonClassProc.h"

namespace {

WNDPROC g_buttonProc = NULL;
const char kHelperClass[] = "Tessarine_XP_Compatible";

} // namespace

BOOL CaptureButtonClassProc(HINSTANCE instance)
{
    WNDCLASSA helper = {};
    helper.style = CS_SAVEBITS | CS_CLASSDC;
    helper.lpfnWndProc = DefWindowProcA;
    helper.hInstance = instance;
    helper.hCursor = LoadCursor(NULL, IDC_ARROW);
    helper.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    helper.lpszClassName = kHelperClass;
    // The class stays registered; a second capture finds it there.
    if (!RegisterClassA(&helper) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return FALSE;
    HWND window = CreateWindowExA(0, kHelperClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 1, 1, NULL, NULL, instance, NULL);
    if (!window)
        return FALSE;
    HWND button = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 10, 10, window, NULL, instance, NULL);
    if (button) {
        g_buttonProc = reinterpret_cast<WNDPROC>(GetClassLongPtrA(button, GCLP_WNDPROC));
        DestroyWindow(button);
    }
    DestroyWindow(window);
    return TRUE;
}

WNDPROC GetButtonClassProc()
{
    return g_buttonProc;
}

BOOL HasCallableProc(WNDPROC proc)
{
    return (reinterpret_cast<ULONG_PTR>(proc) & 0xFFFF0000) != 0xFFFF0000;
}
