// CColorLabel: a static text with its own text and background colours (clock, date, pane
// captions, the PTZ panel's camera description).
#pragma once

#include <afxwin.h>

class CColorLabel : public CStatic {
public:
    CColorLabel();

    void SetBkColor(COLORREF color);
    void SetTextColor(COLORREF color);
    COLORREF GetBkColor() const { return m_bkColor; }
    COLORREF GetTextColor() const { return m_textColor; }

protected:
    afx_msg HBRUSH CtlColor(CDC* dc, UINT ctlType);
    DECLARE_MESSAGE_MAP()

private:
    void RedrawNow();

    CBrush m_brush;
    COLORREF m_bkColor;
    COLORREF m_textColor;
};
