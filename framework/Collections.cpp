// Run-time classes of the ready-made collections and the object list's serialisation.
#include "afxcoll.h"

IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)

void CObList::Serialize(CArchive& ar)
{
    SerializeOfClass(ar, nullptr);
}

void CObList::SerializeOfClass(CArchive& ar, const CRuntimeClass* pElementClass)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_nCount);
        for (CNode* node = m_pNodeHead; node; node = node->pNext)
            ar << node->data;
        return;
    }
    for (DWORD_PTR nCount = ar.ReadCount(); nCount > 0; --nCount) {
        CObject* pOb = ar.ReadObject(pElementClass);
        // An object read before would sit in two places (or inside itself) and be deleted twice.
        if (ar.WasReference())
            AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
        AddTail(pOb);
    }
}
