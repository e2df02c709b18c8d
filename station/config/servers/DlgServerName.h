// CDlgServerName: the name of a project or group (dialog 143), for adding or renaming one.
#pragma once

#include "station/config/ConfigDialog.h"
#include "resources/warden/config.h"

class CDlgServerName : public CConfigDialog {
public:
    enum { IDD = IDD_SERVER_NAME };
    enum { modeAddProject = 1, modeAddGroup = 2, modeEditProject = 3, modeEditGroup = 4 };

    explicit CDlgServerName(CWnd* pParent = nullptr);

    CString m_name;
    int m_mode;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // An empty name is refused: an empty project name would blank the station's whole tree.
    void OnOK() override;
};
