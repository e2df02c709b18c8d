// The column header of the extended list, painted by itself without flicker: flat button-face
// background, item texts with ellipsis, etched dividers and one 3-D frame around all items.
#pragma once

#include <afxcmn.h>

class CGridHeaderCtrl : public CHeaderCtrl {
    DECLARE_DYNCREATE(CGridHeaderCtrl)
public:
    CGridHeaderCtrl();

    // Draws the whole header into dc (the paint context or a memory context over it).
    void DrawCtrl(CDC* dc);
    using CHeaderCtrl::DrawItem;
    // One item's content in the rectangle already shrunk by the spacing.
    virtual void DrawItem(CDC* dc, const CRect& rect, const HDITEMA& item);
    void DrawItemText(CDC* dc, const CRect& rect, const HDITEMA& item);

    COLORREF GetItemTextColor() const { return m_itemTextColor; }

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg LRESULT OnSysColorChange(WPARAM, LPARAM);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void ReadColors();

    COLORREF m_itemTextColor;
    int m_dividers = 1;
    int m_doubleBuffer = 1;
    int m_spacing = 6;
    COLORREF m_highlight = 0;
    COLORREF m_shadow = 0;
    COLORREF m_face = 0;
    COLORREF m_text = 0;
};
