// The layout file "skin\facepic.ini": rectangles in design units of a 1024 x 768 screen, scaled
// to the real screen, and r,g,b colours. Window-free, so the main window, the video wall and the
// panels share one reader and tests check it on its own.
#pragma once

#include <afx.h>

struct SkinRect {
    int x;
    int y;
    int w;
    int h;
};

// The section read when the caller names none.
extern const char* const SKIN_DEFAULT_SECTION; // "BUTTONINFO"
extern const char* const SKIN_VIDEO_SECTION;   // "VIDEO_WND"

// Q(n, d): n / d truncated toward zero, plus 1 when the remainder exceeds d / 2.
int ScaleDesignUnit(int n, int screen, int design);
// Up to `count` comma-separated integers read like atoi (missing fields read 0); text after the
// last wanted field's comma is ignored.
void ParseSkinNumbers(const char* text, int* values, int count);
// The rectangle of a value "x,y,w,h" scaled from 1024 x 768 to screenW x screenH.
SkinRect ParseSkinRect(const char* text, int screenW, int screenH);

// The screen the rectangles are scaled to: the primary screen, unless a test set another one
// (0, 0 puts the primary screen back).
void SetSkinScreenSize(int width, int height);
void GetSkinScreenSize(int* width, int* height);

// The path of "skin\facepic.ini" in the start directory.
CString SkinLayoutPath();
// "BUTTONINFO" / "projectname" of the layout file: window caption and about box, default
// "Quillmoor", at most 99 characters.
CString ReadLayoutProjectName();

// Reads key (section null = "BUTTONINFO", default "0,0,0,0", at most 99 characters) and scales it.
void ReadSkinRect(LPCSTR path, LPCSTR key, int* x, int* y, int* w, int* h, LPCSTR section = nullptr);
SkinRect ReadSkinRect(LPCSTR path, LPCSTR key, LPCSTR section = nullptr);
// Reads three comma-separated integers, not scaled.
void ReadSkinColor(LPCSTR path, LPCSTR key, int* a, int* b, int* c, LPCSTR section = nullptr);
// The colour value as a COLORREF, or fallback when the key is missing.
COLORREF ReadSkinColorRef(LPCSTR path, LPCSTR key, COLORREF fallback, LPCSTR section = nullptr);
