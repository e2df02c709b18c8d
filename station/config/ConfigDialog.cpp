// The configuration dialogs' common initialisation.
#include "station/config/ConfigDialog.h"

#include <WindowSeams.h>

#include "skin/engine/toolkit/Tessarine.h"

CConfigDialog::CConfigDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

BOOL CConfigDialog::OnInitDialog()
{
    BOOL result = CDialog::OnInitDialog();
    if ((GetStyle() & WS_CHILD) == 0)
        TessarineAttachWindow(m_hWnd, "Dialog"); // fails quietly when the toolkit is not started
    return result;
}

void CConfigDialog::TrackContextMenu(CMenu* popup, CPoint screenPoint)
{
    const UINT flags = TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD;
    Seams::PopupMenuFunc seam = Seams::ReplacePopupMenu(nullptr);
    Seams::ReplacePopupMenu(seam);
    int command = 0;
    if (seam == nullptr)
        command = TessarinePopupMenu(popup->m_hMenu, flags, screenPoint.x, screenPoint.y, m_hWnd);
    if (seam != nullptr || TessarineGetStatus() == TESSARINE_NOT_INITIALISED)
        command = (int)Seams::TrackPopupMenu(popup->m_hMenu, flags, screenPoint.x, screenPoint.y, m_hWnd, nullptr);
    if (command != 0)
        SendMessage(WM_COMMAND, (WPARAM)command, 0);
}
