// The framework's ready-made collections: lists, arrays and maps of pointers, objects, numbers and
// texts. Pointer collections never delete what they point to; their owner does. Other element
// types are CArray, CList and CMap of afxtempl.h.
#pragma once

#include "afxtempl.h"

// Serialised as a count followed by object records; each element is a new object of the stream
// (a stream that names an object already read is damaged). When a load fails part-way, the
// elements read so far stay in the list for the owner to delete.
class CObList : public CList<CObject*, CObject*> {
    DECLARE_SERIAL(CObList)
public:
    void Serialize(CArchive& ar) override;
    // As Serialize; on loading, an element of another class than pElementClass (or one derived
    // from it) fails the load with badClass. CTypedPtrList<CObList, T*> loads this way.
    void SerializeOfClass(CArchive& ar, const CRuntimeClass* pElementClass);
};

class CPtrList : public CList<void*, void*> {
    DECLARE_DYNAMIC(CPtrList)
};

class CPtrArray : public CArray<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
};

class CDWordArray : public CArray<DWORD, DWORD> {
    DECLARE_SERIAL(CDWordArray)
};

class CStringArray : public CArray<CString, LPCSTR> {
    DECLARE_SERIAL(CStringArray)
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
    DECLARE_DYNAMIC(CMapPtrToPtr)
};

class CMapStringToPtr : public CMap<CString, LPCSTR, void*, void*> {
    DECLARE_DYNAMIC(CMapStringToPtr)
};
