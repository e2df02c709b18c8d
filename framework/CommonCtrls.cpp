// The smaller common-control wrappers: creation and the calls that are more than one message, for
// the header, tab, trackbar, progress, up-down, date-time, IP address and tooltip controls.
#include "afxwin.h"
#include "afxcmn.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CIPAddressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {

BOOL CreateCommonControl(CWnd* pWnd, LPCSTR lpszClass, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxInitCommonControls();
    return pWnd->CWnd::Create(lpszClass, nullptr, dwStyle, rect, pParentWnd, nID);
}

} // namespace

// Header -----------------------------------------------------------------------------------------

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, WC_HEADERA, dwStyle, rect, pParentWnd, nID);
}

CImageList* CHeaderCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle((HIMAGELIST)SendMessage(HDM_SETIMAGELIST, 0, (LPARAM)pImageList->GetSafeHandle()));
}

CImageList* CHeaderCtrl::GetImageList() const
{
    return CImageList::FromHandle((HIMAGELIST)SendMessage(HDM_GETIMAGELIST));
}

void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return AfxDrawItemNotify(this, message, wParam, lParam, pResult);
}

// Tab --------------------------------------------------------------------------------------------

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, WC_TABCONTROLA, dwStyle, rect, pParentWnd, nID);
}

LONG CTabCtrl::InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, int nImage, LPARAM lParam)
{
    TCITEMA item = {};
    item.mask = nMask;
    item.pszText = (LPSTR)lpszItem;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(nItem, &item);
}

CImageList* CTabCtrl::GetImageList() const
{
    return CImageList::FromHandle((HIMAGELIST)SendMessage(TCM_GETIMAGELIST));
}

CImageList* CTabCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle((HIMAGELIST)SendMessage(TCM_SETIMAGELIST, 0, (LPARAM)pImageList->GetSafeHandle()));
}

void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return AfxDrawItemNotify(this, message, wParam, lParam, pResult);
}

// Trackbar, progress bar, up-down ----------------------------------------------------------------

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, TRACKBAR_CLASSA, dwStyle, rect, pParentWnd, nID);
}

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, PROGRESS_CLASSA, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    PBRANGE range = {};
    SendMessage(PBM_GETRANGE, FALSE, (LPARAM)&range);
    nLower = range.iLow;
    nUpper = range.iHigh;
}

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, UPDOWN_CLASSA, dwStyle, rect, pParentWnd, nID);
}

// Date-time picker ---------------------------------------------------------------------------------

BOOL CDateTimeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, DATETIMEPICK_CLASSA, dwStyle, rect, pParentWnd, nID);
}

DWORD CDateTimeCtrl::GetTime(CTime& timeDest) const
{
    SYSTEMTIME st = {};
    DWORD dwResult = GetTime(&st);
    if (dwResult == GDT_VALID)
        timeDest = CTime(st);
    return dwResult;
}

BOOL CDateTimeCtrl::SetTime(const CTime* pTimeNew)
{
    SYSTEMTIME st = {};
    if (pTimeNew == nullptr)
        return SetTime((LPSYSTEMTIME) nullptr);
    return pTimeNew->GetAsSystemTime(st) && SetTime(&st);
}

DWORD CDateTimeCtrl::GetRange(LPSYSTEMTIME pMinRange, LPSYSTEMTIME pMaxRange) const
{
    SYSTEMTIME range[2] = {};
    DWORD dwResult = (DWORD)SendMessage(DTM_GETRANGE, 0, (LPARAM)range);
    if (pMinRange != nullptr)
        *pMinRange = range[0];
    if (pMaxRange != nullptr)
        *pMaxRange = range[1];
    return dwResult;
}

BOOL CDateTimeCtrl::SetRange(LPSYSTEMTIME pMinRange, LPSYSTEMTIME pMaxRange)
{
    SYSTEMTIME range[2] = {};
    WPARAM flags = 0;
    if (pMinRange != nullptr) {
        range[0] = *pMinRange;
        flags |= GDTR_MIN;
    }
    if (pMaxRange != nullptr) {
        range[1] = *pMaxRange;
        flags |= GDTR_MAX;
    }
    return (BOOL)SendMessage(DTM_SETRANGE, flags, (LPARAM)range);
}

// IP address ---------------------------------------------------------------------------------------

BOOL CIPAddressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, WC_IPADDRESSA, dwStyle, rect, pParentWnd, nID);
}

int CIPAddressCtrl::GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const
{
    DWORD dwAddress = 0;
    int nFields = GetAddress(dwAddress);
    nField0 = (BYTE)FIRST_IPADDRESS(dwAddress);
    nField1 = (BYTE)SECOND_IPADDRESS(dwAddress);
    nField2 = (BYTE)THIRD_IPADDRESS(dwAddress);
    nField3 = (BYTE)FOURTH_IPADDRESS(dwAddress);
    return nFields;
}

// Tooltip ------------------------------------------------------------------------------------------

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    AfxInitCommonControls();
    // A tooltip is always a pop-up, owned by the window whose tools it shows.
    BOOL bResult = CWnd::CreateEx(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CWnd::SafeHandle(pParentWnd), nullptr);
    if (bResult)
        SetOwner(pParentWnd);
    return bResult;
}

void CToolTipCtrl::FillInToolInfo(TTTOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    memset(&ti, 0, sizeof ti);
    // The size that every version of the control accepts.
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    HWND hWnd = CWnd::SafeHandle(pWnd);
    if (nIDTool == 0) {
        ti.hwnd = ::GetParent(hWnd);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = (UINT_PTR)hWnd;
    } else {
        ti.hwnd = hWnd;
        ti.uFlags = 0;
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TTTOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    ti.lpszText = (LPSTR)lpszText;
    return (BOOL)SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    // The text is taken now, from the resource module (or the program), in the code page of the program.
    CString text;
    AfxLoadString(nIDText, text);
    return AddTool(pWnd, (LPCSTR)text, lpRectTool, nIDTool);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    SendMessage(TTM_DELTOOLA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    TTTOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    // The control copies without a size, at most INFOTIPSIZE bytes.
    char text[INFOTIPSIZE + 1] = "";
    ti.lpszText = text;
    SendMessage(TTM_GETTEXTA, 0, (LPARAM)&ti);
    str = text;
}

void CToolTipCtrl::UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = (LPSTR)lpszText;
    SendMessage(TTM_UPDATETIPTEXTA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool)
{
    CString text;
    AfxLoadString(nIDText, text);
    UpdateTipText((LPCSTR)text, pWnd, nIDTool);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TTTOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECTA, 0, (LPARAM)&ti);
}
