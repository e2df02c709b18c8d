// CScrollView: a view whose contents (of the total size set with SetScrollSizes) scroll under its
// client area with the scroll bars, which appear only when the contents do not fit.
#pragma once

#include "framework/View.h"

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    CScrollView();

    static const SIZE sizeDefault;

    // Sizes in the logical units of nMapMode (device pixels for MM_TEXT). The page and line sizes
    // (the steps of a page and a line scroll) default to a tenth of the total and of the page.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CPoint GetScrollPosition() const;
    CPoint GetDeviceScrollPosition() const { return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT)); }
    // Scrolls so that pt (logical) is at the top-left corner, within the scroll range.
    void ScrollToPosition(POINT pt);
    CSize GetTotalSize() const { return m_totalLog; }
    void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;

    void OnPrepareDC(CDC* pDC, void* pInfo = nullptr) override;
    // nScrollCode: the horizontal code in the low byte, the vertical in the high byte (0xFF: none).
    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);
    // Shows, hides and sizes the scroll bars for the client size; keeps the position in range.
    void UpdateBars();

protected:
    int m_nMapMode;
    CSize m_totalLog;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

    DECLARE_MESSAGE_MAP()

private:
    void ScrollToDevicePosition(POINT ptDev);
    void ScrollContents(int dx, int dy);
    // Changing a bar resizes the client area, which calls UpdateBars again from OnSize.
    bool m_bInsideUpdate = false;
};
