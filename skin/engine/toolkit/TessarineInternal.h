// The toolkit's per-process and per-thread state as the rest of the engine (and its tests) reach it.
#pragma once
#include <windows.h>

#include <cstddef>

// The per-thread window hooks: controls created below a skinned window, and the menu keys.
LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK KeyboardHook(int code, WPARAM virtualKey, LPARAM keyData);

// The OS kind found at set-up (6 before it).
int TessarineOSKind();
// The module handed to the first TessarineInit.
HINSTANCE TessarineInstance();
// Whether a set-up has ever succeeded (the flag is never cleared).
bool TessarineInitialised();
// Whether the process is set up now (classes, tooltip, interception).
bool TessarineProcessSetUp();
// How many threads hold the toolkit's hooks, and whether the calling thread does.
size_t TessarineStartedThreads();
bool TessarineThreadStarted();

extern const char kPopupMenuClassName[]; // "TessarinePopupMenuWnd"
