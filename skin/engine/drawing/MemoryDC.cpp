// MemoryDC: creation and the two ways of letting go of the bitmap.
//
// Under Wine, making a device bitmap and selecting it into a context each cost a server-side trip, and
// every control repaint makes a few memory DCs at the same sizes as the last time. So a context with its
// display-format bitmap still selected is kept at release (up to a bounded number of pixels): its state
// goes back to what SaveDC recorded right after the bitmap was selected, and the next memory DC of that
// size clears it to black, exactly what a new context with a new bitmap would be.
#include "skin/engine/drawing/MemoryDC.h"

#include <vector>

namespace {

struct Spare {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ oldBitmap;
    int width;
    int height;
    int bits;
};

class SparePool {
public:
    SparePool() { InitializeCriticalSection(&lock_); }
    ~SparePool() { Clear(); }
    SparePool(const SparePool&) = delete;
    SparePool& operator=(const SparePool&) = delete;

    bool Take(int width, int height, int bits, Spare* taken)
    {
        EnterCriticalSection(&lock_);
        bool found = false;
        for (size_t i = spares_.size(); i-- > 0;) {
            const Spare& s = spares_[i];
            if (s.width == width && s.height == height && s.bits == bits) {
                *taken = s;
                pixels_ -= Pixels(s);
                spares_.erase(spares_.begin() + static_cast<std::ptrdiff_t>(i));
                found = true;
                break;
            }
        }
        LeaveCriticalSection(&lock_);
        return found;
    }

    void Give(const Spare& spare)
    {
        if (Pixels(spare) > kMaxPixels / 8) {
            Destroy(spare);
            return;
        }
        EnterCriticalSection(&lock_);
        spares_.push_back(spare);
        pixels_ += Pixels(spare);
        // The longest unused go first.
        while (spares_.size() > kMaxSpares || pixels_ > kMaxPixels) {
            pixels_ -= Pixels(spares_.front());
            Destroy(spares_.front());
            spares_.erase(spares_.begin());
        }
        LeaveCriticalSection(&lock_);
    }

    void Clear()
    {
        EnterCriticalSection(&lock_);
        for (const Spare& s : spares_)
            Destroy(s);
        spares_.clear();
        pixels_ = 0;
        LeaveCriticalSection(&lock_);
    }

    static void Destroy(const Spare& s)
    {
        SelectObject(s.dc, s.oldBitmap);
        DeleteDC(s.dc);
        DeleteObject(s.bitmap);
    }

private:
    static long long Pixels(const Spare& s) { return static_cast<long long>(s.width) * s.height; }

    static const size_t kMaxSpares = 64;
    static const long long kMaxPixels = 2 * 1024 * 1024;
    CRITICAL_SECTION lock_;
    std::vector<Spare> spares_;
    long long pixels_ = 0;
};

SparePool& Spares()
{
    static SparePool pool;
    return pool;
}

// The display format's bits per pixel, learnt from the first bitmap made for a window or screen DC
// (asking a DC for its device caps is itself slow under Wine).
volatile LONG g_displayBits = 0;

// The bits per pixel of what CreateCompatibleBitmap makes for the reference when that is a device bitmap
// of the display's format, else 0 (a memory DC holding a monochrome bitmap or a DIB section makes other
// kinds; a printer's DC has no window).
int DisplayFormatBits(HDC like, bool* learn)
{
    *learn = false;
    const DWORD type = GetObjectType(like);
    if (type == OBJ_DC) {
        if (!WindowFromDC(like))
            return 0;
        const LONG known = g_displayBits;
        *learn = known == 0;
        return known;
    }
    if (type != OBJ_MEMDC)
        return 0;
    HGDIOBJ selected = GetCurrentObject(like, OBJ_BITMAP);
    DIBSECTION section = {};
    if (!selected || GetObjectA(selected, sizeof section, &section) != static_cast<int>(sizeof(BITMAP)))
        return 0;
    const int bits = section.dsBm.bmBitsPixel * section.dsBm.bmPlanes;
    return bits > 1 && bits == g_displayBits ? bits : 0;
}

int BitmapBits(HBITMAP bitmap)
{
    BITMAP info = {};
    return GetObjectA(bitmap, sizeof info, &info) == static_cast<int>(sizeof info) ? info.bmBitsPixel * info.bmPlanes
                                                                                   : 0;
}

} // namespace

void ReleaseSpareMemoryDCs()
{
    Spares().Clear();
}

MemoryDC::MemoryDC() : dc_(NULL), bitmap_(NULL), oldBitmap_(NULL), width_(0), height_(0), spareBits_(0), savedState_(0)
{
}

MemoryDC::MemoryDC(HDC reference, int width, int height) : MemoryDC()
{
    Create(reference, width, height);
}

MemoryDC::~MemoryDC()
{
    Release();
}

BOOL MemoryDC::Create(HDC reference, int width, int height)
{
    Release();
    if (width <= 0 || height <= 0)
        return FALSE;
    HDC screen = reference ? NULL : GetDC(NULL);
    HDC like = reference ? reference : screen;
    bool learn = false;
    const int bits = like ? DisplayFormatBits(like, &learn) : 0;
    Spare spare = {};
    if (bits && Spares().Take(width, height, bits, &spare)) {
        if (screen)
            ReleaseDC(NULL, screen);
        dc_ = spare.dc;
        bitmap_ = spare.bitmap;
        oldBitmap_ = spare.oldBitmap;
        width_ = width;
        height_ = height;
        spareBits_ = bits;
        savedState_ = SaveDC(dc_);
        if (!savedState_)
            spareBits_ = 0;
        PatBlt(dc_, 0, 0, width, height, BLACKNESS);
        return TRUE;
    }
    dc_ = CreateCompatibleDC(like);
    bitmap_ = dc_ ? CreateCompatibleBitmap(like, width, height) : NULL;
    if (screen)
        ReleaseDC(NULL, screen);
    if (!dc_ || !bitmap_) {
        if (bitmap_)
            DeleteObject(bitmap_);
        if (dc_)
            DeleteDC(dc_);
        dc_ = NULL;
        bitmap_ = NULL;
        return FALSE;
    }
    oldBitmap_ = SelectObject(dc_, bitmap_);
    width_ = width;
    height_ = height;
    spareBits_ = bits;
    if (learn) {
        // Only a bitmap of a plain colour format teaches the display's.
        const int made = BitmapBits(bitmap_);
        if (made > 1)
            InterlockedCompareExchange(&g_displayBits, made, 0);
        spareBits_ = made > 1 && made == g_displayBits ? made : 0;
    }
    savedState_ = spareBits_ ? SaveDC(dc_) : 0;
    if (!savedState_)
        spareBits_ = 0;
    return TRUE;
}

void MemoryDC::Release()
{
    // A context whose saved state is gone (restored past it) cannot be trusted to be as new: it goes.
    if (dc_ && bitmap_ && spareBits_ && RestoreDC(dc_, savedState_) && GetCurrentObject(dc_, OBJ_BITMAP) == bitmap_) {
        const Spare spare = {dc_, bitmap_, oldBitmap_, width_, height_, spareBits_};
        Spares().Give(spare);
    } else {
        if (dc_) {
            SelectObject(dc_, oldBitmap_);
            DeleteDC(dc_);
        }
        if (bitmap_)
            DeleteObject(bitmap_);
    }
    dc_ = NULL;
    bitmap_ = NULL;
    oldBitmap_ = NULL;
    width_ = height_ = 0;
    spareBits_ = 0;
    savedState_ = 0;
}

HBITMAP MemoryDC::DetachBitmap()
{
    HBITMAP bitmap = bitmap_;
    if (dc_) {
        SelectObject(dc_, oldBitmap_);
        DeleteDC(dc_);
    }
    dc_ = NULL;
    bitmap_ = NULL;
    oldBitmap_ = NULL;
    width_ = height_ = 0;
    spareBits_ = 0;
    savedState_ = 0;
    return bitmap;
}

BufferedPaint::BufferedPaint(HWND hwnd) : hwnd_(hwnd), paint_(), client_()
{
    if (!BeginPaint(hwnd_, &paint_))
        return;
    GetClientRect(hwnd_, &client_);
    buffer_.Create(paint_.hdc, client_.right, client_.bottom);
}

BufferedPaint::~BufferedPaint()
{
    buffer_.Release();
    EndPaint(hwnd_, &paint_);
}

void BufferedPaint::Show() const
{
    BitBlt(paint_.hdc, 0, 0, client_.right, client_.bottom, buffer_, 0, 0, SRCCOPY);
}
