// Message maps: the tables that bind window messages, commands and control notifications to
// handler methods, with the platform framework's macros (BEGIN_MESSAGE_MAP, ON_COMMAND,
// ON_WM_PAINT...). A class's map is searched first, then its base class's, up to CCmdTarget.
#pragma once

#include "framework/AfxDefs.h"

class CCmdTarget;
class CWnd;
class CDC;
class CMenu;
class CScrollBar;

#define AFX_MSG_CALL
#ifndef afx_msg
#define afx_msg
#endif

typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG)();
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSGW)();

// Handler signatures. Window messages are cracked by CWnd::OnWndMsg; the Cmd and Notify kinds by
// CCmdTarget::OnCmdMsg.
enum AfxSig {
    AfxSig_end = 0,

    AfxSigCmd_v,        // void ()                               ON_COMMAND, ON_CONTROL, ON_CONTROL_REFLECT
    AfxSigCmd_b,        // BOOL ()                               ON_CONTROL_REFLECT_EX
    AfxSigCmd_RANGE,    // void (UINT nID)                       ON_COMMAND_RANGE, ON_CONTROL_RANGE
    AfxSigCmd_EX,       // BOOL (UINT nID)                       ON_COMMAND_EX
    AfxSigNotify_v,     // void (NMHDR*, LRESULT*)               ON_NOTIFY, ON_NOTIFY_REFLECT
    AfxSigNotify_b,     // BOOL (NMHDR*, LRESULT*)               ON_NOTIFY_REFLECT_EX
    AfxSigNotify_RANGE, // void (UINT nID, NMHDR*, LRESULT*)     ON_NOTIFY_RANGE
    AfxSigNotify_EX,    // BOOL (UINT nID, NMHDR*, LRESULT*)     ON_NOTIFY_EX

    AfxSig_vv,     // void ()
    AfxSig_bv,     // BOOL ()
    AfxSig_wv,     // UINT ()                                   OnGetDlgCode
    AfxSig_hv,     // HCURSOR ()                                OnQueryDragIcon
    AfxSig_lwl,    // LRESULT (WPARAM, LPARAM)                  ON_MESSAGE, ON_REGISTERED_MESSAGE
    AfxSig_is,     // int (LPCREATESTRUCT)                      OnCreate
    AfxSig_bD,     // BOOL (CDC*)                               OnEraseBkgnd
    AfxSig_vt,     // void (UINT_PTR)                           OnTimer
    AfxSig_vb,     // void (BOOL)                               OnEnable
    AfxSig_vbw,    // void (BOOL, UINT)                         OnShowWindow
    AfxSig_vbh,    // void (BOOL, DWORD)                        OnActivateApp
    AfxSig_vwii,   // void (UINT, int, int)                     OnSize
    AfxSig_vii,    // void (int, int)                           OnMove
    AfxSig_vwp,    // void (UINT, CPoint)                       mouse buttons and moves
    AfxSig_vwww,   // void (UINT, UINT, UINT)                   OnKeyDown, OnKeyUp, OnChar, OnSysKeyDown
    AfxSig_vwl,    // void (UINT, LPARAM)                       OnSysCommand
    AfxSig_vwr,    // void (UINT, LPRECT)                       OnSizing
    AfxSig_vW,     // void (CWnd*)                              OnSetFocus, OnKillFocus, OnCaptureChanged
    AfxSig_vWp,    // void (CWnd*, CPoint)                      OnContextMenu
    AfxSig_vwWb,   // void (UINT, CWnd*, BOOL)                  OnActivate
    AfxSig_bWww,   // BOOL (CWnd*, UINT, UINT)                  OnSetCursor
    AfxSig_iWww,   // int (CWnd*, UINT, UINT)                   OnMouseActivate
    AfxSig_bwsp,   // BOOL (UINT, short, CPoint)                OnMouseWheel
    AfxSig_lp,     // LRESULT (CPoint)                          OnNcHitTest
    AfxSig_bWCDS,  // BOOL (CWnd*, COPYDATASTRUCT*)             OnCopyData
    AfxSig_hDWw,   // HBRUSH (CDC*, CWnd*, UINT)                OnCtlColor
    AfxSig_hDw,    // HBRUSH (CDC*, UINT)                       reflected CtlColor
    AfxSig_vwwW,   // void (UINT, UINT, CScrollBar*)            OnHScroll, OnVScroll
    AfxSig_vww,    // void (UINT, UINT)                         reflected HScroll, VScroll
    AfxSig_vOWNER, // void (int, LPxxxSTRUCT)                   OnDrawItem, OnMeasureItem, OnDeleteItem
    AfxSig_iis,    // int (int, LPCOMPAREITEMSTRUCT)            OnCompareItem
    AfxSig_vs,     // void (LPxxxSTRUCT)                        reflected DrawItem, MeasureItem; OnGetMinMaxInfo;
                   // OnWindowPos...
    AfxSig_vMwb,   // void (CMenu*, UINT, BOOL)                 OnInitMenuPopup
    AfxSig_vHDROP, // void (HDROP)                              OnDropFiles
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // window message, or WM_COMMAND / WM_NOTIFY for commands and notifications
    UINT nCode;    // control notification code, or 0
    UINT nID;      // control or command identifier (first of a range), or 0
    UINT nLastID;  // last identifier of a range
    UINT_PTR nSig; // an AfxSig; for registered messages the address of the message's UINT
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP*(PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// What CCmdTarget::OnCmdMsg receives with a WM_NOTIFY.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Not used by this framework; kept so that OnCmdMsg has the platform's signature.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// Returns the entry for the message, code and identifier, or null.
const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID);

// Handlers are stored as AFX_PMSG and called back with their own signature. Both are member
// pointers of classes on one single-inheritance line, so they have the same representation; the
// union says so without a cast the compiler would warn about.
template <class Pfn> inline AFX_PMSG AfxSigCast(Pfn pfn)
{
    static_assert(sizeof(Pfn) == sizeof(AFX_PMSG), "handler is not a plain member function");
    union {
        Pfn in;
        AFX_PMSG out;
    } u;
    u.in = pfn;
    return u.out;
}

// Messages reflected back to the control that sent them: WM_REFLECT_BASE + the message.
#define WM_REFLECT_BASE 0xBC00
// The old single control-colour message; ON_WM_CTLCOLOR stands for every WM_CTLCOLORxxx.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif
// What OnCmdMsg's code is for a plain command (a menu item or an accelerator).
#define CN_COMMAND 0

// Passed with reflected WM_CTLCOLORxxx messages.
struct AFX_CTLCOLOR {
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

#define DECLARE_MESSAGE_MAP()                                                                                          \
protected:                                                                                                             \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();                                                               \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                         \
    const AFX_MSGMAP* theClass::GetMessageMap() const                                                                  \
    {                                                                                                                  \
        return GetThisMessageMap();                                                                                    \
    }                                                                                                                  \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap()                                                             \
    {                                                                                                                  \
        typedef theClass ThisClass;                                                                                    \
        typedef baseClass TheBaseClass;                                                                                \
        (void)sizeof(ThisClass);                                                                                       \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                              \
    {                                                                                                                  \
        0, 0, 0, 0, AfxSig_end, nullptr                                                                                \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};                      \
    return &messageMap;                                                                                                \
    }

// Commands and control notifications ------------------------------------------------------------

#define ON_COMMAND(id, memberFxn)                                                                                      \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_v, static_cast<AFX_PMSG>(memberFxn)},
#define ON_COMMAND_EX(id, memberFxn)                                                                                   \
    {WM_COMMAND, CN_COMMAND,   (WORD)(id),                                                                             \
     (WORD)(id), AfxSigCmd_EX, AfxSigCast(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT)>(memberFxn))},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                                        \
    {WM_COMMAND,     CN_COMMAND,      (WORD)(id),                                                                      \
     (WORD)(idLast), AfxSigCmd_RANGE, AfxSigCast(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(UINT)>(memberFxn))},

#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                                         \
    {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigCmd_v, static_cast<AFX_PMSG>(memberFxn)},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                                                           \
    {                                                                                                                  \
        WM_COMMAND,      (WORD)(wNotifyCode),                                                                          \
        (WORD)(id),      (WORD)(idLast),                                                                               \
        AfxSigCmd_RANGE, AfxSigCast(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(UINT)>(memberFxn))},

#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                                          \
    {WM_NOTIFY,      (WORD)(int)(wNotifyCode),                                                                         \
     (WORD)(id),     (WORD)(id),                                                                                       \
     AfxSigNotify_v, AfxSigCast(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*)>(memberFxn))},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                                                       \
    {WM_NOTIFY,       (WORD)(int)(wNotifyCode),                                                                        \
     (WORD)(id),      (WORD)(id),                                                                                      \
     AfxSigNotify_EX, AfxSigCast(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(memberFxn))},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                                            \
    {                                                                                                                  \
        WM_NOTIFY,                                                                                                     \
        (WORD)(int)(wNotifyCode),                                                                                      \
        (WORD)(id),                                                                                                    \
        (WORD)(idLast),                                                                                                \
        AfxSigNotify_RANGE,                                                                                            \
        AfxSigCast(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(memberFxn))},

// Notifications handled by the control that sent them. The _EX forms return FALSE to let the
// parent see the notification as well.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                                                     \
    {WM_REFLECT_BASE + WM_COMMAND, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_v, static_cast<AFX_PMSG>(memberFxn)},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                                                  \
    {WM_REFLECT_BASE + WM_COMMAND,                                                                                     \
     (WORD)(wNotifyCode),                                                                                              \
     0,                                                                                                                \
     0,                                                                                                                \
     AfxSigCmd_b,                                                                                                      \
     AfxSigCast(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)()>(memberFxn))},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                                      \
    {WM_REFLECT_BASE + WM_NOTIFY,                                                                                      \
     (WORD)(int)(wNotifyCode),                                                                                         \
     0,                                                                                                                \
     0,                                                                                                                \
     AfxSigNotify_v,                                                                                                   \
     AfxSigCast(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*)>(memberFxn))},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                                                   \
    {WM_REFLECT_BASE + WM_NOTIFY,                                                                                      \
     (WORD)(int)(wNotifyCode),                                                                                         \
     0,                                                                                                                \
     0,                                                                                                                \
     AfxSigNotify_b,                                                                                                   \
     AfxSigCast(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*)>(memberFxn))},

// User messages: LRESULT OnFoo(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn)                                                                                 \
    {(UINT)(message),                                                                                                  \
     0,                                                                                                                \
     0,                                                                                                                \
     0,                                                                                                                \
     AfxSig_lwl,                                                                                                       \
     AfxSigCast(static_cast<LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM)>(memberFxn))},
// nMessageVariable is the UINT that RegisterWindowMessage filled; it is read when a message arrives.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                                             \
    {0xC000,                                                                                                           \
     0,                                                                                                                \
     0,                                                                                                                \
     0,                                                                                                                \
     (UINT_PTR)(UINT*)(&nMessageVariable),                                                                             \
     AfxSigCast(static_cast<LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM)>(memberFxn))},

// Button, edit, combo box, list box and static notifications ---------------------------------

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)

#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_ERRSPACE(id, memberFxn) ON_CONTROL(EN_ERRSPACE, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn) ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn) ON_CONTROL(EN_VSCROLL, id, memberFxn)

#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)

#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)

#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// Window messages --------------------------------------------------------------------------------

#define AFX_WM_ENTRY(message, sig, type, fn) {message, 0, 0, 0, sig, AfxSigCast(static_cast<type>(&ThisClass::fn))},

#define ON_WM_ACTIVATE()                                                                                               \
    AFX_WM_ENTRY(WM_ACTIVATE, AfxSig_vwWb, void (AFX_MSG_CALL CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_ACTIVATEAPP()                                                                                            \
    AFX_WM_ENTRY(WM_ACTIVATEAPP, AfxSig_vbh, void (AFX_MSG_CALL CWnd::*)(BOOL, DWORD), OnActivateApp)
#define ON_WM_CANCELMODE() AFX_WM_ENTRY(WM_CANCELMODE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnCancelMode)
#define ON_WM_CAPTURECHANGED()                                                                                         \
    AFX_WM_ENTRY(WM_CAPTURECHANGED, AfxSig_vW, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_CHAR() AFX_WM_ENTRY(WM_CHAR, AfxSig_vwww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_CHILDACTIVATE() AFX_WM_ENTRY(WM_CHILDACTIVATE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnChildActivate)
#define ON_WM_CLOSE() AFX_WM_ENTRY(WM_CLOSE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnClose)
#define ON_WM_COMPAREITEM()                                                                                            \
    AFX_WM_ENTRY(WM_COMPAREITEM, AfxSig_iis, int (AFX_MSG_CALL CWnd::*)(int, LPCOMPAREITEMSTRUCT), OnCompareItem)
#define ON_WM_CONTEXTMENU()                                                                                            \
    AFX_WM_ENTRY(WM_CONTEXTMENU, AfxSig_vWp, void (AFX_MSG_CALL CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_COPYDATA()                                                                                               \
    AFX_WM_ENTRY(WM_COPYDATA, AfxSig_bWCDS, BOOL (AFX_MSG_CALL CWnd::*)(CWnd*, COPYDATASTRUCT*), OnCopyData)
#define ON_WM_CREATE() AFX_WM_ENTRY(WM_CREATE, AfxSig_is, int (AFX_MSG_CALL CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_CTLCOLOR()                                                                                               \
    AFX_WM_ENTRY(WM_CTLCOLOR, AfxSig_hDWw, HBRUSH (AFX_MSG_CALL CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_DELETEITEM()                                                                                             \
    AFX_WM_ENTRY(WM_DELETEITEM, AfxSig_vOWNER, void (AFX_MSG_CALL CWnd::*)(int, LPDELETEITEMSTRUCT), OnDeleteItem)
#define ON_WM_DESTROY() AFX_WM_ENTRY(WM_DESTROY, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnDestroy)
#define ON_WM_DRAWITEM()                                                                                               \
    AFX_WM_ENTRY(WM_DRAWITEM, AfxSig_vOWNER, void (AFX_MSG_CALL CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_DROPFILES() AFX_WM_ENTRY(WM_DROPFILES, AfxSig_vHDROP, void (AFX_MSG_CALL CWnd::*)(HDROP), OnDropFiles)
#define ON_WM_ENABLE() AFX_WM_ENTRY(WM_ENABLE, AfxSig_vb, void (AFX_MSG_CALL CWnd::*)(BOOL), OnEnable)
#define ON_WM_ERASEBKGND() AFX_WM_ENTRY(WM_ERASEBKGND, AfxSig_bD, BOOL (AFX_MSG_CALL CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_GETDLGCODE() AFX_WM_ENTRY(WM_GETDLGCODE, AfxSig_wv, UINT (AFX_MSG_CALL CWnd::*)(), OnGetDlgCode)
#define ON_WM_GETMINMAXINFO()                                                                                          \
    AFX_WM_ENTRY(WM_GETMINMAXINFO, AfxSig_vs, void (AFX_MSG_CALL CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_HSCROLL()                                                                                                \
    AFX_WM_ENTRY(WM_HSCROLL, AfxSig_vwwW, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_INITMENUPOPUP()                                                                                          \
    AFX_WM_ENTRY(WM_INITMENUPOPUP, AfxSig_vMwb, void (AFX_MSG_CALL CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_KEYDOWN() AFX_WM_ENTRY(WM_KEYDOWN, AfxSig_vwww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() AFX_WM_ENTRY(WM_KEYUP, AfxSig_vwww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_KILLFOCUS() AFX_WM_ENTRY(WM_KILLFOCUS, AfxSig_vW, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_LBUTTONDBLCLK()                                                                                          \
    AFX_WM_ENTRY(WM_LBUTTONDBLCLK, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_LBUTTONDOWN()                                                                                            \
    AFX_WM_ENTRY(WM_LBUTTONDOWN, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_WM_ENTRY(WM_LBUTTONUP, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_MEASUREITEM()                                                                                            \
    AFX_WM_ENTRY(WM_MEASUREITEM, AfxSig_vOWNER, void (AFX_MSG_CALL CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_MOUSEACTIVATE()                                                                                          \
    AFX_WM_ENTRY(WM_MOUSEACTIVATE, AfxSig_iWww, int (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT), OnMouseActivate)
#define ON_WM_MOUSEMOVE() AFX_WM_ENTRY(WM_MOUSEMOVE, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_MOUSEWHEEL()                                                                                             \
    AFX_WM_ENTRY(WM_MOUSEWHEEL, AfxSig_bwsp, BOOL (AFX_MSG_CALL CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_MOUSELEAVE() AFX_WM_ENTRY(WM_MOUSELEAVE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnMouseLeave)
#define ON_WM_MOVE() AFX_WM_ENTRY(WM_MOVE, AfxSig_vii, void (AFX_MSG_CALL CWnd::*)(int, int), OnMove)
#define ON_WM_NCDESTROY() AFX_WM_ENTRY(WM_NCDESTROY, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnNcDestroy)
#define ON_WM_NCHITTEST() AFX_WM_ENTRY(WM_NCHITTEST, AfxSig_lp, LRESULT (AFX_MSG_CALL CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_PAINT() AFX_WM_ENTRY(WM_PAINT, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnPaint)
#define ON_WM_QUERYDRAGICON()                                                                                          \
    AFX_WM_ENTRY(WM_QUERYDRAGICON, AfxSig_hv, HCURSOR (AFX_MSG_CALL CWnd::*)(), OnQueryDragIcon)
#define ON_WM_RBUTTONDBLCLK()                                                                                          \
    AFX_WM_ENTRY(WM_RBUTTONDBLCLK, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnRButtonDblClk)
#define ON_WM_RBUTTONDOWN()                                                                                            \
    AFX_WM_ENTRY(WM_RBUTTONDOWN, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_WM_ENTRY(WM_RBUTTONUP, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_SETCURSOR()                                                                                              \
    AFX_WM_ENTRY(WM_SETCURSOR, AfxSig_bWww, BOOL (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_SETFOCUS() AFX_WM_ENTRY(WM_SETFOCUS, AfxSig_vW, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_SHOWWINDOW()                                                                                             \
    AFX_WM_ENTRY(WM_SHOWWINDOW, AfxSig_vbw, void (AFX_MSG_CALL CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_SIZE() AFX_WM_ENTRY(WM_SIZE, AfxSig_vwii, void (AFX_MSG_CALL CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_SIZING() AFX_WM_ENTRY(WM_SIZING, AfxSig_vwr, void (AFX_MSG_CALL CWnd::*)(UINT, LPRECT), OnSizing)
#define ON_WM_SYSCOMMAND()                                                                                             \
    AFX_WM_ENTRY(WM_SYSCOMMAND, AfxSig_vwl, void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_SYSKEYDOWN()                                                                                             \
    AFX_WM_ENTRY(WM_SYSKEYDOWN, AfxSig_vwww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_TIMER() AFX_WM_ENTRY(WM_TIMER, AfxSig_vt, void (AFX_MSG_CALL CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_VSCROLL()                                                                                                \
    AFX_WM_ENTRY(WM_VSCROLL, AfxSig_vwwW, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_WINDOWPOSCHANGED()                                                                                       \
    AFX_WM_ENTRY(WM_WINDOWPOSCHANGED, AfxSig_vs, void (AFX_MSG_CALL CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_WINDOWPOSCHANGING()                                                                                      \
    AFX_WM_ENTRY(WM_WINDOWPOSCHANGING, AfxSig_vs, void (AFX_MSG_CALL CWnd::*)(WINDOWPOS*), OnWindowPosChanging)

// Window messages reflected to the control: HBRUSH CtlColor(CDC*, UINT) returns null to leave
// the colouring to the parent; void DrawItem(LPDRAWITEMSTRUCT); void HScroll(UINT nSBCode, UINT nPos).
#define ON_WM_CTLCOLOR_REFLECT()                                                                                       \
    AFX_WM_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, AfxSig_hDw, HBRUSH(AFX_MSG_CALL CWnd::*)(CDC*, UINT), CtlColor)
#define ON_WM_DRAWITEM_REFLECT()                                                                                       \
    AFX_WM_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM, AfxSig_vs, void(AFX_MSG_CALL CWnd::*)(LPDRAWITEMSTRUCT), DrawItem)
#define ON_WM_MEASUREITEM_REFLECT()                                                                                    \
    AFX_WM_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM, AfxSig_vs, void(AFX_MSG_CALL CWnd::*)(LPMEASUREITEMSTRUCT),         \
                 MeasureItem)
#define ON_WM_HSCROLL_REFLECT()                                                                                        \
    AFX_WM_ENTRY(WM_REFLECT_BASE + WM_HSCROLL, AfxSig_vww, void(AFX_MSG_CALL CWnd::*)(UINT, UINT), HScroll)
#define ON_WM_VSCROLL_REFLECT()                                                                                        \
    AFX_WM_ENTRY(WM_REFLECT_BASE + WM_VSCROLL, AfxSig_vww, void(AFX_MSG_CALL CWnd::*)(UINT, UINT), VScroll)
