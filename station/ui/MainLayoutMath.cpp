// Layout-file rules of the main window.
#include "station/ui/MainLayoutMath.h"

#include <stdlib.h>

int ScaleDesign(int n, int d)
{
    int quotient = n / d, remainder = n % d;
    return remainder > d / 2 ? quotient + 1 : quotient;
}

CString LayoutFilePath(LPCSTR startDir)
{
    CString path;
    path.Format("%s\\skin\\facepic.ini", startDir);
    return path;
}

CString ReadProjectNameFrom(LPCSTR startDir)
{
    char name[100] = "";
    ::GetPrivateProfileStringA("BUTTONINFO", "projectname", "Quillmoor", name, sizeof name, LayoutFilePath(startDir));
    return name;
}

void ParseLayoutRect(LPCSTR text, int& x, int& y, int& w, int& h)
{
    int values[4] = {0, 0, 0, 0};
    const char* p = text;
    for (int i = 0; i < 4 && p != nullptr; ++i) {
        values[i] = atoi(p);
        p = strchr(p, ',');
        if (p != nullptr)
            ++p;
    }
    x = values[0];
    y = values[1];
    w = values[2];
    h = values[3];
}

void ScaleLayoutRect(int& x, int& y, int& w, int& h, int screenWidth, int screenHeight)
{
    x = ScaleDesign(x * screenWidth, 1024);
    y = ScaleDesign(y * screenHeight, 768);
    w = ScaleDesign(w * screenWidth, 1024);
    h = ScaleDesign(h * screenHeight, 768);
}

void ReadSkinRect(LPCSTR path, LPCSTR key, int& x, int& y, int& w, int& h, LPCSTR section)
{
    char value[100] = "";
    ::GetPrivateProfileStringA(section != nullptr ? section : "BUTTONINFO", key, "0,0,0,0", value, sizeof value, path);
    ParseLayoutRect(value, x, y, w, h);
    ScaleLayoutRect(x, y, w, h, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}
