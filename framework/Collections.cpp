// Run-time classes of the ready-made collections and the object collections' serialisation.
#include "afxcoll.h"

IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CStringList, CObject, 0)
IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapStringToOb, CObject)
IMPLEMENT_DYNAMIC(CMapStringToString, CObject)

namespace {

// One element of an object collection: a new object or null. A reference to an object read
// before would put one object into two places (or into itself) and be deleted twice.
CObject* ReadElement(CArchive& ar, const CRuntimeClass* pElementClass)
{
    CObject* pOb = ar.ReadObject(pElementClass);
    if (ar.WasReference())
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    return pOb;
}

}  // namespace

void CObList::Serialize(CArchive& ar) { SerializeOfClass(ar, nullptr); }

void CObList::SerializeOfClass(CArchive& ar, const CRuntimeClass* pElementClass)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_nCount);
        for (CNode* node = m_pNodeHead; node; node = node->pNext)
            ar << node->data;
        return;
    }
    for (DWORD_PTR nCount = ar.ReadCount(); nCount > 0; --nCount)
        AddTail(ReadElement(ar, pElementClass));
}

void CObArray::Serialize(CArchive& ar) { SerializeOfClass(ar, nullptr); }

void CObArray::SerializeOfClass(CArchive& ar, const CRuntimeClass* pElementClass)
{
    if (ar.IsStoring()) {
        ar.WriteCount(GetSize());
        for (INT_PTR i = 0; i < GetSize(); ++i)
            ar << GetAt(i);
        return;
    }
    RemoveAll();
    for (DWORD_PTR nCount = ar.ReadCount(); nCount > 0; --nCount)
        Add(ReadElement(ar, pElementClass));
}
