// Layout-file rules of the main window.
#include "station/ui/MainLayoutMath.h"

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
