// CDlgMatrixPanel: the keypad of a video matrix reached through the selected camera's serial PTZ
// protocol, a page of the main window's left-hand tab. Keys send matrix codes (35 to 60) through
// the selected pane; the camera record carries the monitor and camera numbers to the session. The
// camera's named matrix channels are listed, switched to by a double-click and edited through a
// context menu. Its menu keys replace the list while the camera's matrix menu is open.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "resources/warden/panels.h"
#include "station/ui/liveview/ColorEdit.h"
#include "station/ui/liveview/SkinButton.h"

class CTermCamera;
class CChannelSession;

// Control ids of the panel's keys.
enum MatrixPanelKey {
    mtxKeyDigitFirst = 455, // digits 0..9: 455..464
    mtxKeyPrev = 465,
    mtxKeyNext = 466,
    mtxKeyDelete = 467,
    mtxKeyEnter = 468,
    mtxKeyTime = 479,
    mtxKeyMenuDigitFirst = 480, // menu digits 0..9: 480..489; the menu group runs to 500
    mtxKeyMenuOn = 490,
    mtxKeyMenuExit = 500,
};

// One key of the panel: its layout key, picture base name and the code a click sends (-1 none).
struct MatrixKeyInfo {
    UINT id;
    char key[20];
    char picture[20];
    int code;
};
// The 46 keys in creation order (digits, the 15 command keys, menu digits, menu keys, "mtxmenu").
const int MATRIX_KEY_COUNT = 46;
const MatrixKeyInfo& MatrixKey(int index);
// The index of a key id in that table, -1 when none.
int MatrixKeyIndex(UINT id);

class CDlgMatrixPanel : public CDialog {
public:
    enum { IDD = IDD_MATRIX_PANEL };

    CDlgMatrixPanel();
    ~CDlgMatrixPanel() override;

    void ShowCamera(CTermCamera* camera);
    void EnableControls(int enable);
    // 5 shows the menu group and hides the channel list and button 1247; 0 the opposite.
    void ShowMenuKeys(int show);
    void SelectEntry(CTermCamera* camera, int number);
    // A key's event (only a click, 2, acts).
    void OnKey(UINT id, int event);

    CSkinButton* GetKey(UINT id) const;
    CTermCamera* GetShownCamera() const { return m_shownCamera; }

    CColorEdit m_valueEdit;
    CColorEdit m_monitorEdit;
    CListCtrl m_list;
    CColorEdit m_cameraEdit;
    int m_valueNumber;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnCameraChange();
    afx_msg void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListRClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAddChannel();
    afx_msg void OnSelectChannel();
    afx_msg void OnDeleteChannel();
    afx_msg void OnEditChannel();
    afx_msg void OnMenuButton();
    DECLARE_MESSAGE_MAP()

private:
    static void KeyCallback(UINT id, int event, UINT flags, CWnd* owner, int x, int y);
    void CreateKeys(LPCSTR layout);
    void PlaceControls(LPCSTR layout);
    CChannelSession* SelectedSession() const;
    void SetCameraNumber(int number);
    void SendMatrix(CChannelSession* session, int code, int value);
    int SelectedItem() const;
    void SetItem(int item, int number, LPCSTR name, int insert);
    void StopPtzKeyRepeat();

    HBITMAP m_face;
    CSkinButton* m_keys[MATRIX_KEY_COUNT];
    CTermCamera* m_shownCamera;
};
