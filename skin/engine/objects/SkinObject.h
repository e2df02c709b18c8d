// SkinObject: the root of every skin object, a typed, named record of colours, rectangles and flags with
// owned child objects. Its serialised fields and those of every class below it are described by field
// tables (SkinRecords.h), which the reader, the writer and the property lookup walk alike.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>

#include "skin/engine/store/SkinRecords.h"
#include "skin/engine/store/SkinTypes.h"

class MemoryStream;
class SkinStore;

class SkinObject {
public:
    explicit SkinObject(int type = SkinTypeVoice);

    // The six virtual operations, in their fixed order.
    virtual COLORREF GetTransparentColor() const;
    virtual void ReleaseResources();
    virtual void CreateResources(SkinStore& store);
    // Writes the type id and the serialised form.
    virtual bool Save(MemoryStream& stream);
    // Reads the serialised form (the caller has read the type id). False when the stream is damaged:
    // it ends early, a count does not fit the bytes left, or a child has a type that cannot stand there.
    virtual bool Load(MemoryStream& stream);
    virtual ~SkinObject();

    SkinObject(const SkinObject&) = delete;
    SkinObject& operator=(const SkinObject&) = delete;

    // The field tables of this object, the root class first; returns how many were filled in.
    virtual size_t GetFieldLayers(FieldSpan* out, size_t max) const;
    // The field of that key (exact, letter case included); a subclass's key wins over its base's.
    const FieldDef* FindField(const char* key) const;
    // The value a key names, or NULL.
    void* FindProperty(const char* key, int* kind = NULL, size_t* size = NULL);

    int Type() const { return type_; }
    const char* Name() const { return name; }
    void SetName(const char* text);
    virtual int ControlId() const { return 0; }

    // Children by exact NAME; a child whose NAME is taken is refused (and stays the caller's).
    bool AddChild(SkinObject* child);
    SkinObject* FindChild(const char* childName) const;
    // The first child (in NAME order) of that type bound to that control id.
    SkinObject* FindChildSkinObject(int childType, int controlId) const;
    const std::map<std::string, SkinObject*>& Children() const { return children_; }

    // Serialised fields.
    char name[51]{};
    COLORREF color;
    COLORREF textColor;
    uint32_t transparentColor = 255;
    char secondName[51]{};
    uint32_t reserved = 0;
    RECT rect = {0, 0, 60, 30};
    uint32_t autoPlace = 0;

    static const size_t kMaxLayers = 6;
    // Nesting of children deeper than this marks a file as damaged.
    static const int kMaxDepth = 16;

protected:
    static size_t AppendLayer(size_t filled, FieldSpan* out, size_t max, const FieldSpan& layer);
    // Reads or writes one class's own fields; false when the stream came back short.
    bool ReadFields(MemoryStream& stream, const FieldSpan& layer);
    void WriteFields(MemoryStream& stream, const FieldSpan& layer);
    bool LoadBase(MemoryStream& stream);

    int type_;

private:
    bool LoadChildren(MemoryStream& stream);

    std::map<std::string, SkinObject*> children_;
};

// A class that adds one field table to its base: Derived declares `static FieldSpan Fields();` and gets its
// Save, Load and field layers from it. A Derived that must mend what older versions left declares
// `void MendOldVersions();`, run after its fields are read.
template <class Derived, class Base> class TableSkinObject : public Base {
public:
    using Base::Base;

    bool Save(MemoryStream& stream) override
    {
        if (!Base::Save(stream))
            return false;
        this->WriteFields(stream, Derived::Fields());
        return true;
    }
    bool Load(MemoryStream& stream) override
    {
        if (!Base::Load(stream) || !this->ReadFields(stream, Derived::Fields()))
            return false;
        static_cast<Derived*>(this)->MendOldVersions();
        return true;
    }
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override
    {
        return this->AppendLayer(Base::GetFieldLayers(out, max), out, max, Derived::Fields());
    }
    void MendOldVersions() {}
};
