// The about box.
#include "station/ui/mainwindow/DlgAbout.h"

#include "station/core/datamodel/StationPaths.h"
#include "station/ui/mainwindow/SkinLayout.h"

BEGIN_MESSAGE_MAP(CDlgAbout, CDialog)
END_MESSAGE_MAP()

CDlgAbout::CDlgAbout(CWnd* pParent) : CDialog(IDD, pParent) {}

BOOL CDlgAbout::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CWnd* parent = GetParent()) {
        HFONT font = (HFONT)parent->SendMessage(WM_GETFONT);
        if (font != nullptr)
            SendMessage(WM_SETFONT, (WPARAM)font, TRUE);
    }
    ::SetCurrentDirectoryA(GetStartDirectory());
    CString name = ReadLayoutProjectName();
    CString caption;
    caption.LoadString(IDS_ABOUT_PREFIX);
    SetWindowText(caption + name);
    CString version;
    version.Format(IDS_ABOUT_VERSION, (LPCSTR)name, "V1.00.00.01");
    SetDlgItemText(IDC_ABOUT_VERSION, version);
    SetDlgItemText(IDC_ABOUT_DATE, "2026-12-10");
    return TRUE;
}
