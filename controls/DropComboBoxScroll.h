// The drop-down's vertical scroll bar; it moves the list's top row.
#pragma once

#include <afxwin.h>

#include <algorithm>

class CDropComboBoxList;

class CDropComboBoxScroll : public CScrollBar {
public:
    CDropComboBoxScroll() = default;
    void SetList(CDropComboBoxList* list);

protected:
    // The drop window reflects WM_VSCROLL here.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void VScroll(UINT code);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg LRESULT OnCapture(WPARAM, LPARAM);
    afx_msg LRESULT OnRelease(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void PassCaptureWhenOutside(CPoint point);
    CDropComboBoxList* m_list = nullptr;
};
