// Texts of the configuration dialogs: string-table entries (Warden.rc), loaded from the resource
// module so that a language library replaces them.
#pragma once

#include <afx.h>

CString ConfigString(UINT id);
// The string-table entry formatted with one number.
CString ConfigStringNumber(UINT id, int value);
// Shows the string-table entry in a message box owned by the active window; the button pressed.
int ConfigMessage(UINT id, UINT type = MB_OK);
