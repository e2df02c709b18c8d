// CDlgSysUser: the users page (182) of the system settings. It edits the station's user list in
// place: the administrator (right 0, the first user) adds, changes and deletes users and sets
// their rights; anyone else may change only his own password. The frame's OK saves the list; the
// page's destruction always reloads it from the file, so Cancel drops the edits.
#pragma once

#include <afxcmn.h>

#include "station/config/ConfigPage.h"
#include "resources/warden/settings.h"

class CUserData;

class CDlgSysUser : public CConfigPage {
public:
    enum { IDD = IDD_SYS_USER };
    CDlgSysUser();

    // After the frame's OK saved the list: the logged-in user's own record, edited here, becomes the
    // station's current user (name, password and rights) and the name the log stamps.
    void AfterListSaved();

    CListCtrl m_list;
    CImageList m_images;
    CString m_name;
    CString m_confirm;
    CString m_password;
    int m_rights[13]; // boxes of rights 1 to 12; [0] unused
    int m_row;        // the row clicked last, -1 for none

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAdd();
    afx_msg void OnChange();
    afx_msg void OnDelete();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    BOOL IsAdministrator() const;
    CUserData* UserOfRow(int row) const;
    // Reads the controls and checks name, confirmation and uniqueness (the row left out of the
    // comparison); refuses with the message and the focus on the edit to correct.
    BOOL Validate(int skipRow);
    BOOL PasswordsMatch();
    void RightsFromBoxes(CUserData* user) const;

    CUserData* m_ownRecord; // the logged-in user's record, found at initialisation
};
