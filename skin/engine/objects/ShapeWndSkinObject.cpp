// ShapeWndSkinObject: fields in file order, no version gates.
#include "skin/engine/objects/ShapeWndSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(ShapeWndSkinObject, shape, KindImagePart, "SHAPE"),
    SKIN_FIELD(ShapeWndSkinObject, rects[0], KindRect, "SHAPE.RECT1"),
    SKIN_FIELD(ShapeWndSkinObject, rects[1], KindRect, "SHAPE.RECT2"),
    SKIN_FIELD(ShapeWndSkinObject, shapeByte, KindBytes, "SHAPE.BYTE"),
    SKIN_FIELD(ShapeWndSkinObject, shapeColor, KindColor, "SHAPE.COLOR"),
    SKIN_FIELD(ShapeWndSkinObject, shapeValue, KindInteger, "SHAPE.VALUE"),
};

} // namespace

ShapeWndSkinObject::ShapeWndSkinObject() : SkinObject(SkinTypeShapeWnd)
{
    std::memset(&shape, 0, sizeof shape);
    std::memset(rects, 0, sizeof rects);
    shapeByte = 255;
    shapeColor = 0xFFFFFF;
    shapeValue = 1;
}

size_t ShapeWndSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(SkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool ShapeWndSkinObject::Save(MemoryStream& stream)
{
    if (!SkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool ShapeWndSkinObject::Load(MemoryStream& stream)
{
    return SkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
