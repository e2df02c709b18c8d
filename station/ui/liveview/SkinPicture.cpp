// The picture helpers shared by the bitmap controls (declared in SkinButton.h).
#include "station/ui/liveview/SkinButton.h"

#include <cstring>
#include <map>
#include <string>
#include <vector>

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

namespace {

// The station's pictures are plain bottom-up 24- or 32-bit files shown at their own size: those are
// read here into a section of the same format (the pixels LoadImage would give), at a fraction of
// the system calls of LoadImage, which the station's start-up makes hundreds of. Null for anything
// else, which LoadImage then reads.
HBITMAP ReadPlainBitmapFile(LPCSTR path, int width, int height)
{
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    LARGE_INTEGER size = {};
    std::vector<unsigned char> bytes;
    DWORD read = 0;
    const LONGLONG kLargest = 64LL << 20;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= kLargest) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())
            bytes.clear();
    }
    CloseHandle(file);
    BITMAPFILEHEADER head;
    BITMAPINFOHEADER info;
    if (bytes.size() < sizeof head + sizeof info)
        return nullptr;
    std::memcpy(&head, bytes.data(), sizeof head);
    std::memcpy(&info, bytes.data() + sizeof head, sizeof info);
    if (head.bfType != 0x4D42 || info.biSize != sizeof info || info.biPlanes != 1 ||
        (info.biBitCount != 24 && info.biBitCount != 32) || info.biCompression != BI_RGB || info.biClrUsed != 0 ||
        info.biWidth <= 0 || info.biHeight <= 0 || info.biWidth > 32768 || info.biHeight > 32768)
        return nullptr;
    if ((width != 0 && width != info.biWidth) || (height != 0 && height != info.biHeight))
        return nullptr;
    size_t stride = ((static_cast<size_t>(info.biWidth) * info.biBitCount + 31) / 32) * 4;
    size_t pixels = stride * static_cast<size_t>(info.biHeight);
    if (head.bfOffBits < sizeof head + sizeof info || head.bfOffBits > bytes.size() ||
        bytes.size() - head.bfOffBits < pixels)
        return nullptr;
    BITMAPINFO section = {};
    section.bmiHeader = info;
    section.bmiHeader.biSizeImage = 0;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, &section, DIB_RGB_COLORS, &bits, nullptr, 0);
    // Row by row: the bytes that pad a row are left zero, as LoadImage leaves them.
    size_t used = static_cast<size_t>(info.biWidth) * (info.biBitCount / 8);
    for (LONG row = 0; picture && bits && row < info.biHeight; ++row)
        std::memcpy(static_cast<unsigned char*>(bits) + row * stride, bytes.data() + head.bfOffBits + row * stride,
                    used);
    return picture;
}

} // namespace

HBITMAP LoadSkinPicture(LPCSTR path, int width, int height)
{
    if (!path || !path[0])
        return nullptr;
    if (HBITMAP picture = ReadPlainBitmapFile(path, width, height))
        return picture;
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

void SizeToSkinPicture(CWnd* control, HBITMAP picture, int& width, int& height)
{
    const SIZE size = SkinPictureSize(picture);
    width = size.cx;
    height = size.cy;
    if (!control->GetSafeHwnd())
        return;
    // A resize sends the window several messages even when the size stays: a control made at its
    // picture's size is left alone.
    RECT now;
    control->GetWindowRect(&now);
    if (now.right - now.left != width || now.bottom - now.top != height)
        control->SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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

int CreateSkinControlWindow(CWnd* control, UINT id, CWnd* owner, const RECT* rect, DWORD exStyle)
{
    static const RECT kCreation = {10, 10, 10, 10};
    if (!owner || !owner->GetSafeHwnd())
        return 0;
    return control->CreateEx(exStyle, nullptr, nullptr, SKIN_CONTROL_STYLE, rect ? *rect : kCreation, owner, id) ? 1
                                                                                                                 : 0;
}
