// The framework's exceptions. As on the platform they are thrown as pointers to heap objects;
// whoever catches one calls Delete on it:  catch (CException* e) { e->Delete(); }
#pragma once

#include "framework/Object.h"
#include "afxstr.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    void Delete() { delete this; }
    // Copies a description into the buffer; FALSE when there is none.
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCSTR lpszFileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;

    static int PASCAL OsErrorToException(LONG lOsError);
    [[noreturn]] static void PASCAL ThrowOsError(LONG lOsError, LPCSTR lpszFileName = nullptr);

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum {
        none,
        genericException,
        readOnly,  // a write to an archive that loads
        endOfFile, // the data ended inside a value, a text or an object
        writeOnly, // a read from an archive that stores
        badIndex,  // a class or object number that the stream has not defined, or a count out of range
        badClass,  // an unknown, oversized or unexpected class name
        badSchema  // a stored schema other than the class's
    };

    explicit CArchiveException(int cause = none, LPCSTR lpszArchiveName = nullptr);

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCSTR lpszFileName = nullptr);
[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName = nullptr);
