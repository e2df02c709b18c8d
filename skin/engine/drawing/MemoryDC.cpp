// MemoryDC: creation and the two ways of letting go of the bitmap.
#include "skin/engine/drawing/MemoryDC.h"

MemoryDC::MemoryDC() : dc_(NULL), bitmap_(NULL), oldBitmap_(NULL), width_(0), height_(0) {}

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
    return TRUE;
}

void MemoryDC::Release()
{
    if (dc_) {
        SelectObject(dc_, oldBitmap_);
        DeleteDC(dc_);
    }
    if (bitmap_)
        DeleteObject(bitmap_);
    dc_ = NULL;
    bitmap_ = NULL;
    oldBitmap_ = NULL;
    width_ = height_ = 0;
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
    return bitmap;
}
