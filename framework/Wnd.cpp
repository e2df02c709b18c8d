// CWnd: window creation and ownership, the framework's window procedure, the pre-translation walk
// and modal loops. Message dispatch is in WndDispatch.cpp.
#include "afxwin.h"
#include "framework/ControlPlaceholder.h"
#include "framework/WindowSeams.h"
#include "framework/WinThreadState.h"
#include "framework/StartupTrace.h"

#include <mutex>
#include <set>
#include <string>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

// The parent of a child window, the owner of any other.
HWND ParentOrOwner(HWND hWnd)
{
    if (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}

// Windows the input method creates on its own must not be taken for the window being created.
bool IsImeWindow(HWND hWnd)
{
    if (::GetClassLongA(hWnd, GCL_STYLE) & CS_IME)
        return true;
    char name[16];
    return ::GetClassNameA(hWnd, name, sizeof name) > 0 && lstrcmpiA(name, "ime") == 0;
}

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AfxWinThreadState* state = AfxGetWinThreadState();
    HWND hWnd = (HWND)wParam;
    bool attached = false;
    if (code == HCBT_CREATEWND && state->pWndInit != nullptr && !IsImeWindow(hWnd)) {
        CWnd* pWndInit = state->pWndInit;
        state->pWndInit = nullptr;
        pWndInit->Attach(hWnd);
        pWndInit->PreSubclassWindow();
        WNDPROC oldWndProc = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
        if (oldWndProc != AfxWndProc)
            pWndInit->m_pfnSuper = oldWndProc;
        attached = true;
    }
    HHOOK hook = state->hHookCbt;
    LRESULT result = ::CallNextHookEx(hook, code, wParam, lParam);
    // With its window attached the hook has nothing left to do: every further event on the thread
    // (a dialog's controls, activation, focus) would cost a call into the system for nothing. The
    // next HookWindowCreate installs it again.
    if (attached && hook != nullptr) {
        state->hHookCbt = nullptr;
        ::UnhookWindowsHookEx(hook);
    }
    return result;
}

// The next window created on this thread belongs to pWnd (from its first message on).
void HookWindowCreate(CWnd* pWnd)
{
    AfxWinThreadState* state = AfxGetWinThreadState();
    ++state->nHookUsers;
    if (state->hHookCbt == nullptr)
        state->hHookCbt = ::SetWindowsHookExA(WH_CBT, CbtFilterHook, nullptr, ::GetCurrentThreadId());
    state->pWndInit = pWnd;
}

// FALSE when no window was created for the object.
BOOL UnhookWindowCreate()
{
    AfxWinThreadState* state = AfxGetWinThreadState();
    if (--state->nHookUsers == 0 && state->hHookCbt != nullptr) {
        ::UnhookWindowsHookEx(state->hHookCbt);
        state->hHookCbt = nullptr;
    }
    if (state->pWndInit != nullptr) {
        state->pWndInit = nullptr;
        return FALSE;
    }
    return TRUE;
}

bool IsIdleMessage(const MSG& msg)
{
    static POINT lastMouse = {-1, -1};
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        if (msg.pt.x == lastMouse.x && msg.pt.y == lastMouse.y)
            return false;
        lastMouse = msg.pt;
        return true;
    }
    // Painting and the caret's blink timer do not end an idle period.
    return msg.message != WM_PAINT && msg.message != 0x0118;
}

// Deletes the temporary wrappers when no handler of this thread can hold one.
void IdleCleanup()
{
    AfxWinThreadState* state = AfxGetWinThreadState();
    if (state->nDispatchDepth == 0 && state->nTempMapLock == 0) {
        AfxLockTempMaps();
        AfxUnlockTempMaps(TRUE);
    }
}

} // namespace

// Construction and ownership -------------------------------------------------------------------

CWnd::CWnd() : m_hWnd(nullptr), m_nFlags(0), m_pfnSuper(nullptr), m_nModalResult(-1) {}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_nFlags(0), m_pfnSuper(nullptr), m_nModalResult(-1) {}

CWnd::~CWnd()
{
    // A window still alive when its object goes: destroy it now, while it can still reach its
    // (base class) handlers, so that nothing is left pointing at a dead object.
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

HWND CWnd::GetSafeHwnd() const
{
    const CWnd* self = AfxNullable(this);
    return self == nullptr ? nullptr : self->m_hWnd;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    return AfxGetWinThreadState()->windows.FromHandle<&CWnd::m_hWnd>(hWnd);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd == nullptr ? nullptr : AfxGetWinThreadState()->windows.LookupPermanent(hWnd);
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (m_hWnd != nullptr || !AfxGetWinThreadState()->windows.Attach(hWndNew, this))
        return FALSE;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    AfxGetWinThreadState()->windows.Detach(hWnd, this);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC oldWndProc = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    if (oldWndProc != AfxWndProc)
        m_pfnSuper = oldWndProc;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(SafeHandle(pParent), nID);
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper != nullptr)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = nullptr;
    return Detach();
}

// Creation ---------------------------------------------------------------------------------------

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW));
    return TRUE;
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext*)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, SafeHandle(pParentWnd), (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != nullptr)
        return FALSE;
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    HookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    // No window was ever made for the object: it gets its last call here instead of after WM_NCDESTROY.
    if (!UnhookWindowCreate())
        PostNcDestroy();
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    // Only the handle and whether the object is permanent are remembered: a window owned by its
    // object detaches itself on WM_NCDESTROY, and the object may be deleted by then.
    HWND hWnd = m_hWnd;
    bool permanent = FromHandlePermanent(hWnd) == this;
    BOOL bResult = ::DestroyWindow(hWnd);
    if (!permanent)
        Detach();
    return bResult;
}

LPCDLGTEMPLATE AFXAPI AfxLoadDialogTemplate(LPCSTR lpszTemplateName, HINSTANCE* phInst, DWORD* pcbTemplate)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResourceA(hInst, lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource != nullptr ? ::LoadResource(hInst, hResource) : nullptr;
    if (hTemplate == nullptr)
        return nullptr;
    *phInst = hInst;
    *pcbTemplate = ::SizeofResource(hInst, hResource);
    return (LPCDLGTEMPLATE)::LockResource(hTemplate);
}

BOOL CWnd::CreateDlg(LPCSTR lpszTemplateName, CWnd* pParentWnd)
{
    HINSTANCE hInst = nullptr;
    DWORD cbTemplate = 0;
    LPCDLGTEMPLATE lpTemplate = AfxLoadDialogTemplate(lpszTemplateName, &hInst, &cbTemplate);
    return lpTemplate != nullptr && CreateDlgIndirect(lpTemplate, pParentWnd, hInst, cbTemplate);
}

BOOL CWnd::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst, DWORD cbTemplate)
{
    if (m_hWnd != nullptr || lpDialogTemplate == nullptr)
        return FALSE;
    if (hInst == nullptr)
        hInst = AfxGetResourceHandle();
    AfxInitCommonControls();
    // The platform refuses a whole dialog over one unknown control class.
    AfxRegisterTemplatePlaceholders(lpDialogTemplate, cbTemplate);
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    HookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpDialogTemplate, SafeHandle(pParentWnd), AfxDlgProc, 0);
    if (!UnhookWindowCreate())
        PostNcDestroy();
    if (hWnd == nullptr) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        return FALSE;
    }
    return TRUE;
}

// The window procedure ---------------------------------------------------------------------------

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AfxWinThreadState* state = AfxGetWinThreadState();
    MSG previous = state->lastSentMsg;
    state->lastSentMsg.hwnd = hWnd;
    state->lastSentMsg.message = nMsg;
    state->lastSentMsg.wParam = wParam;
    state->lastSentMsg.lParam = lParam;
    ++state->nDispatchDepth;

    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        // An exception must not unwind through the system's code; the handler that threw has
        // already told the user what went wrong.
        e->Delete();
        if (nMsg == WM_CREATE)
            lResult = -1;
        else if (nMsg == WM_PAINT)
            ::ValidateRect(hWnd, nullptr);
    }
    // pWnd may have been deleted by its handler; only the map says whether it is still there.
    if (nMsg == WM_NCDESTROY) {
        CWnd* pStill = CWnd::FromHandlePermanent(hWnd);
        if (pStill != nullptr) {
            // A derived OnNcDestroy that did not call the base: let go of the window anyway.
            if (pStill->m_pfnSuper != nullptr)
                ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pStill->m_pfnSuper);
            pStill->m_pfnSuper = nullptr;
            pStill->Detach();
            pStill->PostNcDestroy();
        }
    }

    --state->nDispatchDepth;
    state->lastSentMsg = previous;
    return lResult;
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG) {
        CDialog* pDlg = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
        return pDlg != nullptr ? pDlg->OnInitDialog() : TRUE;
    }
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetWinThreadState()->lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    return &AfxGetWinThreadState()->lastSentMsg;
}

void CWnd::OnNcDestroy()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr) {
        if (pThread->m_pMainWnd == this) {
            // The application ends with its main window, as on the platform.
            if (pThread == AfxGetApp())
                ::PostQuitMessage(0);
            pThread->m_pMainWnd = nullptr;
        }
        if (pThread->m_pActiveWnd == this)
            pThread->m_pActiveWnd = nullptr;
    }
    WNDPROC ownProc = (WNDPROC)::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC);
    Default();
    // Give the window its procedure back unless someone subclassed it after us.
    if ((WNDPROC)::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == ownProc && m_pfnSuper != nullptr)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = nullptr;
    Detach();
    PostNcDestroy();
}

void CWnd::PostNcDestroy() {}

// Pre-translation and message loops --------------------------------------------------------------

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

BOOL AFXAPI AfxInternalPreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == nullptr)
        return FALSE;
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hWndMain = CWnd::SafeHandle(pMainWnd);
    if (CWnd::WalkPreTranslateTree(hWndMain, pMsg))
        return TRUE;
    // A window outside the main window's family (a modeless pop-up) still gives the main window
    // its turn.
    if (hWndMain != nullptr && ::IsWindow(pMsg->hwnd)) {
        HWND hWndTop = pMsg->hwnd;
        for (HWND h; (h = ParentOrOwner(hWndTop)) != nullptr;)
            hWndTop = h;
        if (hWndTop != hWndMain)
            return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    // The application's filter walks the tree itself (CWinApp::PreTranslateMessage).
    if (pThread != nullptr && pThread == AfxGetApp())
        return pThread->PreTranslateMessage(pMsg);
    if (pThread != nullptr && pThread->PreTranslateMessage(pMsg))
        return TRUE;
    return AfxInternalPreTranslateMessage(pMsg);
}

BOOL AFXAPI AfxPumpMessage()
{
    MSG& msg = AfxGetWinThreadState()->msgCur;
    if (::GetMessageA(&msg, nullptr, 0, 0) <= 0)
        return FALSE;
    if (!AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    // The loop looks at the flag after each message it dispatches and each idle call.
    m_nModalResult = nResult;
    m_nFlags &= ~WF_CONTINUEMODAL;
}

int CWnd::RunModalLoop(DWORD dwFlags)
{
    AfxWinThreadState* state = AfxGetWinThreadState();
    BOOL bIdle = TRUE;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    AfxModalLoopStarted(this);
    MSG peek;
    // The loop also ends when the window is destroyed without EndModalLoop (m_hWnd is then null).
    for (;;) {
        while (bIdle && !::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                TraceStartupStep("window shown");
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != nullptr)
                ::SendMessageA(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)m_hWnd);
            IdleCleanup();
            if (m_hWnd != nullptr && ContinueModal())
                Seams::ModalLoopIdle(this);
            if (m_hWnd == nullptr || !ContinueModal())
                goto ExitModal;
            bIdle = FALSE;
        }
        do {
            if (!AfxPumpMessage()) {
                // Quit ends every loop; pass it on to the one outside.
                ::PostQuitMessage((int)state->msgCur.wParam);
                goto ExitModal;
            }
            const MSG& msg = state->msgCur;
            if (bShowIdle && (msg.message == 0x0118 || msg.message == WM_SYSKEYDOWN)) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (m_hWnd == nullptr || !ContinueModal())
                goto ExitModal;
            if (IsIdleMessage(msg))
                bIdle = TRUE;
        } while (::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE));
    }
ExitModal:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    AfxModalLoopEnded(this);
    return m_nModalResult;
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    return FromHandle(AfxGetSafeOwner(SafeHandle(pParent), pWndTop));
}

HWND AfxGetSafeOwner(HWND hParent, HWND* pWndTop)
{
    HWND hWnd = hParent;
    if (hWnd == nullptr)
        hWnd = AfxGetMainWnd()->GetSafeHwnd();
    // A pop-up cannot be owned by a child window.
    while (hWnd != nullptr && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    HWND hWndTop = hWnd;
    for (HWND h = hWnd; h != nullptr; h = ::GetParent(h))
        hWndTop = h;
    if (hParent == nullptr && hWnd != nullptr)
        hWnd = ::GetLastActivePopup(hWnd);
    if (pWndTop != nullptr) {
        if (hWndTop != nullptr && ::IsWindowEnabled(hWndTop) && hWndTop != hWnd) {
            *pWndTop = hWndTop;
            ::EnableWindow(hWndTop, FALSE);
        } else {
            *pWndTop = nullptr;
        }
    }
    return hWnd;
}

// Temporary objects ----------------------------------------------------------------------------------

void AFXAPI AfxLockTempMaps()
{
    ++AfxGetWinThreadState()->nTempMapLock;
}

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    AfxWinThreadState* state = AfxGetWinThreadState();
    if (state->nTempMapLock == 0 || --state->nTempMapLock != 0)
        return FALSE;
    if (bDeleteTemps)
        AfxDeleteTemporaryObjects(state);
    return TRUE;
}

// Window classes -------------------------------------------------------------------------------------

LPCSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::mutex lock;
    static std::set<std::string> names;
    HINSTANCE hInst = AfxGetInstanceHandle();
    char name[96];
    snprintf(name, sizeof name, "Afx:%p:%x:%p:%p:%p", (void*)hInst, nClassStyle, (void*)hCursor, (void*)hbrBackground,
             (void*)hIcon);
    std::lock_guard<std::mutex> guard(lock);
    auto it = names.find(name);
    if (it != names.end())
        return it->c_str();
    WNDCLASSA wc = {};
    if (!::GetClassInfoA(hInst, name, &wc)) {
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInst;
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = name;
        if (!::RegisterClassA(&wc))
            AfxThrowResourceException();
    }
    return names.insert(name).first->c_str();
}

void AFXAPI AfxInitCommonControls()
{
    static std::once_flag once;
    std::call_once(once, [] {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES |
                                                    ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&icc);
    });
}

// Wrappers that are more than one call -------------------------------------------------------------

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = GetStyle();
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = GetExStyle();
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_EXSTYLE, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CWnd* pChild = FromHandlePermanent(hChild);
        if (!bOnlyPerm)
            ::SendMessageA(hChild, message, wParam, lParam);
        else if (pChild != nullptr)
            pChild->SendMessage(message, wParam, lParam);
        if (bDeep && ::GetTopWindow(hChild) != nullptr) {
            CWnd child;
            child.m_hWnd = hChild;
            child.SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
            child.m_hWnd = nullptr;
        }
    }
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLen = ::GetWindowTextLengthA(m_hWnd);
    ::GetWindowTextA(m_hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWnd = ::GetDlgItem(m_hWnd, nID);
    if (hWnd != nullptr) {
        int nLen = ::GetWindowTextLengthA(hWnd);
        ::GetWindowTextA(hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
        rString.ReleaseBuffer();
    }
    return rString.GetLength();
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; ++nID) {
        if (::IsDlgButtonChecked(m_hWnd, nID))
            return nID;
    }
    return 0;
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, WM_SETFONT, (WPARAM)pFont->GetSafeHandle(), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle((HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc());
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
    return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint));
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu != nullptr ? pMenu->m_hMenu : nullptr);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

int CWnd::GetScrollLimit(int nBar) const
{
    int nMin = 0, nMax = 0;
    ::GetScrollRange(m_hWnd, nBar, &nMin, &nMax);
    SCROLLINFO info = {};
    if (GetScrollInfo(nBar, &info, SIF_PAGE) && info.nPage > 1)
        nMax -= (int)info.nPage - 1;
    return nMax;
}

void CWnd::DragAcceptFiles(BOOL bAccept)
{
    ::DragAcceptFiles(m_hWnd, bAccept);
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    return Seams::ShowMessageBox(m_hWnd, lpszText, lpszCaption != nullptr ? lpszCaption : AfxGetAppName(), nType);
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND hWnd = m_hWnd;
    for (HWND h; (h = ParentOrOwner(hWnd)) != nullptr;)
        hWnd = h;
    return FromHandle(hWnd);
}

namespace {

CWnd* FindDescendant(HWND hWnd, int nID, BOOL bOnlyPerm)
{
    // The direct child first (children with the parent's identifier inside it win), then depth first.
    HWND hChild = ::GetDlgItem(hWnd, nID);
    if (hChild != nullptr) {
        if (::GetTopWindow(hChild) != nullptr) {
            if (CWnd* pFound = FindDescendant(hChild, nID, bOnlyPerm))
                return pFound;
        }
        if (!bOnlyPerm)
            return CWnd::FromHandle(hChild);
        if (CWnd* pPerm = CWnd::FromHandlePermanent(hChild))
            return pPerm;
    }
    for (hChild = ::GetTopWindow(hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (CWnd* pFound = FindDescendant(hChild, nID, bOnlyPerm))
            return pFound;
    }
    return nullptr;
}

} // namespace

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    return FindDescendant(m_hWnd, nID, bOnlyPerm);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    DWORD dwStyle = GetStyle();
    HWND hWndCenter = SafeHandle(pAlternateOwner);
    if (hWndCenter == nullptr)
        hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    CRect rcDlg;
    GetWindowRect(&rcDlg);
    CRect rcArea;
    CRect rcCenter;
    if (!(dwStyle & WS_CHILD)) {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
        if (hWndCenter == nullptr || !::IsWindowVisible(hWndCenter) || ::IsIconic(hWndCenter))
            rcCenter = rcArea;
        else
            ::GetWindowRect(hWndCenter, &rcCenter);
    } else {
        ::GetClientRect(hWndCenter, &rcArea);
        ::GetClientRect(hWndCenter, &rcCenter);
        ::MapWindowPoints(::GetParent(m_hWnd), hWndCenter, (LPPOINT)&rcDlg, 2);
    }
    int x = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
    // Keep a pop-up inside the work area.
    if (!(dwStyle & WS_CHILD)) {
        if (x + rcDlg.Width() > rcArea.right)
            x = rcArea.right - rcDlg.Width();
        if (x < rcArea.left)
            x = rcArea.left;
        if (y + rcDlg.Height() > rcArea.bottom)
            y = rcArea.bottom - rcDlg.Height();
        if (y < rcArea.top)
            y = rcArea.top;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
