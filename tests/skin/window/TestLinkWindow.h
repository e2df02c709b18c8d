// The tests' "Link Window" class: the platform's link control is not there under every prefix.
#pragma once

#include <windows.h>

const COLORREF kTestLinkColor = RGB(0, 0, 200);

// The link's own drawing into dc: underlined text in kTestLinkColor on COLOR_WINDOW.
void PaintTestLink(HWND hwnd, HDC dc);
// Registers "Link Window" once per process.
void RegisterTestLinkWindow();
