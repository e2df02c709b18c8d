#include "controls/GridMessages.h"

// Registered by name when the program starts, so that any window of the process may handle them.
const UINT WM_GRIDLIST_CHECKBOX_CLICKED = ::RegisterWindowMessageA("WM_GRIDLIST_CHECKBOX_CLICKED");
const UINT WM_GRIDLIST_EDIT_END = ::RegisterWindowMessageA("WM_GRIDLIST_EDIT_END");
const UINT WM_GRIDLIST_SUBITEM_CLICKED = ::RegisterWindowMessageA("WM_GRIDLIST_SUBITEM_CLICKED");
const UINT WM_GRIDEDIT_KILL_FOCUS = ::RegisterWindowMessageA("WM_GRIDEDIT_KILL_FOCUS");
const UINT WM_GRIDEDIT_VK_ESCAPE = ::RegisterWindowMessageA("WM_GRIDEDIT_VK_ESCAPE");
