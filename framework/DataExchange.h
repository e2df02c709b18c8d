// Dialog data exchange: DoDataExchange calls DDX_ functions that move a value between a control and
// a member (into the controls when loading, out of them when saving) and DDV_ functions that check
// the value just saved. A failed conversion or check shows the platform's message, puts the focus
// on the control and stops the exchange: the members of later controls keep their values.
#pragma once

#include "framework/Wnd.h"

class CTime;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate; // TRUE: controls to members
    CWnd* m_pDlgWnd;
    UINT m_idLastControl;    // the control the next DDV_ checks
    BOOL m_bEditLastControl; // whose text is selected when the check fails

    // The control's window; an identifier the dialog does not have throws CNotSupportedException.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Focus to the last control, then CUserException (which UpdateData catches).
    [[noreturn]] void Fail();
};

// Text of edits and static controls. Numbers must be whole numbers in the type's range, with blanks
// around them allowed; anything else fails with "请键入一个整数。" (positive numbers for the
// unsigned types, any number for float).
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value);

// Check boxes (0, 1, 2) and the radio group that starts at nIDC (the index of the checked button,
// -1 for none).
void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);

// Combo boxes: the selected index (-1 for none), or the text (loading selects the first item that
// begins with it).
void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);

// Binds (subclasses) the control to a control object, once.
void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Date-time pickers. A picker with no date set leaves the value as it is.
void AFXAPI DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CTime& value);

// Checks, only when saving; each must follow the DDX_ of its control.
void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
