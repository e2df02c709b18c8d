// CPlayListDlg: the playlist window docked at the main dialog's right edge (dialog 185). It shows
// the active pane's playlist, marks its current entry, plays an entry on double-click, offers
// delete, add and search on a right-click menu and is widened or narrowed at its left edge.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include <vector>

#include "player/DragListCtrl.h"
#include "player/Playlist.h"

class CPlayerDlg;

class CPlayListDlg : public CDialog {
public:
    enum { IDD = 185 };
    explicit CPlayListDlg(CPlayerDlg* player);

    void ShowPlaylist(const CPlaylist& playlist);
    void MarkCurrent(int index);
    void Place(const RECT& rect);
    std::vector<int> SelectedItems() const;
    void PlaySelected();

    CDragListCtrl m_list;
    BOOL m_ready;
    BOOL m_placing;
    BOOL m_userSizing; // between the user's first sizing step and the end of the drag
    CImageList m_states;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnSizing(UINT side, LPRECT rect);
    afx_msg LRESULT OnExitSizeMove(WPARAM, LPARAM);
    afx_msg void OnContextMenu(CWnd* wnd, CPoint point);
    afx_msg void OnDblClk(NMHDR* header, LRESULT* result);
    afx_msg void OnGetInfoTip(NMHDR* header, LRESULT* result);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

private:
    void FitList(int width, int height);

    CPlayerDlg* m_player;
};
