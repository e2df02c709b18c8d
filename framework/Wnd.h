// CWnd: the framework's window. An object owns one window handle (m_hWnd); messages reach its
// message map through the framework's window procedure, which the window gets when it is created
// by the object or subclassed. The wrappers below are the Win32 calls on m_hWnd, nothing more.
#pragma once

#include "framework/CmdTarget.h"
#include "atltypes.h"

// winuser.h makes GetNextWindow a two-argument macro, which would swallow CWnd::GetNextWindow.
#ifdef GetNextWindow
#undef GetNextWindow
inline HWND GetNextWindow(HWND hWnd, UINT wCmd)
{
    return ::GetWindow(hWnd, wCmd);
}
#endif

class CDC;
class CFont;
class CMenu;
class CScrollBar;
class CDataExchange;
struct CCreateContext;

// Window flags (CWnd::m_nFlags).
#define WF_MODALLOOP 0x0008     // a modal loop runs for this window
#define WF_CONTINUEMODAL 0x0010 // the modal loop goes on until this is cleared

// RunModalLoop flags.
#define MLF_NOIDLEMSG 0x0001  // no WM_ENTERIDLE to the parent
#define MLF_SHOWONIDLE 0x0004 // show the window the first time the loop goes idle

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd;

    // Stand-ins for HWND_TOP and its kin in SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // Valid also on a null pointer (AfxGetMainWnd()->GetSafeHwnd()).
    HWND GetSafeHwnd() const;
    // The same for a pointer that may be null, without calling through it.
    static HWND PASCAL SafeHandle(const CWnd* pWnd) { return pWnd != nullptr ? pWnd->m_hWnd : nullptr; }
    operator HWND() const { return m_hWnd; }
    // The handle a wrapper hands to its Win32 call: a wrapper called on an object without a live window
    // is the caller's mistake, caught here as the platform's wrappers catch it.
    HWND CheckedHandle() const
    {
        ASSERT(::IsWindow(m_hWnd));
        return m_hWnd;
    }
    bool operator==(const CWnd& wnd) const { return wnd.m_hWnd == m_hWnd; }
    bool operator!=(const CWnd& wnd) const { return wnd.m_hWnd != m_hWnd; }

    // The object that owns hWnd, else a temporary wrapper valid until the thread is next idle.
    static CWnd* PASCAL FromHandle(HWND hWnd);
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);

    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Routes the window's messages through this object; the old procedure stays the default one.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Creation. A null class name gets the framework's default window class.
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                        UINT nID, CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                          int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();

    // An ActiveX control. Controls are not hosted: a placeholder window of the control's class
    // identifier stands in its place (ControlPlaceholder.h), so dialogs and callers go on working.
    BOOL CreateControl(REFCLSID clsid, LPCSTR pszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       UINT nID, void* pPersist = nullptr, BOOL bStorage = FALSE, BSTR bstrLicKey = nullptr);
    BOOL CreateControl(LPCSTR pszClass, LPCSTR pszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       UINT nID, void* pPersist = nullptr, BOOL bStorage = FALSE, BSTR bstrLicKey = nullptr);
    // Calls a method or property of the control. A placeholder has none: the result is zeroed.
    void AFX_CDECL InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...);

    // Styles
    DWORD GetStyle() const { return (DWORD)::GetWindowLongA(CheckedHandle(), GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLongA(CheckedHandle(), GWL_EXSTYLE); }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

    // Messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(CheckedHandle(), message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(CheckedHandle(), message, wParam, lParam);
    }
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);
    // The message being dispatched on this thread.
    static const MSG* PASCAL GetCurrentMessage();

    // Text
    void SetWindowText(LPCSTR lpszString) { ::SetWindowTextA(CheckedHandle(), lpszString); }
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const
    {
        return ::GetWindowTextA(CheckedHandle(), lpszStringBuf, nMaxCount);
    }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(CheckedHandle()); }
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;

    // Position and size
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(CheckedHandle(), lpRect); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(CheckedHandle(), lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(CheckedHandle(), lpPoint); }
    void ClientToScreen(LPRECT lpRect) const { ::MapWindowPoints(CheckedHandle(), nullptr, (LPPOINT)lpRect, 2); }
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(CheckedHandle(), lpPoint); }
    void ScreenToClient(LPRECT lpRect) const { ::MapWindowPoints(nullptr, m_hWnd, (LPPOINT)lpRect, 2); }
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
    {
        ::MapWindowPoints(CheckedHandle(), SafeHandle(pwndTo), lpPoint, nCount);
    }
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
    {
        ::MapWindowPoints(CheckedHandle(), SafeHandle(pwndTo), (LPPOINT)lpRect, 2);
    }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE)
    {
        ::MoveWindow(CheckedHandle(), x, y, nWidth, nHeight, bRepaint);
    }
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE)
    {
        MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
    }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
    {
        return ::SetWindowPos(CheckedHandle(), SafeHandle(pWndInsertAfter), x, y, cx, cy, nFlags);
    }
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
    {
        lpwndpl->length = sizeof(WINDOWPLACEMENT);
        return ::GetWindowPlacement(CheckedHandle(), lpwndpl);
    }
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(CheckedHandle(), lpwndpl); }
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw) { return ::SetWindowRgn(CheckedHandle(), hRgn, bRedraw); }
    BOOL IsIconic() const { return ::IsIconic(CheckedHandle()); }
    BOOL IsZoomed() const { return ::IsZoomed(CheckedHandle()); }
    void BringWindowToTop() { ::BringWindowToTop(CheckedHandle()); }

    // State
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(CheckedHandle(), nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(CheckedHandle()); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(CheckedHandle(), bEnable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(CheckedHandle()); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(CheckedHandle())); }
    static CWnd* PASCAL GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(CheckedHandle())); }
    static CWnd* PASCAL GetCapture() { return FromHandle(::GetCapture()); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(CheckedHandle())); }
    static CWnd* PASCAL GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(CheckedHandle()); }
    static CWnd* PASCAL GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
    BOOL FlashWindow(BOOL bInvert) { return ::FlashWindow(CheckedHandle(), bInvert); }
    HICON SetIcon(HICON hIcon, BOOL bBigIcon)
    {
        return (HICON)::SendMessageA(CheckedHandle(), WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, (LPARAM)hIcon);
    }
    HICON GetIcon(BOOL bBigIcon) const
    {
        return (HICON)::SendMessageA(CheckedHandle(), WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0);
    }

    // Painting
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(CheckedHandle(), nullptr, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(CheckedHandle(), lpRect, bErase); }
    void InvalidateRgn(HRGN hRgn, BOOL bErase = TRUE) { ::InvalidateRgn(CheckedHandle(), hRgn, bErase); }
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(CheckedHandle(), lpRect); }
    void UpdateWindow() { ::UpdateWindow(CheckedHandle()); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE)
    {
        return ::RedrawWindow(CheckedHandle(), lpRectUpdate, hrgnUpdate, flags);
    }
    void SetRedraw(BOOL bRedraw = TRUE) { ::SendMessageA(CheckedHandle(), WM_SETREDRAW, bRedraw, 0); }
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE) { return ::GetUpdateRect(CheckedHandle(), lpRect, bErase); }
    BOOL LockWindowUpdate() { return ::LockWindowUpdate(CheckedHandle()); }
    void UnlockWindowUpdate() { ::LockWindowUpdate(nullptr); }
    // Temporary objects; give them back with ReleaseDC.
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
    void EndPaint(LPPAINTSTRUCT lpPaint) { ::EndPaint(CheckedHandle(), lpPaint); }

    // Timers
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr)
    {
        return ::SetTimer(CheckedHandle(), nIDEvent, nElapse, lpfnTimer);
    }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(CheckedHandle(), nIDEvent); }

    // Relatives and children
    CWnd* GetParent() const { return FromHandle(::GetParent(CheckedHandle())); }
    CWnd* SetParent(CWnd* pWndNewParent) { return FromHandle(::SetParent(CheckedHandle(), SafeHandle(pWndNewParent))); }
    CWnd* GetOwner() const { return FromHandle(::GetWindow(CheckedHandle(), GW_OWNER)); }
    void SetOwner(CWnd* pOwnerWnd)
    {
        ::SetWindowLongPtrA(CheckedHandle(), GWLP_HWNDPARENT, (LONG_PTR)SafeHandle(pOwnerWnd));
    }
    // The parent of a child window, the owner of a pop-up, followed up to the top.
    CWnd* GetTopLevelParent() const;
    CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(CheckedHandle(), nCmd)); }
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const { return FromHandle(::GetWindow(CheckedHandle(), nFlag)); }
    CWnd* GetTopWindow() const { return FromHandle(::GetTopWindow(CheckedHandle())); }
    CWnd* GetLastActivePopup() const { return FromHandle(::GetLastActivePopup(CheckedHandle())); }
    BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(CheckedHandle(), SafeHandle(pWnd)); }
    CWnd* ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(CheckedHandle(), point)); }
    CWnd* ChildWindowFromPoint(POINT point, UINT nFlags) const
    {
        return FromHandle(::ChildWindowFromPointEx(CheckedHandle(), point, nFlags));
    }
    static CWnd* PASCAL WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
    static CWnd* PASCAL FindWindow(LPCSTR lpszClassName, LPCSTR lpszWindowName)
    {
        return FromHandle(::FindWindowA(lpszClassName, lpszWindowName));
    }
    // The descendant with that identifier, searched depth first; bOnlyPerm skips windows no object owns.
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;

    // Dialog items
    CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(CheckedHandle(), nID)); }
    void GetDlgItem(int nID, HWND* phWnd) const { *phWnd = ::GetDlgItem(CheckedHandle(), nID); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(CheckedHandle()); }
    int SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtrA(CheckedHandle(), GWLP_ID, nID); }
    void SetDlgItemText(int nID, LPCSTR lpszString) { ::SetDlgItemTextA(CheckedHandle(), nID, lpszString); }
    int GetDlgItemText(int nID, LPSTR lpStr, int nMaxCount) const
    {
        return ::GetDlgItemTextA(CheckedHandle(), nID, lpStr, nMaxCount);
    }
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE)
    {
        ::SetDlgItemInt(CheckedHandle(), nID, nValue, bSigned);
    }
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const
    {
        return ::GetDlgItemInt(CheckedHandle(), nID, lpTrans, bSigned);
    }
    void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(CheckedHandle(), nIDButton, nCheck); }
    UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(CheckedHandle(), nIDButton); }
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
    {
        ::CheckRadioButton(CheckedHandle(), nIDFirstButton, nIDLastButton, nIDCheckButton);
    }
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendDlgItemMessageA(CheckedHandle(), nID, message, wParam, lParam);
    }
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const
    {
        return FromHandle(::GetNextDlgTabItem(CheckedHandle(), SafeHandle(pWndCtl), bPrevious));
    }
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const
    {
        return FromHandle(::GetNextDlgGroupItem(CheckedHandle(), SafeHandle(pWndCtl), bPrevious));
    }

    // Window properties
    BOOL SetProp(LPCSTR lpString, HANDLE hData) { return ::SetPropA(CheckedHandle(), lpString, hData); }
    HANDLE GetProp(LPCSTR lpString) const { return ::GetPropA(CheckedHandle(), lpString); }
    HANDLE RemoveProp(LPCSTR lpString) { return ::RemovePropA(CheckedHandle(), lpString); }

    // Menus
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar() { ::DrawMenuBar(CheckedHandle()); }
    CMenu* GetSystemMenu(BOOL bRevert) const;

    // Scrolling
    int GetScrollPos(int nBar) const { return ::GetScrollPos(CheckedHandle(), nBar); }
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE)
    {
        return ::SetScrollPos(CheckedHandle(), nBar, nPos, bRedraw);
    }
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
    {
        ::GetScrollRange(CheckedHandle(), nBar, lpMinPos, lpMaxPos);
    }
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE)
    {
        ::SetScrollRange(CheckedHandle(), nBar, nMinPos, nMaxPos, bRedraw);
    }
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    int GetScrollLimit(int nBar) const;
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(CheckedHandle(), nBar, bShow); }
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr)
    {
        ::ScrollWindow(CheckedHandle(), xAmount, yAmount, lpRect, lpClipRect);
    }
    void DragAcceptFiles(BOOL bAccept = TRUE);

    // Message boxes go through the message-box seam (WindowSeams.h); a null caption is the
    // application's name.
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);

    // Dialog data exchange (DataExchange.h). FALSE when a check failed; the user has been told.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Modal loops (CDialog::DoModal runs one): returns the code given to EndModalLoop, or -1 when
    // the window was destroyed first.
    virtual int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // Overridables
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    // Called for every message taken from the queue for this window or a descendant, innermost
    // window first; TRUE stops the message.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Keyboard and mouse messages go to IsDialogMessage (dialogs and form views use this).
    BOOL PreTranslateInput(LPMSG lpMsg);
    BOOL IsDialogMessage(LPMSG lpMsg) { return ::IsDialogMessageA(CheckedHandle(), lpMsg); }
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A notification that the parent reflected back to this control; TRUE when handled here.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void DoDataExchange(CDataExchange* pDX);
    // Called after the window is gone; a window allocated with new may delete itself here.
    virtual void PostNcDestroy();

    // Default processing of the message being dispatched.
    LRESULT Default();
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
    static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    // Offers pMsg to PreTranslateMessage of hWnd's window and its parents up to hWndStop.
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    // The window a modal dialog or message box without a parent is owned by.
    static CWnd* PASCAL GetSafeOwner(CWnd* pParent = nullptr, HWND* pWndTop = nullptr);

    // Message handlers with their default processing.
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnCancelMode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChildActivate();
    afx_msg void OnClose();
    afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    afx_msg void OnDestroy();
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseLeave();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnNcDestroy();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);

    UINT m_nFlags;      // WF_ flags
    WNDPROC m_pfnSuper; // the window's own procedure when subclassed, else null

protected:
    // Creates a modeless dialog (or form view) window from a template; the object owns it from its
    // first message. Unknown ActiveX controls in the template get placeholders.
    BOOL CreateDlg(LPCSTR lpszTemplateName, CWnd* pParentWnd);
    // cbTemplate bounds the scan for ActiveX controls; 0 when the size is not known.
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst, DWORD cbTemplate = 0);

    int m_nModalResult;

    DECLARE_MESSAGE_MAP()

private:
    explicit CWnd(HWND hWnd); // the wndTop family
};

// The framework's window procedure: every window owned by a CWnd runs through it.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// The dialog procedure of dialogs made by the framework; it only runs OnInitDialog.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// A window class with those attributes and the default window procedure, registered once; the
// name stays valid for the life of the process.
LPCSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                                  HICON hIcon = nullptr);
// A dialog template from the resource module (else the program): its module and size are returned.
LPCDLGTEMPLATE AFXAPI AfxLoadDialogTemplate(LPCSTR lpszTemplateName, HINSTANCE* phInst, DWORD* pcbTemplate);
// Registers the common control classes the framework's dialogs and wrappers may create.
void AFXAPI AfxInitCommonControls();

// Temporary wrapper objects (FromHandle) live until the thread is idle outside any window
// procedure; a lock keeps them alive longer.
void AFXAPI AfxLockTempMaps();
BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);

// The message loop's filter: PreTranslateMessage of the application (which walks the window tree),
// or the window tree itself on threads without an application object.
BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg);
BOOL AFXAPI AfxInternalPreTranslateMessage(MSG* pMsg);
// Takes one message, filters and dispatches it; FALSE on WM_QUIT.
BOOL AFXAPI AfxPumpMessage();
