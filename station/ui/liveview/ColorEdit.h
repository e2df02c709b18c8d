// CColorEdit: an edit control with its own text and background colours (the PTZ and matrix
// panels' number boxes); optionally a left click scrolls a long text by one line.
#pragma once

#include <afxwin.h>

class CColorEdit : public CEdit {
public:
    CColorEdit();

    void SetBkColor(COLORREF color);
    void SetTextColor(COLORREF color);
    COLORREF GetBkColor() const { return m_bkColor; }
    COLORREF GetTextColor() const { return m_textColor; }
    void SetClickScroll(int on) { m_clickScroll = on; }

    // The text's decimal number (a leading number as atoi reads it; 0 when there is none), read
    // from at most maxChars characters when maxChars > 0.
    int GetNumber(int maxChars = 0) const;

    // What one click scrolls, for a text of lineCount lines whose first visible line is firstLine:
    // -1 up one line, 1 down one line, 0 nothing; scrollUp is the direction flag, updated.
    static int ClickScrollStep(int lineCount, int firstLine, int& scrollUp);

protected:
    afx_msg HBRUSH CtlColor(CDC* dc, UINT ctlType);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void RedrawNow();

    int m_scrollUp;
    int m_clickScroll;
    CBrush m_brush;
    COLORREF m_bkColor;
    COLORREF m_textColor;
};
