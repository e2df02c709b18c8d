// The player's settings file and the conversion's target name, without windows.
#include "player/PlayParam.h"

#include <windows.h>

#include <stdlib.h>
#include <string.h>

#include <afxstr.h>

#include "station/core/datamodel/IniDocument.h"

namespace {

CString ParamPath(const char* folder)
{
    CString path;
    path.Format("%s\\playparam.ini", folder);
    return path;
}

} // namespace

int ReadStayTime(const char* folder)
{
    char text[10] = {};
    ::GetPrivateProfileStringA("PARAM", "staytime", "10", text, sizeof text, ParamPath(folder));
    const int seconds = atoi(text);
    if (seconds < kStayTimeMin || seconds > kStayTimeMax)
        return kStayTimeDefault;
    return seconds;
}

int WriteStayTime(const char* folder, int seconds)
{
    CIniDocument ini;
    ini.Load(ParamPath(folder));
    ini.SetNumber("PARAM", "staytime", seconds);
    return ini.Save() ? 1 : 0;
}

int MakeAsfName(const char* mp4Path, char* out, size_t size)
{
    const char* name = mp4Path;
    for (const char* p = mp4Path; *p != '\0'; p += GbkCharLength(p)) {
        if (*p == '\\')
            name = p + 1;
    }
    const char* dot = nullptr;
    for (const char* p = name; *p != '\0'; p += GbkCharLength(p)) {
        if (*p == '.' && p != mp4Path)
            dot = p;
    }
    if (dot == nullptr)
        return 0;
    const size_t stem = (size_t)(dot - mp4Path);
    if (stem + 5 > size)
        return 0;
    memcpy(out, mp4Path, stem);
    memcpy(out + stem, ".asf", 5);
    return 1;
}
