// DisabledLook: how a control drawn from pictures that have no disabled state of their own (trackbar,
// progress bar) shows that it is disabled: what was drawn is turned grey and lightened toward the
// button face.
#pragma once
#include <windows.h>

// Greys the rectangle of what the DC holds; nothing when the rectangle is empty.
void GreyOut(HDC dc, const RECT& rect);
