// What the markup interpreter needs from the outside world: fonts and their measures, pictures, and the few
// drawing primitives. The layout talks only to this interface, so it runs as plain logic against a
// fixed-metrics device in tests and against a device context (GdiRichTextDevice) in the toolkit.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// The style's font: the drawer's default font description with these fields replaced.
struct FontSpec {
    int height = 12;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    char face[32] = "Verdana";

    bool operator==(const FontSpec& o) const
    {
        return height == o.height && weight == o.weight && italic == o.italic && underline == o.underline &&
               strikeOut == o.strikeOut && std::strcmp(face, o.face) == 0;
    }
    bool operator!=(const FontSpec& o) const { return !(*this == o); }
};

struct FontMetrics {
    int height = 0;
    int ascent = 0;
};

// Where a picture comes from: a module resource, a local file, or a handle the caller keeps.
struct ImageSource {
    HINSTANCE module = nullptr;
    int resourceId = 0;
    std::string file;
    uintptr_t handle = 0;
};

// A loaded picture. Owned pictures are freed by FreeImage; borrowed handles stay with their owner.
struct DeviceImage {
    HANDLE handle = nullptr;
    bool icon = false;
    bool owned = false;
    int width = 0;
    int height = 0;
    explicit operator bool() const { return handle != nullptr; }
};

// How a picture is drawn: style flags, transparent colour and the drawer's shadow settings.
struct ImageEffects {
    int style = 0;
    bool mask = false;
    COLORREF maskColor = RGB(255, 0, 255);
    bool shadow = false;
    int shadowX = 4, shadowY = 4, blurX = 7, blurY = 7;
    COLORREF shadowColor = RGB(128, 128, 128);
};

class RichTextDevice {
public:
    virtual ~RichTextDevice() = default;

    // A pass selects its first font and colours, keeping what the device had, and gives them back at its end.
    virtual void BeginPass(const FontSpec& font, int backMode, COLORREF textColor, COLORREF backColor) = 0;
    virtual void EndPass() = 0;

    virtual void SelectFont(const FontSpec& font) = 0;
    virtual void SetColors(int backMode, COLORREF textColor, COLORREF backColor) = 0;
    virtual FontMetrics Metrics() = 0;
    virtual SIZE TextExtent(std::string_view text) = 0;
    virtual int LogPixelsY() = 0;
    virtual SIZE IconMetrics() = 0; // the platform's icon size

    virtual DeviceImage LoadBitmapImage(const ImageSource& source) = 0;
    virtual DeviceImage LoadIconImage(const ImageSource& source, int width, int height) = 0;
    // A new bitmap holding the width x height pixels of strip at (x, y).
    virtual DeviceImage CutImageCell(const DeviceImage& strip, int x, int y, int width, int height) = 0;
    virtual void FreeImage(DeviceImage& image) = 0;

    virtual void DrawRun(int x, int y, std::string_view text) = 0;
    virtual void DrawLine(int x1, int y1, int x2, int y2, COLORREF color, int borderStyle, int penWidth) = 0;
    virtual void FillEffect(const RECT& rect, int effect, COLORREF color, COLORREF middle, COLORREF end) = 0;
    virtual void DrawFrame(const RECT& rect, COLORREF light, COLORREF dark, int borderStyle, int penWidth) = 0;
    virtual void DrawImage(const DeviceImage& image, int x, int y, int width, int height,
                           const ImageEffects& effects) = 0;
    virtual void TileImage(const DeviceImage& image, const RECT& rect) = 0;
};
