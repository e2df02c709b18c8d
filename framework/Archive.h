// CArchive: the framework's binary stream over a CFile, little-endian, through a buffer.
// Objects are written with the stream's running numbering of classes and objects:
//   W 0x0000                      null object
//   W 0xFFFF, W schema, W n, name  first object of a class: the class takes the next number,
//                                  then the object takes the next number and its fields follow
//   W 0x8000|c  (c < 0x7FFF)       first writing of an object of known class c
//   W 0x7FFF, D 0x80000000|c       the same for larger class numbers
//   W n  /  W 0x7FFF, D n          the object numbered n again (a reference)
// Objects may nest 512 deep when read.
// Counts are W, or W 0xFFFF and D from 0xFFFF on; texts are counted (see operator<< for CString).
// Every load failure throws CArchiveException*; the caller decides what happens.
#pragma once

#include "framework/Exception.h"
#include "framework/File.h"

#include <string.h>
#include <vector>

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }

    // Bytes as they are. Read returns fewer than asked only at the end of the data.
    UINT Read(void* lpBuf, UINT nMax)
    {
        if (IsLoading() && (UINT)(m_lpBufMax - m_lpBufCur) >= nMax) {
            memcpy(lpBuf, m_lpBufCur, nMax);
            m_lpBufCur += nMax;
            return nMax;
        }
        return ReadThroughBuffer(lpBuf, nMax);
    }
    void Write(const void* lpBuf, UINT nMax)
    {
        if (IsStoring() && (UINT)(m_lpBufMax - m_lpBufCur) >= nMax) {
            memcpy(m_lpBufCur, lpBuf, nMax);
            m_lpBufCur += nMax;
            return;
        }
        WriteThroughBuffer(lpBuf, nMax);
    }
    // Store: writes the buffer to the file. Load: gives unread buffered bytes back to the file.
    void Flush();
    // Flushes and detaches from the file (which stays open).
    void Close();
    // Detaches without writing what is buffered and without throwing.
    void Abort();

    CObject* ReadObject(const CRuntimeClass* pClass);
    void WriteObject(const CObject* pOb);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                             DWORD* pObTag = nullptr);
    void WriteClass(const CRuntimeClass* pClassRef);
    // The schema stored for the class of the object being read.
    UINT GetObjectSchema() const { return m_nObjectSchema; }

    // TRUE when the object the last ReadObject returned was already read earlier in this stream.
    BOOL WasReference() const { return m_bLastWasReference; }

    DWORD_PTR ReadCount();
    void WriteCount(DWORD_PTR dwCount);

    CArchive& operator<<(BYTE by) { return Put(by); }
    CArchive& operator<<(char ch) { return Put(ch); }
    CArchive& operator<<(WORD w) { return Put(w); }
    CArchive& operator<<(short w) { return Put(w); }
    CArchive& operator<<(int i) { return Put(i); }
    CArchive& operator<<(unsigned u) { return Put(u); }
    CArchive& operator<<(LONG l) { return Put(l); }
    CArchive& operator<<(DWORD dw) { return Put(dw); }
    CArchive& operator<<(LONGLONG dwdw) { return Put(dwdw); }
    CArchive& operator<<(ULONGLONG dwdw) { return Put(dwdw); }
    CArchive& operator<<(float f) { return Put(f); }
    CArchive& operator<<(double d) { return Put(d); }
    // No bool: it would turn any other pointer into one byte. Write BOOL (D) or BYTE (B).
    CArchive& operator<<(bool) = delete;
    CArchive& operator>>(bool&) = delete;

    CArchive& operator<<(const CObject* pOb)
    {
        WriteObject(pOb);
        return *this;
    }

    CArchive& operator>>(BYTE& by) { return Get(by); }
    CArchive& operator>>(char& ch) { return Get(ch); }
    CArchive& operator>>(WORD& w) { return Get(w); }
    CArchive& operator>>(short& w) { return Get(w); }
    CArchive& operator>>(int& i) { return Get(i); }
    CArchive& operator>>(unsigned& u) { return Get(u); }
    CArchive& operator>>(LONG& l) { return Get(l); }
    CArchive& operator>>(DWORD& dw) { return Get(dw); }
    CArchive& operator>>(LONGLONG& dwdw) { return Get(dwdw); }
    CArchive& operator>>(ULONGLONG& dwdw) { return Get(dwdw); }
    CArchive& operator>>(float& f) { return Get(f); }
    CArchive& operator>>(double& d) { return Get(d); }
    CArchive& operator>>(CObject*& pOb)
    {
        pOb = ReadObject(nullptr);
        return *this;
    }

    CString m_strFileName;

private:
    template <typename T> CArchive& Put(T value)
    {
        if (!IsStoring())
            AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
        if (m_lpBufMax - m_lpBufCur < (ptrdiff_t)sizeof(T))
            Flush();
        memcpy(m_lpBufCur, &value, sizeof(T));
        m_lpBufCur += sizeof(T);
        return *this;
    }

    template <typename T> CArchive& Get(T& value)
    {
        if (!IsLoading())
            AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
        if (m_lpBufMax - m_lpBufCur < (ptrdiff_t)sizeof(T))
            FillBuffer(sizeof(T));
        memcpy(&value, m_lpBufCur, sizeof(T));
        m_lpBufCur += sizeof(T);
        return *this;
    }

    // Read and Write when the buffer alone does not do.
    UINT ReadThroughBuffer(void* lpBuf, UINT nMax);
    void WriteThroughBuffer(const void* lpBuf, UINT nMax);
    // Makes at least nBytesNeeded bytes available, or throws endOfFile.
    void FillBuffer(UINT nBytesNeeded);
    // Reads what the file gives into the free part of the buffer; the count read.
    UINT ReadIntoBuffer();
    void CheckCount() const;

    struct LoadEntry {
        void* pointer;
        bool isClass;
    };

    // Numbers of the classes and objects written so far, by address: open addressing, so that
    // writing many objects does not cost an allocation each.
    class StoreMap {
    public:
        DWORD Find(const void* key) const; // 0 when not there
        void Insert(const void* key, DWORD number);
        void Clear();

    private:
        struct Slot {
            const void* key;
            DWORD number;
        };
        std::vector<Slot> m_slots;
        size_t m_count = 0;
    };

    CFile* m_pFile;
    UINT m_nMode;
    BYTE* m_lpBufStart;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
    UINT m_nBufSize;
    bool m_bUserBuf;
    UINT m_nObjectSchema;
    BOOL m_bLastWasReference;
    UINT m_nDepth;                      // objects being read inside each other
    DWORD m_nMapCount;                  // next number to give (store)
    StoreMap m_storeMap;                // classes and objects written, by address
    std::vector<LoadEntry> m_loadArray; // classes and objects read, by number
};

// Texts: length L, then L bytes of code page 936. L < 255: B L; L < 0xFFFE: B 0xFF, W L; else
// B 0xFF, W 0xFFFF, D L. A W of 0xFFFE after the first 0xFF marks a UTF-16 text, read and
// converted to code page 936 (never written).
CArchive& operator<<(CArchive& ar, const CString& string);
CArchive& operator>>(CArchive& ar, CString& string);
