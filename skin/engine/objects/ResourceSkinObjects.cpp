// Skin objects that hold the skin's resources rather than draw a window: application settings, pictures, image lists,
// the system colour table.
#include "skin/engine/objects/ResourceSkinObjects.h"

#include <cstring>
#include <cstdlib>

#include "skin/engine/store/MemoryStream.h"

// ApplicationSkinObject: e-mail and home page exist from 1.4 on.
namespace {

const FieldDef kApplicationFields[] = {
    SKIN_FIELD(ApplicationSkinObject, author, KindText, "AUTHOR"),
    SKIN_FIELD(ApplicationSkinObject, description, KindText, "DESCRIPTION"),
    SKIN_FIELD(ApplicationSkinObject, application, KindText, "APPLICATION"),
    SKIN_FIELD(ApplicationSkinObject, useTransparentColor, KindInteger, "USETRANSPARENTCOLOR"),
    SKIN_FIELD_FROM(ApplicationSkinObject, email, KindText, "EMAIL", 4),
    SKIN_FIELD_FROM(ApplicationSkinObject, homePage, KindText, "HOMEPAGE", 4),
};

} // namespace

FieldSpan ApplicationSkinObject::Fields()
{
    return SKIN_TABLE(kApplicationFields);
}

ApplicationSkinObject::ApplicationSkinObject() : TableSkinObject(SkinTypeApplication)
{
    transparentColor = RGB(255, 0, 255);
    tessarine::CopyText(author, sizeof author, "Tessarine Builder");
    tessarine::CopyText(description, sizeof description, "Tessarine Skin File");
    useTransparentColor = 1;
    tessarine::CopyText(email, sizeof email, "skins@warden-suite.example");
    tessarine::CopyText(homePage, sizeof homePage, "http://www.warden-suite.example/skins/");
}

// ImageSkinObject: base part, byte count, format, encoded bytes. A count beyond the bytes left marks the
// file as damaged; bytes that do not decode leave the picture empty and the skin still loads.
ImageSkinObject::ImageSkinObject() : SkinObject(SkinTypeImage), bitmap_(NULL) {}

ImageSkinObject::~ImageSkinObject()
{
    if (bitmap_)
        DeleteObject(bitmap_);
}

HBITMAP ImageSkinObject::Bitmap()
{
    if (!bitmap_)
        bitmap_ = image_.MakeBitmap();
    return bitmap_;
}

bool ImageSkinObject::Save(MemoryStream& stream)
{
    if (!SkinObject::Save(stream))
        return false;
    uint32_t format = static_cast<uint32_t>(image_.FormatCode());
    BYTE* bytes = NULL;
    DWORD size = 0;
    if (!image_.Encode(static_cast<int>(format), &bytes, &size))
        size = 0;
    stream.WriteU32(size);
    stream.WriteU32(format);
    stream.Write(bytes, size);
    std::free(bytes);
    return true;
}

bool ImageSkinObject::Load(MemoryStream& stream)
{
    uint32_t size = 0, format = 0;
    if (!LoadBase(stream) || !stream.ReadU32(size) || !stream.ReadU32(format) || size > stream.Left())
        return false;
    image_.Decode(stream.Data() + stream.Position(), size, static_cast<int>(format));
    stream.Seek(static_cast<long>(size), 1);
    return true;
}

// ImageListSkinObject: four values (16, 16, 5, 10 by default) and an image part, no gates.
namespace {

const FieldDef kImageListFields[] = {
    SKIN_FIELD(ImageListSkinObject, values[0], KindInteger, "VALUE1"),
    SKIN_FIELD(ImageListSkinObject, values[1], KindInteger, "VALUE2"),
    SKIN_FIELD(ImageListSkinObject, values[2], KindInteger, "VALUE3"),
    SKIN_FIELD(ImageListSkinObject, values[3], KindInteger, "VALUE4"),
    SKIN_FIELD(ImageListSkinObject, image, KindImagePart, "IMAGE"),
};

} // namespace

FieldSpan ImageListSkinObject::Fields()
{
    return SKIN_TABLE(kImageListFields);
}

ImageListSkinObject::ImageListSkinObject() : TableSkinObject(SkinTypeImageList)
{
    values[0] = 16;
    values[1] = 16;
    values[2] = 5;
    values[3] = 10;
}

// SysColorTableSkinObject: 100 colours in the file; solid brushes for the first 31 while the skin is linked.
namespace {

const FieldDef kSysColorTableFields[] = {
    {"SYSCOLOR", KindColor, 4, 100,
     [](SkinObject& o) -> void* { return static_cast<SysColorTableSkinObject&>(o).colors; }, 0, 255, 0},
};

} // namespace

FieldSpan SysColorTableSkinObject::Fields()
{
    return SKIN_TABLE(kSysColorTableFields);
}

SysColorTableSkinObject::SysColorTableSkinObject() : TableSkinObject(SkinTypeSysColorTable) {}

SysColorTableSkinObject::~SysColorTableSkinObject()
{
    DeleteBrushes();
}

void SysColorTableSkinObject::DeleteBrushes()
{
    for (HBRUSH& brush : brushes_) {
        if (brush)
            DeleteObject(brush);
        brush = NULL;
    }
}

void SysColorTableSkinObject::ReleaseResources()
{
    DeleteBrushes();
    SkinObject::ReleaseResources();
}

void SysColorTableSkinObject::CreateResources(SkinStore& store)
{
    DeleteBrushes();
    for (int i = 0; i < kBrushes; ++i)
        brushes_[i] = CreateSolidBrush(colors[i]);
    SkinObject::CreateResources(store);
}
