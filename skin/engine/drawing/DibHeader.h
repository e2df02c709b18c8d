// The headers of the device-independent pictures the toolkit reads and writes pixel by pixel: rows
// from the top down, uncompressed.
#pragma once
#include <windows.h>

inline BITMAPINFOHEADER TopDownHeader(int width, int height, WORD bitCount)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = bitCount;
    header.biCompression = BI_RGB;
    return header;
}

// A 32-bit picture's, as the calls that take a BITMAPINFO want it.
inline BITMAPINFO TopDownInfo(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader = TopDownHeader(width, height, 32);
    return info;
}
