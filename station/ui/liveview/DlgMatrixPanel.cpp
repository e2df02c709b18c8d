#include "station/ui/liveview/DlgMatrixPanel.h"

#include <cstdio>

#include "framework/WindowSeams.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/ui/liveview/DlgChannelName.h"
#include "station/ui/liveview/DlgPreviewPane.h"
#include "station/ui/liveview/DlgPtzPanel.h"
#include "station/ui/liveview/DlgVideoWall.h"
#include "station/ui/liveview/LiveViewHost.h"
#include "station/ui/mainwindow/PVMenu.h"
#include "station/ui/liveview/PtzCodes.h"
#include "station/ui/mainwindow/SkinLayout.h"

namespace {

const int kMatrixSwitch = 35;
const int kMatrixSwitchSecond = 36;
const int kMatrixMenuEnter = 48;
const int kMatrixMenuExit = 49;
const int kMatrixMenuDigit = 50;

struct NamedKey {
    UINT id;
    const char* key;
    const char* picture;
    int code;
};

// The command keys and the menu keys (the digits are numbered).
const NamedKey kCommandKeys[15] = {
    {mtxKeyPrev, "mtx_prev", "mtxprev", -1},  {mtxKeyNext, "mtx_next", "mtxnext", -1},
    {mtxKeyDelete, "mtx_del", "mtxdel", -1},  {mtxKeyEnter, "mtx_enter", "mtxenter", kMatrixSwitch},
    {469, "mtx_run", "mtxrun", 37},           {470, "mtx_group", "mtxgroup", 38},
    {471, "mtx_hold", "mtxhold", 42},         {472, "mtx_salvo", "mtxsalvo", 39},
    {473, "mtx_backward", "mtxbackward", 41}, {474, "mtx_forward", "mtxforward", 40},
    {475, "mtx_armon", "mtxalarmon", 45},     {476, "mtx_armoff", "mtxalarmoff", 46},
    {477, "mtx_swon", "mtxswon", 43},         {478, "mtx_swoff", "mtxswoff", 44},
    {mtxKeyTime, "mtx_time", "mtxtime", 47},
};
const NamedKey kMenuKeys[11] = {
    {mtxKeyMenuOn, "mtxmenuon", "mtxmenuon", 59},
    {491, "mtxmenuoff", "mtxmenuoff", 60},
    {492, "mtxmenuup", "mtxmenuup", 51},
    {493, "mtxmenudown", "mtxmenudown", 52},
    {494, "mtxmenuleft", "mtxmenuleft", 53},
    {495, "mtxmenuright", "mtxmenuright", 54},
    {496, "mtxmenuuppage", "mtxmenuuppage", 55},
    {497, "mtxmenudownpage", "mtxmenudownpage", 56},
    {498, "mtxmenuleftpage", "mtxmenuleftpage", 57},
    {499, "mtxmenurightpage", "mtxmenurightpage", 58},
    {mtxKeyMenuExit, "mtxmenu", "mtxmenu", kMatrixMenuExit},
};

MatrixKeyInfo MakeKey(UINT id, const char* key, const char* picture, int code)
{
    MatrixKeyInfo info = {id, {}, {}, code};
    CopyText(info.key, key);
    CopyText(info.picture, picture);
    return info;
}

struct MatrixKeyTable {
    MatrixKeyInfo keys[MATRIX_KEY_COUNT];
    MatrixKeyTable()
    {
        int n = 0;
        char key[20], picture[20];
        for (int d = 0; d < 10; ++d) {
            snprintf(key, sizeof key, "mtx_num%d", d);
            snprintf(picture, sizeof picture, "mtxnum%d", d);
            keys[n++] = MakeKey(mtxKeyDigitFirst + d, key, picture, -1);
        }
        for (const NamedKey& k : kCommandKeys)
            keys[n++] = MakeKey(k.id, k.key, k.picture, k.code);
        for (int d = 0; d < 10; ++d) {
            snprintf(key, sizeof key, "mtxmenu%d", d);
            keys[n++] = MakeKey(mtxKeyMenuDigitFirst + d, key, key, kMatrixMenuDigit);
        }
        for (const NamedKey& k : kMenuKeys)
            keys[n++] = MakeKey(k.id, k.key, k.picture, k.code);
    }
};

const MatrixKeyTable& Keys()
{
    static const MatrixKeyTable table;
    return table;
}

int IsMenuGroupKey(UINT id)
{
    return id >= mtxKeyMenuDigitFirst && id <= mtxKeyMenuExit;
}

} // namespace

const MatrixKeyInfo& MatrixKey(int index)
{
    return Keys().keys[index];
}

int MatrixKeyIndex(UINT id)
{
    for (int i = 0; i < MATRIX_KEY_COUNT; ++i) {
        if (Keys().keys[i].id == id)
            return i;
    }
    return -1;
}

BEGIN_MESSAGE_MAP(CDlgMatrixPanel, CDialog)
ON_WM_PAINT()
ON_WM_DESTROY()
ON_EN_CHANGE(IDC_MTX_CAMERA, OnCameraChange)
ON_NOTIFY(NM_DBLCLK, IDC_MTX_LIST, OnListDblClk)
ON_NOTIFY(NM_RCLICK, IDC_MTX_LIST, OnListRClick)
ON_COMMAND(ID_MATRIX_ADD, OnAddChannel)
ON_COMMAND(ID_MATRIX_SELECT, OnSelectChannel)
ON_COMMAND(ID_MATRIX_DELETE, OnDeleteChannel)
ON_COMMAND(ID_MATRIX_EDIT, OnEditChannel)
ON_BN_CLICKED(IDC_MTX_MENU_BUTTON, OnMenuButton)
END_MESSAGE_MAP()

CDlgMatrixPanel::CDlgMatrixPanel() : CDialog(IDD), m_valueNumber(0), m_face(nullptr), m_keys(), m_shownCamera(nullptr)
{
}

CDlgMatrixPanel::~CDlgMatrixPanel()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    ReleaseSkinPicture(m_face);
}

void CDlgMatrixPanel::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MTX_VALUE, m_valueEdit);
    DDX_Control(pDX, IDC_MTX_MONITOR, m_monitorEdit);
    DDX_Control(pDX, IDC_MTX_LIST, m_list);
    DDX_Control(pDX, IDC_MTX_CAMERA, m_cameraEdit);
    DDX_Text(pDX, IDC_MTX_VALUE, m_valueNumber);
}

BOOL CDlgMatrixPanel::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString layout = SkinLayoutPath();
    ::SetCurrentDirectoryA(GetStartDirectory());
    SkinRect panel = ReadSkinRect(layout, "treepos", SKIN_VIDEO_SECTION);
    MoveWindow(panel.x, panel.y, panel.w, panel.h);
    m_face = LoadSkinPicture("Skin//mtxctrlface.bmp", panel.w, panel.h);
    CreateKeys(layout);
    PlaceControls(layout);
    m_list.InsertColumn(0, CString(MAKEINTRESOURCE(IDS_MATRIX_CHANNEL_COLUMN)), LVCFMT_LEFT, 45);
    m_list.InsertColumn(1, CString(MAKEINTRESOURCE(IDS_MATRIX_NAME_COLUMN)), LVCFMT_LEFT, 130);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    EnableControls(1);
    return TRUE;
}

void CDlgMatrixPanel::CreateKeys(LPCSTR layout)
{
    for (int i = 0; i < MATRIX_KEY_COUNT; ++i) {
        const MatrixKeyInfo& info = MatrixKey(i);
        SkinRect r = ReadSkinRect(layout, info.key);
        CString normal, pressed, disabled;
        normal.Format("Skin//%s.bmp", info.picture);
        pressed.Format("Skin//%s_push.bmp", info.picture);
        disabled.Format("Skin//%s_dis.BMP", info.picture);
        m_keys[i] = new CSkinButton;
        m_keys[i]->Create(info.id, this, KeyCallback);
        m_keys[i]->LoadBitmaps(normal, pressed, nullptr, disabled, r.w, r.h);
        m_keys[i]->MoveTo(r.x, r.y);
        if (IsMenuGroupKey(info.id))
            m_keys[i]->ShowWindow(SW_HIDE);
    }
}

void CDlgMatrixPanel::PlaceControls(LPCSTR layout)
{
    struct Place {
        CWnd* control;
        const char* key;
    } places[] = {{&m_cameraEdit, "mtx_camnum"},
                  {&m_monitorEdit, "mtx_monnum"},
                  {&m_valueEdit, "mtx_num"},
                  {&m_list, "mtx_list"},
                  {nullptr, "mtx_menubtn"}};
    places[4].control = GetDlgItem(IDC_MTX_MENU_BUTTON);
    for (const Place& place : places) {
        SkinRect r = ReadSkinRect(layout, place.key);
        if (place.control != nullptr)
            place.control->MoveWindow(r.x, r.y, r.w, r.h);
    }
    for (CColorEdit* edit : {&m_cameraEdit, &m_monitorEdit, &m_valueEdit}) {
        edit->SetBkColor(PANEL_EDIT_BACKGROUND);
        edit->SetTextColor(RGB(0, 0, 0));
    }
}

void CDlgMatrixPanel::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    PaintSkinPicture(&dc, m_face, client.Width(), client.Height());
}

void CDlgMatrixPanel::OnDestroy()
{
    CDialog::OnDestroy();
    for (CSkinButton*& key : m_keys) {
        delete key;
        key = nullptr;
    }
}

CSkinButton* CDlgMatrixPanel::GetKey(UINT id) const
{
    int index = MatrixKeyIndex(id);
    return index >= 0 ? m_keys[index] : nullptr;
}

void CDlgMatrixPanel::EnableControls(int enable)
{
    BOOL on = enable && HasRight(7);
    for (CSkinButton* key : m_keys) {
        if (key != nullptr && key->m_hWnd != nullptr)
            key->EnableWindow(on);
    }
    if (CWnd* button = GetDlgItem(IDC_MTX_MENU_BUTTON))
        button->EnableWindow(on);
    if (m_list.m_hWnd != nullptr)
        m_list.EnableWindow(on);
}

void CDlgMatrixPanel::ShowMenuKeys(int show)
{
    for (int i = 0; i < MATRIX_KEY_COUNT; ++i) {
        if (m_keys[i] != nullptr && m_keys[i]->m_hWnd != nullptr && IsMenuGroupKey(MatrixKey(i).id))
            m_keys[i]->ShowWindow(show ? SW_SHOW : SW_HIDE);
    }
    if (m_list.m_hWnd != nullptr)
        m_list.ShowWindow(show ? SW_HIDE : SW_SHOW);
    if (CWnd* button = GetDlgItem(IDC_MTX_MENU_BUTTON))
        button->ShowWindow(show ? SW_HIDE : SW_SHOW);
}

void CDlgMatrixPanel::SetItem(int item, int number, LPCSTR name, int insert)
{
    CString text;
    text.Format("%d", number);
    if (insert)
        item = m_list.InsertItem(item, text);
    else
        m_list.SetItemText(item, 0, text);
    m_list.SetItemText(item, 1, name);
}

void CDlgMatrixPanel::SetCameraNumber(int number)
{
    CString text;
    text.Format("%d", number);
    m_cameraEdit.SetWindowText(text);
    m_cameraEdit.SetSel(text.GetLength(), text.GetLength());
}

void CDlgMatrixPanel::ShowCamera(CTermCamera* camera)
{
    int number = 0, monitor = 0, menu = 0;
    if (camera != nullptr) {
        number = camera->m_matrixValue;
        monitor = camera->m_matrixMonitor;
        menu = camera->m_pSession != nullptr ? camera->m_pSession->m_matrixMenu : 0;
        if (camera != m_shownCamera) {
            m_list.DeleteAllItems();
            for (int i = 0; i < camera->m_matrixChannelNames.GetSize(); ++i)
                SetItem(i, camera->m_matrixChannelNames[i].number, camera->m_matrixChannelNames[i].name, 1);
            m_shownCamera = camera;
        }
    } else {
        m_list.DeleteAllItems();
        m_shownCamera = nullptr;
    }
    SetCameraNumber(number);
    m_cameraEdit.Invalidate(TRUE);
    SelectEntry(camera, number);
    ShowMenuKeys(menu ? 5 : 0);
    CString text;
    text.Format("%d", monitor);
    m_monitorEdit.SetWindowText(text);
}

void CDlgMatrixPanel::SelectEntry(CTermCamera* camera, int number)
{
    if (camera == nullptr)
        return;
    int count = m_list.GetItemCount();
    for (int i = 0; i < count && i < camera->m_matrixChannelNames.GetSize(); ++i) {
        if (camera->m_matrixChannelNames[i].number == number)
            m_list.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
    }
}

void CDlgMatrixPanel::OnCameraChange()
{
    CString text;
    m_cameraEdit.GetWindowText(text);
    CString trimmed = TrimMatrixCameraText(text);
    if (trimmed.IsEmpty())
        return;
    m_cameraEdit.SetWindowText(trimmed);
    m_cameraEdit.SetSel(trimmed.GetLength(), trimmed.GetLength());
}

CChannelSession* CDlgMatrixPanel::SelectedSession() const
{
    CDlgPreviewPane* pane = SelectedPreviewPane();
    return pane != nullptr ? pane->m_pSession : nullptr;
}

// A matrix command ends a movement that a PTZ key still repeats.
void CDlgMatrixPanel::StopPtzKeyRepeat()
{
    if (CDlgPtzPanel* ptz = LiveViewHost().GetPtzPanel())
        ptz->StopKeyRepeat();
}

void CDlgMatrixPanel::SendMatrix(CChannelSession* session, int code, int value)
{
    CTermCamera* camera = session->m_pCamera;
    int number = m_cameraEdit.GetNumber();
    if (camera != nullptr) {
        camera->m_matrixMonitor = m_monitorEdit.GetNumber();
        camera->m_matrixValue = number;
    }
    SelectedPreviewPane()->PtzControl(code, value, -1);
    StopPtzKeyRepeat();
    SelectEntry(camera, number);
}

void CDlgMatrixPanel::KeyCallback(UINT id, int event, UINT, CWnd* owner, int, int)
{
    if (CDlgMatrixPanel* panel = dynamic_cast<CDlgMatrixPanel*>(owner))
        panel->OnKey(id, event);
}

void CDlgMatrixPanel::OnKey(UINT id, int event)
{
    if (event != skinButtonClicked)
        return;
    int index = MatrixKeyIndex(id);
    if (index < 0)
        return;
    if (id >= mtxKeyDigitFirst && id < mtxKeyDigitFirst + 10) {
        m_cameraEdit.SendMessage(WM_CHAR, '0' + (id - mtxKeyDigitFirst), 1);
        return;
    }
    switch (id) {
    case mtxKeyPrev:
        SetCameraNumber(m_cameraEdit.GetNumber() > 0 ? m_cameraEdit.GetNumber() - 1 : 0);
        return;
    case mtxKeyNext:
        SetCameraNumber(m_cameraEdit.GetNumber() < 255 ? m_cameraEdit.GetNumber() + 1 : 255);
        return;
    case mtxKeyDelete:
        m_cameraEdit.SetWindowText("");
        return;
    }
    CChannelSession* session = SelectedSession();
    if (session == nullptr)
        return;
    if (id == mtxKeyEnter) {
        CTermCamera* camera = session->m_pCamera;
        int number = m_cameraEdit.GetNumber();
        if (camera != nullptr) {
            camera->m_matrixMonitor = m_monitorEdit.GetNumber();
            camera->m_matrixValue = number;
        }
        SelectedPreviewPane()->PtzControl(kMatrixSwitch, 0, -1);
        SelectedPreviewPane()->PtzControl(kMatrixSwitchSecond, 0, -1);
        StopPtzKeyRepeat();
        SelectEntry(camera, number);
        return;
    }
    int value = m_valueEdit.GetNumber();
    if (id >= mtxKeyMenuDigitFirst && id < mtxKeyMenuDigitFirst + 10)
        value = (int)(id - mtxKeyMenuDigitFirst);
    if (id == mtxKeyMenuExit) {
        ShowMenuKeys(0);
        session->m_matrixMenu = 0;
    }
    if (value == -1)
        return;
    SendMatrix(session, MatrixKey(index).code, value);
}

void CDlgMatrixPanel::OnMenuButton()
{
    ShowMenuKeys(5);
    CChannelSession* session = SelectedSession();
    if (session == nullptr)
        return;
    session->m_matrixMenu = 1;
    SendMatrix(session, kMatrixMenuEnter, m_valueEdit.GetNumber());
}

int CDlgMatrixPanel::SelectedItem() const
{
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

void CDlgMatrixPanel::OnListDblClk(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    OnSelectChannel();
}

void CDlgMatrixPanel::OnSelectChannel()
{
    CChannelSession* session = SelectedSession();
    int item = SelectedItem();
    if (session == nullptr || session->m_pCamera == nullptr || item < 0 ||
        item >= session->m_pCamera->m_matrixChannelNames.GetSize())
        return;
    CTermCamera* camera = session->m_pCamera;
    camera->m_matrixMonitor = m_monitorEdit.GetNumber(3);
    camera->m_matrixValue = camera->m_matrixChannelNames[item].number;
    SelectedPreviewPane()->PtzControl(kMatrixSwitch, 0, -1);
    SelectedPreviewPane()->PtzControl(kMatrixSwitchSecond, 0, -1);
    StopPtzKeyRepeat();
    SetCameraNumber(camera->m_matrixValue);
}

void CDlgMatrixPanel::OnListRClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CMenu source;
    if (!source.LoadMenu(IDR_MATRIX_LIST_MENU))
        return;
    CMenu* popup = source.GetSubMenu(0);
    if (popup == nullptr)
        return;
    if (SelectedSession() != nullptr) {
        popup->EnableMenuItem(ID_MATRIX_ADD, MF_BYCOMMAND | MF_ENABLED);
        if (SelectedItem() >= 0) {
            for (UINT id : {ID_MATRIX_DELETE, ID_MATRIX_EDIT, ID_MATRIX_SELECT})
                popup->EnableMenuItem(id, MF_BYCOMMAND | MF_ENABLED);
        }
    }
    CPVMenu menu;
    menu.LoadPopup(popup);
    CPoint cursor;
    ::GetCursorPos(&cursor);
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, this);
}

void CDlgMatrixPanel::OnAddChannel()
{
    CChannelSession* session = SelectedSession();
    if (session == nullptr || session->m_pCamera == nullptr)
        return;
    CDlgChannelName dialog(this);
    dialog.m_pCamera = session->m_pCamera;
    dialog.m_entryIndex = -1;
    if (dialog.DoModal() == IDOK)
        SetItem(m_list.GetItemCount(), dialog.m_number, dialog.m_name, 1);
}

void CDlgMatrixPanel::OnEditChannel()
{
    CChannelSession* session = SelectedSession();
    int item = SelectedItem();
    if (session == nullptr || session->m_pCamera == nullptr || item < 0)
        return;
    CDlgChannelName dialog(this);
    dialog.m_pCamera = session->m_pCamera;
    dialog.m_entryIndex = item;
    if (dialog.DoModal() == IDOK)
        SetItem(item, dialog.m_number, dialog.m_name, 0);
}

void CDlgMatrixPanel::OnDeleteChannel()
{
    CChannelSession* session = SelectedSession();
    int item = SelectedItem();
    if (session == nullptr || session->m_pCamera == nullptr || item < 0 ||
        item >= session->m_pCamera->m_matrixChannelNames.GetSize())
        return;
    session->m_pCamera->m_matrixChannelNames.RemoveAt(item);
    m_list.DeleteItem(item);
    if (g_pRecGroup != nullptr)
        g_pRecGroup->Save();
}
