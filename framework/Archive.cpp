// CArchive: buffering, counts, texts and the object records with their running numbering.
#include "afx.h"

#include <algorithm>

namespace {

const WORD wNullTag = 0;
const WORD wNewClassTag = 0xFFFF;
const WORD wClassTag = 0x8000;
const DWORD dwBigClassTag = 0x80000000;
const WORD wBigObjectTag = 0x7FFF;
const DWORD nMaxMapCount = 0x3FFFFFFE;

// Texts are read in pieces of this size, so that a damaged length cannot reserve gigabytes
// before the end of the data is found.
const UINT kTextChunk = 0x10000;

// Objects inside objects deeper than this fail the load: no file the station writes comes near
// it, and a damaged one must not exhaust the stack.
const UINT kMaxObjectDepth = 512;

} // namespace

DWORD CArchive::StoreMap::Find(const void* key) const
{
    if (m_slots.empty())
        return 0;
    size_t mask = m_slots.size() - 1;
    for (size_t i = ((size_t)key >> 3) * 2654435761u & mask;; i = (i + 1) & mask) {
        if (m_slots[i].key == key)
            return m_slots[i].number;
        if (m_slots[i].key == nullptr)
            return 0;
    }
}

void CArchive::StoreMap::Insert(const void* key, DWORD number)
{
    if ((m_count + 1) * 2 > m_slots.size()) {
        std::vector<Slot> old;
        old.swap(m_slots);
        m_slots.assign(old.empty() ? 64 : old.size() * 2, Slot{nullptr, 0});
        m_count = 0;
        for (const Slot& slot : old) {
            if (slot.key != nullptr)
                Insert(slot.key, slot.number);
        }
    }
    size_t mask = m_slots.size() - 1;
    size_t i = ((size_t)key >> 3) * 2654435761u & mask;
    while (m_slots[i].key != nullptr && m_slots[i].key != key)
        i = (i + 1) & mask;
    if (m_slots[i].key == nullptr)
        ++m_count;
    m_slots[i] = Slot{key, number};
}

void CArchive::StoreMap::Clear()
{
    m_slots.clear();
    m_count = 0;
}

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pFile(pFile), m_nMode(nMode), m_nBufSize(nBufSize < 16 ? 16 : (UINT)nBufSize), m_bUserBuf(lpBuf != nullptr),
      m_nObjectSchema((UINT)-1), m_bLastWasReference(FALSE), m_nDepth(0), m_nMapCount(1)
{
    m_lpBufStart = m_bUserBuf ? static_cast<BYTE*>(lpBuf) : new BYTE[m_nBufSize];
    m_lpBufCur = m_lpBufStart;
    // Storing fills the buffer up to its end; loading has nothing buffered yet.
    m_lpBufMax = IsStoring() ? m_lpBufStart + m_nBufSize : m_lpBufStart;
    if (pFile != nullptr)
        m_strFileName = pFile->GetFilePath();
    if (IsLoading())
        m_loadArray.push_back({nullptr, false}); // number 0 is the null object
}

CArchive::~CArchive()
{
    // A destructor must not throw: a failing final flush is dropped, as Abort would.
    if (m_pFile != nullptr && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        } catch (...) {
        }
    }
    Abort();
    if (!m_bUserBuf)
        delete[] m_lpBufStart;
}

void CArchive::Abort()
{
    m_pFile = nullptr;
    m_storeMap.Clear();
    m_loadArray.clear();
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

void CArchive::Flush()
{
    if (m_pFile == nullptr)
        return;
    if (IsStoring()) {
        if (m_lpBufCur != m_lpBufStart)
            m_pFile->Write(m_lpBufStart, (UINT)(m_lpBufCur - m_lpBufStart));
        m_lpBufCur = m_lpBufStart;
    } else {
        if (m_lpBufMax != m_lpBufCur)
            m_pFile->Seek(-(LONGLONG)(m_lpBufMax - m_lpBufCur), CFile::current);
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
    }
}

UINT CArchive::ReadIntoBuffer()
{
    UINT room = (UINT)(m_lpBufStart + m_nBufSize - m_lpBufMax);
    UINT got = m_pFile ? m_pFile->Read(m_lpBufMax, room) : 0;
    m_lpBufMax += got;
    return got;
}

void CArchive::FillBuffer(UINT nBytesNeeded)
{
    // Move what is left to the front, then read until enough is there or the file ends.
    UINT left = (UINT)(m_lpBufMax - m_lpBufCur);
    if (left > 0 && m_lpBufCur != m_lpBufStart)
        memmove(m_lpBufStart, m_lpBufCur, left);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + left;
    while ((UINT)(m_lpBufMax - m_lpBufCur) < nBytesNeeded) {
        if (ReadIntoBuffer() == 0)
            AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
    }
}

UINT CArchive::ReadThroughBuffer(void* lpBuf, UINT nMax)
{
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
    BYTE* out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax) {
        UINT buffered = (UINT)(m_lpBufMax - m_lpBufCur);
        if (buffered == 0) {
            UINT wanted = nMax - done;
            if (wanted >= m_nBufSize && m_pFile != nullptr) {
                // Large blocks go straight from the file to the caller.
                UINT got = m_pFile->Read(out + done, wanted);
                if (got == 0)
                    break;
                done += got;
                continue;
            }
            m_lpBufCur = m_lpBufMax = m_lpBufStart;
            if (ReadIntoBuffer() == 0)
                break;
            buffered = (UINT)(m_lpBufMax - m_lpBufCur);
        }
        UINT n = std::min(buffered, nMax - done);
        memcpy(out + done, m_lpBufCur, n);
        m_lpBufCur += n;
        done += n;
    }
    return done;
}

void CArchive::WriteThroughBuffer(const void* lpBuf, UINT nMax)
{
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    const BYTE* in = static_cast<const BYTE*>(lpBuf);
    while (nMax > 0) {
        UINT room = (UINT)(m_lpBufMax - m_lpBufCur);
        if (room == 0) {
            Flush();
            if (nMax >= m_nBufSize && m_pFile != nullptr) {
                m_pFile->Write(in, nMax);
                return;
            }
            room = (UINT)(m_lpBufMax - m_lpBufCur);
        }
        UINT n = std::min(room, nMax);
        memcpy(m_lpBufCur, in, n);
        m_lpBufCur += n;
        in += n;
        nMax -= n;
    }
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount;
    *this >> dwCount;
    return dwCount;
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF) {
        *this << (WORD)dwCount;
    } else {
        *this << (WORD)0xFFFF;
        *this << (DWORD)dwCount;
    }
}

void CArchive::CheckCount() const
{
    if (m_nMapCount >= nMaxMapCount || m_loadArray.size() >= nMaxMapCount)
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    DWORD nClassIndex = m_storeMap.Find(pClassRef);
    if (nClassIndex != 0) {
        if (nClassIndex < wBigObjectTag) {
            *this << (WORD)(wClassTag | nClassIndex);
        } else {
            *this << wBigObjectTag;
            *this << (DWORD)(dwBigClassTag | nClassIndex);
        }
        return;
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    CheckCount();
    m_storeMap.Insert(pClassRef, m_nMapCount++);
}

void CArchive::WriteObject(const CObject* pOb)
{
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    if (pOb == nullptr) {
        *this << wNullTag;
        return;
    }
    DWORD nObIndex = m_storeMap.Find(pOb);
    if (nObIndex != 0) {
        if (nObIndex < wBigObjectTag) {
            *this << (WORD)nObIndex;
        } else {
            *this << wBigObjectTag;
            *this << nObIndex;
        }
        return;
    }
    CRuntimeClass* pClassRef = pOb->GetRuntimeClass();
    if (pClassRef->m_wSchema == 0xFFFF)
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    WriteClass(pClassRef);
    CheckCount();
    m_storeMap.Insert(pOb, m_nMapCount++);
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = ((DWORD)(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    if (!(obTag & dwBigClassTag)) {
        // An object number (or null) where the caller can take one.
        if (pObTag == nullptr)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        *pObTag = obTag;
        return nullptr;
    }

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag) {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == nullptr)
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema && !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
            AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
        CheckCount();
        m_loadArray.push_back({pClassRef, true});
    } else {
        // A number that this stream has not given to a class is damage, not a class.
        DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= m_loadArray.size() || !m_loadArray[nClassIndex].isClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        pClassRef = static_cast<CRuntimeClass*>(m_loadArray[nClassIndex].pointer);
        nSchema = pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA;
    }

    if (pClassRefRequested != nullptr && !pClassRef->IsDerivedFrom(pClassRefRequested))
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    if (pSchema != nullptr)
        *pSchema = nSchema;
    if (pObTag != nullptr)
        *pObTag = obTag;
    return pClassRef;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);

    if (pClassRef == nullptr) {
        if (obTag >= m_loadArray.size() || m_loadArray[obTag].isClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        CObject* pOb = static_cast<CObject*>(m_loadArray[obTag].pointer);
        if (pOb != nullptr && pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested))
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        m_bLastWasReference = pOb != nullptr;
        return pOb;
    }

    CheckCount();
    if (m_nDepth >= kMaxObjectDepth)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    CObject* pOb = pClassRef->CreateObject();
    if (pOb == nullptr)
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    size_t number = m_loadArray.size();
    UINT nSchemaSave = m_nObjectSchema;
    ++m_nDepth;
    try {
        // Numbered before its fields are read, so that objects inside it may refer to it.
        m_loadArray.push_back({pOb, false});
        m_nObjectSchema = nSchema;
        pOb->Serialize(*this);
    } catch (...) {
        // Nobody holds the half-read object yet: it goes, and what it read so far with it.
        --m_nDepth;
        if (number < m_loadArray.size())
            m_loadArray[number].pointer = nullptr;
        delete pOb;
        throw;
    }
    --m_nDepth;
    m_nObjectSchema = nSchemaSave;
    m_bLastWasReference = FALSE;
    return pOb;
}

CArchive& operator<<(CArchive& ar, const CString& string)
{
    DWORD length = (DWORD)string.GetLength();
    if (length < 255) {
        ar << (BYTE)length;
    } else if (length < 0xFFFE) {
        ar << (BYTE)0xFF;
        ar << (WORD)length;
    } else {
        ar << (BYTE)0xFF;
        ar << (WORD)0xFFFF;
        ar << length;
    }
    ar.Write((LPCSTR)string, length);
    return ar;
}

namespace {

// The length prefix; charSize becomes 2 for a text stored as UTF-16.
DWORD ReadStringLength(CArchive& ar, int& charSize)
{
    charSize = 1;
    BYTE bLength;
    ar >> bLength;
    if (bLength < 0xFF)
        return bLength;
    WORD wLength;
    ar >> wLength;
    if (wLength == 0xFFFE) {
        charSize = 2;
        ar >> bLength;
        if (bLength < 0xFF)
            return bLength;
        ar >> wLength;
    }
    if (wLength < 0xFFFF)
        return wLength;
    DWORD dwLength;
    ar >> dwLength;
    return dwLength;
}

// Reads exactly count bytes in pieces, appending them to out; throws at the end of the data.
void ReadExactly(CArchive& ar, std::vector<BYTE>& out, ULONGLONG count)
{
    while (count > 0) {
        UINT piece = (UINT)std::min<ULONGLONG>(count, kTextChunk);
        size_t at = out.size();
        out.resize(at + piece);
        if (ar.Read(out.data() + at, piece) != piece)
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
        count -= piece;
    }
}

} // namespace

CArchive& operator>>(CArchive& ar, CString& string)
{
    int charSize;
    DWORD length = ReadStringLength(ar, charSize);
    if (charSize == 1 && length <= kTextChunk) {
        LPSTR buffer = string.GetBufferSetLength((int)length);
        if (ar.Read(buffer, length) != length) {
            string.Empty();
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
        }
        return ar;
    }
    std::vector<BYTE> bytes;
    ReadExactly(ar, bytes, (ULONGLONG)length * charSize);
    if (charSize == 1) {
        string = CString(reinterpret_cast<LPCSTR>(bytes.data()), (int)bytes.size());
    } else {
        string = CString(reinterpret_cast<LPCWSTR>(bytes.data()), (int)length);
    }
    return ar;
}
