// CDragListCtrl: the playlist's list control, whose selected items the user drags to a new place.
// The drop asks the main dialog to move the active pane's entries there.
#pragma once

#include <afxcmn.h>

#include <vector>

class CPlayerDlg;

class CDragListCtrl : public CListCtrl {
public:
    CDragListCtrl();
    ~CDragListCtrl() override;

    // The insertion position of a drop on item dropIndex (-1: none highlighted) in a list of count.
    static int InsertionPosition(int dropIndex, int count);

    CPlayerDlg* m_player;
    std::vector<int> m_dragged;
    CImageList* m_dragImage;
    int m_dropIndex;
    int m_previousHighlight;
    UINT m_savedState;
    BOOL m_removedSingleSelection;
    int m_scrollDirection; // 0 none, 1 up, 2 down
    BOOL m_dragging;

protected:
    afx_msg void OnBeginDrag(NMHDR* header, LRESULT* result);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    CImageList* MakeDragImage(CPoint point, CPoint& hotSpot);
    void Highlight(int item);
    void SetAutoscroll(int direction);
    void Drop();
};
