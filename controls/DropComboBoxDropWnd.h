// The drop-down window of the combo box: list, scroll bar and size grip, placed against the screen.
#pragma once

#include <afxwin.h>

#include "controls/DropComboBoxList.h"
#include "controls/DropComboBoxScroll.h"
#include "controls/DropComboItem.h"

class CDropComboBox;

class CDropComboBoxDropWnd : public CWnd {
public:
    CDropComboBoxDropWnd(CDropComboBox* combo, const DropComboItems& items, DWORD flags);
    ~CDropComboBoxDropWnd() override;

    BOOL Open(const CRect& screenRect);
    CDropComboBoxList& List() { return *m_list; }
    CDropComboBoxScroll& Scroll() { return *m_scroll; }
    const DropComboItems& Items() const { return m_items; }
    CSize MaxSize() const { return CSize(m_maxWidth, m_maxHeight); }
    BOOL DestroyWindow() override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnActivateApp(BOOL active, DWORD threadId);
    afx_msg LRESULT OnCapture(WPARAM, LPARAM);
    afx_msg LRESULT OnRelease(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void PlaceAndSize(const CRect& createRect);
    void Resize(CPoint point);
    void DrawGrip(CDC& dc);

    int m_maxWidth = 1000;
    int m_maxHeight = 1000;
    CDropComboBoxList* m_list;
    CRect m_listRect;
    CDropComboBoxScroll* m_scroll;
    CRect m_scrollRect;
    CRect m_gripRect;
    CDropComboBox* m_combo;
    CFont* m_font;
    DropComboItems m_items;
    DWORD m_flags;
    BOOL m_resizing = FALSE;
    CPoint m_dragStart;
    int m_dragDx = 0;
    int m_dragDy = 0;
};
