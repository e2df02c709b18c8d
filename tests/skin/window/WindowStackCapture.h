// Captures of windows that are still being drawn (inside a menu loop): each window read from its own
// surface over what the screen shows around them.
#pragma once
#include <windows.h>

#include <vector>

#include "tools/screenshot/Screenshot.h"

// The windows as a user sees them, bottom first, each read from its own surface: inside a menu loop the
// screen may not show the latest drawing yet.
Capture CaptureStack(const std::vector<HWND>& windows);
