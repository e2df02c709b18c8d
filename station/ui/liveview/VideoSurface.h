// CVideoSurface: the window of a preview pane that the library draws the live picture into; black
// while there is no live picture.
#pragma once

#include <afxwin.h>

class CDlgPreviewPane;

class CVideoSurface : public CStatic {
public:
    CVideoSurface() : m_pOwner(nullptr) {}

    CDlgPreviewPane* m_pOwner;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
