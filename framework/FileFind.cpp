// CFileFind over FindFirstFile/FindNextFile, one entry ahead as the platform's class is.
#include "afx.h"

IMPLEMENT_DYNAMIC(CFileFind, CObject)

CFileFind::CFileFind() : m_hContext(nullptr), m_found(), m_next(), m_bHaveFound(FALSE), m_bHaveNext(FALSE) {}

CFileFind::~CFileFind()
{
    Close();
}

void CFileFind::Close()
{
    if (m_hContext != nullptr && m_hContext != INVALID_HANDLE_VALUE)
        FindClose(m_hContext);
    m_hContext = nullptr;
    m_bHaveFound = FALSE;
    m_bHaveNext = FALSE;
    m_strRoot.Empty();
}

BOOL CFileFind::FindFile(LPCSTR pstrName, DWORD)
{
    Close();
    if (pstrName == nullptr)
        pstrName = "*.*";
    m_hContext = FindFirstFileA(pstrName, &m_next);
    if (m_hContext == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        Close();
        SetLastError(error);
        return FALSE;
    }
    m_bHaveNext = TRUE;

    // The root is the full path of the pattern up to its last separator.
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(pstrName, MAX_PATH, full, nullptr);
    m_strRoot = (n > 0 && n < MAX_PATH) ? full : pstrName;
    int cut = AfxFindLastSeparator(m_strRoot);
    if (cut >= 0)
        m_strRoot = m_strRoot.Left(cut);
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (m_hContext == nullptr || !m_bHaveNext)
        return FALSE;
    m_found = m_next;
    m_bHaveFound = TRUE;
    m_bHaveNext = ::FindNextFileA(m_hContext, &m_next);
    return m_bHaveNext;
}

ULONGLONG CFileFind::GetLength() const
{
    return m_bHaveFound ? ((ULONGLONG)m_found.nFileSizeHigh << 32) | m_found.nFileSizeLow : 0;
}

CString CFileFind::GetFileName() const
{
    return m_bHaveFound ? CString(m_found.cFileName) : CString();
}

CString CFileFind::GetFilePath() const
{
    if (!m_bHaveFound)
        return CString();
    CString path = m_strRoot;
    // A root ending in a double-byte character whose trail byte is 0x5C still needs its separator.
    if (path.IsEmpty() || AfxFindLastSeparator(path) != path.GetLength() - 1)
        path += '\\';
    return path + m_found.cFileName;
}

CString CFileFind::GetFileTitle() const
{
    return AfxFileTitleOfPath(GetFileName());
}

CString CFileFind::GetRoot() const
{
    return m_strRoot;
}

BOOL CFileFind::CopyTime(const FILETIME& found, FILETIME* pTimeStamp) const
{
    if (!m_bHaveFound || pTimeStamp == nullptr)
        return FALSE;
    *pTimeStamp = found;
    return TRUE;
}

BOOL CFileFind::CopyTime(const FILETIME& found, CTime& refTime) const
{
    if (!m_bHaveFound)
        return FALSE;
    refTime = CTime(found);
    return TRUE;
}

BOOL CFileFind::GetLastWriteTime(FILETIME* pTimeStamp) const
{
    return CopyTime(m_found.ftLastWriteTime, pTimeStamp);
}
BOOL CFileFind::GetLastWriteTime(CTime& refTime) const
{
    return CopyTime(m_found.ftLastWriteTime, refTime);
}
BOOL CFileFind::GetCreationTime(FILETIME* pTimeStamp) const
{
    return CopyTime(m_found.ftCreationTime, pTimeStamp);
}
BOOL CFileFind::GetCreationTime(CTime& refTime) const
{
    return CopyTime(m_found.ftCreationTime, refTime);
}
BOOL CFileFind::GetLastAccessTime(FILETIME* pTimeStamp) const
{
    return CopyTime(m_found.ftLastAccessTime, pTimeStamp);
}
BOOL CFileFind::GetLastAccessTime(CTime& refTime) const
{
    return CopyTime(m_found.ftLastAccessTime, refTime);
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    return m_bHaveFound && (m_found.dwFileAttributes & dwMask) != 0;
}

BOOL CFileFind::IsDots() const
{
    if (!m_bHaveFound || !IsDirectory())
        return FALSE;
    const char* n = m_found.cFileName;
    return n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'));
}
