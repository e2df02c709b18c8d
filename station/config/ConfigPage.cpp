// Pages of the settings dialogs with tabs.
#include "station/config/ConfigPage.h"

#include "station/config/TabPageHost.h"

CConfigPage::CConfigPage(UINT nIDTemplate) : CConfigDialog(nIDTemplate) {}

BOOL CConfigPage::OnInitDialog()
{
    CTabPageHost::PlaceOverDisplayArea(this);
    return CConfigDialog::OnInitDialog();
}

BOOL CConfigPage::ReadControls()
{
    return UpdateData(TRUE);
}

BOOL CConfigPage::Store()
{
    if (!ReadControls())
        return FALSE;
    WriteValues();
    return TRUE;
}
