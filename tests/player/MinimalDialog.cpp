// The baseline of the player's start-up benchmark: a program that only shows an empty dialog, started
// the same way as Clipview.exe.
#include <windows.h>

namespace {

INT_PTR CALLBACK MinimalProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE) {
        DestroyWindow(dialog);
        PostQuitMessage(0);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // DLGTEMPLATE, then menu, class and caption as UTF-16 strings.
    alignas(4) WORD buffer[64] = {};
    DLGTEMPLATE* t = reinterpret_cast<DLGTEMPLATE*>(buffer);
    t->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_CENTER;
    t->cx = 240;
    t->cy = 240;
    WORD* p = reinterpret_cast<WORD*>(t + 1);
    *p++ = 0;
    *p++ = 0;
    for (const char* c = "MinimalDialog"; *c != '\0'; ++c)
        *p++ = WORD(*c);
    *p++ = 0;
    HWND dialog = CreateDialogIndirectParamA(instance, t, nullptr, MinimalProc, 0);
    if (dialog == nullptr)
        return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return 0;
}
