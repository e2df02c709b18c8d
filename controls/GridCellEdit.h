// The single-line edit box the extended list places over an editable cell. It shows the cell's text
// selected, holds the focus and the mouse, optionally takes digits only, and ends itself with one
// message to the list: WM_GRIDEDIT_KILL_FOCUS (Enter, loss of focus) or WM_GRIDEDIT_VK_ESCAPE.
#pragma once

#include <afxwin.h>

#include <string>

class CGridCellEdit : public CEdit {
public:
    CGridCellEdit(CWnd* parent, LPCSTR initialText, BOOL numeric);

    // Sends message to the list unless an end message went already; every end goes through here.
    void SendEndMessage(UINT message);
    BOOL EndSent() const { return m_endSent; }
    // The list ends the box itself: nothing more may be sent.
    void MarkEndSent() { m_endSent = TRUE; }
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnKillFocus(CWnd* newWnd);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CWnd* m_parent;
    std::string m_initialText;
    BOOL m_endSent = FALSE;
    BOOL m_numeric;
};
