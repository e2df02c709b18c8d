// Texts of the configuration dialogs: string-table entries (Warden.rc), loaded from the resource
// module so that a language library replaces them.
#pragma once

#include <afxwin.h>

#include <initializer_list>

CString ConfigString(UINT id);
// The string-table entry formatted with one number.
CString ConfigStringNumber(UINT id, int value);
// Shows the string-table entry in a message box owned by the active window; the button pressed.
// Every message of the configuration and records dialogs goes through these two.
int ConfigMessage(UINT id, UINT type = MB_OK);
// The same for a text already made (a formatted entry, a library's answer).
int ConfigMessageText(LPCSTR text, UINT type = MB_OK);
// Appends the texts to the dialog's combo box, in order.
void FillCombo(CWnd* dialog, int id, std::initializer_list<const char*> items);
// Appends the string-table entries to the dialog's combo box, in order.
void FillComboStrings(CWnd* dialog, int id, std::initializer_list<UINT> ids);
