// The list of the drop-down: rows of the combo box's items, with disabled rows that cannot be
// chosen, hot tracking under the mouse and a choice on button release.
#pragma once

#include <afxwin.h>

#include "controls/DropComboItem.h"

class CDropComboBox;
class CDropComboBoxScroll;

class CDropComboBoxList : public CListBox {
public:
    CDropComboBoxList(CDropComboBox* combo, CDropComboBoxScroll* scroll);
    ~CDropComboBoxList() override;

    int AddItem(const DropComboItem& item);
    CSize MeasureText(LPCSTR text, int length);
    int SelectRow(int row);
    void SetTopRow(int row, BOOL moveScroll);
    int VisibleRows() const;
    int BottomRow() const { return GetTopIndex() + VisibleRows(); }
    BOOL IsRowDisabled(int row) const;
    void SetFlags(DWORD flags) { m_flags = flags; }
    void SetNoSkip(BOOL noSkip) { m_noSkip = noSkip; }

    void DrawItem(LPDRAWITEMSTRUCT draw) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnDestroy();
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg LRESULT OnCapture(WPARAM, LPARAM);
    afx_msg LRESULT OnRelease(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    BOOL HandOverWhenOutside(CPoint point);
    int RowAt(CPoint point) const;
    void FollowTop();
    void FreeRows();

    CDropComboBox* m_combo;
    CFont* m_font;
    CDropComboBoxScroll* m_scroll;
    int m_lastTop = 0;
    DWORD m_flags = 0;
    BOOL m_noSkip = FALSE;
    std::vector<DropComboItem*> m_rows;
};
