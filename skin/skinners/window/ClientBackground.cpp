// ClientBackground: the off-screen client picture of a skinned window.
#include "skin/skinners/window/ClientBackground.h"

#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/FramedSkinObjects.h"

ClientBackground::ClientBackground() : firstPaint_(FALSE) {}

void ClientBackground::Drop()
{
    buffer_.Release();
}

BOOL ClientBackground::Ensure(HWND hwnd, const FramedSkinObject* object, BOOL skinClient)
{
    RECT client;
    if (!hwnd || !GetClientRect(hwnd, &client) || client.right <= 0 || client.bottom <= 0)
        return FALSE;
    if (buffer_.IsValid() && buffer_.Width() == client.right && buffer_.Height() == client.bottom)
        return TRUE;
    HDC dc = GetDC(hwnd);
    const BOOL made = buffer_.Create(dc, client.right, client.bottom);
    ReleaseDC(hwnd, dc);
    if (!made)
        return FALSE;
    if (skinClient && object) {
        const ImagePart part = object->GetImagePart(4);
        DrawImagePart(buffer_, client, part, object->thirdColor, TRUE);
        firstPaint_ = part.mode == 2;
    } else {
        SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(buffer_.Dc()), 0);
    }
    return TRUE;
}

LRESULT ClientBackground::Erase(HWND hwnd, HDC dc, const FramedSkinObject* object)
{
    if (!Ensure(hwnd, object, TRUE))
        return 0;
    if (firstPaint_) {
        firstPaint_ = FALSE;
        RedrawWindow(hwnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
        return 1;
    }
    RECT client, box;
    GetClientRect(hwnd, &client);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    if (GetClipBox(dc, &box) != NULLREGION && !IsRectEmpty(&box))
        BitBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, buffer_, box.left, box.top, SRCCOPY);
    RestoreDC(dc, saved);
    return 1;
}

LRESULT ClientBackground::DrawUnder(HWND hwnd, HDC dc, HWND child, const FramedSkinObject* object, BOOL skinClient)
{
    if (!dc || !child || !Ensure(hwnd, object, skinClient))
        return 1;
    RECT r;
    GetClientRect(child, &r);
    MapWindowPoints(child, hwnd, reinterpret_cast<POINT*>(&r), 2);
    BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, buffer_, r.left, r.top, SRCCOPY);
    return 1;
}
