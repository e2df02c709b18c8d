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
    return AfxMessageBox(ConfigString(id), type);
}
