// CStateButton: a two-state button drawn from bitmaps (normal, on, hover, disabled); it reports the
// press (1) and the release (2, wherever it happens); the owner sets the state.
#pragma once

#include "station/ui/SkinButton.h"

class CStateButton : public CWnd {
public:
    CStateButton();
    ~CStateButton() override;

    int Create(UINT id, CWnd* owner, SkinButtonCallback callback);
    int LoadBitmaps(LPCSTR normal, LPCSTR on, LPCSTR hover, LPCSTR disabled, int width, int height);
    void MoveTo(int x, int y);
    void SetState(int state);
    int GetState() const { return m_state; }
    // 0 none, 1 normal, 2 on, 3 hover, 4 disabled.
    int ChosenPicture() const;

protected:
    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnEnable(BOOL enable);
    DECLARE_MESSAGE_MAP()

private:
    UINT m_id;
    CWnd* m_owner;
    SkinButtonCallback m_callback;
    int m_state;
    BYTE m_hover;
    BYTE m_down;
    HBITMAP m_normal;
    HBITMAP m_on;
    HBITMAP m_hoverPicture;
    HBITMAP m_disabled;
    int m_width;
    int m_height;
};
