// The start directory and the paths of the station's files.
#include "station/core/datamodel/StationPaths.h"

namespace {

// Set on the user-interface thread at start, read-only afterwards.
CString& StartDirectory()
{
    static CString directory;
    return directory;
}

CString CurrentDirectory()
{
    char buffer[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(MAX_PATH, buffer);
    return (n > 0 && n < MAX_PATH) ? CString(buffer) : CString(".");
}

} // namespace

CString GetStartDirectory()
{
    if (StartDirectory().IsEmpty())
        SetStartDirectory(CurrentDirectory());
    return StartDirectory();
}

void SetStartDirectory(LPCSTR directory)
{
    CString dir(directory);
    // A root such as "C:\" keeps its backslash off too, so that joining adds exactly one.
    while (dir.GetLength() > 0 && AfxFindLastSeparator(dir) == dir.GetLength() - 1)
        dir = dir.Left(dir.GetLength() - 1);
    StartDirectory() = dir;
}

CString JoinPath(LPCSTR dir, LPCSTR name)
{
    CString path;
    path.Format("%s\\%s", dir, name);
    return path;
}

CString StationFilePath(LPCSTR fileName, LPCSTR path)
{
    if (path != nullptr && path[0] != '\0')
        return CString(path);
    return GetStartDirectory() + "\\" + fileName;
}
