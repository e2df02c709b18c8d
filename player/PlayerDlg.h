// CPlayerDlg: the player's main dialog (dialog 102, menu 128). Four play panes, one or four shown,
// the transport strip, the sliders, the status line and the docked playlist; one active pane
// drives them all. Only one instance runs: a second start hands its command line over.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "player/PlayerLayout.h"

class CPlayPane;
class CPlayListDlg;
class CSearchDlg;

class CPlayerDlg : public CDialog {
public:
    enum { IDD = 102 };
    explicit CPlayerDlg(CWnd* parent = nullptr);
    ~CPlayerDlg() override;

    CPlayPane* ActivePane() const;
    CPlayPane* Pane(int index) const { return index >= 0 && index < 4 ? m_panes[index] : nullptr; }
    void SetActivePane(int index);
    void UpdateControls();
    void ShowStateText(int state);
    void SetStatusText(LPCSTR text);
    void SetStatusTextId(UINT id);
    void RefreshPlaylist();
    void MarkPlaylistCurrent(int index);
    void ResizeForPicture(int width, int height);
    void ToggleFullScreen();
    void LayoutControls();
    int PlayPlaylistEntry(int index, LPCSTR itemText);
    void SetDisplayMode(int mode);
    void Zoom(int percent);
    void TogglePlaylist();
    void ShowSearchWindow();
    // Opens a hand-over or a start-up line in the active pane; FALSE when nothing was opened.
    BOOL OpenCommandLine(LPCSTR text);
    // The playlist window's new width after the user dragged its edge.
    void OnPlaylistResized(int width);
    // Files dropped at a screen point.
    void DropFiles(const CStringArray& files, CPoint screenPoint);

    CString m_statusText;
    CPlayPane* m_panes[4];
    int m_screenWidth, m_screenHeight;
    BOOL m_layoutReady;
    int m_borderWidth, m_captionHeight;
    BOOL m_fullScreen;
    WINDOWPLACEMENT m_savedPlacement;
    int m_shownPlaylistWidth, m_playlistWidth;
    CPlayListDlg* m_playlist;
    HANDLE m_mutex;
    HICON m_hIcon;       // the program's icon, drawn while minimised
    CString m_startLine; // the program's command line (tests set it)

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override {}
    void OnCancel() override;
    afx_msg int OnCreate(LPCREATESTRUCT create);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg BOOL OnCopyData(CWnd* from, COPYDATASTRUCT* data);
    afx_msg void OnDropFiles(HDROP drop);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnSizing(UINT side, LPRECT rect);
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnDestroy();
    afx_msg void OnOpenFile();
    afx_msg void OnCloseFile();
    afx_msg void OnExit();
    afx_msg void OnFullScreen();
    afx_msg void OnZoom(UINT id);
    afx_msg void OnSingleView();
    afx_msg void OnFourView();
    afx_msg void OnSearch();
    afx_msg void OnBufferSettings();
    afx_msg void OnConvert();
    afx_msg void OnSnapshot();
    afx_msg void OnAbout();
    afx_msg void OnPlaylistDelete();
    afx_msg void OnPlaylistAdd();
    afx_msg void OnTransport(UINT id);
    afx_msg void OnZoom50();
    afx_msg void OnSound();
    afx_msg void OnPlaylistButton();
    DECLARE_MESSAGE_MAP()

private:
    BOOL HandOverToRunningInstance();
    void CreatePanes();
    void CreateTooltips();
    void SetButtonIcon(UINT id, UINT icon);
    void UpdateStripButton(UINT id, int enabled, UINT iconOn, UINT iconOff);
    void EnableControl(UINT id, BOOL enable);
    void SetControlText(UINT id, LPCSTR text);
    // TRUE when the item's state had to change.
    BOOL GreyMenuItem(UINT id, int grey);
    void EnterFullScreen();
    void LeaveFullScreenMode();
    void ShowControls(BOOL show);
    void MeasureFrame();

    CMenu m_menu;
    CToolTipCtrl m_tooltip;
    CSearchDlg* m_search;
};
