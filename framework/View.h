// CView: a child window that paints through OnDraw, always allocated with new: it deletes itself
// when its window is destroyed. There are no documents; the view is placed directly in a window.
#pragma once

#include "framework/Wnd.h"

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Called once by the creator after Create; redraws the view.
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC) = 0;
    // Sets the device context up for OnDraw (a scrolling view moves its origin).
    virtual void OnPrepareDC(CDC* pDC, void* pInfo = nullptr);

protected:
    void PostNcDestroy() override;
    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()
};
