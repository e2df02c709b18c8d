// ClientBackground: the picture of a skinned frame's or dialog's client area, kept off-screen at the
// client size. The window erases from it and hands children the part under them, so a window and the
// background its controls ask for are one picture.
#pragma once
#include <windows.h>

#include "skin/engine/drawing/MemoryDC.h"

class FramedSkinObject;

class ClientBackground {
public:
    ClientBackground();

    void Drop();
    // Rebuilds the picture when missing or when the client size changed. With the skin's client picture
    // it is drawn from the object, else the window erases into it.
    BOOL Ensure(HWND hwnd, const FramedSkinObject* object, BOOL skinClient);
    // WM_ERASEBKGND: copies the DC's clip box within the client from the picture; 1 when erased.
    LRESULT Erase(HWND hwnd, HDC dc, const FramedSkinObject* object);
    // WM_SKIN_DRAWBACKGROUND: the part under the child into the DC at (0, 0).
    LRESULT DrawUnder(HWND hwnd, HDC dc, HWND child, const FramedSkinObject* object, BOOL skinClient);

private:
    MemoryDC buffer_;
    BOOL firstPaint_; // a stretched picture repaints once more after its first erase
};
