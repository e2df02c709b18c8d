// Clipview's entry point: runs the player's main dialog from the program's resources.
#include <windows.h>
#include <commctrl.h>

#include "resources/clipview/resource.h"

static INT_PTR CALLBACK PlayerProc(HWND dlg, UINT msg, WPARAM wp, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        char caption[64];
        if (LoadStringA(GetModuleHandleA(nullptr), IDS_PLAYER_CAPTION, caption, sizeof caption) > 0)
            SetWindowTextA(dlg, caption);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
            EndDialog(dlg, LOWORD(wp));
            return TRUE;
        }
        break;
    case WM_CLOSE:
        EndDialog(dlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InitCommonControls();
    INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PLAYER), nullptr, PlayerProc, 0);
    return result == -1 ? 1 : 0;
}
