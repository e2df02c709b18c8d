// A "Link Window" class of the tests' own, standing in for the platform's: underlined text on the window
// colour, drawn for WM_PAINT and for WM_PRINTCLIENT alike.
#include "tests/skin/window/TestLinkWindow.h"

void PaintTestLink(HWND hwnd, HDC dc)
{
    RECT r;
    GetClientRect(hwnd, &r);
    HBRUSH window = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
    FillRect(dc, &r, window);
    DeleteObject(window);
    LOGFONTA lf = {};
    lf.lfHeight = -14;
    lf.lfWeight = FW_BOLD;
    lf.lfUnderline = TRUE;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    HFONT font = CreateFontIndirectA(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTestLinkColor);
    char text[64];
    const int length = GetWindowTextA(hwnd, text, sizeof text);
    DrawTextA(dc, text, length, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    DeleteObject(font);
}

namespace {

LRESULT CALLBACK TestLinkProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        PaintTestLink(hwnd, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        if (lParam & PRF_CLIENT)
            PaintTestLink(hwnd, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace

void RegisterTestLinkWindow()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    WNDCLASSA wc = {};
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hCursor = LoadCursor(NULL, IDC_HAND);
    wc.lpfnWndProc = TestLinkProc;
    wc.lpszClassName = "Link Window";
    RegisterClassA(&wc);
}
