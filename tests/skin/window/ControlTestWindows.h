// What the control skinner tests share: a top-level parent of a class of their own, child controls, and a
// fixture that skins a parent as a dialog and destroys the windows a test made.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "tests/skin/toolkit/ToolkitFixtures.h"

// A captioned popup parent at (40, 40) on the button face; the class is registered with proc on first use.
HWND MakeTestParent(const char* className, WNDPROC proc, const char* title, int width, int height);
// A visible child control with the id.
HWND MakeTestControl(const char* className, HWND parent, DWORD style, int id, const char* text, int x, int y, int w,
                     int h, DWORD exStyle = 0);

// The pixels of a rectangle of what a DC shows (a window's, a memory DC's), row by row from the top.
std::vector<COLORREF> ReadPixels(HDC source, const RECT& rect);
// A window's client pixels as the screen shows them.
std::vector<COLORREF> ClientPixels(HWND hwnd);

class ControlTestBase : public ::testing::Test {
protected:
    void TearDown() override;
    // Destroyed at tear-down when the test left it alive.
    HWND Track(HWND hwnd);
    // The parent skinned as a dialog; its children are skinned with it.
    void Skin(HWND parent);

    ToolkitRun run_;
    std::vector<HWND> windows_;
};
