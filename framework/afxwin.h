// The window half of the framework: the application, windows and dialogs with their message maps
// and data exchange, device contexts and GDI objects, menus and the standard controls. Station code
// includes this (and afxcmn.h for the common controls).
#pragma once

#include "afx.h"
#include "afxcoll.h"
#include "afxres.h"

#include <commctrl.h>

#include "framework/MessageMap.h"
#include "framework/CmdTarget.h"
#include "framework/WinThread.h"
#include "framework/UserException.h"
#include "framework/GdiObject.h"
#include "framework/Dc.h"
#include "framework/Menu.h"
#include "framework/Wnd.h"
#include "framework/Dialog.h"
#include "framework/DataExchange.h"
#include "framework/StdCtrls.h"
#include "framework/WinApp.h"

// The module a resource comes from: the resource module when it has the resource, else the program.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
// A string from the resource module, else the program, else the framework's own texts (its
// AFX_IDP_ messages); FALSE when none has it.
BOOL AFXAPI AfxLoadString(UINT nID, CString& rString);
// The string nIDS with %1 (and %2) replaced by the texts given.
void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1);
void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCSTR lpsz1, LPCSTR lpsz2);
void AFXAPI AfxFormatStrings(CString& rString, LPCSTR lpszFormat, LPCSTR const* rglpsz, int nString);
// The owner for a modal window when hParent is null: the main window's last active pop-up. When
// pWndTop is given, the top-level window above the owner is disabled and returned there.
HWND AfxGetSafeOwner(HWND hParent, HWND* pWndTop);
// The modal loops inside a window's: the framework's loops that run while pWnd's own loop waits
// for them to return (every loop of the thread when pWnd runs none), and the system's modal
// windows shown meanwhile. A window about to free what those loops work on ends them first.
// Ends the framework's loops inside pWnd's, innermost first, as if each was cancelled with nResult
// (their dialogs' OK handlers never run); returns how many there were.
int AFXAPI AfxEndModalLoopsInside(CWnd* pWnd, int nResult);
// FALSE when no modal loop runs inside pWnd's. Else the message is held, posted to pWnd once every
// one of them has returned, and TRUE comes back.
BOOL AFXAPI AfxPostAfterModalLoops(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam);
// A system modal window (message box, common dialog, popup menu) runs for the scope's lifetime.
class AfxSystemModalScope {
public:
    AfxSystemModalScope();
    ~AfxSystemModalScope();
    AfxSystemModalScope(const AfxSystemModalScope&) = delete;
    AfxSystemModalScope& operator=(const AfxSystemModalScope&) = delete;
};
