// Captures what a user sees of a window (or the whole screen) and saves it as PNG.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // top row first, 3 bytes a pixel

    COLORREF Pixel(int x, int y) const
    {
        const uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
        return RGB(p[0], p[1], p[2]);
    }
};

// Reads the screen inside rect (screen coordinates), so overlapping windows show as they do to a user.
Capture CaptureScreenRect(const RECT& rect);
Capture CaptureWindow(HWND window); // the window's rectangle, frame included
Capture CaptureScreen();
bool SavePng(const Capture& capture, const std::string& path);
