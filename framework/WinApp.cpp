// CWinApp and the program's entry point. WinMain lives here so that exactly the programs with an
// application object link it; programs with a WinMain of their own may still use the rest.
#include "afxwin.h"
#include "afxres.h"
#include "framework/WinThreadState.h"

#include <stdlib.h>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_hInstance(nullptr), m_lpCmdLine(nullptr), m_nCmdShow(SW_SHOWNORMAL),
      m_pszAppName(lpszAppName != nullptr ? _strdup(lpszAppName) : nullptr), m_pszExeName(nullptr)
{
    AfxSetApp(this);
    // The application object is the main thread's thread object; it is never deleted by the thread.
    m_bAutoDelete = FALSE;
    m_nThreadID = ::GetCurrentThreadId();
    SetCurrentThreadObject(this);
}

CWinApp::~CWinApp()
{
    free((void*)m_pszAppName);
    free((void*)m_pszExeName);
    if (AfxGetApp() == this)
        AfxSetApp(nullptr);
}

void CWinApp::SetCurrentHandles(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow)
{
    m_hInstance = hInstance;
    m_lpCmdLine = lpCmdLine;
    m_nCmdShow = nCmdShow;
    AfxSetInstanceHandle(hInstance);
    if (m_pszExeName == nullptr)
        m_pszExeName = _strdup(AfxModuleBaseName(hInstance));
    if (m_pszAppName == nullptr) {
        CString title;
        m_pszAppName = _strdup(AfxLoadString(AFX_IDS_APP_TITLE, title) ? (LPCSTR)title : m_pszExeName);
    }
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    // Nothing would ever end the loop.
    if (m_pMainWnd == nullptr)
        ::PostQuitMessage(0);
    return CWinThread::Run();
}

int CWinApp::ExitInstance()
{
    return CWinThread::ExitInstance();
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    return AfxInternalPreTranslateMessage(pMsg);
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount <= 0 && AfxGetWinThreadState()->nDispatchDepth == 0) {
        AfxLockTempMaps();
        AfxUnlockTempMaps(TRUE);
    }
    return CWinThread::OnIdle(lCount);
}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT)
{
    return AfxShowAppMessageBox(lpszPrompt, m_pszAppName, nType);
}

HICON CWinApp::LoadIcon(LPCSTR lpszResourceName) const
{
    return ::LoadIconA(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(LPCSTR lpszResourceName) const
{
    return ::LoadCursorA(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}

void CWinApp::OnHelp() {}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    AfxSetInstanceHandle(hInstance);
    if (CWinApp* pApp = AfxGetApp())
        pApp->SetCurrentHandles(hInstance, lpCmdLine, nCmdShow);
    return TRUE;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
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
