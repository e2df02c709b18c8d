// The records shared by the parts of the rich-text drawer: the style record, line and table-cell records,
// image attributes, and the limits that keep any markup within bounded memory and time.
#pragma once
#include <windows.h>

#include <cstdint>

namespace RichTextLimits {
const int kMaxLength = 10000;      // any length read from markup or a style sheet
const int kMaxFontSize = 1000;     // font cell height in pixels
const int kMaxFontWeight = 1000;   // CreateFont's own range
const int kMaxRepeat = 100;        // line breaks and tab stops of one tag
const int kMaxImageSide = 1024;    // placed pictures, strip cells included
const int kMaxMeasure = 4096;      // the measured size (the tooltip makes a bitmap that large)
const int kCoordLimit = 1 << 26;   // pen positions and sums saturate here
const size_t kMaxStyleDepth = 256; // style stack entries; deeper opening tags are ignored
const size_t kMaxLines = 16384;    // line records of one text
const size_t kMaxKeptRuns = 16384; // text runs whose measures drawing takes over from measuring
const int kMaxColumns = 1000;      // also the largest colspan
const int kMaxTableCells = 16384;  // grid positions of one table
const int kMaxStoreCells = 262144; // grid positions of all tables of one text
const int kMaxTableDepth = 8;      // nested tables deeper than this are laid out as text
} // namespace RichTextLimits

// Clamps a 64-bit intermediate into the coordinate range.
inline int SaturateCoord(int64_t v)
{
    if (v > RichTextLimits::kCoordLimit)
        return RichTextLimits::kCoordLimit;
    if (v < -RichTextLimits::kCoordLimit)
        return -RichTextLimits::kCoordLimit;
    return static_cast<int>(v);
}

inline int ClampInt(int64_t v, int low, int high)
{
    return v < low ? low : (v > high ? high : static_cast<int>(v));
}

// MulDiv with the platform's rounding (half away from zero), computed in 64 bits and saturated; 0 for a
// zero divisor.
inline int MulDiv64(int64_t a, int64_t b, int64_t c)
{
    if (c == 0)
        return 0;
    int64_t p = a * b;
    bool negative = (p < 0) != (c < 0);
    int64_t up = p < 0 ? -p : p;
    int64_t uc = c < 0 ? -c : c;
    int64_t q = (up + uc / 2) / uc;
    return SaturateCoord(negative ? -q : q);
}

enum BackMode { kBackTransparent = 1, kBackOpaque = 2 };
enum TextAlign { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };
enum VerticalAlign { kVAlignTop = 0, kVAlignMiddle = 1, kVAlignBottom = 2, kVAlignBaseline = 3 };
enum BorderStyle { kBorderNone = 0, kBorderSolid = 1, kBorderDashed = 2, kBorderDotted = 3, kBorderDouble = 6 };
enum LinkKind { kLinkNone = 0, kLinkHref = 1, kLinkMsg = 2 };

// Image style flags of pictures.
enum ImageStyle {
    kImageGrey = 0x1,
    kImageDarker = 0x2,
    kImageLighter = 0x4,
    kImageFill = 0x8,
    kImageSharpShadow = 0x100,
    kImageBlurredShadow = 0x200,
    kImageInvert = 0x8000,
};
inline bool AsksShadow(int flags)
{
    return (flags & (kImageSharpShadow | kImageBlurredShadow)) != 0;
}

// The style in force, each entry of the style stack, and scratch copies. Texts are fixed arrays so that a
// push is a plain copy and a deep stack stays small.
struct TextStyle {
    char name[16];
    int32_t fontSize;
    int32_t fontWeight;
    int32_t italic, underline, strikeOut, overline;
    char fontFamily[32]; // a LOGFONT face name: 31 bytes and the NUL
    COLORREF textColor, backColor;
    COLORREF borderLight, borderDark;
    COLORREF backMiddle, backEnd;
    int32_t backMode;
    int32_t fillEffect;
    char backImage[MAX_PATH + 8]; // "idres:N" or "file:path"
    int32_t textAlign;
    int32_t verticalAlign;
    int32_t borderStyle;
    int32_t borderWidth;
    int32_t transform; // 0 none, 1 upper, 2 lower, 3 capitalise
    int32_t marginLeft, marginRight, marginTop, marginBottom;
    int32_t paddingLeft, paddingRight, paddingTop, paddingBottom;
    int32_t linkKind;
    char linkTarget[MAX_PATH];
};

struct LineRecord {
    int32_t width;
    int32_t height; // largest ascent while measuring, full height once the line has ended
    int32_t descent;
    int32_t percentage;
    int32_t alignment;
};

struct TableCell {
    int32_t colSpan, rowSpan; // -1, -1 where another cell's span covers the position
    int32_t contentWidth, contentHeight;
    int32_t fullWidth, fullHeight;
};

struct ImageAttributes {
    int32_t index, idres, dllres;
    uint32_t handle;
    int32_t cx, cy, width, height;
    int32_t style, hotStyle;
    int32_t maskFlag, widthPercent, heightPercent;
    COLORREF maskColor;
    char file[MAX_PATH];
    char dllsrc[MAX_PATH];
};
