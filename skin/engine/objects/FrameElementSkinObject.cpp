// FrameElementSkinObject: before 1.8 the position stood after the picture; visibility and text came with 1.11.
#include "skin/engine/objects/FrameElementSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(FrameElementSkinObject, elementImage, KindImagePart, "IMAGE"),
    SKIN_FIELD_EX(FrameElementSkinObject, rect, KindRect, "OLDPOSITION", 0, 7, FieldReadOnly),
    SKIN_FIELD(FrameElementSkinObject, anchor, KindInteger, "ANCHOR"),
    SKIN_FIELD(FrameElementSkinObject, commandId, KindInteger, "COMMANDID"),
    SKIN_FIELD_FROM(FrameElementSkinObject, visibility, KindInteger, "VISIBILITY", 11),
    SKIN_FIELD_FROM(FrameElementSkinObject, elementText, KindText, "ELEMENTTEXT", 11),
};

} // namespace

FrameElementSkinObject::FrameElementSkinObject(int type) : SkinObject(type)
{
    SetRect(&rect, 1, 1, 21, 21);
    std::memset(&elementImage, 0, sizeof elementImage);
    anchor = 0;
    commandId = 1000;
    visibility = 0;
    std::memset(elementText, 0, sizeof elementText);
}

size_t FrameElementSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(SkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool FrameElementSkinObject::Save(MemoryStream& stream)
{
    if (!SkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool FrameElementSkinObject::Load(MemoryStream& stream)
{
    return LoadBase(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
