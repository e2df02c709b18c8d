// CBufferFile: a CFile over bytes held in memory, so that an archive can be built or read without
// its plain bytes ever reaching the disk (the user list is enciphered before it is written). The
// bytes are wiped when the object goes.
#pragma once

#include <afx.h>

#include <vector>

class CBufferFile : public CFile {
public:
    // Empty, for storing.
    CBufferFile();
    // A copy of the bytes, for loading.
    CBufferFile(const BYTE* data, size_t size);
    ~CBufferFile() override;
    CBufferFile(const CBufferFile&) = delete;
    CBufferFile& operator=(const CBufferFile&) = delete;

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override { return m_position; }
    ULONGLONG GetLength() const override { return m_bytes.size(); }
    void SetLength(ULONGLONG dwNewLen) override;
    void Flush() override {}
    void Close() override {}
    void Abort() override {}

    // The bytes written so far; the caller may transform them in place.
    std::vector<BYTE>& Bytes() { return m_bytes; }

private:
    std::vector<BYTE> m_bytes;
    size_t m_position;
};

// Overwrites the bytes with zeros in a way the compiler does not drop.
void WipeBytes(std::vector<BYTE>& bytes);
