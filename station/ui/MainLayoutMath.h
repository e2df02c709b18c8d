// Design units of a 1024 x 768 screen scaled to the real one, and the layout file's path and
// project name. The rectangles' reader of the layout file belongs to the live view's layout reader;
// ReadSkinRect here forwards to the same rules.
#pragma once

#include <afx.h>

// n / d truncated toward zero, plus 1 when the remainder is greater than d / 2.
int ScaleDesign(int n, int d);

// "<start directory>\skin\facepic.ini".
CString LayoutFilePath(LPCSTR startDir);
// "BUTTONINFO" / "projectname" of the layout file, default "Quillmoor", at most 99 characters.
CString ReadProjectNameFrom(LPCSTR startDir);

// Splits "x,y,w,h" (missing fields 0; text after a fourth comma ignored).
void ParseLayoutRect(LPCSTR text, int& x, int& y, int& w, int& h);
// Reads a rectangle (section null = "BUTTONINFO", missing = 0,0,0,0) scaled to the screen.
void ReadSkinRect(LPCSTR path, LPCSTR key, int& x, int& y, int& w, int& h, LPCSTR section);
// The same scaled to a given screen size (for tests).
void ScaleLayoutRect(int& x, int& y, int& w, int& h, int screenWidth, int screenHeight);
