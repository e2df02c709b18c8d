#include "station/ui/MainConfigWindows.h"

#include "station/ui/DlgPtzPanel.h"
#include "station/ui/LiveViewHost.h"
#include "station/ui/PVMenu.h"

void CMainConfigWindows::SetCameraDescription(LPCSTR text)
{
    if (CDlgPtzPanel* ptz = LiveViewHost().GetPtzPanel())
        ptz->SetCameraDescription(text);
}

void CMainConfigWindows::TrackOwnerDrawnMenu(CMenu* popup, CWnd* owner, POINT screen)
{
    if (popup == nullptr)
        return;
    CPVMenu menu;
    menu.LoadPopup(popup);
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, owner);
}
