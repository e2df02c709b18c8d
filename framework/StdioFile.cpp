// CStdioFile: the CFile's handle handed to a C runtime stream.
#include "afx.h"

#include <fcntl.h>
#include <io.h>
#include <errno.h>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {

[[noreturn]] void ThrowStreamError(const CString& fileName)
{
    LONG osError = (LONG)GetLastError();
    AfxThrowFileException(osError ? CFileException::OsErrorToException(osError) : CFileException::genericException,
                          osError ? osError : -1, fileName);
}

} // namespace

CStdioFile::CStdioFile() : m_pStream(nullptr) {}

CStdioFile::CStdioFile(FILE* pOpenStream) : CFile((HANDLE)_get_osfhandle(_fileno(pOpenStream))), m_pStream(pOpenStream)
{
}

CStdioFile::CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags) : m_pStream(nullptr)
{
    OpenOrThrow(lpszFileName, nOpenFlags);
}

CStdioFile::~CStdioFile()
{
    if (m_pStream != nullptr && m_bCloseOnDelete)
        Abort();
}

BOOL CStdioFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_pStream != nullptr)
        Abort();

    // The stream's mode follows the open flags as the platform maps them.
    char mode[4] = {};
    int n = 0;
    if (nOpenFlags & modeCreate)
        mode[n++] = (nOpenFlags & modeNoTruncate) ? 'a' : 'w';
    else if (nOpenFlags & modeWrite)
        mode[n++] = 'a';
    else
        mode[n++] = 'r';
    if ((mode[0] == 'r' && (nOpenFlags & modeReadWrite)) || (mode[0] != 'r' && !(nOpenFlags & modeWrite)))
        mode[n++] = '+';
    int osFlags = _O_RDONLY | _O_TEXT;
    if (nOpenFlags & (modeWrite | modeReadWrite))
        osFlags ^= _O_RDONLY;
    if (nOpenFlags & typeBinary) {
        mode[n++] = 'b';
        osFlags ^= _O_TEXT;
    } else {
        mode[n++] = 't';
    }

    if (!CFile::Open(lpszFileName, nOpenFlags & ~(typeText | typeBinary), pError))
        return FALSE;
    int fd = _open_osfhandle((intptr_t)m_hFile, osFlags);
    FILE* stream = fd != -1 ? _fdopen(fd, mode) : nullptr;
    if (stream == nullptr) {
        if (fd != -1)
            _close(fd);
        else
            CFile::Abort();
        m_hFile = hFileNull;
        m_bCloseOnDelete = FALSE;
        if (pError) {
            pError->m_cause = CFileException::tooManyOpenFiles;
            pError->m_lOsError = -1;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_pStream = stream;
    return TRUE;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    char chunk[128];
    bool readAny = false;
    while (fgets(chunk, sizeof(chunk), m_pStream) != nullptr) {
        readAny = true;
        size_t len = strlen(chunk);
        if (len > 0 && chunk[len - 1] == '\n') {
            chunk[len - 1] = '\0';
            rString += chunk;
            return TRUE;
        }
        rString += chunk;
    }
    if (ferror(m_pStream)) {
        clearerr(m_pStream);
        ThrowStreamError(m_strFileName);
    }
    return readAny;
}

LPSTR CStdioFile::ReadString(LPSTR lpsz, UINT nMax)
{
    LPSTR result = fgets(lpsz, (int)nMax, m_pStream);
    if (result == nullptr && ferror(m_pStream)) {
        clearerr(m_pStream);
        ThrowStreamError(m_strFileName);
    }
    return result;
}

void CStdioFile::WriteString(LPCSTR lpsz)
{
    if (fputs(lpsz, m_pStream) == EOF)
        ThrowStreamError(m_strFileName);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    size_t n = fread(lpBuf, 1, nCount, m_pStream);
    if (n == 0 && ferror(m_pStream)) {
        clearerr(m_pStream);
        ThrowStreamError(m_strFileName);
    }
    return (UINT)n;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
        ThrowStreamError(m_strFileName);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    int origin = nFrom == begin ? SEEK_SET : nFrom == end ? SEEK_END : SEEK_CUR;
    if (_fseeki64(m_pStream, lOff, origin) != 0)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    return GetPosition();
}

ULONGLONG CStdioFile::GetPosition() const
{
    __int64 pos = _ftelli64(m_pStream);
    if (pos < 0)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    return (ULONGLONG)pos;
}

ULONGLONG CStdioFile::GetLength() const
{
    // The stream may hold written bytes that the handle does not know of yet.
    fflush(m_pStream);
    return CFile::GetLength();
}

void CStdioFile::Flush()
{
    if (m_pStream != nullptr && fflush(m_pStream) != 0)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

void CStdioFile::Close()
{
    int result = 0;
    if (m_pStream != nullptr)
        result = fclose(m_pStream);
    m_pStream = nullptr;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (result != 0)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

void CStdioFile::Abort()
{
    if (m_pStream != nullptr && m_bCloseOnDelete)
        fclose(m_pStream);
    m_pStream = nullptr;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}
