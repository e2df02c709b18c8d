// The main font's scaling, and the layout file's path and project name. The layout file's
// rectangles are read with the live view's reader (SkinLayout.h).
#pragma once

#include <afx.h>

// n / d truncated toward zero, plus 1 when the remainder is greater than d / 2.
int ScaleDesign(int n, int d);

// "<start directory>\skin\facepic.ini".
CString LayoutFilePath(LPCSTR startDir);
// "BUTTONINFO" / "projectname" of the layout file, default "Quillmoor", at most 99 characters.
CString ReadProjectNameFrom(LPCSTR startDir);
