// PropertySetSkinObject: the control part, a name and the records. Every count and size is checked
// against the bytes left before anything is read, and texts are cut within their arrays.
#include "skin/engine/objects/PropertySetSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(PropertySetSkinObject, setName, KindText, "SETNAME"),
};

// kind, key, default text, value size and text length: the least a record takes.
const DWORD kRecordMinimum = 4 + 31 + 51 + 4 + 4;

} // namespace

PropertySetSkinObject::PropertySetSkinObject() : ControlSkinObject(SkinTypePropertySet)
{
    std::memset(setName, 0, sizeof setName);
}

size_t PropertySetSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

const SkinPropertyRecord* PropertySetSkinObject::FindRecord(const char* key) const
{
    if (!key)
        return NULL;
    for (const SkinPropertyRecord& r : records)
        if (lstrcmpiA(r.key, key) == 0)
            return &r;
    return NULL;
}

bool PropertySetSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    stream.WriteU32(static_cast<uint32_t>(records.size()));
    for (const SkinPropertyRecord& r : records) {
        stream.WriteU32(r.kind);
        stream.Write(r.key, sizeof r.key);
        stream.Write(r.defaultText, sizeof r.defaultText);
        stream.WriteU32(static_cast<uint32_t>(r.value.size()));
        stream.Write(r.value.data(), static_cast<DWORD>(r.value.size()));
        if (r.hasText) {
            stream.WriteU32(static_cast<uint32_t>(r.text.size() + 1));
            stream.Write(r.text.c_str(), static_cast<DWORD>(r.text.size() + 1));
        } else {
            stream.WriteU32(0);
        }
    }
    return true;
}

bool PropertySetSkinObject::Load(MemoryStream& stream)
{
    uint32_t count = 0;
    if (!ControlSkinObject::Load(stream) || !ReadFields(stream, SKIN_TABLE(kFields)) || !stream.ReadU32(count) ||
        count > stream.Left() / kRecordMinimum)
        return false;
    records.clear();
    records.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        SkinPropertyRecord r;
        uint32_t size = 0, textLength = 0;
        if (!stream.ReadU32(r.kind) || stream.Read(r.key, sizeof r.key) != sizeof r.key ||
            stream.Read(r.defaultText, sizeof r.defaultText) != sizeof r.defaultText || !stream.ReadU32(size) ||
            size > stream.Left())
            return false;
        r.key[sizeof r.key - 1] = '\0';
        r.defaultText[sizeof r.defaultText - 1] = '\0';
        r.value.assign(stream.Data() + stream.Position(), stream.Data() + stream.Position() + size);
        stream.Seek(static_cast<long>(size), 1);
        if (!stream.ReadU32(textLength) || textLength > stream.Left())
            return false;
        r.hasText = textLength > 0;
        if (r.hasText) {
            // The last byte is the terminator, whatever the file holds there.
            r.text.assign(reinterpret_cast<const char*>(stream.Data() + stream.Position()), textLength - 1);
            r.text = r.text.c_str();
            stream.Seek(static_cast<long>(textLength), 1);
        }
        records.push_back(r);
    }
    return true;
}
