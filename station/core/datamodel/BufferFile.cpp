// A file in memory for the archives that must not be written plain.
#include "station/core/datamodel/BufferFile.h"

#include <string.h>

CBufferFile::CBufferFile() : m_position(0) {}

CBufferFile::CBufferFile(const BYTE* data, size_t size) : m_bytes(data, data + size), m_position(0) {}

CBufferFile::~CBufferFile()
{
    WipeBytes(m_bytes);
}

UINT CBufferFile::Read(void* lpBuf, UINT nCount)
{
    size_t left = m_position < m_bytes.size() ? m_bytes.size() - m_position : 0;
    UINT n = (UINT)(nCount < left ? nCount : left);
    if (n > 0)
        memcpy(lpBuf, m_bytes.data() + m_position, n);
    m_position += n;
    return n;
}

void CBufferFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (m_position + nCount > m_bytes.size())
        m_bytes.resize(m_position + nCount);
    memcpy(m_bytes.data() + m_position, lpBuf, nCount);
    m_position += nCount;
}

ULONGLONG CBufferFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG base = nFrom == begin ? 0 : nFrom == current ? (LONGLONG)m_position : (LONGLONG)m_bytes.size();
    LONGLONG to = base + lOff;
    if (to < 0)
        CFileException::ThrowOsError(ERROR_NEGATIVE_SEEK, m_strFileName);
    m_position = (size_t)to;
    return m_position;
}

void CBufferFile::SetLength(ULONGLONG dwNewLen)
{
    m_bytes.resize((size_t)dwNewLen);
    if (m_position > m_bytes.size())
        m_position = m_bytes.size();
}

void WipeBytes(std::vector<BYTE>& bytes)
{
    if (!bytes.empty())
        SecureZeroMemory(bytes.data(), bytes.size());
}
