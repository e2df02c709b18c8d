// CDlgVideoWall: the live-view area of the main window. Owns the 16 preview panes and shows one
// display page at a time in one of six split modes, keeps the selected pane, runs the timed tour,
// switches full screen and takes cameras and servers dropped from the server tree. The data model
// reaches it through CViewLinks; the main dialog and the panes call it directly (VideoWall()).
#pragma once

#include "station/core/datamodel/StationLinks.h"

#include <afxwin.h>

class CDlgPreviewPane;
class CTermCamera;
class CTermServer;
class CChannelSession;
class CVuskLoopPage;

// The template of the wall and of each pane.
const UINT IDD_VIDEO_WALL = 132;
const UINT IDD_PREVIEW_PANE = 131;
// The tour dwell timer.
const UINT_PTR TOUR_TIMER = 1;

class CDlgVideoWall : public CDialog, public CViewLinks {
public:
    CDlgVideoWall();
    ~CDlgVideoWall() override;

    // Creates the wall as a child of parent at (x, y, w, h); that rectangle is the one full screen
    // returns to. The panes are created with it.
    BOOL CreateWall(CWnd* parent, int x, int y, int w, int h);

    // Lays all 16 panes out as the 16-grid without a current page.
    void LayoutGrid();
    void ShowPage(int page, int pane, int force) override;
    void SetSplitMode(int mode, int pane);
    void SelectPane(int pane);
    void PrevPage();
    void NextPage();
    // 1 started or stopped; 0 when a tour cannot start (fewer than 2 steps).
    int StartTour(int on);
    void SetFullScreen(int on, LPCRECT rect, int mode);
    // The current page's split mode, -1 without a current page.
    int GetSplitMode() const;
    // The current page's selected pane 0..15; 0 without a current page.
    int GetSelectedPane() const;
    int IsPaneVisible(int pane) const;
    int FindPaneOfCamera(CTermCamera* camera) override;
    int FindPageOfCamera(CTermCamera* camera) const;
    // The first visible pane whose window holds the point, given in the main window's client
    // coordinates; -1 when none.
    int HitTestPane(int x, int y) const;
    void SetAudioFollow(int on);
    void ClearAllAlarms();
    // A camera or server item of the server tree dropped at the main window's client point: placed
    // in the pane there on the current page (the server's cameras from that pane on), as far as the
    // user may assign panes. 1 when it fell on a pane, 0 elsewhere.
    int DropTreeItem(CTermCamera* camera, CTermServer* server, int x, int y);
    // Brings the camera into view: its page shown, its pane selected (tree, keyboard, alarm, map).
    void ShowCamera(CTermCamera* camera);
    // The selected pane's session refreshes the PTZ and matrix panels.
    void RefreshPanels();

    // CViewLinks
    void RebuildPageTable(int attach) override;
    int GetCurrentPage() override;
    CChannelSession* GetPaneSession(int pane) override;
    void ClearPane(int pane) override;

    // The pane, made now when it was never needed before.
    CDlgPreviewPane* GetPane(int index);
    // The pane when it was made, else nullptr.
    CDlgPreviewPane* ExistingPane(int index) const;
    CDlgPreviewPane* GetSelectedPaneWnd() const { return m_selectedPaneWnd; }
    // Set by the pane's own select operation.
    void SetSelectedPaneWnd(CDlgPreviewPane* pane) { m_selectedPaneWnd = pane; }
    int IsTouring() const { return m_touring; }
    int IsFullScreen() const { return m_fullScreen; }
    int IsAudioFollow() const { return m_audioFollow; }
    int GetTourPosition() const { return m_tourPosition; }
    int GetTourStepShown() const { return m_tourStepShown; }

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnOK() override;
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    struct DisplayPage* CurrentPage() const;
    void LayoutPanes(struct DisplayPage* page);
    void PlacePanes(const int* panes, const RECT* rects, int count, int hideOthers);
    // Adds the pane's move (rect) or show or hide (rect null) to the batch.
    void DeferPanePos(HDWP& batch, CDlgPreviewPane* window, const RECT* rect, UINT flags);
    void PlaceFirstPanes(int mode, int shown);
    void HoldPaneRefreshes(int hold);
    void HoldRedraw(int hold);
    void HideAllPanes();
    void SetPaneAudio(int on);
    void ShowTourPage(int step);
    void LayoutTourPage(int mode, int selectFirst);
    void StepTour(int delta);
    void StartTourTimer(int step);
    int TourStepCount() const;
    CVuskLoopPage* TourStep(int step) const;
    void DetachAllPanes();
    int PaneOfSession(CChannelSession* session) const;
    // 1 when the camera's session is attached to the pane already.
    int SessionStaysInPane(CTermCamera* camera, int pane) const;

    int m_savedRect[4];
    int m_currentPage;
    int m_tourStepShown;
    int m_audioFollow;
    int m_fullScreen;
    CDlgPreviewPane* m_selectedPaneWnd;
    CDlgPreviewPane* m_panes[16];
    UINT_PTR m_tourTimer;
    int m_tourPosition;
    int m_touring;
    // Nesting depth of HoldRedraw, and whether the outermost hold turned the wall's drawing off.
    int m_redrawHolds;
    int m_redrawOff;
};

// The one video wall, or null while it does not exist.
CDlgVideoWall* VideoWall();
// The wall's selected pane, or null without a wall or a selection.
CDlgPreviewPane* SelectedPreviewPane();
