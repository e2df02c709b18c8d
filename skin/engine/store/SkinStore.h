// SkinStore: one loaded skin. Reads a packed skin file (LZO1X) into its objects, images and named
// objects, answers lookups by name and type while the skin is current, and frees everything when cleared.
// A damaged or hostile file is refused with a status and never read beyond its bytes.
#pragma once
#include <windows.h>

#include <map>
#include <string>

#include "skin/engine/store/SkinRecords.h"

class ImageSkinObject;
class MemoryStream;
class SkinImage;
class SkinObject;
class SysColorTableSkinObject;

// The LZO1X-1 container: u32 unpacked length, then the compressed stream.
BOOL UnpackSkin(MemoryStream& packed, MemoryStream& output);
BOOL PackSkin(const BYTE* data, DWORD size, MemoryStream& packed);

class SkinStore {
public:
    enum Status {
        StatusNone = 0,
        StatusUnpackFailed = 5,
        StatusHeaderShort = 6,
        StatusBadHeader = 7, // not a skin, or a version this reader does not know
        StatusDamaged = 8,   // counts, sizes, types or nesting that the file cannot hold
    };
    static const char kMagic[];
    static const int kMajor = 1;
    static const int kNewestMinor = 16;
    // Unpacked skins are a few hundred kilobytes; anything declaring more than this is refused.
    static const DWORD kMaxUnpacked = 64u * 1024 * 1024;

    SkinStore();
    ~SkinStore();
    SkinStore(const SkinStore&) = delete;
    SkinStore& operator=(const SkinStore&) = delete;

    // Where a load's time went, in milliseconds, for the benchmarks.
    struct LoadTimes {
        double unpack = 0, objects = 0, images = 0, link = 0;
    };
    BOOL Load(MemoryStream& packed, LoadTimes* times = NULL);
    void Clear();

    SkinObject* FindObjectByName(const char* name);
    SkinObject* FindObjectByType(int type);
    // The picture of the Image object of that name (compared upper-case), or NULL.
    SkinImage* FindImage(const char* name);
    ImageSkinObject* FindImageObject(const char* name);

    int GetStatus() const { return status_; }
    int Major() const { return major_; }
    int Minor() const { return minor_; }
    const SkinFileHeader& Header() const { return header_; }
    SysColorTableSkinObject* SystemColors() const { return systemColors_; }

    // Building a skin in memory (the skin packer): the store takes the object; a top-level object or a
    // named object replaces an earlier one of the same NAME, which is deleted.
    void AddObject(SkinObject* object);
    void AddImage(ImageSkinObject* image);
    void AddNamedObject(SkinObject* object);
    void SetAuthor(const char* author);
    // Writes the whole file at version 1.16 and packs it.
    BOOL Save(MemoryStream& packed);
    BOOL SaveUnpacked(MemoryStream& raw);

    const std::map<std::string, SkinObject*>& Objects() const { return objects_; }
    const std::map<std::string, ImageSkinObject*>& Images() const { return images_; }
    const std::map<std::string, SkinObject*>& NamedObjects() const { return namedObjects_; }

    void Lock() { EnterCriticalSection(&lock_); }
    void Unlock() { LeaveCriticalSection(&lock_); }

private:
    BOOL Fail(int status);
    bool ReadObjects(MemoryStream& stream, uint32_t count);
    bool ReadImages(MemoryStream& stream);
    bool ReadNamedObjects(MemoryStream& stream);
    void Link();
    SkinObject* FindInChildren(SkinObject* parent, const char* name, int depth);

    CRITICAL_SECTION lock_;
    int status_;
    SkinFileHeader header_;
    int major_;
    int minor_;
    std::map<std::string, SkinObject*> objects_;
    std::map<std::string, ImageSkinObject*> images_;
    std::map<std::string, SkinObject*> namedObjects_;
    SysColorTableSkinObject* systemColors_;
};

// Upper-cases an image name the way the store keeps it: ASCII letters only, double-byte characters of
// code page 936 kept whole, the same whatever the process's code page.
std::string SkinImageKey(const char* name);
