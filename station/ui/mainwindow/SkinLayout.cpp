#include "station/ui/mainwindow/SkinLayout.h"

#include "station/core/datamodel/StationPaths.h"

#include <climits>

const char* const SKIN_DEFAULT_SECTION = "BUTTONINFO";
const char* const SKIN_VIDEO_SECTION = "VIDEO_WND";

namespace {

int screenWidthOverride = 0;
int screenHeightOverride = 0;

// atoi without its overflow: leading blanks, a sign, then digits; 0 when none.
int ReadLeadingInt(const char* text)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    int sign = 1;
    if (*text == '-' || *text == '+') {
        sign = *text == '-' ? -1 : 1;
        ++text;
    }
    long long value = 0;
    while (*text >= '0' && *text <= '9') {
        if (value < INT_MAX)
            value = value * 10 + (*text - '0');
        ++text;
    }
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(sign * value);
}

} // namespace

int ScaleDesignUnit(int n, int screen, int design)
{
    if (design <= 0)
        return 0;
    long long product = static_cast<long long>(n) * screen;
    long long quotient = product / design;
    long long remainder = product % design;
    if (remainder > design / 2)
        ++quotient;
    if (quotient > INT_MAX)
        return INT_MAX;
    if (quotient < INT_MIN)
        return INT_MIN;
    return static_cast<int>(quotient);
}

void ParseSkinNumbers(const char* text, int* values, int count)
{
    for (int i = 0; i < count; ++i) {
        values[i] = text ? ReadLeadingInt(text) : 0;
        if (text) {
            text = strchr(text, ',');
            if (text)
                ++text;
        }
    }
}

SkinRect ParseSkinRect(const char* text, int screenW, int screenH)
{
    int v[4];
    ParseSkinNumbers(text, v, 4);
    SkinRect r;
    r.x = ScaleDesignUnit(v[0], screenW, 1024);
    r.y = ScaleDesignUnit(v[1], screenH, 768);
    r.w = ScaleDesignUnit(v[2], screenW, 1024);
    r.h = ScaleDesignUnit(v[3], screenH, 768);
    return r;
}

void SetSkinScreenSize(int width, int height)
{
    screenWidthOverride = width;
    screenHeightOverride = height;
}

void GetSkinScreenSize(int* width, int* height)
{
    if (screenWidthOverride > 0 && screenHeightOverride > 0) {
        *width = screenWidthOverride;
        *height = screenHeightOverride;
        return;
    }
    // The layout follows the screen's size at start; each reading asks the display driver again.
    static const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    static const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    *width = screenWidth;
    *height = screenHeight;
}

CString SkinLayoutPath()
{
    return StationFilePath("skin\\facepic.ini");
}

CString ReadLayoutProjectName()
{
    char name[100] = "";
    GetPrivateProfileStringA(SKIN_DEFAULT_SECTION, "projectname", "Quillmoor", name, sizeof name, SkinLayoutPath());
    return name;
}

namespace {

void ReadValue(LPCSTR path, LPCSTR key, LPCSTR section, LPCSTR fallback, char (&value)[100])
{
    GetPrivateProfileStringA(section ? section : SKIN_DEFAULT_SECTION, key, fallback, value, sizeof(value), path);
}

} // namespace

void ReadSkinRect(LPCSTR path, LPCSTR key, int* x, int* y, int* w, int* h, LPCSTR section)
{
    SkinRect r = ReadSkinRect(path, key, section);
    *x = r.x;
    *y = r.y;
    *w = r.w;
    *h = r.h;
}

SkinRect ReadSkinRect(LPCSTR path, LPCSTR key, LPCSTR section)
{
    char value[100];
    ReadValue(path, key, section, "0,0,0,0", value);
    int width = 0;
    int height = 0;
    GetSkinScreenSize(&width, &height);
    return ParseSkinRect(value, width, height);
}

void ReadSkinColor(LPCSTR path, LPCSTR key, int* a, int* b, int* c, LPCSTR section)
{
    char value[100];
    ReadValue(path, key, section, "0,0,0", value);
    int v[3];
    ParseSkinNumbers(value, v, 3);
    *a = v[0];
    *b = v[1];
    *c = v[2];
}

COLORREF ReadSkinColorRef(LPCSTR path, LPCSTR key, COLORREF fallback, LPCSTR section)
{
    char value[100];
    ReadValue(path, key, section, "", value);
    if (!value[0])
        return fallback;
    int v[3];
    ParseSkinNumbers(value, v, 3);
    return RGB(v[0] & 0xFF, v[1] & 0xFF, v[2] & 0xFF);
}
