// Bitmaps, icons and strings for the rich-text drawer, on plain GDI and the module's resources.
#include "skin/engine/richtext/RichTextResources.h"

#include <vector>

namespace {

bool IsResourceId(int id)
{
    return id >= 1 && id <= 65535;
}

// An icon the caller may destroy: shared (predefined) icons are copied first.
HICON OwnedIcon(HICON icon, bool shared)
{
    if (!icon || !shared)
        return icon;
    return CopyIcon(icon);
}

} // namespace

bool RichTextResources::IsLocalPath(std::string_view path)
{
    if (path.empty() || path.size() >= MAX_PATH || path.find('\0') != std::string_view::npos)
        return false;
    auto slash = [](char c) { return c == '\\' || c == '/'; };
    // "\\server\share", "//server", "\\?\" and "\\.\device" all start with two separators.
    return !(path.size() >= 2 && slash(path[0]) && slash(path[1]));
}

HBITMAP RichTextResources::LoadBitmapResource(HINSTANCE module, int id)
{
    if (!IsResourceId(id))
        return nullptr;
    return static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

HBITMAP RichTextResources::LoadBitmapFile(std::string_view path)
{
    if (!IsLocalPath(path))
        return nullptr;
    std::string file(path);
    return static_cast<HBITMAP>(
        LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

HICON RichTextResources::LoadIconResource(HINSTANCE module, int id, int width, int height)
{
    if (!IsResourceId(id))
        return nullptr;
    UINT flags = module ? 0 : LR_SHARED;
    HICON icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, width, height, flags));
    return OwnedIcon(icon, module == nullptr);
}

HICON RichTextResources::LoadIconFile(std::string_view path, int width, int height)
{
    if (!IsLocalPath(path))
        return nullptr;
    std::string file(path);
    return static_cast<HICON>(LoadImageA(nullptr, file.c_str(), IMAGE_ICON, width, height, LR_LOADFROMFILE));
}

bool RichTextResources::IsBitmapHandle(HANDLE handle)
{
    return handle && GetObjectType(handle) == OBJ_BITMAP;
}

bool RichTextResources::IsIconHandle(HANDLE handle)
{
    ICONINFO info;
    if (!handle || !GetIconInfo(static_cast<HICON>(handle), &info))
        return false;
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return info.fIcon != FALSE;
}

HBITMAP RichTextResources::CopyBitmapPart(HBITMAP strip, int x, int y, int width, int height)
{
    if (!strip || width <= 0 || height <= 0)
        return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP cell = CreateCompatibleBitmap(screen, width, height);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (cell && from && to) {
        HGDIOBJ oldFrom = SelectObject(from, strip);
        HGDIOBJ oldTo = SelectObject(to, cell);
        BitBlt(to, 0, 0, width, height, from, x, y, SRCCOPY);
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
    }
    if (from)
        DeleteDC(from);
    if (to)
        DeleteDC(to);
    return cell;
}

std::string RichTextResources::LoadStringText(HINSTANCE module, UINT id)
{
    if (id == 0 || id > 65535)
        return {};
    if (!module)
        module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id / 16 + 1), MAKEINTRESOURCEA(6)); // RT_STRING
    if (!found)
        return {};
    HGLOBAL loaded = LoadResource(module, found);
    const WCHAR* block = loaded ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
    size_t words = SizeofResource(module, found) / sizeof(WCHAR);
    if (!block)
        return {};
    // A block holds 16 strings, each a length word and that many UTF-16 units; walk it within its size.
    size_t pos = 0;
    for (UINT i = 0; i < id % 16; ++i) {
        if (pos >= words)
            return {};
        pos += 1 + block[pos];
    }
    if (pos >= words)
        return {};
    size_t length = block[pos];
    if (length == 0 || pos + 1 + length > words)
        return {};
    const WCHAR* text = block + pos + 1;
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, int(length), nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return {};
    std::string out(size_t(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, int(length), &out[0], bytes, nullptr, nullptr);
    return out;
}
