// The picture helpers shared by the bitmap controls (declared in SkinButton.h).
#include "station/ui/SkinButton.h"

HBITMAP LoadSkinPicture(LPCSTR path, int width, int height)
{
    if (!path || !path[0])
        return nullptr;
    return static_cast<HBITMAP>(
        LoadImageA(nullptr, path, IMAGE_BITMAP, width, height, LR_CREATEDIBSECTION | LR_DEFAULTSIZE | LR_LOADFROMFILE));
}

SIZE SkinPictureSize(HBITMAP picture)
{
    SIZE size = {0, 0};
    BITMAP info;
    if (picture && GetObject(picture, sizeof(info), &info)) {
        size.cx = info.bmWidth;
        size.cy = info.bmHeight;
    }
    return size;
}

void PaintSkinPicture(CDC* dc, HBITMAP picture, int width, int height)
{
    if (!picture)
        return;
    HDC memory = CreateCompatibleDC(dc->GetSafeHdc());
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(dc->GetSafeHdc(), 0, 0, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void ReleaseSkinPicture(HBITMAP& picture)
{
    if (picture)
        DeleteObject(picture);
    picture = nullptr;
}

int CreateSkinControlWindow(CWnd* control, UINT id, CWnd* owner)
{
    RECT rect = {10, 10, 10, 10};
    if (!owner || !owner->GetSafeHwnd())
        return 0;
    return control->Create(nullptr, nullptr, SKIN_CONTROL_STYLE, rect, owner, id) ? 1 : 0;
}
