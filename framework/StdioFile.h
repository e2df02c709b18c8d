// CStdioFile: a CFile read and written through a C runtime stream, for text lines. In text mode
// (the default) "\r\n" reads as "\n" and "\n" writes as "\r\n"; typeBinary keeps bytes as they are.
#pragma once

#include "framework/File.h"

#include <stdio.h>

class CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    explicit CStdioFile(FILE* pOpenStream); // not closed by the destructor
    CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

    FILE* m_pStream;

    // One line without its line end; FALSE at the end of the file when nothing was read.
    virtual BOOL ReadString(CString& rString);
    // At most nMax - 1 bytes, keeping the line end; null at the end of the file.
    virtual LPSTR ReadString(LPSTR lpsz, UINT nMax);
    virtual void WriteString(LPCSTR lpsz);

    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void Flush() override;
    void Close() override;
    void Abort() override;
};
