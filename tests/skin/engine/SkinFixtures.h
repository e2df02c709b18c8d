// Skin fixtures: objects filled with random field values through their field tables, field-for-field
// comparison, a builder for hand-made skin streams, and the default skin the build packs.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "skin/engine/store/MemoryStream.h"
#include "skin/engine/objects/SkinObject.h"
#include "skin/engine/store/SkinStore.h"
#include "tests/support/TestSupport.h"

inline std::string TypeLabel(int type)
{
    const char* name = GetSkinTypeName(type);
    return name ? name : "PropertySet";
}

// Every type id that has a class of its own.
inline std::vector<int> AllClassTypes()
{
    std::vector<int> types;
    for (int t = 1; t <= 44; ++t)
        if (t != SkinTypeImage && t != 21 && t != 32 && t != 34 && t != 41 && t != 43)
            types.push_back(t);
    types.push_back(SkinTypePropertySet);
    return types;
}

// Random values that the skin source can also spell: printable ASCII texts, upper-case image names,
// text effects with their fixed bytes left alone. With anyBytes every byte of a field is random.
class FieldFiller {
public:
    explicit FieldFiller(uint32_t seed, bool anyBytes = false) : rng_(seed), anyBytes_(anyBytes) {}

    void Fill(SkinObject& object)
    {
        FieldSpan layers[SkinObject::kMaxLayers];
        size_t n = object.GetFieldLayers(layers, SkinObject::kMaxLayers);
        for (size_t l = 0; l < n; ++l)
            for (size_t i = 0; i < layers[l].count; ++i) {
                const FieldDef& def = layers[l].defs[i];
                if (def.Written() && std::strcmp(def.key, "NAME") != 0)
                    FillField(def, def.Address(object));
            }
    }

    void FillField(const FieldDef& def, void* value)
    {
        if (def.kind == KindLongText) {
            *static_cast<std::string*>(value) = Text(static_cast<int>(rng_() % 60));
            return;
        }
        char* p = static_cast<char*>(value);
        for (int e = 0; e < def.count; ++e, p += def.size) {
            const bool keepFixed = def.kind == KindTextEffect && !anyBytes_;
            TextEffect kept = {};
            if (keepFixed)
                std::memcpy(&kept, p, sizeof kept);
            for (int b = 0; b < def.size; ++b)
                p[b] = static_cast<char>(rng_());
            switch (def.kind) {
            case KindText:
                SetText(p, def.size, false);
                break;
            case KindImagePart:
                SetText(p, 52, true);
                break;
            case KindSlicedImage:
                SetText(p, 52, true);
                break;
            case KindFont:
                SetText(reinterpret_cast<SkinFont*>(p)->logFont.lfFaceName, LF_FACESIZE, false);
                break;
            case KindTextEffect:
                if (keepFixed) {
                    TextEffect& e2 = *reinterpret_cast<TextEffect*>(p);
                    std::memcpy(e2.zero, kept.zero, 2);
                    e2.opaque = kept.opaque;
                    e2.zero2 = kept.zero2;
                }
                break;
            default:
                break;
            }
        }
    }

    std::string Text(int length)
    {
        std::string s;
        for (int i = 0; i < length; ++i)
            s += static_cast<char>(0x20 + rng_() % 0x5F);
        return s;
    }

    std::mt19937& Rng() { return rng_; }

private:
    void SetText(char* p, int size, bool imageName)
    {
        int length = static_cast<int>(rng_() % static_cast<uint32_t>(size));
        std::string s = imageName ? Name(length) : Text(length);
        std::memset(p, 0, size);
        std::memcpy(p, s.data(), s.size());
    }
    std::string Name(int length)
    {
        static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789._";
        std::string s;
        for (int i = 0; i < length; ++i)
            s += letters[rng_() % (sizeof letters - 1)];
        return s;
    }

    std::mt19937 rng_;
    bool anyBytes_;
};

// Compares every serialised field of two objects of the same class, and their children by NAME.
inline void ExpectSameFields(SkinObject& expected, SkinObject& actual, const std::string& where)
{
    ASSERT_EQ(expected.Type(), actual.Type()) << where;
    FieldSpan layers[SkinObject::kMaxLayers];
    size_t n = expected.GetFieldLayers(layers, SkinObject::kMaxLayers);
    for (size_t l = 0; l < n; ++l)
        for (size_t i = 0; i < layers[l].count; ++i) {
            const FieldDef& def = layers[l].defs[i];
            if (!def.Written())
                continue;
            if (def.kind == KindLongText) {
                EXPECT_EQ(*static_cast<std::string*>(def.Address(expected)),
                          *static_cast<std::string*>(def.Address(actual)))
                    << where << " " << def.key;
                continue;
            }
            EXPECT_EQ(std::memcmp(def.Address(expected), def.Address(actual), def.Bytes()), 0)
                << where << " field " << def.key;
        }
    ASSERT_EQ(expected.Children().size(), actual.Children().size()) << where;
    for (const auto& child : expected.Children()) {
        SkinObject* other = actual.FindChild(child.first.c_str());
        ASSERT_NE(other, nullptr) << where << " child " << child.first;
        ExpectSameFields(*child.second, *other, where + "/" + child.first);
    }
}

// Hand-made skin streams: little-endian values, fixed texts, zero runs.
class RawBuilder {
public:
    RawBuilder& U32(uint32_t v)
    {
        Append(&v, 4);
        return *this;
    }
    RawBuilder& U8(uint8_t v)
    {
        Append(&v, 1);
        return *this;
    }
    RawBuilder& Text(const char* text, size_t size)
    {
        std::string s(size, '\0');
        std::memcpy(&s[0], text, std::min(std::strlen(text), size));
        Append(s.data(), size);
        return *this;
    }
    RawBuilder& Zeros(size_t n)
    {
        bytes_.insert(bytes_.end(), n, 0);
        return *this;
    }
    RawBuilder& Fill(size_t n, uint8_t value)
    {
        bytes_.insert(bytes_.end(), n, value);
        return *this;
    }
    RawBuilder& Rect(int32_t l, int32_t t, int32_t r, int32_t b) { return U32(l).U32(t).U32(r).U32(b); }
    RawBuilder& Append(const void* data, size_t n)
    {
        const uint8_t* p = static_cast<const uint8_t*>(data);
        bytes_.insert(bytes_.end(), p, p + n);
        return *this;
    }
    // The base part of an object without children: RECT and AUTOPLACE only from 1.8 on.
    RawBuilder& Base(const char* name, int minor, uint32_t color = 0x123456)
    {
        Text(name, 51).U32(color).U32(0x654321).U32(255).Text("", 51).U32(0);
        if (minor > 7)
            Rect(0, 0, 60, 30).U32(0);
        return U32(0);
    }
    // The header of a skin file.
    RawBuilder& Header(int major, int minor, uint32_t objects, const char* magic = "TESSARINE_SKIN_FILE")
    {
        Text(magic, 20).U8(static_cast<uint8_t>(major)).U8(static_cast<uint8_t>(minor)).Text("test", 154);
        return U32(objects).Zeros(8);
    }
    // Overwrites bytes already built (a field written with a terminator, then filled past it).
    RawBuilder& Overwrite(size_t offset, size_t n, uint8_t value)
    {
        std::fill(bytes_.begin() + offset, bytes_.begin() + offset + n, value);
        return *this;
    }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    size_t Size() const { return bytes_.size(); }

private:
    std::vector<uint8_t> bytes_;
};

inline MemoryStream* PackedStream(const std::vector<uint8_t>& raw)
{
    MemoryStream* packed = new MemoryStream(10240);
    PackSkin(raw.data(), static_cast<DWORD>(raw.size()), *packed);
    packed->Rewind();
    return packed;
}

inline std::vector<uint8_t> ReadWholeFile(const std::string& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    std::string s = all.str();
    return std::vector<uint8_t>(s.begin(), s.end());
}

// The default skin the build packed into build/skins.
inline std::vector<uint8_t> DefaultSkinBytes()
{
    return ReadWholeFile(ProgramDirectory() + "\\..\\skins\\default.tsk");
}

// Sets the format version in force for the length of a test, and puts the newest back.
class FormatVersion {
public:
    FormatVersion(int major, int minor) { SetSkinFormatVersion(major, minor); }
    ~FormatVersion() { SetSkinFormatVersion(1, 16); }
};
