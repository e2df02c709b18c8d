// CIconButton: a template push button drawn from two bitmaps (normal, on) by its state; clicks are
// the button's ordinary command notifications. Its pictures come from the shared cache
// (SharedSkinPicture): every pane's buttons show the same two files.
#pragma once

#include <afxwin.h>

class CIconButton : public CButton {
public:
    CIconButton();

    int LoadBitmaps(LPCSTR normal, LPCSTR on, int width, int height);
    void SetState(int state);
    int GetState() const { return m_state; }
    void MoveTo(int x, int y);
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }

protected:
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    int m_state;
    HBITMAP m_normal;
    HBITMAP m_on;
    int m_width;
    int m_height;
};
