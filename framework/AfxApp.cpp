// The application-wide functions: the application object and its main window, the program's name,
// and the message boxes that carry it. Apart from CWinApp so that programs without an application
// object (and with a WinMain of their own) can use them.
#include "afxwin.h"
#include "framework/WindowSeams.h"

namespace {

CWinApp* theApp = nullptr;

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

} // namespace

void AFXAPI AfxSetApp(CWinApp* pApp)
{
    theApp = pApp;
}

CString AFXAPI AfxModuleBaseName(HINSTANCE hInstance)
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

int AFXAPI AfxShowAppMessageBox(LPCSTR lpszPrompt, LPCSTR lpszCaption, UINT nType)
{
    HWND hWndTop = nullptr;
    HWND hWndOwner = AfxGetSafeOwner(nullptr, &hWndTop);
    int nResult = Seams::ShowMessageBox(hWndOwner, lpszPrompt, lpszCaption, WithDefaultIcon(nType));
    if (hWndTop != nullptr)
        ::EnableWindow(hWndTop, TRUE);
    return nResult;
}

CWinApp* AFXAPI AfxGetApp()
{
    return theApp;
}

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
        CopyText(exeName, AfxModuleBaseName(nullptr));
    return exeName;
}

int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (theApp != nullptr)
        return theApp->DoMessageBox(lpszText, nType, nIDHelp);
    return AfxShowAppMessageBox(lpszText, AfxGetAppName(), nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    AfxLoadString(nIDPrompt, text);
    return AfxMessageBox(text, nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}
