// The registered window messages of the extended list and its in-cell edit box. The list sends the
// three WM_GRIDLIST messages to its notify window with wParam = row and lParam = column; the edit
// box ends itself by sending one of the two WM_GRIDEDIT messages to the list (wParam and lParam 0).
#pragma once

#include <windows.h>

extern const UINT WM_GRIDLIST_CHECKBOX_CLICKED;
extern const UINT WM_GRIDLIST_EDIT_END;
extern const UINT WM_GRIDLIST_SUBITEM_CLICKED;
extern const UINT WM_GRIDEDIT_KILL_FOCUS;
extern const UINT WM_GRIDEDIT_VK_ESCAPE;
