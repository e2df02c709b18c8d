// CBitmapStatic: a static control that paints one bitmap; its on flag is free for the owner (the
// preview pane keeps the phase of its blinking alarm icon in it).
#pragma once

#include <afxwin.h>

class CBitmapStatic : public CStatic {
public:
    CBitmapStatic();
    ~CBitmapStatic() override;

    int LoadBitmapFile(LPCSTR path, int width, int height);
    void MoveTo(int x, int y);
    void SetOn(int on) { m_on = on; }
    int IsOn() const { return m_on; }
    int HasPicture() const { return m_picture != nullptr; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    // The file of the picture shown (for tests and the pane's checks); empty without one.
    LPCSTR GetPicturePath() const { return m_path; }

protected:
    afx_msg void OnPaint();
    afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT drawItem);
    DECLARE_MESSAGE_MAP()

private:
    int m_on;
    HBITMAP m_picture;
    int m_width;
    int m_height;
    CString m_path;
};
