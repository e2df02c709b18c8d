// CPressButton: a template push button, drawn by the platform, that tells its owner when it is
// pressed (1) and released (0).
#pragma once

#include <afxwin.h>

typedef void (*PressButtonCallback)(int userValue, int pressed, CWnd* parent);

class CPressButton : public CButton {
public:
    CPressButton();

    int m_userValue;
    PressButtonCallback m_callback;

protected:
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
