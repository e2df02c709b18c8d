// One item of the drop-down combo box and the private messages among its parts.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct DropComboItem {
    std::string text;
    BOOL disabled = FALSE; // cannot be selected by keys, wheel or mouse
    DWORD data = 0;
    DWORD state = 0;
};

typedef std::vector<DropComboItem> DropComboItems;

const UINT WM_DROPCOMBO_SELECT = 0x401;       // wParam = row of the shown list
const UINT WM_DROPCOMBO_CLOSEUP = 0x402;      // close without selecting; wParam: why (below)
const UINT WM_DROPCOMBO_LIST_CAPTURE = 0x403; // the receiver takes the mouse capture
const UINT WM_DROPCOMBO_LIST_RELEASE = 0x404; // the receiver releases it
const UINT WM_DROPCOMBO_DROPDOWN = 0x465;     // open, or close when open

// wParam of WM_DROPCOMBO_CLOSEUP from the drop window when a press outside it closes the list;
// 0 for every other close.
const WPARAM DROPCOMBO_PRESSED_OUTSIDE = 1;

// Behaviour bits of the combo box.
const DWORD DROPCOMBO_FRAMED_EDIT = 2;
const DWORD DROPCOMBO_WIDE_LIST = 4;
const DWORD DROPCOMBO_AUTO_APPEND = 8;
const DWORD DROPCOMBO_AUTO_SUGGEST = 16;
