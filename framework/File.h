// CFile: an unbuffered file on a Win32 handle. Open reports failure by its result (and the
// optional CFileException it fills); Read, Write, Seek and the rest throw CFileException*.
#pragma once

#include "framework/Exception.h"
#include "atltime.h"

struct CFileStatus {
    CTime m_ctime;    // creation
    CTime m_mtime;    // last write
    CTime m_atime;    // last access
    ULONGLONG m_size; // bytes
    BYTE m_attribute; // CFile::Attribute bits
    char m_szFullName[MAX_PATH];
};

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000, // as shareExclusive
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,     // create, or truncate an existing file...
        modeNoTruncate = 0x2000, // ...unless this is given too
        typeText = 0x4000,       // CStdioFile only
        typeBinary = 0x8000,     // CStdioFile only
        osNoBuffering = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000
    };
    enum Attribute {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    explicit CFile(HANDLE hFile);                // not closed by the destructor
    CFile(LPCSTR lpszFileName, UINT nOpenFlags); // throws when the file does not open
    ~CFile() override;

    HANDLE m_hFile;
    operator HANDLE() const { return m_hFile; }

    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    virtual UINT Read(void* lpBuf, UINT nCount);        // fewer bytes only at the end of the file
    virtual void Write(const void* lpBuf, UINT nCount); // all bytes or an exception (diskFull)
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual void Flush(); // to the disk itself; archives do not call it
    virtual void Close();
    virtual void Abort(); // closes without throwing

    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }

    virtual CString GetFileName() const;  // the name without its folder
    virtual CString GetFileTitle() const; // the name without folder and extension
    virtual CString GetFilePath() const;  // as given to Open
    virtual void SetFilePath(LPCSTR lpszNewName) { m_strFileName = lpszNewName; }

    BOOL GetStatus(CFileStatus& rStatus) const;
    static BOOL PASCAL GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus);
    static void PASCAL Rename(LPCSTR lpszOldName, LPCSTR lpszNewName);
    static void PASCAL Remove(LPCSTR lpszFileName);

protected:
    // The constructors' open: through the most derived Open, throwing what it reports.
    void OpenOrThrow(LPCSTR lpszFileName, UINT nOpenFlags);

    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

// Path helpers that find separators on character boundaries, so that a double-byte character whose
// trail byte is 0x5C is not taken for a backslash.
int AfxFindLastSeparator(LPCSTR lpszPath);   // last '\\' or '/', or -1
CString AfxFileNameOfPath(LPCSTR lpszPath);  // after the last separator
CString AfxFileTitleOfPath(LPCSTR lpszPath); // the name without its extension
