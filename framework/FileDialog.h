// CFileDialog: the platform's open and save dialogs, through the file-dialog seam (WindowSeams.h).
// The filter is written as "Text files (*.txt)|*.txt|All files (*.*)|*.*||".
#pragma once

#include "framework/Dialog.h"

#include <commdlg.h>

class CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd) : CDialog((LPCSTR) nullptr, pParentWnd) {}
};

class CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);

    // IDOK or IDCANCEL.
    INT_PTR DoModal() override;

    // After IDOK: the chosen path, its file name, extension (without the dot) and name without extension.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    // With OFN_ALLOWMULTISELECT: the chosen files one by one (a larger m_ofn.lpstrFile is the caller's).
    POSITION GetStartPosition() const { return (POSITION)m_ofn.lpstrFile; }
    CString GetNextPathName(POSITION& pos) const;

    OPENFILENAMEA m_ofn;

protected:
    BOOL m_bOpenFileDialog;
    CString m_strFilter;
    char m_szFileTitle[64];
    char m_szFileName[MAX_PATH];
};
