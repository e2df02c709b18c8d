#include "station/ui/emap/EMapRules.h"

#include <string.h>

#include "resources/warden/emap.h"
#include "station/core/datamodel/VuskEMapDev.h"
#include "station/ui/liveview/PtzCodes.h"

int ClampDragPosition(int startPosition, int travel, int canvasExtent, int windowExtent)
{
    int position = startPosition + travel;
    if (position < 0)
        position = 0;
    if (position > canvasExtent - windowExtent)
        position = canvasExtent - windowExtent;
    return position;
}

int LinkWidthForName(const char* name)
{
    return 8 * (int)(name ? strlen(name) : 0) + 4;
}

int NextBlinkState(int kind, int alarmState, int shown)
{
    if (kind == emapAlarmOutput)
        return alarmState != 0 ? 1 : 0;
    if (alarmState != 0)
        return shown ? 0 : 1;
    return 0;
}

std::vector<RECT> BlackRuns(const DWORD* pixels, int width, int height)
{
    std::vector<RECT> runs;
    if (pixels == nullptr || width <= 0 || height <= 0)
        return runs;
    for (int y = 0; y < height; ++y) {
        const DWORD* row = pixels + (size_t)y * width;
        int x = 0;
        while (x < width) {
            while (x < width && (row[x] & 0xFFFFFF) != 0)
                ++x;
            int start = x;
            while (x < width && (row[x] & 0xFFFFFF) == 0)
                ++x;
            if (x > start)
                runs.push_back(RECT{start, y, x, y + 1});
        }
    }
    return runs;
}

namespace {

const UINT kNone[] = {0};
const UINT kEmptyTree[] = {IDM_EMAP_ADD_SCENE, 0};
const UINT kSceneWithoutPicture[] = {IDM_EMAP_LOAD_PICTURE, IDM_EMAP_ADD_SCENE, IDM_EMAP_DELETE_SCENE, IDM_EMAP_RENAME,
                                     0};
const UINT kSceneWithPicture[] = {
    IDM_EMAP_ADD_CHILD_SCENE, IDM_EMAP_ADD_CAMERA,   IDM_EMAP_ADD_INPUT, IDM_EMAP_ADD_OUTPUT,
    IDM_EMAP_ADD_SCENE,       IDM_EMAP_DELETE_SCENE, IDM_EMAP_RENAME,    0};
const UINT kCamera[] = {IDM_EMAP_DELETE_DEVICE, 0};
const UINT kInputOrOutput[] = {IDM_EMAP_RENAME, IDM_EMAP_DELETE_DEVICE, 0};

} // namespace

const UINT* EnabledMapCommands(EMapMenuTarget target)
{
    switch (target) {
    case emapMenuEmptyTree:
        return kEmptyTree;
    case emapMenuSceneWithoutPicture:
        return kSceneWithoutPicture;
    case emapMenuSceneWithPicture:
        return kSceneWithPicture;
    case emapMenuCamera:
        return kCamera;
    case emapMenuInputOrOutput:
        return kInputOrOutput;
    case emapMenuNoSelection:
        break;
    }
    return kNone;
}

POINT PopupPosition(unsigned random1, unsigned random2, SIZE screen, SIZE window)
{
    int rangeX = screen.cx - window.cx;
    int rangeY = screen.cy - window.cy;
    POINT at;
    at.x = rangeX > 0 ? (int)(random1 % (unsigned)rangeX) : 0;
    at.y = rangeY > 0 ? (int)(random2 % (unsigned)rangeY) : 0;
    return at;
}

int PopupStripPlaces(int w, int h, PopupControlPlace* places, int capacity)
{
    int a = (w - 480) / 2;
    int b = 2 * a + 320;
    const PopupControlPlace all[] = {
        {IDC_EMAP_UP, 80, h - 120},
        {IDC_EMAP_DOWN, 80, h - 40},
        {IDC_EMAP_LEFT, 40, h - 80},
        {IDC_EMAP_RIGHT, 120, h - 80},
        {IDC_EMAP_AUTO, 80, h - 80},
        {IDC_EMAP_SPEED, 180, h - 110},
        {IDC_EMAP_IRIS_OPEN, a + 200, h - 100},
        {IDC_EMAP_IRIS_LABEL, a + 242, h - 90},
        {IDC_EMAP_IRIS_CLOSE, a + 280, h - 100},
        {IDC_EMAP_FOCUS_NEAR, a + 200, h - 50},
        {IDC_EMAP_FOCUS_LABEL, a + 242, h - 40},
        {IDC_EMAP_FOCUS_FAR, a + 280, h - 50},
        {IDC_EMAP_ZOOM_IN, b, h - 100},
        {IDC_EMAP_ZOOM_LABEL, b + 42, h - 90},
        {IDC_EMAP_ZOOM_OUT, b + 80, h - 100},
        {IDC_EMAP_GOTO_PRESET, b, h - 50},
        {IDC_EMAP_PRESET, b + 42, h - 45},
        {IDC_EMAP_SET_PRESET, b + 80, h - 50},
    };
    int count = 0;
    for (const PopupControlPlace& place : all) {
        if (count == capacity)
            break;
        places[count++] = place;
    }
    return count;
}

PopupPtzCodes PopupButtonCodes(UINT id, BOOL autoChecked)
{
    // The station's one table of PTZ codes (PtzCodes.h).
    int code = -1;
    if (id >= IDC_EMAP_LEFT && id <= IDC_EMAP_DOWN)
        code = ptzPanLeft + (int)(id - IDC_EMAP_LEFT);
    else if (id >= IDC_EMAP_IRIS_OPEN && id <= IDC_EMAP_ZOOM_OUT)
        code = ptzIrisOpen + (int)(id - IDC_EMAP_IRIS_OPEN);
    if (code >= 0)
        return {code, PtzStopCode(code)};
    switch (id) {
    case IDC_EMAP_AUTO:
        return {autoChecked ? ptzAutoScanOff : ptzAutoScanOn, -1};
    case IDC_EMAP_GOTO_PRESET:
        return {ptzGotoPreset, -1};
    case IDC_EMAP_SET_PRESET:
        return {ptzSetPreset, -1};
    }
    return {-1, -1};
}

int PresetNumberFromText(const char* text)
{
    int value = 0;
    for (const char* p = text; p != nullptr && *p != '\0'; ++p) {
        if (*p < '0' || *p > '9')
            break;
        value = value * 10 + (*p - '0');
        if (value > 255)
            return 255;
    }
    return value;
}
