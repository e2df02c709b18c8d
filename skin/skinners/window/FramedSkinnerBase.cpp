// FramedSkinnerBase: non-client painting, caption text, region, sizing and tracking limits of framed
// windows.
#include "skin/skinners/window/FramedSkinnerBase.h"

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/drawing/WindowTools.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/FramedSkinObjects.h"
#include "skin/skinners/window/FrameGeometry.h"

BOOL FramedSkinnerBase::DesignRects(RECT (&design)[9]) const
{
    const FramedSkinObject* framed = Framed();
    for (int i = 0; i < 9; ++i)
        design[i] = framed ? framed->GetFrameRect(i) : RECT{0, 0, 0, 0};
    return framed != NULL;
}

LRESULT FramedSkinnerBase::OnNcCalcSize(WPARAM wParam, LPARAM lParam)
{
    RECT design[9];
    if (!DesignRects(design) || !lParam)
        return SkinnedWindow::WindowProc(WM_NCCALCSIZE, wParam, lParam);
    RECT* proposed = reinterpret_cast<RECT*>(lParam);
    const int width = RectWidth(*proposed) - RectWidth(design[3]) - RectWidth(design[5]);
    *proposed = FrameClientRect(*proposed, design, GetMenuBarHeight(width));
    return 0;
}

void FramedSkinnerBase::MaximizedPlace(MINMAXINFO* info)
{
    RECT work;
    if (!GetMonitorRectForWindow(hwnd_, work, TRUE))
        return;
    info->ptMaxSize.x = RectWidth(work);
    info->ptMaxSize.y = RectHeight(work);
    info->ptMaxPosition.x = work.left;
    info->ptMaxPosition.y = work.top;
}

void FramedSkinnerBase::AnswerFramedMinMaxInfo(MINMAXINFO* info)
{
    if (!info)
        return;
    MaximizedPlace(info);
    RECT design[9];
    if (DesignRects(design)) {
        const SIZE least = FrameMinTrackSize(design);
        info->ptMinTrackSize.x = least.cx;
        info->ptMinTrackSize.y = least.cy;
    }
    MINMAXINFO theirs = *info;
    CallSavedProc(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&theirs));
    if (theirs.ptMaxTrackSize.x < info->ptMaxTrackSize.x)
        info->ptMaxTrackSize.x = theirs.ptMaxTrackSize.x;
    if (theirs.ptMaxTrackSize.y < info->ptMaxTrackSize.y)
        info->ptMaxTrackSize.y = theirs.ptMaxTrackSize.y;
    if (theirs.ptMinTrackSize.x > info->ptMinTrackSize.x)
        info->ptMinTrackSize.x = theirs.ptMinTrackSize.x;
    if (theirs.ptMinTrackSize.y > info->ptMinTrackSize.y)
        info->ptMinTrackSize.y = theirs.ptMinTrackSize.y;
}

BOOL FramedSkinnerBase::IsModalFrame() const
{
    const LONG style = hwnd_ ? GetWindowLongA(hwnd_, GWL_STYLE) : 0;
    return (style & WS_DLGFRAME) && (style & DS_MODALFRAME);
}

BOOL FramedSkinnerBase::IsResizable() const
{
    return hwnd_ && !IsModalFrame() && (GetWindowLongA(hwnd_, GWL_STYLE) & WS_THICKFRAME);
}

BOOL FramedSkinnerBase::SizeChanged() const
{
    RECT now;
    if (!hwnd_ || !::GetWindowRect(hwnd_, &now))
        return FALSE;
    return IsRectEmpty(&lastWindowRect_) || RectWidth(now) != RectWidth(lastWindowRect_) ||
           RectHeight(now) != RectHeight(lastWindowRect_);
}

void FramedSkinnerBase::RecordWindowRect()
{
    if (!hwnd_ || !::GetWindowRect(hwnd_, &lastWindowRect_))
        SetRectEmpty(&lastWindowRect_);
}

SIZE FramedSkinnerBase::GetMinTrackSize() const
{
    const FramedSkinObject* framed = Framed();
    if (!framed)
        return SIZE{10, 10};
    const RECT top0 = framed->GetFrameRect(0), top2 = framed->GetFrameRect(2);
    return SIZE{RectWidth(top0) + RectWidth(top2) + 10, RectHeight(top0) + 5};
}

SIZE FramedSkinnerBase::ClientSize() const
{
    RECT client = {0, 0, 0, 0};
    if (hwnd_)
        GetClientRect(hwnd_, &client);
    return SIZE{client.right, client.bottom};
}

void FramedSkinnerBase::FitClientToFrame(const SIZE* client)
{
    const FramedSkinObject* framed = Framed();
    RECT window;
    if (!framed || !hwnd_ || !::GetWindowRect(hwnd_, &window))
        return;
    const SIZE keep = client ? *client : ClientSize();
    const int width = RectWidth(framed->GetFrameRect(5)) + RectWidth(framed->GetFrameRect(3)) + keep.cx;
    const int height =
        RectHeight(framed->GetFrameRect(6)) + RectHeight(framed->GetFrameRect(0)) + GetMenuBarHeight(keep.cx) + keep.cy;
    if (width != RectWidth(window) || height != RectHeight(window))
        SetWindowPos(hwnd_, NULL, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

RECT FramedSkinnerBase::GetCaptionRect()
{
    RECT bar;
    GetMenuBarRect(&bar);
    return RECT{frameRects_[0].left, frameRects_[0].top, frameRects_[2].right, frameRects_[0].bottom + RectHeight(bar)};
}

void FramedSkinnerBase::ApplyWindowRegion(BOOL redraw)
{
    if (!hwnd_)
        return;
    HRGN region = GetWindowRegion();
    const RECT bounds = GetWindowBounds();
    RECT box;
    if (region && GetRgnBox(region, &box) == SIMPLEREGION && EqualRect(&box, &bounds)) {
        DeleteObject(region);
        region = NULL;
    }
    if (!region && !region_)
        return;
    if (SetWindowRgn(hwnd_, region, redraw)) {
        // The window deleted the region it had; the new one is its own now.
        region_ = region;
    } else if (region) {
        DeleteObject(region);
    }
}

BOOL FramedSkinnerBase::PaintIconic(const SlicedImage& activeImage, const SlicedImage& inactiveImage)
{
    if (!hwnd_ || !IsIconic(hwnd_) || IsSlicedImageEmpty(activeImage))
        return FALSE;
    const RECT bounds = GetWindowBounds();
    HDC windowDc = GetWindowDC(hwnd_);
    if (!windowDc)
        return FALSE;
    MemoryDC buffer;
    if (buffer.Create(windowDc, RectWidth(bounds), RectHeight(bounds))) {
        const BOOL active = IsActiveCaption();
        const SlicedImage& image = active || IsSlicedImageEmpty(inactiveImage) ? activeImage : inactiveImage;
        const FramedSkinObject* framed = Framed();
        DrawFrameImage(buffer, bounds, image, framed ? framed->firstColor : 0, TRUE);
        SetBkMode(buffer, TRANSPARENT);
        PaintCaptionText(buffer, active);
        PaintFrameElements(buffer);
        BitBlt(windowDc, 0, 0, RectWidth(bounds), RectHeight(bounds), buffer, 0, 0, SRCCOPY);
    }
    ReleaseDC(hwnd_, windowDc);
    return TRUE;
}

void FramedSkinnerBase::PaintNonClient(WPARAM updateRegion, const SlicedImage* minimized, BOOL activeOverride)
{
    if (!hwnd_)
        return;
    const BOOL active = activeOverride == -1 ? IsActiveCaption() : activeOverride;
    const RECT bounds = GetWindowBounds();
    LayoutFrameRects(RectWidth(bounds), RectHeight(bounds));
    if (SizeChanged()) {
        RecordWindowRect();
        ApplyWindowRegion(TRUE);
        SendMessageA(hwnd_, WM_NCPAINT, 1, 0);
        return;
    }
    if (minimized && PaintIconic(minimized[0], minimized[1]))
        return;
    HDC windowDc = GetWindowDC(hwnd_);
    if (!windowDc)
        return;
    MemoryDC buffer;
    if (buffer.Create(windowDc, RectWidth(bounds), RectHeight(bounds))) {
        SetBkMode(buffer, TRANSPARENT);
        PaintFrame(buffer, active);
        PaintFrameElements(buffer);
        // Everything but the client is copied: the system's update region is only read, never kept.
        RECT client;
        GetClientRect(hwnd_, &client);
        POINT origin = {0, 0};
        ClientToScreen(hwnd_, &origin);
        const POINT windowOrigin = ScreenToWindow(origin);
        OffsetRect(&client, windowOrigin.x, windowOrigin.y);
        ExcludeClipRect(windowDc, client.left, client.top, client.right, client.bottom);
        if (updateRegion > 1) {
            HRGN clip = CreateRectRgn(0, 0, 0, 0);
            if (clip && CombineRgn(clip, reinterpret_cast<HRGN>(updateRegion), NULL, RGN_COPY) != ERROR) {
                RECT window;
                ::GetWindowRect(hwnd_, &window);
                OffsetRgn(clip, -window.left, -window.top);
                ExtSelectClipRgn(windowDc, clip, RGN_AND);
            }
            if (clip)
                DeleteObject(clip);
        }
        BitBlt(windowDc, 0, 0, RectWidth(bounds), RectHeight(bounds), buffer, 0, 0, SRCCOPY);
    }
    ReleaseDC(hwnd_, windowDc);
}

void FramedSkinnerBase::DrawCaptionText(HDC dc, LONG style)
{
    const FramedSkinObject* framed = Framed();
    if (!framed || !hwnd_ || (style & WS_CAPTION) != WS_CAPTION || !defaultCaptionText_)
        return;
    char text[301] = "";
    GetWindowTextA(hwnd_, text, sizeof text);
    HFONT font = CreateFontIndirectA(&framed->itemFont.logFont);
    HGDIOBJ old = font ? SelectObject(dc, font) : NULL;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, framed->itemFont.color & 0xFFFFFF);
    UINT format = DT_SINGLELINE | DT_VCENTER;
    const LONG exStyle = GetWindowLongA(hwnd_, GWL_EXSTYLE);
    if (exStyle & WS_EX_RTLREADING)
        format |= DT_RTLREADING;
    if (exStyle & WS_EX_RIGHT)
        format |= DT_RIGHT;
    RECT r = frameRects_[1];
    DrawTextA(dc, text, -1, &r, format);
    if (font) {
        SelectObject(dc, old);
        DeleteObject(font);
    }
}

LRESULT FramedSkinnerBase::Stripped(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    SetWindowLongA(hwnd_, GWL_STYLE, style & ~WS_SYSMENU);
    const LRESULT result = SkinnedWindow::WindowProc(message, wParam, lParam);
    // The window may be gone when the call returns.
    if (hwnd_ && IsWindow(hwnd_))
        SetWindowLongA(hwnd_, GWL_STYLE, GetWindowLongA(hwnd_, GWL_STYLE) | (style & WS_SYSMENU));
    return result;
}
