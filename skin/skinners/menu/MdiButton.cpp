// MdiButton: drawing by state.
#include "skin/skinners/menu/MdiButton.h"

#include <cstring>

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/images/ImageDraw.h"

MdiButton::MdiButton() : rect{0, 0, 0, 0}, state(StateNormal)
{
    std::memset(images_, 0, sizeof images_);
}

void MdiButton::SetImages(const ImagePart& normal, const ImagePart& hot, const ImagePart& pressed)
{
    images_[0] = normal;
    images_[1] = hot;
    images_[2] = pressed;
}

void MdiButton::Paint(HDC dc) const
{
    const int index = state >= 0 && state < 3 ? state : 0;
    const ImagePart part = ChooseImagePart(images_[index], images_[0]);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (IsImagePartEmpty(part) || width <= 0 || height <= 0)
        return;
    const COLORREF key = GetSysColor(COLOR_BTNFACE);
    MemoryDC buffer(dc, width, height);
    if (!buffer.IsValid())
        return;
    const RECT local = {0, 0, width, height};
    FillRectColor(buffer, local, key);
    DrawImagePart(buffer, local, part, key, FALSE);
    HBITMAP bitmap = buffer.DetachBitmap();
    BlitTransparent(dc, rect.left, rect.top, width, height, bitmap, 0, 0, key);
    DeleteObject(bitmap);
}
