// Dialog data exchange: UpdateData, the DDX_ conversions and the DDV_ checks.
#include "afxwin.h"
#include "afxcmn.h"
#include "afxres.h"
#include "framework/WinThreadState.h"

#include <errno.h>
#include <float.h>
#include <math.h>
#include <stdlib.h>

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    // Filling the controls makes them notify (EN_CHANGE...); those are not the user's doing.
    AfxWinThreadState* state = AfxGetWinThreadState();
    HWND hWndOldLockout = state->hLockoutNotifyWindow;
    state->hLockoutNotifyWindow = m_hWnd;
    BOOL bOK = FALSE;
    try {
        DoDataExchange(&dx);
        bOK = TRUE;
    } catch (CException* e) {
        // A CUserException means the user has been told already.
        e->Delete();
    }
    state->hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

void CWnd::DoDataExchange(CDataExchange*) {}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_idLastControl(0), m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl == nullptr)
        AfxThrowNotSupportedException();
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_idLastControl != 0) {
        HWND hWndLastControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, m_idLastControl);
        if (hWndLastControl != nullptr) {
            ::SetFocus(hWndLastControl);
            if (m_bEditLastControl)
                ::SendMessageA(hWndLastControl, EM_SETSEL, 0, -1);
        }
    }
    AfxThrowUserException();
}

namespace {

CString WindowText(HWND hWnd)
{
    CString text;
    int nLen = ::GetWindowTextLengthA(hWnd);
    ::GetWindowTextA(hWnd, text.GetBufferSetLength(nLen), nLen + 1);
    text.ReleaseBuffer();
    return text;
}

// Only when the text differs, so that loading does not flicker or move the caret.
void SetTextIfChanged(HWND hWnd, LPCSTR lpszNew)
{
    if (WindowText(hWnd) != lpszNew)
        ::SetWindowTextA(hWnd, lpszNew);
}

void FailWithMessage(CDataExchange* pDX, UINT nIDPrompt)
{
    AfxMessageBox(nIDPrompt, MB_ICONEXCLAMATION);
    pDX->Fail();
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// A whole number with optional blanks around it and an optional sign ('-' only when signed),
// within [minVal, maxVal]. Out of range is a failure, not a number clipped to the range.
bool ParseInteger(LPCSTR text, bool isSigned, long long minVal, long long maxVal, long long* out)
{
    while (IsBlank(*text))
        ++text;
    if (*text == '-' && !isSigned)
        return false;
    const char* digits = text + ((*text == '-' || *text == '+') ? 1 : 0);
    if (*digits < '0' || *digits > '9')
        return false;
    char* end = nullptr;
    errno = 0;
    long long value = strtoll(text, &end, 10);
    if (errno == ERANGE)
        return false;
    while (IsBlank(*end))
        ++end;
    if (*end != '\0' || value < minVal || value > maxVal)
        return false;
    *out = value;
    return true;
}

bool ParseFloat(LPCSTR text, double* out)
{
    while (IsBlank(*text))
        ++text;
    if (*text == '\0')
        return false;
    char* end = nullptr;
    double value = strtod(text, &end);
    if (end == text)
        return false;
    while (IsBlank(*end))
        ++end;
    // strtod also reads "inf" and "nan", which no field means.
    if (*end != '\0' || !isfinite(value) || fabs(value) > FLT_MAX)
        return false;
    *out = value;
    return true;
}

template <class T>
void ExchangeInteger(CDataExchange* pDX, int nIDC, T& value, bool isSigned, long long minVal, long long maxVal,
                     LPCSTR format)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long parsed = 0;
        if (!ParseInteger(WindowText(hWndCtrl), isSigned, minVal, maxVal, &parsed))
            FailWithMessage(pDX, isSigned ? AFX_IDP_PARSE_INT : AFX_IDP_PARSE_UINT);
        value = (T)parsed;
    } else {
        char text[32];
        snprintf(text, sizeof text, format, value);
        SetTextIfChanged(hWndCtrl, text);
    }
}

void FailMinMax(CDataExchange* pDX, LPCSTR minText, LPCSTR maxText)
{
    if (!pDX->m_bSaveAndValidate)
        return; // out-of-range initial data is shown as it is
    CString prompt;
    AfxFormatString2(prompt, AFX_IDP_PARSE_INT_RANGE, minText, maxText);
    AfxMessageBox(prompt, MB_ICONEXCLAMATION, AFX_IDP_PARSE_INT_RANGE);
    pDX->Fail();
}

} // namespace

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(hWndCtrl);
    else
        SetTextIfChanged(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeInteger(pDX, nIDC, value, true, INT_MIN, INT_MAX, "%d");
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeInteger(pDX, nIDC, value, false, 0, UINT_MAX, "%u");
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeInteger(pDX, nIDC, value, true, LONG_MIN, LONG_MAX, "%ld");
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    ExchangeInteger(pDX, nIDC, value, false, 0, ULONG_MAX, "%lu");
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        double parsed = 0;
        if (!ParseFloat(WindowText(hWndCtrl), &parsed))
            FailWithMessage(pDX, AFX_IDP_PARSE_REAL);
        value = (float)parsed;
    } else {
        char text[64];
        snprintf(text, sizeof text, "%.*g", FLT_DIG, (double)value);
        SetTextIfChanged(hWndCtrl, text);
    }
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = (int)::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0);
    } else {
        if (value < 0 || value > 2)
            value = 0;
        ::SendMessageA(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
    }
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    // The group runs from nIDC to the next control with WS_GROUP; other controls in it are skipped.
    int iButton = 0;
    do {
        if (::SendMessageA(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0) != 0 && value == -1)
                    value = iButton;
            } else {
                ::SendMessageA(hWndCtrl, BM_SETCHECK, iButton == value, 0);
            }
            ++iButton;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != nullptr && !(::GetWindowLongA(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        // A drop-down list has no edit text of its own: take the selected item whole.
        int nSel = (int)::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0);
        bool dropList = (::GetWindowLongA(hWndCtrl, GWL_STYLE) & 3) == CBS_DROPDOWNLIST;
        if (dropList && nSel != CB_ERR) {
            int nLen = (int)::SendMessageA(hWndCtrl, CB_GETLBTEXTLEN, (WPARAM)nSel, 0);
            ::SendMessageA(hWndCtrl, CB_GETLBTEXT, (WPARAM)nSel, (LPARAM)value.GetBufferSetLength(nLen));
            value.ReleaseBuffer();
        } else {
            value = WindowText(hWndCtrl);
        }
    } else if (::SendMessageA(hWndCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCSTR)value) == CB_ERR) {
        ::SetWindowTextA(hWndCtrl, value); // ignored by a drop-down list
    }
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException();
}

void AFXAPI DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CTime& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    SYSTEMTIME st = {};
    if (pDX->m_bSaveAndValidate) {
        if (::SendMessageA(hWndCtrl, DTM_GETSYSTEMTIME, 0, (LPARAM)&st) == GDT_VALID)
            value = CTime(st);
    } else if (value.GetAsSystemTime(st)) {
        ::SendMessageA(hWndCtrl, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&st);
    }
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate && value.GetLength() > nChars) {
        char text[16];
        snprintf(text, sizeof text, "%d", nChars);
        CString prompt;
        AfxFormatString1(prompt, AFX_IDP_PARSE_STRING_SIZE, text);
        AfxMessageBox(prompt, MB_ICONEXCLAMATION, AFX_IDP_PARSE_STRING_SIZE);
        pDX->Fail();
    }
    // The control takes no more than the member may hold.
    if (pDX->m_idLastControl != 0) {
        HWND hWndLastControl = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, pDX->m_idLastControl);
        char className[16] = "";
        ::GetClassNameA(hWndLastControl, className, sizeof className);
        if (lstrcmpiA(className, "ComboBox") == 0)
            ::SendMessageA(hWndLastControl, CB_LIMITTEXT, (WPARAM)nChars, 0);
        else if (pDX->m_bEditLastControl)
            ::SendMessageA(hWndLastControl, EM_LIMITTEXT, (WPARAM)nChars, 0);
    }
}

namespace {

template <class T> void CheckMinMax(CDataExchange* pDX, T value, T minVal, T maxVal, LPCSTR format)
{
    if (value >= minVal && value <= maxVal)
        return;
    char minText[16], maxText[16];
    snprintf(minText, sizeof minText, format, minVal);
    snprintf(maxText, sizeof maxText, format, maxVal);
    FailMinMax(pDX, minText, maxText);
}

} // namespace

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    CheckMinMax(pDX, value, minVal, maxVal, "%d");
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    CheckMinMax(pDX, value, minVal, maxVal, "%u");
}

void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    CheckMinMax(pDX, value, minVal, maxVal, "%ld");
}
