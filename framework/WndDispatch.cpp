// CWnd message dispatch: the message-map lookup with one parameter cracker per handler signature,
// commands and notifications (with reflection to the control that sent them), and the default
// handlers that route owner-drawing and colouring to menus and controls.
#include "afxwin.h"
#include "framework/WinThreadState.h"

#include <windowsx.h>

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_CTLCOLOR()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_COMPAREITEM()
ON_WM_DELETEITEM()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

namespace {

union WindowHandler {
    AFX_PMSG pfn;
    void (CWnd::*pfn_vv)();
    BOOL (CWnd::*pfn_bv)();
    UINT (CWnd::*pfn_wv)();
    HCURSOR (CWnd::*pfn_hv)();
    LRESULT (CWnd::*pfn_lwl)(WPARAM, LPARAM);
    int (CWnd::*pfn_is)(LPCREATESTRUCT);
    BOOL (CWnd::*pfn_bD)(CDC*);
    void (CWnd::*pfn_vt)(UINT_PTR);
    void (CWnd::*pfn_vb)(BOOL);
    void (CWnd::*pfn_vbw)(BOOL, UINT);
    void (CWnd::*pfn_vbh)(BOOL, DWORD);
    void (CWnd::*pfn_vwii)(UINT, int, int);
    void (CWnd::*pfn_vii)(int, int);
    void (CWnd::*pfn_vwp)(UINT, CPoint);
    void (CWnd::*pfn_vwww)(UINT, UINT, UINT);
    void (CWnd::*pfn_vwl)(UINT, LPARAM);
    void (CWnd::*pfn_vwr)(UINT, LPRECT);
    void (CWnd::*pfn_vW)(CWnd*);
    void (CWnd::*pfn_vWp)(CWnd*, CPoint);
    void (CWnd::*pfn_vwWb)(UINT, CWnd*, BOOL);
    BOOL (CWnd::*pfn_bWww)(CWnd*, UINT, UINT);
    int (CWnd::*pfn_iWww)(CWnd*, UINT, UINT);
    BOOL (CWnd::*pfn_bwsp)(UINT, short, CPoint);
    LRESULT (CWnd::*pfn_lp)(CPoint);
    BOOL (CWnd::*pfn_bWCDS)(CWnd*, COPYDATASTRUCT*);
    HBRUSH (CWnd::*pfn_hDWw)(CDC*, CWnd*, UINT);
    HBRUSH (CWnd::*pfn_hDw)(CDC*, UINT);
    void (CWnd::*pfn_vwwW)(UINT, UINT, CScrollBar*);
    void (CWnd::*pfn_vww)(UINT, UINT);
    void (CWnd::*pfn_vOWNER)(int, void*);
    int (CWnd::*pfn_iis)(int, LPCOMPAREITEMSTRUCT);
    void (CWnd::*pfn_vs)(void*);
    void (CWnd::*pfn_vMwb)(CMenu*, UINT, BOOL);
    void (CWnd::*pfn_vHDROP)(HDROP);
};

const AFX_MSGMAP_ENTRY* FindWindowMessage(const AFX_MSGMAP* map, UINT message)
{
    for (; map != nullptr; map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
        if (message < 0xC000) {
            if (const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(map->lpEntries, message, 0, 0))
                return entry;
            continue;
        }
        // Registered messages: the entry holds the address of the variable with the number.
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nSig != AfxSig_end; ++entry) {
            if (entry->nMessage == 0xC000 && *(const UINT*)entry->nSig == message)
                return entry;
        }
    }
    return nullptr;
}

CPoint PointOf(LPARAM lParam)
{
    return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

// A wrapper that lives for one call, for handles no object owns (as the platform does for colours).
struct StackDC : CDC {
    explicit StackDC(HDC hDC) { m_hDC = m_hAttribDC = hDC; }
    ~StackDC() override { m_hDC = m_hAttribDC = nullptr; }
};
struct StackWnd : CWnd {
    explicit StackWnd(HWND hWnd) { m_hWnd = hWnd; }
    ~StackWnd() override { m_hWnd = nullptr; }
};

LRESULT CallCtlColor(CWnd* self, WindowHandler h, const AFX_CTLCOLOR& ctl)
{
    StackDC dc(ctl.hDC);
    StackWnd temp(ctl.hWnd);
    CWnd* pWnd = CWnd::FromHandlePermanent(ctl.hWnd);
    return (LRESULT)(self->*h.pfn_hDWw)(&dc, pWnd != nullptr ? pWnd : &temp, ctl.nCtlType);
}

} // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        if (pResult != nullptr)
            *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR->hwndFrom == nullptr || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
        if (pResult != nullptr)
            *pResult = lResult;
        return TRUE;
    }

    // Every WM_CTLCOLORxxx is looked up as the one WM_CTLCOLOR of ON_WM_CTLCOLOR.
    AFX_CTLCOLOR ctl = {};
    UINT lookup = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        ctl.hWnd = (HWND)lParam;
        ctl.hDC = (HDC)wParam;
        ctl.nCtlType = message - WM_CTLCOLORMSGBOX;
        lookup = WM_CTLCOLOR;
    }
    const AFX_MSGMAP_ENTRY* entry = FindWindowMessage(GetMessageMap(), lookup);
    if (entry == nullptr)
        return FALSE;

    WindowHandler h;
    h.pfn = entry->pfn;
    switch (entry->nSig) {
    case AfxSig_vv:
        (this->*h.pfn_vv)();
        break;
    case AfxSig_bv:
        lResult = (this->*h.pfn_bv)();
        break;
    case AfxSig_wv:
        lResult = (this->*h.pfn_wv)();
        break;
    case AfxSig_hv:
        lResult = (LRESULT)(this->*h.pfn_hv)();
        break;
    case AfxSig_is:
        lResult = (this->*h.pfn_is)((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_bD: {
        StackDC dc((HDC)wParam);
        lResult = (this->*h.pfn_bD)(&dc);
        break;
    }
    case AfxSig_vt:
        (this->*h.pfn_vt)((UINT_PTR)wParam);
        break;
    case AfxSig_vb:
        (this->*h.pfn_vb)((BOOL)wParam);
        break;
    case AfxSig_vbw:
        (this->*h.pfn_vbw)((BOOL)wParam, (UINT)lParam);
        break;
    case AfxSig_vbh:
        (this->*h.pfn_vbh)((BOOL)wParam, (DWORD)lParam);
        break;
    case AfxSig_vwii:
        (this->*h.pfn_vwii)((UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam));
        break;
    case AfxSig_vii:
        (this->*h.pfn_vii)((short)LOWORD(lParam), (short)HIWORD(lParam));
        break;
    case AfxSig_vwp:
        (this->*h.pfn_vwp)((UINT)wParam, PointOf(lParam));
        break;
    case AfxSig_vwww:
        (this->*h.pfn_vwww)((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vwl:
        (this->*h.pfn_vwl)((UINT)wParam, lParam);
        break;
    case AfxSig_vwr:
        (this->*h.pfn_vwr)((UINT)wParam, (LPRECT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_vW:
        // WM_CAPTURECHANGED names the new capture window in lParam; focus messages in wParam.
        (this->*h.pfn_vW)(FromHandle((HWND)(message == WM_CAPTURECHANGED ? lParam : wParam)));
        break;
    case AfxSig_vWp:
        (this->*h.pfn_vWp)(FromHandle((HWND)wParam), PointOf(lParam));
        break;
    case AfxSig_vwWb:
        (this->*h.pfn_vwWb)(LOWORD(wParam), FromHandle((HWND)lParam), HIWORD(wParam));
        break;
    case AfxSig_bWww:
        lResult = (this->*h.pfn_bWww)(FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_iWww:
        lResult = (this->*h.pfn_iWww)(FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_bwsp:
        lResult = (this->*h.pfn_bwsp)(LOWORD(wParam), (short)HIWORD(wParam), PointOf(lParam));
        break;
    case AfxSig_lp:
        lResult = (this->*h.pfn_lp)(PointOf(lParam));
        break;
    case AfxSig_bWCDS:
        lResult = (this->*h.pfn_bWCDS)(FromHandle((HWND)wParam), (COPYDATASTRUCT*)lParam);
        break;
    case AfxSig_hDWw:
        lResult = CallCtlColor(this, h, ctl);
        break;
    case AfxSig_hDw: {
        const AFX_CTLCOLOR* reflected = (const AFX_CTLCOLOR*)lParam;
        StackDC dc(reflected->hDC);
        lResult = (LRESULT)(this->*h.pfn_hDw)(&dc, reflected->nCtlType);
        break;
    }
    case AfxSig_vwwW:
        (this->*h.pfn_vwwW)(LOWORD(wParam), HIWORD(wParam), (CScrollBar*)FromHandle((HWND)lParam));
        break;
    case AfxSig_vww:
        (this->*h.pfn_vww)(LOWORD(wParam), HIWORD(wParam));
        break;
    case AfxSig_vOWNER:
        (this->*h.pfn_vOWNER)((int)wParam, (void*)lParam);
        lResult = TRUE;
        break;
    case AfxSig_iis:
        lResult = (this->*h.pfn_iis)((int)wParam, (LPCOMPAREITEMSTRUCT)lParam);
        break;
    case AfxSig_vs:
        (this->*h.pfn_vs)((void*)lParam);
        lResult = message == WM_REFLECT_BASE + WM_DRAWITEM || message == WM_REFLECT_BASE + WM_MEASUREITEM;
        break;
    case AfxSig_vMwb:
        (this->*h.pfn_vMwb)(CMenu::FromHandle((HMENU)wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vHDROP:
        (this->*h.pfn_vHDROP)((HDROP)wParam);
        break;
    case AfxSig_lwl:
        lResult = (this->*h.pfn_lwl)(wParam, lParam);
        break;
    default:
        // Registered messages keep their variable in nSig; they are all LRESULT (WPARAM, LPARAM).
        // Anything else is a command or notification entry, which OnCmdMsg dispatches.
        if (entry->nMessage != 0xC000)
            return FALSE;
        lResult = (this->*h.pfn_lwl)(wParam, lParam);
        break;
    }
    if (pResult != nullptr)
        *pResult = lResult;
    return TRUE;
}

// Commands and notifications ---------------------------------------------------------------------

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr) {
        // A menu item or an accelerator; identifier 0 is nobody's command.
        if (nID == 0)
            return FALSE;
        nCode = CN_COMMAND;
    } else {
        // Notifications caused by UpdateData filling the controls are not the user's doing.
        if (AfxGetWinThreadState()->hLockoutNotifyWindow == m_hWnd)
            return TRUE;
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    HWND hWndCtrl = pNMHDR->hwndFrom;
    // The identifier comes from the window itself, as idFrom may be anything.
    UINT nID = (UINT)::GetDlgCtrlID(hWndCtrl);
    int nCode = pNMHDR->code;
    if (AfxGetWinThreadState()->hLockoutNotifyWindow == m_hWnd)
        return TRUE;
    if (ReflectLastMsg(hWndCtrl, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND:
        if (CWnd::OnCmdMsg(0, MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr)) {
            if (pResult != nullptr)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY: {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        LRESULT ignored = 0;
        AFX_NOTIFY notify = {pResult != nullptr ? pResult : &ignored, pNMHDR};
        return CWnd::OnCmdMsg(0, MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, nullptr);
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
            AFX_CTLCOLOR ctl = {(HWND)lParam, (HDC)wParam, message - WM_CTLCOLORMSGBOX};
            LRESULT lResult = 0;
            // A control that returns no brush leaves the colouring to its parent.
            if (!CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, (LPARAM)&ctl, &lResult) || lResult == 0)
                return FALSE;
            if (pResult != nullptr)
                *pResult = lResult;
            return TRUE;
        }
        return FALSE;
    }
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = AfxGetWinThreadState()->lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    return pWnd != nullptr && pWnd->SendChildNotifyLastMsg(pResult);
}

// Default handlers -------------------------------------------------------------------------------

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return (HBRUSH)lResult;
    return (HBRUSH)Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU) {
        const AfxWinThreadState* state = AfxGetWinThreadState();
        HMENU hTop = state->hTrackingWindow == m_hWnd ? state->hTrackingMenu : ::GetMenu(m_hWnd);
        CMenu* pMenu = AfxFindOwnerDrawMenu(hTop, (HMENU)lpDrawItemStruct->hwndItem, lpDrawItemStruct->itemID);
        if (pMenu != nullptr) {
            pMenu->DrawItem(lpDrawItemStruct);
            return;
        }
    } else if (ReflectLastMsg(lpDrawItemStruct->hwndItem)) {
        return;
    }
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU) {
        const AfxWinThreadState* state = AfxGetWinThreadState();
        HMENU hTop = state->hTrackingWindow == m_hWnd ? state->hTrackingMenu : ::GetMenu(m_hWnd);
        CMenu* pMenu = AfxFindOwnerDrawMenu(hTop, nullptr, lpMeasureItemStruct->itemID);
        if (pMenu != nullptr)
            pMenu->MeasureItem(lpMeasureItemStruct);
    } else {
        CWnd* pChild = GetDescendantWindow(lpMeasureItemStruct->CtlID, TRUE);
        if (pChild != nullptr && pChild->SendChildNotifyLastMsg())
            return;
    }
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg(lpCompareItemStruct->hwndItem, &lResult))
        return (int)lResult;
    return (int)Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(pScrollBar->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(pScrollBar->m_hWnd))
        return;
    Default();
}

// The rest only pass the message on.
void CWnd::OnActivate(UINT, CWnd*, BOOL)
{
    Default();
}
void CWnd::OnActivateApp(BOOL, DWORD)
{
    Default();
}
void CWnd::OnCancelMode()
{
    Default();
}
void CWnd::OnCaptureChanged(CWnd*)
{
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnChildActivate()
{
    Default();
}
void CWnd::OnClose()
{
    Default();
}
void CWnd::OnContextMenu(CWnd*, CPoint)
{
    Default();
}
BOOL CWnd::OnCopyData(CWnd*, COPYDATASTRUCT*)
{
    return (BOOL)Default();
}
int CWnd::OnCreate(LPCREATESTRUCT)
{
    return (int)Default();
}
void CWnd::OnDestroy()
{
    Default();
}
void CWnd::OnDropFiles(HDROP)
{
    Default();
}
void CWnd::OnEnable(BOOL)
{
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}
UINT CWnd::OnGetDlgCode()
{
    return (UINT)Default();
}
void CWnd::OnGetMinMaxInfo(MINMAXINFO*)
{
    Default();
}
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL)
{
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnKillFocus(CWnd*)
{
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}
int CWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    return (int)Default();
}
void CWnd::OnMouseLeave()
{
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return (BOOL)Default();
}
void CWnd::OnMove(int, int)
{
    Default();
}
LRESULT CWnd::OnNcHitTest(CPoint)
{
    return Default();
}
void CWnd::OnPaint()
{
    Default();
}
HCURSOR CWnd::OnQueryDragIcon()
{
    return (HCURSOR)Default();
}
void CWnd::OnRButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint)
{
    Default();
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return (BOOL)Default();
}
void CWnd::OnSetFocus(CWnd*)
{
    Default();
}
void CWnd::OnShowWindow(BOOL, UINT)
{
    Default();
}
void CWnd::OnSize(UINT, int, int)
{
    Default();
}
void CWnd::OnSizing(UINT, LPRECT)
{
    Default();
}
void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}
void CWnd::OnSysKeyDown(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnTimer(UINT_PTR)
{
    Default();
}
void CWnd::OnWindowPosChanged(WINDOWPOS*)
{
    Default();
}
void CWnd::OnWindowPosChanging(WINDOWPOS*)
{
    Default();
}
