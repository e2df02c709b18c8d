// The field records skin objects are built from, exactly as a skin file stores them, and the field
// tables that tie each serialised field of a class to its key, kind, size and version gate. The reader,
// the writer, the property lookup, the skin packer and the tests all walk the same tables.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#pragma pack(push, 1)

// A LOGFONT followed by the text colour.
struct SkinFont {
    LOGFONTA logFont;
    COLORREF color;
};
static_assert(sizeof(SkinFont) == 64, "font record is 64 bytes");

// One picture cut from a skin image: name, source rectangle (top-down), draw mode 0 copy, 1 tile, else stretch.
struct ImagePart {
    char image[52];
    RECT source;
    int32_t mode;
};
static_assert(sizeof(ImagePart) == 72, "image part is 72 bytes");

// A nine-piece picture: name, source rectangle, fixed margins (left, top, right, bottom), slice mode 0-8.
struct SlicedImage {
    char image[52];
    RECT source;
    RECT margins;
    int32_t mode;
};
static_assert(sizeof(SlicedImage) == 88, "sliced image is 88 bytes");

// Text colour and an optional shadow copy; colours as red, green, blue bytes.
struct TextEffect {
    int8_t dx;
    int8_t dy;
    uint8_t zero[2];
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t opaque; // 255
    uint8_t shadowRed;
    uint8_t shadowGreen;
    uint8_t shadowBlue;
    uint8_t zero2;
    uint32_t flags; // bit 0: draw the shadow copy first
};
static_assert(sizeof(TextEffect) == 16, "text effect is 16 bytes");

// A control state: its sliced image, its text effect and 16 bytes kept as they came.
struct StateImage {
    SlicedImage image;
    TextEffect effect;
    uint8_t reserved[16];
};
static_assert(sizeof(StateImage) == 120, "state record is 120 bytes");

// A check box or radio button state.
struct CheckState {
    ImagePart background;
    uint8_t reserved1[16];
    ImagePart box;
    TextEffect effect;
    uint8_t reserved2[16];
};
static_assert(sizeof(CheckState) == 192, "check state record is 192 bytes");

// The skin file's header.
struct SkinFileHeader {
    char magic[20];
    uint8_t major;
    uint8_t minor;
    char author[154];
    uint32_t objectCount;
    uint8_t unused[8];
};
static_assert(sizeof(SkinFileHeader) == 188, "skin header is 188 bytes");

#pragma pack(pop)

// Kinds of named properties. 5 (rectangle), 8 (raw bytes) and 10 (text of any length, stored with a
// u32 length before it) name the fields that have no kind of their own.
enum PropertyKind {
    KindFont = 0,
    KindText = 1,
    KindColor = 2,
    KindImagePart = 3,
    KindSlicedImage = 4,
    KindRect = 5,
    KindInteger = 6,
    KindControlId = 7,
    KindBytes = 8,
    KindTextEffect = 9,
    KindLongText = 10,
    KindPropertySet = 100,
};

class SkinObject;

enum FieldFlags {
    FieldAlias = 1,    // a second key for a field serialised elsewhere: never read or written itself
    FieldReadOnly = 2, // read from old files, never written
    FieldDiscard = 4,  // read and thrown away
};

// One serialised field of a class (or an alias naming one); Address finds its value in an object.
struct FieldDef {
    const char* key;
    uint8_t kind;
    uint16_t size;  // bytes of one element (0 for a long text, held in a std::string)
    uint16_t count; // elements stored one after the other
    void* (*address)(SkinObject&);
    uint8_t minMinor; // gate: read only when the version in force is 1.minMinor .. 1.maxMinor
    uint8_t maxMinor;
    uint8_t flags;

    void* Address(SkinObject& object) const { return address(object); }
    size_t Bytes() const { return static_cast<size_t>(size) * count; }
    bool Gated() const { return minMinor != 0 || maxMinor != 255; }
    bool Serialised() const { return !(flags & FieldAlias); }
    bool Written() const { return !(flags & (FieldAlias | FieldReadOnly | FieldDiscard)); }
};

struct FieldSpan {
    const FieldDef* defs;
    size_t count;
};

// Table entries: SKIN_FIELD(Class, member, kind, key) and its gated, aliased and flagged forms.
#define SKIN_FIELD_EX(Class, member, kind, key, lo, hi, flags)                                                         \
    {                                                                                                                  \
        key, kind, static_cast<uint16_t>(sizeof(static_cast<Class*>(nullptr)->member)), 1,                             \
            [](SkinObject& o) -> void* { return &static_cast<Class&>(o).member; }, lo, hi, flags                       \
    }
#define SKIN_FIELD(Class, member, kind, key) SKIN_FIELD_EX(Class, member, kind, key, 0, 255, 0)
#define SKIN_FIELD_FROM(Class, member, kind, key, lo) SKIN_FIELD_EX(Class, member, kind, key, lo, 255, 0)
#define SKIN_ALIAS(Class, member, kind, key) SKIN_FIELD_EX(Class, member, kind, key, 0, 255, FieldAlias)
#define SKIN_LONGTEXT(Class, member, key)                                                                              \
    {                                                                                                                  \
        key, KindLongText, 0, 1, [](SkinObject& o) -> void* { return &static_cast<Class&>(o).member; }, 0, 255, 0      \
    }
#define SKIN_TABLE(table)                                                                                              \
    FieldSpan                                                                                                          \
    {                                                                                                                  \
        table, sizeof(table) / sizeof(table[0])                                                                        \
    }

// The process-wide format version in force, consulted by every reader for its gates.
void SetSkinFormatVersion(int major, int minor);
int SkinFormatMajor();
int SkinFormatMinor();
bool GateOpen(const FieldDef& def);
bool MinorAtLeast(int minor); // major > 0 and minor >= the value
bool MinorBelow(int minor);   // major > 0 and minor < the value

// Defaults shared by many classes.
TextEffect ResetTextEffect();
SkinFont ResetFont(const char* face = "MS Sans Serif");
void SetTextEffectColor(TextEffect& effect, COLORREF color);
COLORREF TextEffectColor(const TextEffect& effect);

// The toolkit's own helpers live in their namespace: a program links the toolkit beside other libraries
// (the framework layer has a CopyText of its own).
namespace tessarine {

// Copies text into a fixed array, cut on a code page 936 character boundary and always terminated.
void CopyText(char* dest, size_t size, const char* source);

} // namespace tessarine
