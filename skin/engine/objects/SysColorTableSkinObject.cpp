// SysColorTableSkinObject: 100 colours in the file; solid brushes for the first 31 while the skin is linked.
#include "skin/engine/objects/SysColorTableSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    {"SYSCOLOR", KindColor, 4, 100,
     [](SkinObject& o) -> void* { return static_cast<SysColorTableSkinObject&>(o).colors; }, 0, 255, 0},
};

} // namespace

SysColorTableSkinObject::SysColorTableSkinObject() : SkinObject(SkinTypeSysColorTable)
{
    std::memset(colors, 0, sizeof colors);
    std::memset(brushes_, 0, sizeof brushes_);
}

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

size_t SysColorTableSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(SkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool SysColorTableSkinObject::Save(MemoryStream& stream)
{
    if (!SkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool SysColorTableSkinObject::Load(MemoryStream& stream)
{
    return LoadBase(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
