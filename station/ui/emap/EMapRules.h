// The electronic map's rules that need no window: dragging limits, link sizes, blinking, the
// icon's shape from its mask, the editor's context menu, the pop-up video's placement and layout.
#pragma once

#include <windows.h>

#include <vector>

#include "resources/warden/emap.h"

// A drag moves a window by the mouse's travel, kept inside the picture: first at least 0, then at
// most extent - window (the upper limit wins when the window is wider than the picture).
int ClampDragPosition(int startPosition, int travel, int canvasExtent, int windowExtent);

// A link is 8 pixels per byte of its scene's name plus 4, and 20 high.
int LinkWidthForName(const char* name);
const int kLinkHeight = 20;

// The picture an icon shows after a blink tick (0 normal, 1 alarm). An output shows its on/off
// state; a camera or an input alternates while in alarm and rests on 0 otherwise.
int NextBlinkState(int kind, int alarmState, int shown);

// The black pixels of a mask as horizontal runs, row by row, each a rectangle one pixel high.
// pixels are 32-bit top-down rows of width, as GetDIBits gives them (blue, green, red, unused).
std::vector<RECT> BlackRuns(const DWORD* pixels, int width, int height);

// The editor's context menu: what the selected tree item is.
enum EMapMenuTarget {
    emapMenuEmptyTree,
    emapMenuNoSelection,
    emapMenuSceneWithoutPicture,
    emapMenuSceneWithPicture,
    emapMenuCamera,
    emapMenuInputOrOutput,
};
// The commands enabled for a target (0-terminated, at most 8); none means the menu stays closed.
const UINT* EnabledMapCommands(EMapMenuTarget target);
const UINT kAllMapCommands[] = {IDM_EMAP_ADD_SCENE,     IDM_EMAP_ADD_CAMERA,      IDM_EMAP_ADD_INPUT,
                                IDM_EMAP_ADD_OUTPUT,    IDM_EMAP_ADD_CHILD_SCENE, IDM_EMAP_LOAD_PICTURE,
                                IDM_EMAP_DELETE_DEVICE, IDM_EMAP_DELETE_SCENE,    IDM_EMAP_RENAME};

// The pop-up video window opens at a random place that keeps it on the screen; a window as large
// as the screen or larger goes to 0 on that axis.
POINT PopupPosition(unsigned random1, unsigned random2, SIZE screen, SIZE window);

// The PTZ strip of the pop-up: each control's top-left corner for client size (w, h).
struct PopupControlPlace {
    UINT id;
    int x;
    int y;
};
const int kPopupStripHeight = 125;
const int kPopupMinTrackWidth = 540;
const int kPopupMinTrackHeight = 200;
// Fills places (the 13 buttons, three labels, trackbar, preset edit); returns the count.
int PopupStripPlaces(int w, int h, PopupControlPlace* places, int capacity);

// What a PTZ button of the pop-up sends: the code on press and on release (-1: nothing).
struct PopupPtzCodes {
    int onPress;
    int onRelease;
};
// autoChecked: the "自动" box's state before the press. Unknown ids give {-1, -1}.
PopupPtzCodes PopupButtonCodes(UINT id, BOOL autoChecked);
// The preset edit's number: digits only, 0 when empty, at most 255.
int PresetNumberFromText(const char* text);
