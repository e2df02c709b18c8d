#include "tests/skin/window/ControlTestWindows.h"

#include "skin/engine/drawing/PixelSection.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "tests/support/TestSupport.h"

HWND MakeTestParent(const char* className, WNDPROC proc, const char* title, int width, int height)
{
    WNDCLASSA wc = {};
    if (!GetClassInfoA(GetModuleHandleA(NULL), className, &wc)) {
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.hCursor = LoadCursor(NULL, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = className;
        RegisterClassA(&wc);
    }
    return CreateWindowExA(0, className, title, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 40, 40, width, height,
                           NULL, NULL, GetModuleHandleA(NULL), NULL);
}

HWND MakeTestControl(const char* className, HWND parent, DWORD style, int id, const char* text, int x, int y, int w,
                     int h, DWORD exStyle)
{
    return CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(NULL), NULL);
}

std::vector<COLORREF> ReadPixels(HDC source, const RECT& rect)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    PixelSection copy(width, height);
    std::vector<COLORREF> pixels;
    if (!copy.Ok())
        return pixels;
    BitBlt(copy.Dc(), 0, 0, width, height, source, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const uint32_t* p = copy.Pixels();
    pixels.reserve(copy.Count());
    for (size_t i = 0; i < copy.Count(); ++i)
        pixels.push_back(RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF));
    return pixels;
}

std::vector<COLORREF> ClientPixels(HWND hwnd)
{
    RECT client;
    GetClientRect(hwnd, &client);
    HDC dc = GetDC(hwnd);
    std::vector<COLORREF> pixels = ReadPixels(dc, client);
    ReleaseDC(hwnd, dc);
    return pixels;
}

void ControlTestBase::TearDown()
{
    for (HWND hwnd : windows_)
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
    windows_.clear();
}

HWND ControlTestBase::Track(HWND hwnd)
{
    windows_.push_back(hwnd);
    return hwnd;
}

void ControlTestBase::Skin(HWND parent)
{
    ASSERT_TRUE(SkinEngine::Instance().SkinTopLevelWindow(parent, "Dialog"));
    PumpMessages();
}
