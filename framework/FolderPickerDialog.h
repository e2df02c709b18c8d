// CFolderPickerDialog: the platform's folder browser (SHBrowseForFolder), through the folder-dialog
// seam (WindowSeams.h). m_bi is there for flags, title and root; the initial folder is selected
// when the browser opens.
#pragma once

#include "framework/FileDialog.h"

#include <shlobj.h>

class CFolderPickerDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFolderPickerDialog)
public:
    explicit CFolderPickerDialog(LPCSTR lpszFolder = nullptr, DWORD dwFlags = BIF_RETURNONLYFSDIRS,
                                 CWnd* pParentWnd = nullptr);
    ~CFolderPickerDialog() override;

    void SetTitle(LPCSTR lpszTitle);
    // Only folders under this one are offered; FALSE when the path cannot be parsed.
    BOOL SetRootFolder(LPCSTR lpszRoot);

    // IDOK or IDCANCEL.
    INT_PTR DoModal() override;
    CString GetPathName() const { return m_szFolder; }
    CString GetFolderPath() const { return m_szFolder; }

    BROWSEINFOA m_bi;

protected:
    CString m_strInitialFolder;
    CString m_strTitle;
    char m_szDisplayName[MAX_PATH];
    char m_szFolder[MAX_PATH];
};
