// MemoryDC: an off-screen device context with a compatible bitmap of a given size selected into it, the
// place where the toolkit paints before it copies the result to a window in one blit. Contexts with a
// bitmap of the display's format are kept for the next one of their size (see MemoryDC.cpp).
#pragma once
#include <windows.h>

class MemoryDC {
public:
    MemoryDC();
    MemoryDC(HDC reference, int width, int height);
    ~MemoryDC();
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    // Releases what it held, then makes a context and bitmap compatible with the reference; FALSE
    // (and nothing held) when either cannot be made or a side is not positive.
    BOOL Create(HDC reference, int width, int height);
    // Re-selects the replaced bitmap and deletes the bitmap and the context (or keeps them for the next
    // memory DC of that size).
    void Release();
    // Deletes the context and hands the bitmap to the caller, who then owns it.
    HBITMAP DetachBitmap();

    HDC Dc() const { return dc_; }
    HBITMAP Bitmap() const { return bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsValid() const { return dc_ != NULL; }
    operator HDC() const { return dc_; }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ oldBitmap_;
    int width_;
    int height_;
    int spareBits_;  // the display format's bits per pixel when the pair may be kept at release, else 0
    int savedState_; // SaveDC's answer right after the bitmap was selected: the state a kept pair returns to
};

// Deletes the contexts and bitmaps kept for later memory DCs.
void ReleaseSpareMemoryDCs();

// A window's WM_PAINT drawn off-screen: BeginPaint and a memory DC of the client's size; EndPaint when it
// goes out of scope.
class BufferedPaint {
public:
    explicit BufferedPaint(HWND hwnd);
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;

    // False when there is nothing to paint into: no paint DC, or no buffer of the client's size.
    bool Ready() const { return buffer_.IsValid(); }
    HDC Screen() const { return paint_.hdc; }
    MemoryDC& Buffer() { return buffer_; }
    const RECT& Client() const { return client_; }
    // Copies the whole buffer to the window.
    void Show() const;

private:
    HWND hwnd_;
    PAINTSTRUCT paint_;
    RECT client_;
    MemoryDC buffer_;
};
