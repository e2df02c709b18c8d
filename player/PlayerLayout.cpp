// The player's geometry, without windows.
#include "player/PlayerLayout.h"

namespace {

void Place(PlayerControlPlace& place, UINT id, int x, int y, int w, int h)
{
    place.id = id;
    SetRect(&place.rect, x, y, x + w, y + h);
}

} // namespace

void LayoutPlayer(int width, int height, int shownWidth, int playlistWidth, int mode, PlayerLayout& out)
{
    out = PlayerLayout(); // places left unused name no control
    const int W = width, H = height;
    const int videoWidth = W - shownWidth, videoHeight = H - kPlayerStripHeight;
    int n = 0;
    Place(out.controls[n++], 1013, 0, H - 16, W + 1, 16);
    const UINT strip[] = {1002, 1003, 1010, 1008, 1007, 1004, 1006, 1005};
    for (int i = 0; i < 8; ++i)
        Place(out.controls[n++], strip[i], 5 + 30 * i, H - 40, 20, 20);
    Place(out.controls[n++], 1012, W - 80, H - 40, 80, 20);
    Place(out.controls[n++], 1011, W - 100, H - 40, 20, 20);
    Place(out.controls[n++], 1014, 0, H - 59, 56, 12);
    Place(out.controls[n++], 1015, W - 86, H - 59, 56, 12);
    Place(out.controls[n++], 1001, 56, H - 64, W - 142, 24);
    Place(out.controls[n++], 1016, W - 20, H - 64, 20, 20);
    SetRect(&out.playlist, videoWidth, 0, videoWidth + playlistWidth, videoHeight);
    if (mode == 4) {
        const int hw = videoWidth / 2, hh = videoHeight / 2;
        for (int i = 0; i < 4; ++i) {
            const int x = (i % 2) * hw, y = (i / 2) * hh;
            SetRect(&out.panes[i], x, y, x + hw, y + hh);
            out.paneVisible[i] = TRUE;
        }
        return;
    }
    SetRect(&out.panes[0], 0, 0, videoWidth, videoHeight);
    out.paneVisible[0] = TRUE;
    for (int i = 1; i < 4; ++i) {
        SetRectEmpty(&out.panes[i]);
        out.paneVisible[i] = FALSE;
    }
}

PictureWindow FitPictureWindow(int screenWidth, int screenHeight, int shownPlaylistWidth, int borderWidth, int width,
                               int height)
{
    PictureWindow result = {};
    const int total = shownPlaylistWidth + 2 * borderWidth + width;
    const int totalHeight = height + kPlayerWindowExtra;
    if (screenWidth < total || screenHeight < totalHeight) {
        result.fullScreen = TRUE;
        return result;
    }
    const int x = (screenWidth - total) / 2, y = (screenHeight - totalHeight) / 2;
    SetRect(&result.window, x, y, x + total, y + totalHeight);
    return result;
}

ZoomChoice ChooseZoom(int percent, int screenWidth)
{
    struct Zoom {
        int percent, width, height, margin;
    };
    static const Zoom kZooms[] = {{50, 352, 288, 30}, {100, 640, 400, 50}, {150, 800, 600, 50}, {200, 1000, 620, 0}};
    for (const Zoom& z : kZooms) {
        if (z.percent == percent)
            return {screenWidth - z.margin < z.width, z.width, z.height};
    }
    return {FALSE, 0, 0};
}

BOOL PictureSizeForWindow(int mode, int width, int height, BOOL local, SIZE& size)
{
    if (local) {
        // Wide, low pictures (half-height D1) are shown at 4:3.
        if (width > 703 && height < 480) {
            size = {640, 480};
            return TRUE;
        }
        return FALSE;
    }
    if (width < 704 || height > 479)
        size = mode == 4 ? SIZE{2 * width, 2 * height} : SIZE{width, height};
    else
        size = {640, 480};
    return TRUE;
}

int ClampPlaylistWidth(int requested, int clientWidth)
{
    const int most = clientWidth - kPlayerMinVideoWidth;
    if (requested > most)
        requested = most;
    return requested < 0 ? 0 : requested;
}

RECT FullScreenRect(int screenWidth, int screenHeight, const RECT& windowRect, const RECT& clientOnScreen)
{
    RECT r;
    r.left = windowRect.left - clientOnScreen.left;
    r.top = windowRect.top - clientOnScreen.top;
    r.right = screenWidth + windowRect.right - clientOnScreen.right;
    r.bottom = screenHeight + windowRect.bottom - clientOnScreen.bottom;
    return r;
}
