// CConfigPage: a page of a settings dialog with tabs, created as a child of the tab control and
// placed over its display area. The frame's OK first reads every page (ReadControls: data exchange
// and the page's own checks) and stores them (WriteValues) only when all pages read, so a refused
// page keeps the dialog open with its entries instead of losing them.
#pragma once

#include "station/config/ConfigDialog.h"

class CConfigPage : public CConfigDialog {
public:
    explicit CConfigPage(UINT nIDTemplate);

    // Controls to members; FALSE after the message that explains the refusal.
    virtual BOOL ReadControls();
    // Members to the edited object; only after ReadControls succeeded.
    virtual void WriteValues() {}
    // Both, for a page stored on its own.
    BOOL Store();

protected:
    BOOL OnInitDialog() override;
    // Enter and Escape inside a page neither close nor hide it; the frame's buttons decide.
    void OnOK() override {}
    void OnCancel() override {}
};
