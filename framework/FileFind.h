// CFileFind: lists a folder with FindFirstFile. Loop as on the platform:
//   BOOL more = finder.FindFile("dir\\*.*");
//   while (more) { more = finder.FindNextFile(); ... finder.GetFileName() ... }
#pragma once

#include "atltime.h"
#include "framework/Object.h"

class CFileFind : public CObject {
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind();
    ~CFileFind() override;

    // Null means "*.*" in the current folder. FALSE when nothing matches.
    virtual BOOL FindFile(LPCSTR pstrName = nullptr, DWORD dwUnused = 0);
    // Moves to the next entry; FALSE when the entry moved to is the last one.
    virtual BOOL FindNextFile();
    void Close();

    ULONGLONG GetLength() const;
    virtual CString GetFileName() const;
    virtual CString GetFilePath() const;  // root, a backslash when needed, name
    virtual CString GetFileTitle() const; // name without extension
    virtual CString GetRoot() const;      // full path of the folder searched

    BOOL GetLastWriteTime(FILETIME* pTimeStamp) const;
    BOOL GetLastWriteTime(CTime& refTime) const;
    BOOL GetCreationTime(FILETIME* pTimeStamp) const;
    BOOL GetCreationTime(CTime& refTime) const;
    BOOL GetLastAccessTime(FILETIME* pTimeStamp) const;
    BOOL GetLastAccessTime(CTime& refTime) const;

    virtual BOOL MatchesMask(DWORD dwMask) const;
    BOOL IsDots() const; // "." or ".."
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsCompressed() const { return MatchesMask(FILE_ATTRIBUTE_COMPRESSED); }
    BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsTemporary() const { return MatchesMask(FILE_ATTRIBUTE_TEMPORARY); }
    BOOL IsNormal() const { return MatchesMask(FILE_ATTRIBUTE_NORMAL); }
    BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }

private:
    BOOL CopyTime(const FILETIME& found, FILETIME* pTimeStamp) const;
    BOOL CopyTime(const FILETIME& found, CTime& refTime) const;

    HANDLE m_hContext;
    WIN32_FIND_DATAA m_found; // the entry the accessors describe
    WIN32_FIND_DATAA m_next;  // the entry that FindNextFile moves to
    BOOL m_bHaveFound;
    BOOL m_bHaveNext;
    CString m_strRoot;
};
