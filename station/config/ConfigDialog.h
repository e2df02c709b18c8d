// CConfigDialog: the base of every configuration dialog. Its initialisation skins the window with
// the toolkit's "Dialog" object; pages (child dialogs) are skinned by the toolkit's hooks as they
// are created below a skinned window, so only top-level dialogs are attached.
#pragma once

#include <afxwin.h>

class CConfigDialog : public CDialog {
public:
    explicit CConfigDialog(UINT nIDTemplate, CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;
    // Runs the popup at the screen point, skinned when the toolkit runs (a test's popup-menu seam
    // answers instead when installed), and sends the chosen command to this dialog.
    void TrackContextMenu(CMenu* popup, CPoint screenPoint);
};
