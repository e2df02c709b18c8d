// CFolderPickerDialog: the BROWSEINFO set-up, the root folder and the chosen path.
#include "afxwin.h"
#include "afxdlgs.h"
#include "framework/WindowSeams.h"

IMPLEMENT_DYNAMIC(CFolderPickerDialog, CCommonDialog)

CFolderPickerDialog::CFolderPickerDialog(LPCSTR lpszFolder, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bi(), m_szDisplayName(), m_szFolder()
{
    m_bi.ulFlags = dwFlags;
    m_bi.pszDisplayName = m_szDisplayName;
    if (lpszFolder != nullptr)
        m_strInitialFolder = lpszFolder;
}

CFolderPickerDialog::~CFolderPickerDialog()
{
    if (m_bi.pidlRoot != nullptr)
        ::CoTaskMemFree((void*)m_bi.pidlRoot);
}

void CFolderPickerDialog::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    m_bi.lpszTitle = m_strTitle;
}

BOOL CFolderPickerDialog::SetRootFolder(LPCSTR lpszRoot)
{
    if (m_bi.pidlRoot != nullptr)
        ::CoTaskMemFree((void*)m_bi.pidlRoot);
    m_bi.pidlRoot = nullptr;
    WCHAR wide[MAX_PATH];
    if (!::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, lpszRoot, -1, wide, MAX_PATH))
        return FALSE;
    IShellFolder* pDesktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&pDesktop)))
        return FALSE;
    LPITEMIDLIST pidl = nullptr;
    HRESULT hr = pDesktop->ParseDisplayName(nullptr, nullptr, wide, nullptr, &pidl, nullptr);
    pDesktop->Release();
    if (FAILED(hr))
        return FALSE;
    m_bi.pidlRoot = pidl;
    return TRUE;
}

INT_PTR CFolderPickerDialog::DoModal()
{
    m_bi.hwndOwner = PreModal();
    m_szFolder[0] = '\0';
    BOOL bResult =
        Seams::ShowFolderDialog(&m_bi, m_strInitialFolder.IsEmpty() ? nullptr : (LPCSTR)m_strInitialFolder, m_szFolder);
    PostModal();
    return bResult ? IDOK : IDCANCEL;
}
