// Loading and showing the configuration dialogs' string-table texts.
#include "station/config/ConfigText.h"

#include <afxwin.h>

CString ConfigString(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

CString ConfigStringNumber(UINT id, int value)
{
    CString text;
    text.Format(ConfigString(id), value);
    return text;
}

int ConfigMessage(UINT id, UINT type)
{
    return ConfigMessageText(ConfigString(id), type);
}

int ConfigMessageText(LPCSTR text, UINT type)
{
    return AfxMessageBox(text, type);
}

void FillCombo(CWnd* dialog, int id, std::initializer_list<const char*> items)
{
    for (const char* item : items)
        dialog->SendDlgItemMessage(id, CB_ADDSTRING, 0, (LPARAM)item);
}

void FillComboStrings(CWnd* dialog, int id, std::initializer_list<UINT> ids)
{
    for (UINT text : ids)
        dialog->SendDlgItemMessage(id, CB_ADDSTRING, 0, (LPARAM)(LPCSTR)ConfigString(text));
}
