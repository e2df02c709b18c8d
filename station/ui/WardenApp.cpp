// Warden's entry point: runs the log-in dialog from the program's resources.
#include <windows.h>
#include <commctrl.h>

#include "resources/warden/resource.h"

static INT_PTR CALLBACK LoginProc(HWND dlg, UINT msg, WPARAM wp, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        char caption[64];
        if (LoadStringA(GetModuleHandleA(nullptr), IDS_LOGIN_CAPTION, caption, sizeof caption) > 0)
            SetWindowTextA(dlg, caption);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
            EndDialog(dlg, LOWORD(wp));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InitCommonControls();
    INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_LOGIN), nullptr, LoginProc, 0);
    return result == -1 ? 1 : 0;
}
