// CFileDialog: the OPENFILENAME set-up, the filter, and the parts of the chosen path.
#include "afxwin.h"
#include "afxdlgs.h"
#include "framework/WindowSeams.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags, LPCSTR lpszFilter,
                         CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_szFileTitle(), m_szFileName()
{
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
    m_ofn.lpstrDefExt = lpszDefExt;
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.hInstance = AfxGetResourceHandle();
    if (lpszFileName != nullptr)
        CopyText(m_szFileName, lpszFileName);
    if (lpszFilter != nullptr) {
        // '|' separates the parts; the platform wants NULs and a double NUL at the end. A '|' can
        // be the second byte of a double-byte character, which must stay.
        m_strFilter = lpszFilter;
        int nLen = m_strFilter.GetLength();
        LPSTR pch = m_strFilter.GetBufferSetLength(nLen + 1);
        for (int i = 0; i < nLen; i += GbkCharLength(pch + i)) {
            if (pch[i] == '|')
                pch[i] = '\0';
        }
        m_ofn.lpstrFilter = pch;
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = PreModal();
    BOOL bResult = Seams::ShowFileDialog(m_bOpenFileDialog, &m_ofn);
    PostModal();
    return bResult ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    return m_ofn.lpstrFile;
}

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    return path.Mid(path.ReverseFind('\\') + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const
{
    CString path = GetPathName();
    int slash = path.ReverseFind('\\');
    return slash < 0 ? CString() : path.Left(slash);
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    // Several files come as the folder, then each name, NUL-separated, with a double NUL at the end;
    // one file comes as its whole path.
    LPCSTR lpsz = (LPCSTR)pos;
    if (lpsz == m_ofn.lpstrFile) {
        lpsz += strlen(lpsz) + 1;
        if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT) || *lpsz == '\0') {
            pos = nullptr;
            return m_ofn.lpstrFile;
        }
    }
    CString folder = m_ofn.lpstrFile;
    LPCSTR lpszFileName = lpsz;
    lpsz += strlen(lpsz) + 1;
    pos = *lpsz == '\0' ? nullptr : (POSITION)lpsz;
    if (!folder.IsEmpty() && folder.ReverseFind('\\') == folder.GetLength() - 1)
        return folder + lpszFileName;
    return folder + '\\' + lpszFileName;
}
