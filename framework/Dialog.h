// CDialog: a dialog window from a resource template, run modally (DoModal, with the framework's
// own modal loop) or created modeless (Create, for child pages). Its data moves between controls
// and members through DoDataExchange (DataExchange.h).
#pragma once

#include "framework/Wnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // Modeless: the template decides whether the dialog is a pop-up or a child of pParentWnd.
    virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);

    // Modal: the code given to EndDialog; -1 when the template cannot be loaded or the window was
    // destroyed before EndDialog. The parent (or the main window) is disabled meanwhile. The
    // modal-dialog seam (WindowSeams.h) is called whenever the loop goes idle.
    virtual INT_PTR DoModal();
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog(); // fills the controls (UpdateData(FALSE))
    virtual void OnOK();         // reads the controls; ends the dialog only when that succeeds
    virtual void OnCancel();
    virtual void PreInitDialog();

    void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void GotoDlgCtrl(CWnd* pWndCtrl) { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, (WPARAM)SafeHandle(pWndCtrl), 1); }
    void SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
    DWORD GetDefID() const { return (DWORD)::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0); }
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Commands the dialog does not map go on to the thread (the application) object.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    LPCSTR m_lpszTemplateName;
    LPCDLGTEMPLATE m_lpDialogTemplate;
    CWnd* m_pParentWnd;
    HWND m_hWndTop;

protected:
    HWND PreModal();
    void PostModal();
    afx_msg LRESULT HandleInitDialog(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};
