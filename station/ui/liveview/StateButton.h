// CStateButton: a two-state button drawn from bitmaps (normal, on, hover, disabled); it reports the
// press (1) and the release (2, wherever it happens); the owner sets the state.
#pragma once

#include "station/ui/liveview/SkinButton.h"

class CStateButton : public CSkinControl {
public:
    CStateButton();

    int LoadBitmaps(LPCSTR normal, LPCSTR on, LPCSTR hover, LPCSTR disabled, int width, int height);
    void SetState(int state);
    int GetState() const { return m_state; }
    // 0 none, 1 normal, 2 on, 3 hover, 4 disabled.
    int ChosenPicture() const override;

protected:
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    enum { kNormal, kOn, kHover, kDisabled };

    int m_state;
    BYTE m_hover;
    BYTE m_down;
};
