#include "station/ui/mainwindow/MainConfigWindows.h"

#include "station/ui/mainwindow/DlgMain.h"
#include "station/ui/liveview/DlgPtzPanel.h"
#include "station/ui/liveview/LiveViewHost.h"
#include "station/ui/mainwindow/PVMenu.h"

void CMainConfigWindows::SetCameraDescription(LPCSTR text)
{
    if (CDlgPtzPanel* ptz = LiveViewHost().GetPtzPanel())
        ptz->SetCameraDescription(text);
}

namespace {

int* SerialHandleOf(CDlgMain* main, int kind)
{
    if (main == nullptr)
        return nullptr;
    switch (kind) {
    case serialLinkDevice:
        return &main->LinkDeviceHandle();
    case serialKeyboard:
        return &main->KeyboardHandle();
    case serialAlarmInput:
        return &main->AlarmInputHandle();
    }
    return nullptr;
}

} // namespace

void CMainConfigWindows::TrackOwnerDrawnMenu(CMenu* popup, CWnd* owner, POINT screen)
{
    if (popup == nullptr)
        return;
    CPVMenu menu;
    menu.LoadPopup(popup);
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, owner);
}

void CMainConfigWindows::RestartFileService()
{
    if (CDlgMain* main = CDlgMain::Instance())
        main->RestartFileService();
}

int CMainConfigWindows::GetSerialHandle(int kind)
{
    int* handle = SerialHandleOf(CDlgMain::Instance(), kind);
    return handle != nullptr ? *handle : 0;
}

void CMainConfigWindows::SetSerialHandle(int kind, int handle)
{
    if (int* slot = SerialHandleOf(CDlgMain::Instance(), kind))
        *slot = handle;
}

HWND CMainConfigWindows::GetKeyboardWindow()
{
    CDlgMain* main = CDlgMain::Instance();
    return main != nullptr ? main->m_hWnd : nullptr;
}

void CMainConfigWindows::SetLocalRelayState(int output, int on, BOOL redraw)
{
    CDlgMain* main = CDlgMain::Instance();
    if (main == nullptr)
        return;
    main->SetLocalRelayState(output, on);
    if (redraw)
        main->RefreshLocalRelays();
}
