// CWinApp: the application object, one per program, constructed as a global. The framework's
// WinMain (in WinApp.cpp) runs AfxWinMain: InitInstance, then Run (the message loop) when it
// returned TRUE, and ExitInstance in either case; the result is the program's exit code.
#pragma once

#include "framework/WinThread.h"
#include "framework/Wnd.h"

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // A null name is the string AFX_IDS_APP_TITLE when the resources have it, else the program's name.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    HINSTANCE m_hInstance;
    LPSTR m_lpCmdLine;
    int m_nCmdShow;
    LPCSTR m_pszAppName;
    // The program's file name without folder and extension ("Warden" for Warden.exe).
    LPCSTR m_pszExeName;

    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int Run() override;
    int ExitInstance() override;
    // Walks the window tree from the message's window outwards (CWnd::WalkPreTranslateTree).
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Also deletes the temporary wrapper objects.
    BOOL OnIdle(LONG lCount) override;
    // The caption is the application's name; the owner the main window's active pop-up.
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    HICON LoadIcon(LPCSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCEA(nIDResource)); }
    HICON LoadStandardIcon(LPCSTR lpszIconName) const { return ::LoadIconA(nullptr, lpszIconName); }
    HCURSOR LoadCursor(LPCSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCEA(nIDResource)); }
    HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const { return ::LoadCursorA(nullptr, lpszCursorName); }

    // The 3-D look is the platform's own now; kept for programs that ask for it.
    BOOL Enable3dControls() { return TRUE; }
    BOOL Enable3dControlsStatic() { return TRUE; }

    // ID_HELP: there is no help file; nothing happens.
    afx_msg void OnHelp();

    // Sets the handles, the command line and the names (AfxWinMain calls it).
    void SetCurrentHandles(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow);

    DECLARE_MESSAGE_MAP()
};

CWinApp* AFXAPI AfxGetApp();
// The application object registers itself (its constructor and destructor call this).
void AFXAPI AfxSetApp(CWinApp* pApp);
// The thread's main window, else the application's.
CWnd* AFXAPI AfxGetMainWnd();
LPCSTR AFXAPI AfxGetAppName();

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

// Message boxes through the application (DoMessageBox) and the message-box seam. MB_OK boxes
// without an icon get the exclamation mark, Yes/No boxes the question mark, as on the platform.
int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// The box behind both, owned by the main window's active pop-up, with the caption given.
int AFXAPI AfxShowAppMessageBox(LPCSTR lpszPrompt, LPCSTR lpszCaption, UINT nType);
// The file name of a module without folder and extension.
CString AFXAPI AfxModuleBaseName(HINSTANCE hInstance);
