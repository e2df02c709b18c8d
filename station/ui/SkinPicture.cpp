// The picture helpers shared by the bitmap controls (declared in SkinButton.h).
#include "station/ui/SkinButton.h"

#include <map>
#include <string>

namespace {

// Status icons are switched on every refresh of every pane, and every pane shows the same few
// pictures: reading their files each time made the wall's creation and its page switches slow.
// Pictures are kept per full path (relative names follow the current directory) and size.
class SharedPictures {
public:
    ~SharedPictures()
    {
        for (auto& entry : pictures_)
            ReleaseSkinPicture(entry.second);
    }
    HBITMAP Get(LPCSTR path, int width, int height)
    {
        char full[MAX_PATH];
        DWORD length = GetFullPathNameA(path, sizeof full, full, nullptr);
        std::string key = length > 0 && length < sizeof full ? full : path;
        key += '|' + std::to_string(width) + 'x' + std::to_string(height);
        auto found = pictures_.find(key);
        if (found != pictures_.end())
            return found->second;
        HBITMAP picture = LoadSkinPicture(path, width, height);
        if (picture)
            pictures_.emplace(key, picture);
        return picture;
    }

private:
    std::map<std::string, HBITMAP> pictures_;
};

SharedPictures& TheSharedPictures()
{
    static SharedPictures pictures;
    return pictures;
}

} // namespace

HBITMAP LoadSkinPicture(LPCSTR path, int width, int height)
{
    if (!path || !path[0])
        return nullptr;
    return static_cast<HBITMAP>(
        LoadImageA(nullptr, path, IMAGE_BITMAP, width, height, LR_CREATEDIBSECTION | LR_DEFAULTSIZE | LR_LOADFROMFILE));
}

HBITMAP SharedSkinPicture(LPCSTR path, int width, int height)
{
    if (!path || !path[0])
        return nullptr;
    return TheSharedPictures().Get(path, width, height);
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

int ReplaceSkinPictures(const LPCSTR* paths, HBITMAP* const* slots, int count, int required, int width, int height)
{
    HBITMAP loaded[8] = {};
    if (count > static_cast<int>(sizeof loaded / sizeof loaded[0]))
        return 0;
    int failed = 0;
    for (int i = 0; i < required && !failed; ++i)
        failed = !paths[i];
    for (int i = 0; i < count && !failed; ++i) {
        if (!paths[i])
            continue;
        loaded[i] = LoadSkinPicture(paths[i], width, height);
        failed = !loaded[i];
    }
    if (failed) {
        for (HBITMAP& picture : loaded)
            ReleaseSkinPicture(picture);
        return 0;
    }
    for (int i = 0; i < count; ++i) {
        ReleaseSkinPicture(*slots[i]);
        *slots[i] = loaded[i];
    }
    return 1;
}

int CreateSkinControlWindow(CWnd* control, UINT id, CWnd* owner)
{
    RECT rect = {10, 10, 10, 10};
    if (!owner || !owner->GetSafeHwnd())
        return 0;
    return control->Create(nullptr, nullptr, SKIN_CONTROL_STYLE, rect, owner, id) ? 1 : 0;
}
