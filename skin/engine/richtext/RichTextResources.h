// Everything the rich-text drawer loads from modules and files: bitmaps, icons and string-table texts.
// Pictures are plain GDI bitmaps and icons here; the rest of the drawer sees them only through these calls,
// so they are the one place to change when pictures come from the skin's own image class.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

class RichTextResources {
public:
    // Resource numbers outside 1..65535 name nothing. Without a module, the platform's predefined bitmaps.
    static HBITMAP LoadBitmapResource(HINSTANCE module, int id);
    // A bitmap file at its own size, as a DIB section; only local paths (UNC and device paths are refused).
    static HBITMAP LoadBitmapFile(std::string_view path);
    static HICON LoadIconResource(HINSTANCE module, int id, int width, int height);
    static HICON LoadIconFile(std::string_view path, int width, int height);

    // Handles named in markup are taken only when they really are a bitmap or an icon.
    static bool IsBitmapHandle(HANDLE handle);
    static bool IsIconHandle(HANDLE handle);

    // A new bitmap with the width x height pixels of strip at (x, y).
    static HBITMAP CopyBitmapPart(HBITMAP strip, int x, int y, int width, int height);

    // String id of the module's string table in code page 936; empty when it or its block is missing.
    static std::string LoadStringText(HINSTANCE module, UINT id);

    static bool IsLocalPath(std::string_view path);
};
