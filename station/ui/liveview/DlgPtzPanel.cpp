#include "station/ui/liveview/DlgPtzPanel.h"

#include "devices/portwick/Portwick.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/ui/liveview/DlgPresetCycle.h"
#include "station/ui/liveview/DlgPreviewPane.h"
#include "station/ui/liveview/DlgVideoWall.h"
#include "station/ui/liveview/LiveViewHost.h"
#include "station/ui/liveview/PtzCodes.h"
#include "station/ui/mainwindow/SkinLayout.h"

namespace {

struct PtzKeyInfo {
    UINT id;
    const char* key;    // rectangle in [BUTTONINFO]
    const char* normal; // pictures in "Skin//"
    const char* pressed;
    const char* disabled;
    UINT tip;
};

const PtzKeyInfo kKeys[CDlgPtzPanel::SKIN_KEY_COUNT] = {
    {ptzKeyLeft, "ptz_left", "ptzleft.bmp", "ptzleft_push.bmp", "ptzleft_dis.BMP", IDS_PTZ_LEFT},
    {ptzKeyRight, "ptz_right", "ptzright.bmp", "ptzright_push.bmp", "ptzright_dis.BMP", IDS_PTZ_RIGHT},
    {ptzKeyUp, "ptz_up", "ptzup.bmp", "ptzup_push.bmp", "ptzup_dis.BMP", IDS_PTZ_UP},
    {ptzKeyDown, "ptz_down", "ptzdown.bmp", "ptzdown_push.bmp", "ptzdown_dis.BMP", IDS_PTZ_DOWN},
    {ptzKeyAuto, "ptz_auto", "ptzauto.bmp", "ptzauto_push.bmp", "ptzauto_dis.BMP", IDS_PTZ_AUTO},
    {ptzKeyIrisAdd, "ptz_iris_add", "ptzirisadd.bmp", "ptzirisadd_push.bmp", "ptzirisadd_dis.BMP", IDS_PTZ_IRIS_ADD},
    {ptzKeyIrisSub, "ptz_iris_sub", "ptzirissub.bmp", "ptzirissub_push.bmp", "ptzirissub_dis.BMP", IDS_PTZ_IRIS_SUB},
    {ptzKeyFocusAdd, "ptz_focus_add", "ptzfocusadd.bmp", "ptzfocusadd_push.bmp", "ptzfocusadd_dis.BMP",
     IDS_PTZ_FOCUS_ADD},
    {ptzKeyFocusSub, "ptz_focus_sub", "ptzfocussub.bmp", "ptzfocussub_push.bmp", "ptzfocussub_dis.BMP",
     IDS_PTZ_FOCUS_SUB},
    {ptzKeyZoomAdd, "ptz_zoom_add", "ptzzoomadd.bmp", "ptzzoomadd_push.bmp", "ptzzoomadd_dis.BMP", IDS_PTZ_ZOOM_NEAR},
    {ptzKeyZoomSub, "ptz_zoom_sub", "ptzzoomsub.bmp", "ptzzoomsub_push.bmp", "ptzzoomsub_dis.BMP", IDS_PTZ_ZOOM_FAR},
    {ptzKeyCall, "ptz_call", "ptzcall.bmp", "ptzcall_push.bmp", "ptzcall_dis.BMP", IDS_PTZ_CALL},
    {ptzKeyPreset, "ptz_preset", "ptzpreset.bmp", "ptzpreset_push.bmp", "ptzpreset_dis.BMP", IDS_PTZ_PRESET},
    {ptzKeyAuxOn, "ptz_devopen", "ptzdevopen.bmp", "ptzdevopen_push.bmp", "ptzdevopen_dis.BMP", IDS_PTZ_AUX_ON},
    {ptzKeyAuxOff, "ptz_devclose", "ptzdevclose.bmp", "ptzdevclose_push.bmp", "ptzdevclose_dis.BMP", IDS_PTZ_AUX_OFF},
    {ptzKeySetAddress, "ptz_setaddr", "setaddr.bmp", "setaddr_push.bmp", "setaddr_dis.BMP", IDS_PTZ_SET_ADDRESS},
    {ptzKeyGetAddress, "ptz_getaddr", "getaddr.bmp", "getaddr_push.bmp", "getaddr_dis.BMP", IDS_PTZ_GET_ADDRESS},
    {ptzKeyCycleSettings, "ptz_cyclestart", "ptz_setting_call_on.bmp", "ptz_setting_call.bmp",
     "ptz_setting_call_dis.bmp", IDS_PTZ_CYCLE_SETTINGS},
    {ptzKeyCycleToggle, "ptz_callcycle", "ptz_loop_call_on.bmp", "ptz_loop_call_push.bmp", "ptz_loop_call_dis.bmp",
     IDS_PTZ_CYCLE_CALL},
};

CString SkinFile(LPCSTR name)
{
    return CString("Skin//") + name;
}

} // namespace

int PtzKeyStartCode(UINT id)
{
    // Zoom + and - are the other way round from their ids.
    static const int codes[10] = {ptzPanLeft,   ptzPanRight, ptzTiltUp,    ptzTiltDown, ptzIrisOpen,
                                  ptzIrisClose, ptzFocusFar, ptzFocusNear, ptzZoomOut,  ptzZoomIn};
    return id >= ptzKeyLeft && id <= ptzKeyZoomSub ? codes[id - ptzKeyLeft] : -1;
}

BEGIN_MESSAGE_MAP(CDlgPtzPanel, CDialog)
ON_WM_PAINT()
ON_WM_DESTROY()
ON_WM_TIMER()
END_MESSAGE_MAP()

CDlgPtzPanel::CDlgPtzPanel()
    : CDialog(IDD), m_auxNumber(1), m_presetNumber(1), m_ptzAddress(0), m_face(nullptr), m_serverRelays(),
      m_relayButtons(), m_keys(), m_speedBar(nullptr), m_localRelayButtons(), m_localRelays(), m_repeatTimer(0),
      m_heldCode(-1), m_heldValue(-1), m_heldSpeed(-1), m_repeatPane(nullptr)
{
}

CDlgPtzPanel::~CDlgPtzPanel()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    ReleaseSkinPicture(m_face);
}

void CDlgPtzPanel::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PTZ_DESCRIPTION_LABEL, m_descriptionLabel);
    DDX_Control(pDX, IDC_PTZ_DESCRIPTION, m_description);
    DDX_Control(pDX, IDC_PTZ_ADDRESS, m_address);
    DDX_Control(pDX, IDC_PTZ_PRESET_NUMBER, m_presetEdit);
    DDX_Control(pDX, IDC_PTZ_AUX_NUMBER, m_auxEdit);
    DDX_Text(pDX, IDC_PTZ_AUX_NUMBER, m_auxNumber);
    DDV_MinMaxInt(pDX, m_auxNumber, 1, 255);
    DDX_Text(pDX, IDC_PTZ_PRESET_NUMBER, m_presetNumber);
    DDV_MinMaxInt(pDX, m_presetNumber, 0, 255);
    DDX_Text(pDX, IDC_PTZ_ADDRESS, m_ptzAddress);
    DDV_MinMaxInt(pDX, m_ptzAddress, 0, 255);
}

BOOL CDlgPtzPanel::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString layout = SkinLayoutPath();
    ::SetCurrentDirectoryA(GetStartDirectory());
    SkinRect panel = ReadSkinRect(layout, "treepos", SKIN_VIDEO_SECTION);
    MoveWindow(panel.x, panel.y, panel.w, panel.h);
    m_face = LoadSkinPicture(LiveViewHost().UseEnglishBitmaps() ? "Skin//ptzctrlface_en.bmp" : "Skin//ptzctrlface.bmp",
                             panel.w, panel.h);
    m_toolTip.Create(this);
    CreateKeys(layout);
    PlaceEdits(layout);
    m_toolTip.SetDelayTime(TTDT_INITIAL, 200);
    m_toolTip.Activate(TRUE);
    EnableControls(0);
    return TRUE;
}

void CDlgPtzPanel::AddTip(CWnd* control, UINT textId)
{
    if (textId == 0 || control == nullptr || control->m_hWnd == nullptr || m_toolTip.m_hWnd == nullptr)
        return;
    CString tip;
    tip.LoadString(textId);
    m_toolTip.AddTool(control, tip);
}

void CDlgPtzPanel::CreateKeys(LPCSTR layout)
{
    for (int i = 0; i < SERVER_RELAYS; ++i) {
        CString key, normal, on, disabled;
        key.Format("relay%d", i + 1);
        normal.Format("Skin//relay%d.bmp", i + 1);
        on.Format("Skin//relay%d_push.bmp", i + 1);
        disabled.Format("Skin//relay%d_dis.BMP", i + 1);
        SkinRect r = ReadSkinRect(layout, key);
        m_relayButtons[i] = new CStateButton;
        m_relayButtons[i]->Create(ptzKeyRelayFirst + i, this, KeyCallback);
        m_relayButtons[i]->LoadBitmaps(normal, on, nullptr, disabled, r.w, r.h);
        m_relayButtons[i]->MoveTo(r.x, r.y);
    }
    for (int i = 0; i < SKIN_KEY_COUNT; ++i) {
        const PtzKeyInfo& info = kKeys[i];
        SkinRect r = ReadSkinRect(layout, info.key);
        m_keys[i] = new CSkinButton;
        m_keys[i]->Create(info.id, this, KeyCallback);
        m_keys[i]->LoadBitmaps(SkinFile(info.normal), SkinFile(info.pressed), nullptr, SkinFile(info.disabled), r.w,
                               r.h);
        m_keys[i]->MoveTo(r.x, r.y);
        AddTip(m_keys[i], info.tip);
    }
    SkinRect r = ReadSkinRect(layout, "ptz_speed");
    m_speedBar = new CBitmapToggle;
    m_speedBar->Create(ptzKeySpeed, this, KeyCallback);
    if (!m_speedBar->LoadBitmaps("Skin//ptzspeed_line.bmp", "Skin//ptzspeed_blue.bmp", nullptr, r.w, r.h))
        m_speedBar->SetSize(r.w, r.h); // still reads a speed without its pictures
    m_speedBar->MoveTo(r.x, r.y);
    m_speedBar->SetRange(1, 10);
    m_speedBar->SetValue(5);
    AddTip(m_speedBar, IDS_PTZ_SPEED);
    for (int i = 0; i < LOCAL_RELAYS; ++i) {
        CString key;
        key.Format("localrelay%d", i + 1);
        SkinRect at = ReadSkinRect(layout, key);
        m_localRelayButtons[i] = new CStateButton;
        m_localRelayButtons[i]->Create(ptzKeyLocalRelayFirst + i, this, KeyCallback);
        m_localRelayButtons[i]->LoadBitmaps("Skin//localrelay.BMP", "Skin//localrelay_on.BMP", nullptr,
                                            "Skin//localrelay_dis.BMP", 0, 0);
        m_localRelayButtons[i]->MoveTo(at.x, at.y);
    }
}

void CDlgPtzPanel::PlaceEdits(LPCSTR layout)
{
    struct EditPlace {
        CColorEdit* edit;
        const char* key;
        UINT tip;
    } edits[] = {{&m_presetEdit, "ptz_preno", IDS_PTZ_PRESET_NUMBER},
                 {&m_auxEdit, "ptz_devno", IDS_PTZ_AUX_NUMBER},
                 {&m_address, "ptz_camerano", IDS_PTZ_ADDRESS},
                 {&m_description, "camdesc", 0}};
    for (EditPlace& place : edits) {
        SkinRect r = ReadSkinRect(layout, place.key);
        place.edit->MoveWindow(r.x, r.y, r.w, r.h);
        place.edit->SetBkColor(PANEL_EDIT_BACKGROUND);
        place.edit->SetTextColor(RGB(0, 0, 0));
        AddTip(place.edit, place.tip);
    }
    m_description.SetBkColor(ReadSkinColorRef(layout, "camdesccolor", PANEL_EDIT_BACKGROUND));
    SkinRect label = ReadSkinRect(layout, "camdesctext");
    m_descriptionLabel.MoveWindow(label.x, label.y, label.w, label.h);
    m_descriptionLabel.SetBkColor(ReadSkinColorRef(layout, "camdesctextcolor", GetSysColor(COLOR_BTNFACE)));
}

void CDlgPtzPanel::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    PaintSkinPicture(&dc, m_face, client.Width(), client.Height());
}

void CDlgPtzPanel::OnDestroy()
{
    StopKeyRepeat();
    for (CStateButton*& button : m_relayButtons) {
        delete button;
        button = nullptr;
    }
    for (CSkinButton*& key : m_keys) {
        delete key;
        key = nullptr;
    }
    delete m_speedBar;
    m_speedBar = nullptr;
    for (CStateButton*& button : m_localRelayButtons) {
        delete button;
        button = nullptr;
    }
    CDialog::OnDestroy();
}

BOOL CDlgPtzPanel::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return TRUE;
    if (m_toolTip.m_hWnd != nullptr)
        m_toolTip.RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

void CDlgPtzPanel::EnableControls(int enable)
{
    BOOL on = enable && HasRight(7);
    for (CStateButton* button : m_relayButtons) {
        if (button != nullptr && button->m_hWnd != nullptr)
            button->EnableWindow(on);
    }
    for (CSkinButton* key : m_keys) {
        if (key != nullptr && key->m_hWnd != nullptr)
            key->EnableWindow(on);
    }
    if (m_speedBar != nullptr && m_speedBar->m_hWnd != nullptr)
        m_speedBar->EnableWindow(on);
    for (CStateButton* button : m_localRelayButtons) {
        if (button != nullptr && button->m_hWnd != nullptr)
            button->EnableWindow(on);
    }
    for (CWnd* edit : {(CWnd*)&m_description, (CWnd*)&m_address, (CWnd*)&m_presetEdit, (CWnd*)&m_auxEdit}) {
        if (edit->m_hWnd != nullptr)
            edit->EnableWindow(on);
    }
}

void CDlgPtzPanel::ShowServerRelays(const BYTE* states)
{
    for (int i = 0; i < SERVER_RELAYS; ++i) {
        m_serverRelays[i] = states != nullptr ? states[i] : 0;
        if (m_relayButtons[i] != nullptr)
            m_relayButtons[i]->SetState(m_serverRelays[i] != 0);
    }
}

int CDlgPtzPanel::GetServerRelay(int index) const
{
    return index >= 0 && index < SERVER_RELAYS ? m_serverRelays[index] : 0;
}

void CDlgPtzPanel::SetCameraDescription(LPCSTR text)
{
    if (m_description.m_hWnd == nullptr)
        return;
    m_description.SetWindowText(text != nullptr ? text : "");
    m_description.Invalidate(TRUE);
}

void CDlgPtzPanel::SetCycleButton(int on)
{
    if (CSkinButton* toggle = GetKey(ptzKeyCycleToggle))
        toggle->SetChecked(on != 0);
}

void CDlgPtzPanel::SetLocalRelayState(int on, int index, int redraw)
{
    if (index < 0 || index >= LOCAL_RELAYS)
        return;
    m_localRelays[index] = on;
    if (redraw && m_localRelayButtons[index] != nullptr)
        m_localRelayButtons[index]->SetState(on != 0);
}

void CDlgPtzPanel::RefreshLocalRelays()
{
    for (int i = 0; i < LOCAL_RELAYS; ++i) {
        if (m_localRelayButtons[i] != nullptr)
            m_localRelayButtons[i]->SetState(m_localRelays[i] != 0);
    }
}

CSkinButton* CDlgPtzPanel::GetKey(UINT id) const
{
    for (int i = 0; i < SKIN_KEY_COUNT; ++i) {
        if (kKeys[i].id == id)
            return m_keys[i];
    }
    return nullptr;
}

CStateButton* CDlgPtzPanel::GetRelayButton(UINT id) const
{
    if (id >= ptzKeyRelayFirst && id < ptzKeyRelayFirst + SERVER_RELAYS)
        return m_relayButtons[id - ptzKeyRelayFirst];
    if (id >= ptzKeyLocalRelayFirst && id < ptzKeyLocalRelayFirst + LOCAL_RELAYS)
        return m_localRelayButtons[id - ptzKeyLocalRelayFirst];
    return nullptr;
}

int CDlgPtzPanel::GetSpeed() const
{
    return m_speedBar != nullptr ? m_speedBar->GetValue() : 5;
}

int CDlgPtzPanel::ReadPresetNumber() const
{
    return ClampPtzNumber(m_presetEdit.GetNumber(3));
}

int CDlgPtzPanel::ReadAuxNumber() const
{
    return ClampPtzNumber(m_auxEdit.GetNumber(3) - 1);
}

void CDlgPtzPanel::KeyCallback(UINT id, int event, UINT, CWnd* owner, int, int)
{
    if (CDlgPtzPanel* panel = dynamic_cast<CDlgPtzPanel*>(owner))
        panel->OnButton(id, event);
}

void CDlgPtzPanel::SendPtz(CDlgPreviewPane* pane, int code, int value)
{
    if (value == -1)
        return;
    pane->PtzControl(code, value, -1);
    StartKeyRepeat(code, value);
}

void CDlgPtzPanel::OnButton(UINT id, int event)
{
    CDlgPreviewPane* pane = SelectedPreviewPane();
    if (pane == nullptr)
        return;
    int startCode = PtzKeyStartCode(id);
    if (startCode >= 0) {
        // A key released outside itself still stops what its press started.
        if (event == skinButtonPressed)
            SendPtz(pane, startCode, GetSpeed());
        else if (event == skinButtonClicked || event == skinButtonReleasedOutside)
            SendPtz(pane, PtzStopCode(startCode), GetSpeed());
        return;
    }
    if (event != skinButtonClicked)
        return;
    CChannelSession* session = pane->m_pSession;
    switch (id) {
    case ptzKeyCall:
    case ptzKeyPreset:
        SendPtz(pane, id == ptzKeyCall ? ptzGotoPreset : ptzSetPreset, ReadPresetNumber());
        return;
    case ptzKeyAuto:
        SendPtz(pane, ToggleAuto() ? ptzAutoScanOn : ptzAutoScanOff, 0);
        return;
    case ptzKeyAuxOn:
    case ptzKeyAuxOff:
        SendPtz(pane, id == ptzKeyAuxOn ? ptzAuxOn : ptzAuxOff, ReadAuxNumber());
        return;
    case ptzKeyCycleSettings:
        if (session != nullptr && session->m_pCamera != nullptr) {
            CDlgPresetCycle cycle(session->m_pCamera, this);
            cycle.DoModal();
        }
        return;
    case ptzKeyCycleToggle:
        if (CSkinButton* key = GetKey(ptzKeyCycleToggle)) {
            key->SetChecked(!key->GetChecked());
            if (session != nullptr)
                session->StepPresetCycle(key->GetChecked(), key->GetChecked());
        }
        return;
    case ptzKeySetAddress:
        pane->SetDeviceAddress(ClampPtzNumber(m_address.GetNumber(3)));
        return;
    case ptzKeyGetAddress: {
        int address = pane->GetDeviceAddress();
        if (address != -1) {
            CString text;
            text.Format("%d", address);
            m_address.SetWindowText(text);
        }
        return;
    }
    }
    if (id >= ptzKeyRelayFirst && id < ptzKeyRelayFirst + SERVER_RELAYS)
        ToggleServerRelay(id - ptzKeyRelayFirst);
    else if (id >= ptzKeyLocalRelayFirst && id < ptzKeyLocalRelayFirst + LOCAL_RELAYS)
        ToggleLocalRelay(id - ptzKeyLocalRelayFirst);
}

int CDlgPtzPanel::ToggleAuto()
{
    CSkinButton* key = GetKey(ptzKeyAuto);
    if (key == nullptr)
        return 0;
    key->SetChecked(!key->GetChecked());
    return key->GetChecked();
}

void CDlgPtzPanel::ToggleServerRelay(int index)
{
    CDlgPreviewPane* pane = SelectedPreviewPane();
    if (pane == nullptr || index < 0 || index >= SERVER_RELAYS)
        return;
    m_serverRelays[index] = !m_serverRelays[index];
    if (m_relayButtons[index] != nullptr)
        m_relayButtons[index]->SetState(m_serverRelays[index]);
    pane->SetRelay(index, m_serverRelays[index]);
}

void CDlgPtzPanel::ToggleLocalRelay(int index)
{
    m_localRelays[index] = !m_localRelays[index];
    m_localRelayButtons[index]->SetState(m_localRelays[index]);
    Portwick_SetRelay(StationWindows().GetLinkageHandle(), m_localRelays[index] ? 30 : 31, index);
}

void CDlgPtzPanel::StopKeyRepeat()
{
    if (m_repeatTimer != 0 && m_hWnd != nullptr)
        KillTimer(REPEAT_TIMER);
    m_repeatTimer = 0;
    m_heldCode = m_heldValue = m_heldSpeed = -1;
    m_repeatPane = nullptr;
}

void CDlgPtzPanel::StartKeyRepeat(int code, int value)
{
    StopKeyRepeat();
    if (!IsPtzRepeatCode(code) || value == -1 || m_hWnd == nullptr)
        return;
    CDlgPreviewPane* pane = SelectedPreviewPane();
    CChannelSession* session = pane != nullptr ? pane->m_pSession : nullptr;
    if (session == nullptr)
        return;
    int period = session->m_ptzProtocol != 0 ? session->m_protocolDelay : session->m_ptzDelay;
    if (period <= 0)
        return;
    m_repeatTimer = SetTimer(REPEAT_TIMER, (UINT)period);
    m_heldCode = code;
    m_heldValue = value;
    m_heldSpeed = session->m_pCamera != nullptr ? session->m_pCamera->m_matrixValue : -1;
    m_repeatPane = pane;
}

void CDlgPtzPanel::OnTimer(UINT_PTR id)
{
    if (id != REPEAT_TIMER) {
        CDialog::OnTimer(id);
        return;
    }
    CDlgPreviewPane* pane = SelectedPreviewPane();
    CChannelSession* session = pane != nullptr ? pane->m_pSession : nullptr;
    if (m_heldCode != -1 && m_heldValue != -1 && pane == m_repeatPane && session != nullptr &&
        (session->m_protocolDelay > 0 || session->m_ptzDelay > 0))
        session->PtzControl(m_heldCode, m_heldValue, m_heldSpeed);
    else
        StopKeyRepeat();
}
