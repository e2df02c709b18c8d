// SkinObject: base part, children, table-driven reading and writing, property lookup.
#include "skin/engine/objects/SkinObject.h"

#include <cstring>
#include <memory>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(SkinObject, name, KindText, "NAME"),
    SKIN_FIELD(SkinObject, color, KindColor, "COLOR"),
    SKIN_FIELD(SkinObject, textColor, KindColor, "TEXTCOLOR"),
    SKIN_FIELD(SkinObject, transparentColor, KindColor, "TRANSPARENTCOLOR"),
    SKIN_FIELD(SkinObject, secondName, KindText, "SECONDNAME"),
    SKIN_FIELD(SkinObject, reserved, KindInteger, "RESERVED"),
    SKIN_FIELD_FROM(SkinObject, rect, KindRect, "RECT", 8),
    SKIN_FIELD_FROM(SkinObject, autoPlace, KindInteger, "AUTOPLACE", 8),
};

// Texts read from a file are cut within their array, whatever the file holds.
void TerminateText(const FieldDef& def, void* value)
{
    char* p = static_cast<char*>(value);
    for (int i = 0; i < def.count; ++i, p += def.size) {
        switch (def.kind) {
        case KindText:
            p[def.size - 1] = '\0';
            break;
        case KindImagePart:
            reinterpret_cast<ImagePart*>(p)->image[sizeof(ImagePart::image) - 1] = '\0';
            break;
        case KindSlicedImage:
            reinterpret_cast<SlicedImage*>(p)->image[sizeof(SlicedImage::image) - 1] = '\0';
            break;
        case KindFont:
            reinterpret_cast<SkinFont*>(p)->logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
            break;
        default:
            break;
        }
    }
}

} // namespace

SkinObject::SkinObject(int type)
    : color(GetSysColor(COLOR_BTNFACE)), textColor(GetSysColor(COLOR_WINDOWTEXT)), type_(type)
{
}

SkinObject::~SkinObject()
{
    for (auto& child : children_)
        delete child.second;
}

COLORREF SkinObject::GetTransparentColor() const
{
    return RGB(255, 0, 255);
}

void SkinObject::ReleaseResources()
{
    for (auto& child : children_)
        child.second->ReleaseResources();
}

void SkinObject::CreateResources(SkinStore& store)
{
    for (auto& child : children_)
        child.second->CreateResources(store);
}

size_t SkinObject::AppendLayer(size_t filled, FieldSpan* out, size_t max, const FieldSpan& layer)
{
    if (filled < max)
        out[filled++] = layer;
    return filled;
}

size_t SkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(0, out, max, SKIN_TABLE(kFields));
}

const FieldDef* SkinObject::FindField(const char* key) const
{
    if (!key)
        return NULL;
    FieldSpan layers[kMaxLayers];
    size_t n = GetFieldLayers(layers, kMaxLayers);
    while (n-- > 0)
        for (size_t i = 0; i < layers[n].count; ++i)
            if (layers[n].defs[i].key && std::strcmp(layers[n].defs[i].key, key) == 0)
                return &layers[n].defs[i];
    return NULL;
}

void* SkinObject::FindProperty(const char* key, int* kind, size_t* size)
{
    const FieldDef* def = FindField(key);
    if (!def)
        return NULL;
    if (kind)
        *kind = def->kind;
    if (size)
        *size = def->Bytes();
    return def->Address(*this);
}

void SkinObject::SetName(const char* text)
{
    tessarine::CopyText(name, sizeof name, text);
}

bool SkinObject::AddChild(SkinObject* child)
{
    if (!child || child == this)
        return false;
    return children_.emplace(child->name, child).second;
}

SkinObject* SkinObject::FindChild(const char* childName) const
{
    if (!childName)
        return NULL;
    auto it = children_.find(childName);
    return it == children_.end() ? NULL : it->second;
}

SkinObject* SkinObject::FindChildSkinObject(int childType, int controlId) const
{
    for (const auto& child : children_)
        if (child.second->Type() == childType && child.second->ControlId() == controlId)
            return child.second;
    return NULL;
}

bool SkinObject::ReadFields(MemoryStream& stream, const FieldSpan& layer)
{
    for (size_t i = 0; i < layer.count; ++i) {
        const FieldDef& def = layer.defs[i];
        if (!def.Serialised() || !GateOpen(def))
            continue;
        if (def.kind == KindLongText) {
            uint32_t length = 0;
            if (!stream.ReadU32(length) || length > stream.Left())
                return false;
            std::string& text = *static_cast<std::string*>(def.Address(*this));
            text.assign(reinterpret_cast<const char*>(stream.Data() + stream.Position()), length);
            stream.Seek(length, 1);
            continue;
        }
        if (def.flags & FieldDiscard) {
            if (stream.Left() < def.Bytes())
                return false;
            stream.Seek(static_cast<long>(def.Bytes()), 1);
            continue;
        }
        void* value = def.Address(*this);
        if (stream.Read(value, static_cast<DWORD>(def.Bytes())) != def.Bytes())
            return false;
        TerminateText(def, value);
    }
    return true;
}

void SkinObject::WriteFields(MemoryStream& stream, const FieldSpan& layer)
{
    for (size_t i = 0; i < layer.count; ++i) {
        const FieldDef& def = layer.defs[i];
        if (!def.Written())
            continue;
        if (def.kind == KindLongText) {
            const std::string& text = *static_cast<const std::string*>(def.Address(*this));
            stream.WriteU32(static_cast<uint32_t>(text.size()));
            stream.Write(text.data(), static_cast<DWORD>(text.size()));
            continue;
        }
        stream.Write(def.Address(*this), static_cast<DWORD>(def.Bytes()));
    }
}

bool SkinObject::LoadBase(MemoryStream& stream)
{
    return ReadFields(stream, SKIN_TABLE(kFields)) && LoadChildren(stream);
}

bool SkinObject::Load(MemoryStream& stream)
{
    return LoadBase(stream);
}

bool SkinObject::LoadChildren(MemoryStream& stream)
{
    // Depth of the child being read, for the whole thread: nesting is bounded, not trusted.
    static thread_local int depth = 0;
    uint32_t count = 0;
    if (!stream.ReadU32(count))
        return false;
    // A child takes at least its type id and its own child count.
    if (count > stream.Left() / 8)
        return false;
    if (count && depth >= kMaxDepth)
        return false;
    struct DepthGuard {
        int& d;
        explicit DepthGuard(int& value) : d(value) { ++d; }
        ~DepthGuard() { --d; }
    } guard(depth);
    bool ok = true;
    for (uint32_t i = 0; i < count && ok; ++i) {
        uint32_t childType = 0;
        std::unique_ptr<SkinObject> child;
        ok = stream.ReadU32(childType) && CanStandAsChild(type_, static_cast<int>(childType));
        if (ok)
            child.reset(CreateSkinObject(static_cast<int>(childType)));
        ok = ok && child && child->Load(stream);
        // A child whose NAME repeats a sibling's is dropped: the first one stays.
        if (ok && AddChild(child.get()))
            child.release();
    }
    return ok;
}

bool SkinObject::Save(MemoryStream& stream)
{
    stream.WriteU32(static_cast<uint32_t>(type_));
    WriteFields(stream, SKIN_TABLE(kFields));
    stream.WriteU32(static_cast<uint32_t>(children_.size()));
    for (auto& child : children_)
        if (!child.second->Save(stream))
            return false;
    return true;
}
