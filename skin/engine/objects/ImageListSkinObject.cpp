// ImageListSkinObject: four values (16, 16, 5, 10 by default) and an image part, no gates.
#include "skin/engine/objects/ImageListSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(ImageListSkinObject, values[0], KindInteger, "VALUE1"),
    SKIN_FIELD(ImageListSkinObject, values[1], KindInteger, "VALUE2"),
    SKIN_FIELD(ImageListSkinObject, values[2], KindInteger, "VALUE3"),
    SKIN_FIELD(ImageListSkinObject, values[3], KindInteger, "VALUE4"),
    SKIN_FIELD(ImageListSkinObject, image, KindImagePart, "IMAGE"),
};

} // namespace

ImageListSkinObject::ImageListSkinObject() : SkinObject(SkinTypeImageList)
{
    values[0] = 16;
    values[1] = 16;
    values[2] = 5;
    values[3] = 10;
    std::memset(&image, 0, sizeof image);
}

size_t ImageListSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(SkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool ImageListSkinObject::Save(MemoryStream& stream)
{
    if (!SkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool ImageListSkinObject::Load(MemoryStream& stream)
{
    return SkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
