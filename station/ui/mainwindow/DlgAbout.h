// CDlgAbout: the about box (dialog 100): the project name, the version and the build date.
#pragma once

#include <afxwin.h>

#include "resources/warden/resource.h"

class CDlgAbout : public CDialog {
public:
    enum { IDD = IDD_ABOUT };
    explicit CDlgAbout(CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()
};
