// MdiButton: drawing by state.
#include "skin/skinners/menu/MdiButton.h"

#include <cstring>

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
    DrawImagePartTransparent(dc, rect, part, GetSysColor(COLOR_BTNFACE));
}
