// Time to repaint a skinned dialog's 60 pieces onto a memory DC: an 800 x 600 frame, four buttons, a
// group box and an edit frame (nine pieces each) and six caption-button pictures, all from the default
// skin. The baseline is the same repaint cutting every piece afresh from its picture, measured in the
// same run.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/toolkit/Tessarine.h"

#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"

namespace {

SlicedImage Sliced(const char* image, RECT source, RECT margins, int mode)
{
    SlicedImage s = {};
    std::strcpy(s.image, image);
    s.source = source;
    s.margins = margins;
    s.mode = mode;
    return s;
}

ImagePart Part(const char* image, RECT source, int mode)
{
    ImagePart p = {};
    std::strcpy(p.image, image);
    p.source = source;
    p.mode = mode;
    return p;
}

struct Piece9 {
    SlicedImage image;
    RECT dest;
};

struct Piece1 {
    ImagePart part;
    RECT dest;
};

const Piece9 kFrames[] = {
    {Sliced("FRAME.BMP", {0, 0, 276, 160}, {86, 30, 103, 12}, 5), {0, 0, 800, 600}},
    {Sliced("BUTTON.BMP", {0, 0, 60, 22}, {3, 3, 3, 3}, 1), {20, 540, 95, 563}},
    {Sliced("BUTTON.BMP", {0, 22, 60, 44}, {3, 3, 3, 3}, 1), {110, 540, 200, 565}},
    {Sliced("BUTTON.BMP", {0, 44, 60, 66}, {3, 3, 3, 3}, 1), {560, 540, 680, 570}},
    {Sliced("BUTTON.BMP", {0, 88, 60, 110}, {3, 3, 3, 3}, 1), {700, 540, 760, 562}},
    {Sliced("CONTROLS.BMP", {0, 72, 32, 92}, {2, 2, 2, 2}, 1), {20, 60, 420, 360}},
    {Sliced("CONTROLS.BMP", {0, 0, 24, 24}, {2, 2, 2, 2}, 1), {440, 60, 780, 84}},
};

const Piece1 kParts[] = {
    {Part("CAPTION.BMP", {0, 0, 18, 16}, 0), {770, 6, 788, 22}},
    {Part("CAPTION.BMP", {0, 16, 18, 32}, 0), {750, 6, 768, 22}},
    {Part("CAPTION.BMP", {0, 32, 18, 48}, 0), {730, 6, 748, 22}},
    {Part("CAPTION.BMP", {18, 0, 36, 16}, 0), {20, 400, 38, 416}},
    {Part("CAPTION.BMP", {18, 16, 36, 32}, 0), {40, 400, 58, 416}},
    {Part("CAPTION.BMP", {18, 32, 36, 48}, 0), {60, 400, 78, 416}},
};

} // namespace

int main()
{
    static_assert(sizeof kFrames / sizeof kFrames[0] * 9 - 9 + sizeof kParts / sizeof kParts[0] == 60,
                  "sixty pieces: the frame's nine, six more nine-piece images less the edit's centre, six parts");
    if (!TessarineInit(GetModuleHandleA(NULL)) || !TessarineLoadSkin(GetModuleHandleA(NULL), "DEFAULT", "TESSARINE")) {
        std::printf("the toolkit or its default skin did not start (status %d)\n", TessarineGetStatus());
        return 1;
    }
    MemoryDC buffer(NULL, 800, 600);
    auto repaint = [&buffer] {
        for (const Piece9& f : kFrames) {
            if (&f == &kFrames[6])
                DrawFrameImageParts(buffer, f.dest, f.image, RGB(240, 240, 240), TRUE);
            else
                DrawFrameImage(buffer, f.dest, f.image, RGB(240, 240, 240), TRUE);
        }
        for (const Piece1& p : kParts)
            DrawImagePart(buffer, p.dest, p.part, RGB(240, 240, 240), TRUE);
    };
    EnableImagePartCache(false);
    const double fresh = MillisecondsPerRun(100, repaint);
    EnableImagePartCache(true);
    const double cached = MillisecondsPerRun(300, repaint);
    PrintFigure("frame repaint 800 x 600, piece cache vs cutting afresh", cached, fresh, "ms", "below 1");
    TessarineShutdown();
    return 0;
}
