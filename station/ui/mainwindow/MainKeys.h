// The main window's keyboard: which keys select panes, switch the split mode and drive the camera,
// and which path a key message takes. The window (CDlgMain::PreTranslateMessage) acts on the answers.
#pragma once

#include <windows.h>

// The path of a message through CDlgMain::PreTranslateMessage.
enum KeyRoute {
    KEY_ROUTE_DEFAULT, // relayed to the tooltips, then the framework's processing
    KEY_ROUTE_KEYDOWN, // hot-keys, then the PTZ keys; an untaken key ends there (returns 0)
    KEY_ROUTE_PTZ_UP,  // the PTZ keys' release
    KEY_ROUTE_SWALLOW, // Enter or Escape: never closes the main window
};
KeyRoute RouteKeyMessage(int touring, int locked, int ptzRight, UINT message, WPARAM key);

// "1".."9" panes 0..8, "0" pane 9, numeric pad 0..5 panes 10..15; -1 for other keys.
int HotKeyPane(WPARAM key);
// F1..F6 without Ctrl: split modes 1, 4, 6, 8, 9, 16; 0 otherwise.
int HotKeySplitMode(WPARAM key, int ctrlDown);

// The PTZ keys that send a code on press and its release code on release.
// Returns the code (press: 0..9, release: 14..23), or -1 when the key has none.
int PtzDirectionCode(WPARAM key, int release);
