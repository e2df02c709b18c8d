// Geometry of the video wall's split modes: where each position of a mode lies in the wall's client
// area, and which panes a mode shows for a selected pane. Pure functions over tables, no windows.
#pragma once

#include <windows.h>

const int PANE_COUNT = 16;

// 1, 4, 6, 8, 9 or 16 as given; any other value counts as 16.
int NormaliseSplitMode(int mode);
// Nonzero for 1, 4, 6, 8, 9, 16.
int IsValidSplitMode(int mode);
// The number of positions the mode shows (1, 4, 6, 8, 9, 16; others 16).
int SplitPositionCount(int mode);
// Position 0..count-1 of the mode in a W x H client area, as a rectangle (left, top, right,
// bottom). The remainder pixels go to the last column and the last row.
RECT SplitPositionRect(int mode, int position, int width, int height);
// The group of panes that holds the selected pane (0 for modes 1 and 16).
int SplitGroupOf(int mode, int selectedPane);
// The panes at the positions of the group; returns how many (panes receives up to 16). Mode 1
// shows the selected pane alone.
int SplitGroupPanes(int mode, int group, int selectedPane, int* panes);

// A length of the panes' 1024 x 768 design on a screen of that extent: n x screen / design, plus 1
// when the remainder is more than half of design (SX with 1024, SY with 768).
int ScaleToScreen(int n, int screen, int design);
