// Writes a 24-bit bottom-up BMP whose pixels come from colour(x, y), y counted from the top.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

template <typename F> void WriteBitmap(const std::string& path, int width, int height, F colour)
{
    int stride = (width * 3 + 3) & ~3;
    std::string bytes(54 + stride * height, '\0');
    BITMAPFILEHEADER* file = reinterpret_cast<BITMAPFILEHEADER*>(&bytes[0]);
    file->bfType = 0x4D42;
    file->bfSize = (DWORD)bytes.size();
    file->bfOffBits = 54;
    BITMAPINFOHEADER* info = reinterpret_cast<BITMAPINFOHEADER*>(&bytes[14]);
    info->biSize = 40;
    info->biWidth = width;
    info->biHeight = height;
    info->biPlanes = 1;
    info->biBitCount = 24;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = colour(x, height - 1 - y);
            char* p = &bytes[54 + y * stride + x * 3];
            p[0] = (char)GetBValue(c);
            p[1] = (char)GetGValue(c);
            p[2] = (char)GetRValue(c);
        }
    }
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
}
