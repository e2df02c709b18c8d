// ImageSkinObject: base part, byte count, format, encoded bytes. A count beyond the bytes left marks the
// file as damaged; bytes that do not decode leave the picture empty and the skin still loads.
#include "skin/engine/objects/ImageSkinObject.h"

#include <cstdlib>

#include "skin/engine/store/MemoryStream.h"

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
