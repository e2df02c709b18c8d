// CEMapItemWnd: what a device icon and a scene link on the map canvas share: selection, the canvas
// bounds, the report of clicks to the canvas and, in the editor, dragging inside the picture.
#pragma once

#include <afxwin.h>

class CDlgEMapCanvas;
class CEMapItemWnd;

enum { emapEventButtonDown = 1, emapEventDoubleClick = 4 };
typedef void (*EMapItemCallback)(CEMapItemWnd* item, int event, CDlgEMapCanvas* canvas);

class CEMapItemWnd : public CWnd {
public:
    CEMapItemWnd();

    // A child of the canvas with control id 1000 at the rectangle, hidden unless asked visible.
    BOOL CreateItem(CDlgEMapCanvas* canvas, const CRect& rect, LPCSTR caption, BOOL visible = FALSE);
    // Moves the window's top-left corner there, keeping its size.
    void Place(int x, int y);
    void SetSelected(int selected);

    int m_canvasWidth;
    int m_canvasHeight;
    int m_selected;
    int m_editMode;
    int m_x;
    int m_y;
    CString m_caption;
    EMapItemCallback m_callback;
    CDlgEMapCanvas* m_pCanvas;

    // Drag state, in canvas coordinates.
    CRect m_dragStartRect;
    CPoint m_dragStartPoint;
    CRect m_dragRect;
    int m_dragging;

protected:
    // The one-pixel frame around the rectangle: red when selected, the item's own colour otherwise.
    void DrawFrame(CDC& dc, const CRect& frame, COLORREF unselected);
    CPoint ToCanvas(CPoint client);

    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* newCapture);
    DECLARE_MESSAGE_MAP()

private:
    void EndDrag();
};
