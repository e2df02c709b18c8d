// CWinApp, the program's entry point (WinMain, here so that every program with an application object
// links it) and the application-wide helpers: AfxGetApp, AfxGetMainWnd, AfxMessageBox.
#include "afxwin.h"
#include "afxres.h"
#include "WindowSeams.h"
#include "WinThreadState.h"

#include <stdlib.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

namespace {

CWinApp* theApp = nullptr;

// The file name of the module without folder and extension.
CString ModuleBaseName(HINSTANCE hInstance)
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(hInstance, path, sizeof path);
    CString name(path);
    int slash = name.ReverseFind('\\');
    if (slash >= 0)
        name = name.Mid(slash + 1);
    int dot = name.ReverseFind('.');
    if (dot > 0)
        name = name.Left(dot);
    return name;
}

UINT WithDefaultIcon(UINT nType)
{
    if ((nType & MB_ICONMASK) != 0)
        return nType;
    switch (nType & MB_TYPEMASK) {
    case MB_OK:
    case MB_OKCANCEL:
        return nType | MB_ICONEXCLAMATION;
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return nType | MB_ICONQUESTION;
    default:
        return nType;
    }
}

int ShowAppMessageBox(LPCSTR lpszPrompt, LPCSTR lpszCaption, UINT nType)
{
    HWND hWndTop = nullptr;
    HWND hWndOwner = AfxGetSafeOwner(nullptr, &hWndTop);
    int nResult = Seams::ShowMessageBox(hWndOwner, lpszPrompt, lpszCaption, WithDefaultIcon(nType));
    if (hWndTop != nullptr)
        ::EnableWindow(hWndTop, TRUE);
    return nResult;
}

}  // namespace

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_hInstance(nullptr),
      m_lpCmdLine(nullptr),
      m_nCmdShow(SW_SHOWNORMAL),
      m_pszAppName(lpszAppName != nullptr ? _strdup(lpszAppName) : nullptr),
      m_pszExeName(nullptr)
{
    theApp = this;
    // The application object is the main thread's thread object; it is never deleted by the thread.
    m_bAutoDelete = FALSE;
    m_nThreadID = ::GetCurrentThreadId();
    SetCurrentThreadObject(this);
}

CWinApp::~CWinApp()
{
    free((void*)m_pszAppName);
    free((void*)m_pszExeName);
    if (theApp == this)
        theApp = nullptr;
}

void CWinApp::SetCurrentHandles(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow)
{
    m_hInstance = hInstance;
    m_lpCmdLine = lpCmdLine;
    m_nCmdShow = nCmdShow;
    AfxSetInstanceHandle(hInstance);
    if (m_pszExeName == nullptr)
        m_pszExeName = _strdup(ModuleBaseName(hInstance));
    if (m_pszAppName == nullptr) {
        CString title;
        m_pszAppName = _strdup(AfxLoadString(AFX_IDS_APP_TITLE, title) ? (LPCSTR)title : m_pszExeName);
    }
}

BOOL CWinApp::InitApplication() { return TRUE; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run()
{
    // Nothing would ever end the loop.
    if (m_pMainWnd == nullptr)
        ::PostQuitMessage(0);
    return CWinThread::Run();
}

int CWinApp::ExitInstance() { return CWinThread::ExitInstance(); }

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) { return AfxInternalPreTranslateMessage(pMsg); }

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount <= 0 && AfxGetWinThreadState()->nDispatchDepth == 0) {
        AfxLockTempMaps();
        AfxUnlockTempMaps(TRUE);
    }
    return CWinThread::OnIdle(lCount);
}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT) { return ShowAppMessageBox(lpszPrompt, m_pszAppName, nType); }

HICON CWinApp::LoadIcon(LPCSTR lpszResourceName) const
{
    return ::LoadIconA(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(LPCSTR lpszResourceName) const
{
    return ::LoadCursorA(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}

void CWinApp::OnHelp() {}

CWinApp* AFXAPI AfxGetApp() { return theApp; }

CWnd* AFXAPI AfxGetMainWnd()
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->GetMainWnd();
    return theApp != nullptr ? theApp->GetMainWnd() : nullptr;
}

LPCSTR AFXAPI AfxGetAppName()
{
    if (theApp != nullptr && theApp->m_pszAppName != nullptr)
        return theApp->m_pszAppName;
    static char exeName[MAX_PATH] = "";
    if (exeName[0] == '\0')
        CopyText(exeName, ModuleBaseName(nullptr));
    return exeName;
}

int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (theApp != nullptr)
        return theApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ShowAppMessageBox(lpszText, AfxGetAppName(), nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    AfxLoadString(nIDPrompt, text);
    return AfxMessageBox(text, nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    AfxSetInstanceHandle(hInstance);
    if (theApp != nullptr)
        theApp->SetCurrentHandles(hInstance, lpCmdLine, nCmdShow);
    return TRUE;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = theApp;
    if (pApp == nullptr || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) || !pApp->InitApplication())
        return -1;
    if (!pApp->InitInstance()) {
        // A program whose only loop was a modal dialog inside InitInstance ends here too.
        if (pApp->m_pMainWnd != nullptr)
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
