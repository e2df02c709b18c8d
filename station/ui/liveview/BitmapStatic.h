// CBitmapStatic: a static control that paints one bitmap; its on flag is free for the owner (the
// preview pane keeps the phase of its blinking alarm icon in it).
#pragma once

#include <afxwin.h>

class CBitmapStatic : public CStatic {
public:
    CBitmapStatic();
    ~CBitmapStatic() override;

    int LoadBitmapFile(LPCSTR path, int width, int height);
    // Shows the file's picture at width x height (its own size when both are 0) from the shared
    // cache (SharedSkinPicture); showing the picture already shown changes nothing. 1 when it is
    // shown.
    int ShowSharedPicture(LPCSTR path, int width = 0, int height = 0);
    void MoveTo(int x, int y);
    void SetOn(int on) { m_on = on; }
    int IsOn() const { return m_on; }
    int HasPicture() const { return m_picture != nullptr; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    // Draws the picture into dc with its top left corner at (x, y), as the control paints it.
    void PaintInto(CDC* dc, int x, int y) const;
    // The file of the picture shown (for tests and the pane's checks); empty without one.
    LPCSTR GetPicturePath() const { return m_path; }

protected:
    afx_msg void OnPaint();
    afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT drawItem);
    DECLARE_MESSAGE_MAP()

private:
    void DropPicture();

    int m_on;
    HBITMAP m_picture;
    // The picture belongs to the shared cache, not to the control.
    int m_shared;
    int m_width;
    int m_height;
    CString m_path;
};
