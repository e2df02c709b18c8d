// The combo box the extended list opens over a combo cell: a drop-list pop-up over the cell with its
// list open at once. A choice (Enter, or the close-up after a click in the list) commits; so does a
// press outside the open list or on the extended list's scroll bars, as they end the cell edit (the
// cell keeps its text when nothing was chosen). Escape, or the focus going anywhere but its own drop
// window, cancels. It ends once, through the list.
#pragma once

#include "controls/DropComboBox.h"

class CGridListCtrl;

class CGridCellCombo : public CDropComboBox {
public:
    explicit CGridCellCombo(CGridListCtrl* list);

    // Creates the pop-up over screenRect with the texts, selects the one equal to current and opens
    // the list with at most maxRows rows.
    BOOL Open(const CRect& screenRect, const std::vector<std::string>& texts, LPCSTR current, int maxRows);
    BOOL Ended() const { return m_ended; }
    // Ends it as a choice of what it shows: the extended list's scroll bars were pressed.
    void Accept() { End(TRUE); }

    void OnEscape() override;
    void OnReturn() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg void OnKillFocus(CWnd* newWnd);
    afx_msg LRESULT OnCloseUp(WPARAM why, LPARAM);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void End(BOOL commit);
    bool FocusInOwnDropWindow(HWND focus) const;

    CGridListCtrl* m_list;
    BOOL m_ended = FALSE;
    HWND m_newFocus = nullptr; // where the focus went, while its loss is being handled
};
