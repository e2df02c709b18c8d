// Where the player's main dialog puts its controls, panes and playlist, how big the window is for a
// picture, and when it goes to full screen instead: arithmetic only, the screen size given.
#pragma once

#include <windows.h>

enum {
    kPlayerStripHeight = 68,    // strip, sliders and status line under the video
    kPlayerWindowExtra = 126,   // window height beyond the picture
    kPlayerMinTrackWidth = 380, // the smallest frame the user can drag
    kPlayerMinTrackHeight = 400,
    kPlayerMinVideoWidth = 88, // the playlist never takes the whole width
    kPlayerDefaultPlaylistWidth = 160,
};

struct PlayerControlPlace {
    UINT id;
    RECT rect; // left, top, right, bottom in client coordinates
};

struct PlayerLayout {
    enum { kControls = 16 };
    PlayerControlPlace controls[kControls];
    RECT panes[4];
    BOOL paneVisible[4];
    RECT playlist; // beyond the client's right edge when the playlist is hidden
};

// The layout of a client area W x H with the playlist shown at shownWidth (0 = hidden), its
// width when shown being playlistWidth, in display mode 1 or 4.
void LayoutPlayer(int width, int height, int shownWidth, int playlistWidth, int mode, PlayerLayout& out);

// The window for a picture: full screen when the screen is too small, else a centred rectangle.
struct PictureWindow {
    BOOL fullScreen;
    RECT window;
};
PictureWindow FitPictureWindow(int screenWidth, int screenHeight, int shownPlaylistWidth, int borderWidth, int width,
                               int height);

// The zoom commands' picture sizes; fullScreen when the screen (less the command's margin) is
// narrower than the picture. command: 50, 100, 150 or 200.
struct ZoomChoice {
    BOOL fullScreen;
    int width;
    int height;
};
ZoomChoice ChooseZoom(int percent, int screenWidth);

// The size the window is made for once a pane knows its picture: display mode 1 or 4, local or
// ready remote picture w x h. Returns FALSE when the window keeps its size.
BOOL PictureSizeForWindow(int mode, int width, int height, BOOL local, SIZE& size);

// The playlist width the user may drag to in a client area this wide.
int ClampPlaylistWidth(int requested, int clientWidth);

// The client-area-covering normal rectangle in full screen: the window's own non-client edges
// (measured at some size) pushed beyond the screen.
RECT FullScreenRect(int screenWidth, int screenHeight, const RECT& windowRect, const RECT& clientOnScreen);
