#include "tests/station/process/StationRun.h"

#include <vector>

namespace {

std::string ReadStartIni(const std::string& dir, const char* key)
{
    char value[MAX_PATH] = "";
    GetPrivateProfileStringA("PROGRAMNAME", key, "", value, sizeof value, (dir + "\\start.ini").c_str());
    return value;
}

} // namespace

bool CopyTree(const std::string& from, const std::string& to)
{
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((from + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = CopyTree(from + "\\" + name, to + "\\" + name) && ok;
        else
            ok = CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE) && ok;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return ok;
}

StationRun::StationRun(const std::string& servers)
{
    if (!CopyTree(ProgramDirectory() + "\\..\\..\\resources\\warden\\startdir", dir_.Path()))
        return;
    ChildProcess demo;
    if (!demo.Start(ProgramPath("wardendemo.exe"), "\"" + dir_.Path() + "\" \"" + StorageDir() + "\" " + servers,
                    dir_.Path()))
        return;
    prepared_ = demo.Wait(30000) == 0;
}

bool StationRun::Start(const std::string& arguments, DWORD timeoutMs)
{
    if (!prepared_ || !station_.Start(ProgramPath("Warden.exe"), arguments, dir_.Path()))
        return false;
    std::string title;
    if (!WaitUntil(
            [&] {
                title = ReadStartIni(dir_.Path(), "WINDOWNAME");
                return !title.empty() || !station_.Running();
            },
            timeoutMs) ||
        title.empty())
        return false;
    main_ = WaitForWindow(station_.Id(), title, timeoutMs);
    return main_ != nullptr;
}
