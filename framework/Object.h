// CObject and its run-time class information: class names, IsKindOf, creation by class name and
// the schema numbers that archives write in front of each class.
#pragma once

#include "framework/AfxDefs.h"

struct CRuntimeClass;

// A schema number with this bit set accepts any stored schema (the object reads it with
// CArchive::GetObjectSchema); without it a different stored schema fails the load.
#define VERSIONABLE_SCHEMA (0x80000000)

// One per class, a constant built by the IMPLEMENT_ macros. Classes made with IMPLEMENT_SERIAL are
// also entered in a registry by name, which is what archives use to re-create objects.
struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                        // 0xFFFF: not serialisable
    CObject*(PASCAL* m_pfnCreateObject)(); // null: not dynamically creatable
    const CRuntimeClass* m_pBaseClass;

    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Serialisable classes only; the name compares byte for byte.
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);

    // The class tag of an archive: W schema, W name length, the name's bytes.
    void Store(CArchive& ar) const;
    // Returns null for a name of 64 bytes or more or a name that no serialisable class bears.
    static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);
};

// Enters a class into the registry by name; one static instance per IMPLEMENT_SERIAL.
struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(const CRuntimeClass* pNewClass);
};

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

class CObject {
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;
    virtual void Serialize(CArchive& ar);

    static const CRuntimeClass classCObject;
    static CRuntimeClass* PASCAL GetThisClass() { return RUNTIME_CLASS(CObject); }

protected:
    CObject() = default;

private:
    // Framework objects are not copied by accident; classes that need copies write them.
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define DECLARE_DYNAMIC(class_name)                                                                                    \
public:                                                                                                                \
    static const CRuntimeClass class##class_name;                                                                      \
    static CRuntimeClass* PASCAL GetThisClass();                                                                       \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                                                  \
    DECLARE_DYNAMIC(class_name)                                                                                        \
    static CObject* PASCAL CreateObject();

#define DECLARE_SERIAL(class_name)                                                                                     \
    DECLARE_DYNCREATE(class_name)                                                                                      \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                                           \
    const CRuntimeClass class_name::class##class_name = {#class_name, (int)sizeof(class class_name), wSchema, pfnNew,  \
                                                         RUNTIME_CLASS(base_class_name)};                              \
    CRuntimeClass* PASCAL class_name::GetThisClass()                                                                   \
    {                                                                                                                  \
        return RUNTIME_CLASS(class_name);                                                                              \
    }                                                                                                                  \
    CRuntimeClass* class_name::GetRuntimeClass() const                                                                 \
    {                                                                                                                  \
        return RUNTIME_CLASS(class_name);                                                                              \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                                                 \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                                               \
    CObject* PASCAL class_name::CreateObject()                                                                         \
    {                                                                                                                  \
        return new class_name;                                                                                         \
    }                                                                                                                  \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                                         \
    CObject* PASCAL class_name::CreateObject()                                                                         \
    {                                                                                                                  \
        return new class_name;                                                                                         \
    }                                                                                                                  \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)                             \
    static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));                                          \
    CArchive& operator>>(CArchive& ar, class_name*& pOb)                                                               \
    {                                                                                                                  \
        pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));                                      \
        return ar;                                                                                                     \
    }
