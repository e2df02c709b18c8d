// CDlgMain: the station's main dialog (dialog 102) and its spine. It starts and stops the outside
// libraries, creates the data roots, logs the operator in after its window appeared, loads the
// station's data, fills the server tree (which creates the sessions and pollers), drives the
// one-second tick, answers the menus, tree menus and command buttons, and releases everything on
// the way out. It is the station's IStationWindows and the recording store's owner.
//
// The file is split by concern: DlgMain.cpp (construction, start-up, log-in, loading, shut-down),
// DlgMainLayout.cpp (layout file, command buttons, keys), DlgMainCommands.cpp (menu commands and
// rights), DlgMainTree.cpp (server tree view), DlgMainTick.cpp (tick, posted messages, exit
// record), DlgMainView.cpp (view commands, lock, export and import), DlgMainLinks.cpp (what the
// sessions and the store call), DlgMainWall.cpp (everything that reaches the video wall),
// DlgMainEMap.cpp (the electronic map), DlgMainDrag.cpp (tree items dragged onto the wall).
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "resources/warden/resource.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/core/storage/RecordStoreOwner.h"
#include "station/core/storage/StoragePathEntry.h"
#include "station/ui/liveview/LiveViewHost.h"
#include "station/ui/mainwindow/MainConfigWindows.h"
#include "station/ui/mainwindow/MainTick.h"
#include "station/ui/mainwindow/PictureLoad.h"
#include "station/ui/mainwindow/PVMenu.h"
#include "station/ui/mainwindow/RemoteLoginRecord.h"
#include "station/ui/mainwindow/RemoteParamCtrl.h"
#include "station/ui/services/StationServices.h"

class CDlgConnectInfo;
class CSkinButton;
class CDlgBroadcast;
class CDlgEMapTree;
class CDlgViewEMap;
class CChannelSession;
class CTermCamera;
class CTermData;
class CTermServer;
class CRecGroup;

// Private messages of the main dialog (the session-carrying ones are in SessionWindows.h).
const UINT WM_RECORD_DISK_EVENT = 0x52D;
const UINT WM_REMOTE_LOGIN_DONE = 0x52F;
const UINT WM_DEFERRED_START = 0x532;
const UINT WM_EXIT_REQUEST = 0x539;
// Posted by the first paint: the windows that nothing showed at first are made now.
const UINT WM_AFTER_FIRST_PAINT = 0x53F;
// WM_KEYBOARD_COMMAND (0x53A) comes with the configuration windows (ConfigWindows.h).

// The 21 command buttons, in their order.
const int kSkinButtonCount = 21;
extern const UINT kSkinButtonIds[kSkinButtonCount];

class CDlgMain : public CDialog, public IStationWindows, public IRecordStoreOwner, public ILiveViewHost {
public:
    enum { IDD = IDD_MAIN };
    enum { TIMER_TICK = 2, TIMER_TALK_LINKAGE = 4 };

    explicit CDlgMain(CWnd* pParent = nullptr);
    ~CDlgMain() override;

    // The station's main dialog, or null.
    static CDlgMain* Instance();

    // --- start-up, log-in, loading, shut-down ---
    void CreateVideoWall();
    int LoginAtStart();
    int LoadAll();
    int SaveAll();
    void SaveStartupFiles();
    void Shutdown();
    void FillServerTree();
    void ApplyMenuRights();

    // --- layout and keys ---
    void LayoutFromSkin();
    // The background picture, once its load is done (null without one).
    HBITMAP BackgroundPicture();
    void OnSkinButton(UINT id, int event);
    void SetSplitMode(int mode);
    int HandleHotKey(WPARAM key);
    int HandlePtzKey(WPARAM key, UINT message);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // --- commands ---
    void OnExit();
    void OnTour();
    void OnServerAssign();
    void ToggleFullScreen(int on, int mode) override;
    void ClearAlarms();
    void ShowCamera(CTermCamera* camera);
    void ConnectServer(CTermServer* server, int index, int connect);
    void ConnectGroup(CTermData* group, int connect);
    void ConnectTree(CTermData* group, int connect);
    void RestartRecording();
    // The voice talk with the selected pane's server (button 417: 0 toggles; 1 only stops).
    void Talk(int stopOnly);
    // The file service follows the stored settings (the file-service settings page).
    void RestartFileService();
    // Station-wide serial device handles, 0 = not open; the serial settings page replaces them.
    int& LinkDeviceHandle() { return m_services.LinkDeviceHandle(); }
    int& KeyboardHandle() { return m_services.KeyboardHandle(); }
    int& AlarmInputHandle() { return m_services.AlarmInputHandle(); }

    // --- tree ---
    void SelectCameraInTree(CTermCamera* camera) override;
    int SelectTreeCamera(HTREEITEM item, CTermCamera* camera);

    // --- tick and exit record ---
    void OnMainTick();
    void WriteHeartbeat();
    void CheckLastExit();

    // --- view, lock, settings ---
    void ShowControls(int show);
    void LockControls(int unlock);
    void ExportSettings();
    void ImportSettings();
    void LoadStorageRoots();

    // IStationWindows
    void PostConnectResult(CChannelSession* session, int result) override;
    void PostExternalAlarm(CChannelSession* session, int input) override;
    void SetLocalRelayState(int output, int on) override;
    int GetLinkageHandle() override;
    CSystemLog* GetSystemLog() override;
    void AppendConnectInfo(LPCSTR text) override;
    void ShowMessage(LPCSTR text) override;
    void ClearTalkState() override;
    void RunCameraSettings(CTermCamera* camera) override;
    void RefreshLocalRelays() override;
    IPreviewPane* GetPreviewPane(int index) override;
    CTermServer* ChooseServer() override;
    int IsAlarmSoundMarked() override;
    void MarkAlarmSound() override;
    void NoteAlarmStarted() override;
    int IsEMapShown() override;
    int IsTourRunning() override;
    int IsEMapEditorOpen() override;
    int GetDisplayPageCount() override;
    int FindPageOfCamera(CTermCamera* camera) override;
    void SelectPane(int pane) override;
    void OpenEMap() override;
    void ShowEMapDevice(CVuskEMapDev* device) override;

    // ILiveViewHost (ToggleFullScreen and SelectCameraInTree above)
    CWnd* GetMainWindow() override;
    BOOL HandleKeyMessage(MSG* message) override;
    int IsScreenLocked() override;
    int GetButtonChecked(UINT id) override;
    void SetButtonChecked(UINT id, int checked) override;
    int UseEnglishBitmaps() override;
    CDlgPtzPanel* GetPtzPanel() override;
    CDlgMatrixPanel* GetMatrixPanel() override;

    // IRecordStoreOwner (GetSystemLog is shared with IStationWindows)
    void OnDiskEvent(int event) override;
    int GetRecordFormat() override;
    int GetLogKeepDays() override;

    // Members, named as the rest of the station knows them.
    CStatic m_logoPicture;
    CTabCtrl m_tabCtrl;
    CStatic m_clockLabel;
    CStatic m_dateLabel;
    CTreeCtrl m_serverTree;
    CRemoteParamCtrl m_remoteParams;
    CToolTipCtrl m_toolTip;
    int m_pageBeforeEMap;
    HICON m_hIcon;
    CMenu m_mainMenu;
    CPVMenu* m_ownerMenu;
    CImageList m_treeImages;
    CImageList m_tabImages;
    CFont m_mainFont;
    HBITMAP m_backgroundPicture;
    CPictureLoad m_backgroundLoad; // the background picture on its way
    int m_backgroundLoading = 0;
    UINT_PTR m_mainTimer;
    HANDLE m_remoteLoginThread;
    WINDOWPLACEMENT m_savedPlacement;
    DWORD m_lockedStates;
    int m_lockedMenuStates[32];
    StoragePathEntry m_storagePaths[40];
    int m_storagePathCount;
    CMainTick m_tick;
    CSkinButton* m_skinButtons[kSkinButtonCount];
    int m_alarmSoundOn;
    int m_screenLocked;
    int m_editorOpen;
    CDlgBroadcast* m_broadcastWindow;
    CDlgConnectInfo* m_connectInfo;
    CSystemLog* m_systemLog;
    CWnd* m_videoWall;
    CDlgPtzPanel* m_ptzPanel = nullptr;       // left-hand tab 1
    CDlgMatrixPanel* m_matrixPanel = nullptr; // left-hand tab 2
    // The panels are made after the first paint (MakePanels); until then their state waits here.
    int m_panelsWanted = 0;   // the layout asked for them
    int m_panelsEnabled = -1; // the last EnablePanels, -1 none
    volatile LONG m_localRelays[8] = {};
    DWORD m_windowThread = 0;
    int m_wallGridPending = 0;     // the wall's plain grid is still to be laid out
    int m_broadcastWanted = 0;     // the broadcast window is still to be made
    int m_connectInfoWanted = 0;   // the connection-information window is still to be made
    int m_connectInfoReported = 0; // it has a report to show
    int m_emapWanted = 0;          // the map's windows are still to be made
    int m_firstPaintPending = 0;   // WM_AFTER_FIRST_PAINT is still to be posted
    int m_startupSavePending = 0;  // the loading's SaveAll waits for the first paint
    CDlgViewEMap* m_emapView;      // the map's run view, in the wall's place while the map is shown
    CDlgEMapTree* m_emapTree;
    DWORD m_processId;
    RemoteLoginRecord m_remoteLogin;
    // Forwarding, file service, serial devices and the talk with their state.
    CStationServices m_services;
    // What was installed before this dialog, put back at the end of Shutdown.
    IStationWindows* m_previousWindows;
    ILiveViewHost* m_previousHost;
    CMainConfigWindows m_configWindows;
    IConfigWindows* m_previousConfigWindows = nullptr;
    int m_installed;
    int m_librariesStarted;
    // A tree item on its way to a pane: the item, its picture, and whether the drag runs.
    HTREEITEM m_dragItem = nullptr;
    CImageList* m_dragImage = nullptr;
    int m_dragging = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg LRESULT OnDeferredStart(WPARAM, LPARAM);
    afx_msg LRESULT OnAfterFirstPaint(WPARAM, LPARAM);
    afx_msg LRESULT OnStreamConnectResult(WPARAM, LPARAM);
    afx_msg LRESULT OnExternalAlarm(WPARAM, LPARAM);
    afx_msg LRESULT OnRecordDiskEvent(WPARAM, LPARAM);
    afx_msg LRESULT OnRemoteLoginDone(WPARAM, LPARAM);
    afx_msg LRESULT OnExitRequest(WPARAM, LPARAM);
    afx_msg LRESULT OnKeyboardCommand(WPARAM, LPARAM);
    afx_msg LRESULT OnEMapActivate(WPARAM item, LPARAM kind);
    afx_msg LRESULT OnEMapPopupClosed(WPARAM popup, LPARAM);
    afx_msg void OnTreeDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeRClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTabSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    // Dragging a tree item onto a pane (DlgMainDrag.cpp).
    afx_msg void OnTreeBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);

    // menu commands
    afx_msg void OnLockScreen();
    afx_msg void OnSaveState();
    afx_msg void OnLogin();
    afx_msg void OnExitCommand();
    afx_msg void OnVideoFiles();
    afx_msg void OnSystemLog();
    afx_msg void OnSystemSettings();
    afx_msg void OnServerAssignCommand();
    afx_msg void OnRemoteSettingsMenu();
    afx_msg void OnEditEMap();
    afx_msg void OnEMap();
    afx_msg void OnTourCommand();
    afx_msg void OnAbout();
    afx_msg void OnTourSettings();
    afx_msg void OnServerLocalSettingsMenu();
    afx_msg void OnBroadcast();
    afx_msg void OnExportSettings();
    afx_msg void OnImportSettings();
    // tree menu commands
    afx_msg void OnTreeCommand(UINT nID);

    DECLARE_MESSAGE_MAP()

private:
    void InitSystemMenu();
    void CreateMainFont();
    void ReadProjectName();
    void SetUpImageLists();
    void WriteClock();
    void StartLibraries();
    void StopLibraries();
    void InstallLinks();
    void UninstallLinks();
    void WriteLog(int type, UINT textId);
    void SetCurrentLogUser();
    void CloseSerialDevices();
    void RunExitSequence();
    void RebindAfterAssign();
    void StopTalkAndDetachPanes();
    CTermServer* CurrentServer();
    // The current server when the user may change its settings; else nothing, the refusal shown.
    CTermServer* ServerToSet();
    CTermServer* SelectedTreeServer();
    CTermCamera* SelectedTreeCamera();
    int SelectedTreeKind(HTREEITEM* item = nullptr, void** record = nullptr);
    void StartRemoteLogin(CTermServer* server);
    void JoinRemoteLogin();
    static UINT __stdcall RemoteLoginThread(void* record);
    void FillGroup(HTREEITEM parent, CTermData* group);
    void FillServer(HTREEITEM parent, CTermServer* server);
    void ShowTreeMenu(int kind, void* record, CPoint screen);
    void DoubleClickServer(CTermServer* server);
    void DoubleClickCamera(CTermCamera* camera);
    void SetMenuState(UINT id, UINT flags);
    void PlaceControl(CWnd& control, LPCSTR key, LPCSTR section);
    void CreateSkinButton(int index);
    CSkinButton* SkinButton(UINT id);
    static void SkinButtonEvent(UINT id, int event, UINT flags, CWnd* owner, int x, int y);
    void SetButtonCheck(UINT id, int on);
    int IsButtonChecked(UINT id);
    void EnableButton(UINT id, BOOL enable);
    void ShowButton(UINT id, int show);
    HBITMAP LoadButtonPicture(LPCSTR name, int width, int height);
    void TreeCameraCommand(UINT id, CTermCamera* camera);
    void RelayOffAll();
    // Ends a running drag: picture gone, capture released, drop target cleared.
    void EndTreeDrag();
    CPoint DragPoint(CPoint screen);
    CImageList* MakeTreeDragImage(HTREEITEM item, int image, CPoint grabbed, CPoint& hotSpot);
    void PlayAlarmSound();

    // The video wall and the panels (DlgMainWall.cpp).
    void CreateWallWindow(const CRect& rect);
    void DestroyWall();
    int WallCurrentPage();
    int WallSelectedPane();
    void WallShowPage(int page, int pane, int force);
    int WallFindPaneOfCamera(CTermCamera* camera);
    int WallFindPageOfCamera(CTermCamera* camera);
    void WallSelectPane(int pane);
    void WallLayoutGrid();
    void WallStartTour(int on);
    int WallTourPageCount();
    void WallClearAllAlarms();
    void WallSetFullScreen(int on, const CRect* rect, int mode);
    int WallIsFullScreen();
    void WallSetSplitMode(int mode);
    int WallCurrentSplitMode();
    void WallPrevPage();
    void WallNextPage();
    void WallSetAudioFollow(int on);
    CChannelSession* WallSelectedSession();
    IPreviewPane* WallPane(int index);
    HWND WallPaneWindow(int index);
    void RebuildPageTable(int attach);
    void FreePageTable();
    void EnablePanels(int enable);
    void LayOutPendingGrid();
    void CreatePanels();
    void MakePanels();
    void MakePanelsIfWanted();
    void MakeBroadcastWindow();
    void MakeConnectInfoWindow();
    void DestroyPanels();
    // Shows the PTZ panel for tab 1, the matrix panel for tab 2, neither otherwise.
    void ShowPanels(int tab);
    void StartServices();
    void OpenSerialDevices();
    // The electronic map (DlgMainEMap.cpp).
    void CreateEMapWindows();
    void MakeEMapWindows();
    void MakeEMapWindowsNow();
    void DestroyEMapWindows();
    void RefillEMapTree();
    void CloseEMapWindows();
    void ShowEMapMode(int show);
};
