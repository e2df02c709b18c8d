// SkinStore: unpacking, the header check, the object, image and named-object lists, lookups and the writer.
#include "skin/engine/store/SkinStore.h"

#include <lzo/lzo1x.h>

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "skin/engine/objects/ResourceSkinObjects.h"
#include "skin/engine/store/MemoryStream.h"
#include "skin/engine/objects/SkinObject.h"

const char SkinStore::kMagic[] = "TESSARINE_SKIN_FILE";

namespace {

// Locks a store for the length of a scope.
class StoreLock {
public:
    explicit StoreLock(SkinStore& store) : store_(store) { store_.Lock(); }
    ~StoreLock() { store_.Unlock(); }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

private:
    SkinStore& store_;
};

// The least bytes a top-level object or list entry takes: type id, base part at 1.0, child count.
const DWORD kMinimumObject = 4 + 51 + 4 + 4 + 4 + 51 + 4 + 4;

template <class Map> void DeleteAll(Map& map)
{
    for (auto& entry : map)
        delete entry.second;
    map.clear();
}

// Enters an object under its NAME; an earlier object of that NAME is deleted, so nothing points at it.
template <class Map, class Object> void Replace(Map& map, const std::string& key, Object* object)
{
    auto it = map.find(key);
    if (it != map.end()) {
        if (it->second != object)
            delete it->second;
        it->second = object;
    } else {
        map.emplace(key, object);
    }
}

bool InitLzo()
{
    static const bool ready = lzo_init() == LZO_E_OK;
    return ready;
}

} // namespace

std::string SkinImageKey(const char* name)
{
    // The same key under every ANSI code page: only ASCII letters change, and a double-byte character
    // of code page 936 is stepped over whole, so its trail byte (which may be 'a' to 'z') stays as it is.
    std::string key = name ? name : "";
    for (size_t i = 0; i < key.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(key[i]);
        if (c >= 0x81 && c <= 0xFE && i + 1 < key.size())
            ++i;
        else if (c >= 'a' && c <= 'z')
            key[i] = static_cast<char>(c - 'a' + 'A');
    }
    return key;
}

BOOL UnpackSkin(MemoryStream& packed, MemoryStream& output)
{
    uint32_t length = 0;
    if (!InitLzo() || !packed.ReadU32(length) || length == 0 || length > SkinStore::kMaxUnpacked)
        return FALSE;
    // Decompressed straight into the output's own buffer: the bounds-checked decompressor never writes
    // beyond the declared length.
    const DWORD start = output.Position();
    BYTE* target = output.Extend(length);
    if (!target)
        return FALSE;
    lzo_uint produced = length;
    int result = lzo1x_decompress_safe(packed.Data() + packed.Position(), packed.Left(), target, &produced, NULL);
    packed.Seek(0, 2);
    if (result != LZO_E_OK || produced != length) {
        output.Seek(start, 0);
        return FALSE;
    }
    return TRUE;
}

BOOL PackSkin(const BYTE* data, DWORD size, MemoryStream& packed)
{
    if (!InitLzo() || !data || !size)
        return FALSE;
    std::vector<BYTE> out(size + size / 16 + 64 + 3);
    std::vector<BYTE> work(LZO1X_1_MEM_COMPRESS);
    lzo_uint outSize = out.size();
    if (lzo1x_1_compress(data, size, out.data(), &outSize, work.data()) != LZO_E_OK)
        return FALSE;
    packed.WriteU32(size);
    return packed.Write(out.data(), static_cast<DWORD>(outSize)) == outSize;
}

SkinStore::SkinStore() : status_(StatusNone), major_(kMajor), minor_(kNewestMinor), systemColors_(NULL)
{
    InitializeCriticalSection(&lock_);
    std::memset(&header_, 0, sizeof header_);
    tessarine::CopyText(header_.magic, sizeof header_.magic, kMagic);
    header_.major = kMajor;
    header_.minor = kNewestMinor;
}

SkinStore::~SkinStore()
{
    Clear();
    DeleteCriticalSection(&lock_);
}

void SkinStore::Clear()
{
    StoreLock lock(*this);
    DeleteAll(objects_);
    DeleteAll(images_);
    DeleteAll(namedObjects_);
    SetSkinFormatVersion(kMajor, kNewestMinor);
    major_ = kMajor;
    minor_ = kNewestMinor;
    systemColors_ = NULL;
}

BOOL SkinStore::Fail(int status)
{
    // A refused file leaves nothing half-read behind.
    status_ = status;
    DeleteAll(objects_);
    DeleteAll(images_);
    DeleteAll(namedObjects_);
    systemColors_ = NULL;
    SetSkinFormatVersion(kMajor, kNewestMinor);
    major_ = kMajor;
    minor_ = kNewestMinor;
    return FALSE;
}

namespace {

// Adds the milliseconds since the last call to one field of the times, when times are asked for.
class LoadClock {
public:
    explicit LoadClock(SkinStore::LoadTimes* times) : times_(times)
    {
        if (times_)
            QueryPerformanceCounter(&last_);
    }
    void Lap(double SkinStore::LoadTimes::*field)
    {
        if (!times_)
            return;
        LARGE_INTEGER now, frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        times_->*field += 1000.0 * static_cast<double>(now.QuadPart - last_.QuadPart) / frequency.QuadPart;
        last_ = now;
    }

private:
    SkinStore::LoadTimes* times_;
    LARGE_INTEGER last_ = {};
};

} // namespace

BOOL SkinStore::Load(MemoryStream& packed, LoadTimes* times)
{
    LoadClock clock(times);
    Clear();
    StoreLock lock(*this);
    status_ = StatusNone;
    if (packed.Left() >= 4) {
        uint32_t declared = *reinterpret_cast<const uint32_t*>(packed.Data() + packed.Position());
        if (declared < sizeof(SkinFileHeader) || declared > kMaxUnpacked)
            return Fail(StatusDamaged);
    }
    MemoryStream stream(10240);
    if (!UnpackSkin(packed, stream))
        return Fail(StatusUnpackFailed);
    clock.Lap(&LoadTimes::unpack);
    stream.Rewind();
    if (stream.Read(&header_, sizeof header_) != sizeof header_)
        return Fail(StatusHeaderShort);
    if (std::memcmp(header_.magic, kMagic, 19) != 0 || header_.major != kMajor || header_.minor > kNewestMinor)
        return Fail(StatusBadHeader);
    header_.author[sizeof header_.author - 1] = '\0';
    SetSkinFormatVersion(header_.major, header_.minor);
    major_ = header_.major;
    minor_ = header_.minor;
    // Counts and sizes are checked before anything is allocated; a memory shortage all the same refuses
    // the file rather than ending the program.
    bool read = false;
    try {
        read = ReadObjects(stream, header_.objectCount);
        clock.Lap(&LoadTimes::objects);
        read = read && ReadImages(stream);
        clock.Lap(&LoadTimes::images);
        read = read && ReadNamedObjects(stream);
        clock.Lap(&LoadTimes::objects);
    } catch (const std::bad_alloc&) {
        read = false;
    }
    if (!read)
        return Fail(StatusDamaged);
    Link();
    clock.Lap(&LoadTimes::link);
    return TRUE;
}

bool SkinStore::ReadObjects(MemoryStream& stream, uint32_t count)
{
    if (count > stream.Left() / kMinimumObject)
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t type = 0;
        if (!stream.ReadU32(type) || !IsTopLevelSkinType(static_cast<int>(type)))
            return false;
        std::unique_ptr<SkinObject> loading(CreateSkinObject(static_cast<int>(type)));
        if (!loading || !loading->Load(stream))
            return false;
        SkinObject* object = loading.release();
        // A later object of the same NAME takes the entry; the earlier one is deleted.
        if (systemColors_ && objects_.count(object->name) && objects_[object->name] == systemColors_)
            systemColors_ = NULL;
        Replace(objects_, std::string(object->name), object);
        if (type == SkinTypeSysColorTable)
            systemColors_ = static_cast<SysColorTableSkinObject*>(object);
    }
    return true;
}

namespace {

// The image and named-object lists: a count, then per entry a type id (any value) and the object.
template <class Object, class Map, class MakeKey> bool ReadList(MemoryStream& stream, Map& map, int type, MakeKey key)
{
    uint32_t count = 0;
    if (!stream.ReadU32(count) || count > stream.Left() / kMinimumObject)
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t listedType = 0;
        std::unique_ptr<Object> object(static_cast<Object*>(CreateSkinObject(type)));
        if (!stream.ReadU32(listedType) || !object->Load(stream))
            return false;
        std::string name = key(object->name);
        Replace(map, name, object.release());
    }
    return true;
}

} // namespace

bool SkinStore::ReadImages(MemoryStream& stream)
{
    return ReadList<ImageSkinObject>(stream, images_, SkinTypeImage, SkinImageKey);
}

bool SkinStore::ReadNamedObjects(MemoryStream& stream)
{
    return ReadList<SkinObject>(stream, namedObjects_, SkinTypeVoice,
                                [](const char* name) { return std::string(name); });
}

void SkinStore::Link()
{
    for (auto& entry : objects_)
        entry.second->CreateResources(*this);
}

SkinObject* SkinStore::FindInChildren(SkinObject* parent, const char* name, int depth)
{
    if (depth > SkinObject::kMaxDepth)
        return NULL;
    if (SkinObject* hit = parent->FindChild(name))
        return hit;
    for (const auto& child : parent->Children())
        if (SkinObject* hit = FindInChildren(child.second, name, depth + 1))
            return hit;
    return NULL;
}

SkinObject* SkinStore::FindObjectByName(const char* name)
{
    if (!name)
        return NULL;
    StoreLock lock(*this);
    auto top = objects_.find(name);
    if (top != objects_.end())
        return top->second;
    for (const auto& entry : objects_)
        if (SkinObject* hit = FindInChildren(entry.second, name, 0))
            return hit;
    if (ImageSkinObject* image = FindImageObject(name))
        return image;
    auto named = namedObjects_.find(name);
    return named != namedObjects_.end() ? named->second : NULL;
}

SkinObject* SkinStore::FindObjectByType(int type)
{
    if (type == SkinTypeControlBar)
        type = SkinTypeToolBar;
    StoreLock lock(*this);
    // An object bearing the type's default name answers only when it is of that type.
    SkinObject* named = FindObjectByName(GetSkinTypeName(type));
    if (named && named->Type() == type)
        return named;
    for (const auto& entry : objects_)
        if (entry.second->Type() == type)
            return entry.second;
    return NULL;
}

ImageSkinObject* SkinStore::FindImageObject(const char* name)
{
    if (!name)
        return NULL;
    StoreLock lock(*this);
    auto it = images_.find(SkinImageKey(name));
    return it == images_.end() ? NULL : it->second;
}

SkinImage* SkinStore::FindImage(const char* name)
{
    ImageSkinObject* image = FindImageObject(name);
    return image && image->Image().IsValid() ? &image->Image() : NULL;
}

void SkinStore::AddObject(SkinObject* object)
{
    if (!object)
        return;
    StoreLock lock(*this);
    Replace(objects_, std::string(object->name), object);
    if (object->Type() == SkinTypeSysColorTable)
        systemColors_ = static_cast<SysColorTableSkinObject*>(object);
}

void SkinStore::AddImage(ImageSkinObject* image)
{
    if (!image)
        return;
    StoreLock lock(*this);
    std::string key = SkinImageKey(image->name);
    image->SetName(key.c_str());
    Replace(images_, key, image);
}

void SkinStore::AddNamedObject(SkinObject* object)
{
    if (!object)
        return;
    StoreLock lock(*this);
    Replace(namedObjects_, std::string(object->name), object);
}

void SkinStore::SetAuthor(const char* author)
{
    tessarine::CopyText(header_.author, sizeof header_.author, author);
}

BOOL SkinStore::SaveUnpacked(MemoryStream& raw)
{
    StoreLock lock(*this);
    // Objects write every field, so the file says so whatever version they were read at.
    SkinFileHeader header = header_;
    std::memset(header.magic, 0, sizeof header.magic);
    tessarine::CopyText(header.magic, sizeof header.magic, kMagic);
    header.major = kMajor;
    header.minor = kNewestMinor;
    header.objectCount = static_cast<uint32_t>(objects_.size());
    std::memset(header.unused, 0, sizeof header.unused);
    raw.Write(&header, sizeof header);
    for (auto& entry : objects_)
        if (!entry.second->Save(raw))
            return FALSE;
    raw.WriteU32(static_cast<uint32_t>(images_.size()));
    for (auto& entry : images_)
        if (!entry.second->Save(raw))
            return FALSE;
    raw.WriteU32(static_cast<uint32_t>(namedObjects_.size()));
    for (auto& entry : namedObjects_)
        if (!entry.second->Save(raw))
            return FALSE;
    return TRUE;
}

BOOL SkinStore::Save(MemoryStream& packed)
{
    MemoryStream raw(10240);
    return SaveUnpacked(raw) && PackSkin(raw.Data(), raw.Size(), packed);
}
