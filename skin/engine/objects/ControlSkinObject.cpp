// ControlSkinObject: the control part and its version gates; the font handle made from FONT.
#include "skin/engine/objects/ControlSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

// Between 1.4 and 1.7 a rectangle stood here; it is read and thrown away.
RECT g_discarded;

const FieldDef kFields[] = {
    SKIN_FIELD(ControlSkinObject, font, KindFont, "FONT"),
    SKIN_FIELD(ControlSkinObject, controlFrame, KindSlicedImage, "CONTROLFRAME"),
    {"OLDRECT", KindRect, 16, 1, [](SkinObject&) -> void* { return &g_discarded; }, 4, 7, FieldDiscard},
    SKIN_FIELD_FROM(ControlSkinObject, controlId, KindControlId, "CONTROLID", 6),
    SKIN_FIELD_FROM(ControlSkinObject, controlReserved, KindInteger, "CONTROL.RESERVED", 8),
    SKIN_FIELD_FROM(ControlSkinObject, autoSkinFont, KindInteger, "AUTOSKINFONT", 10),
};

} // namespace

ControlSkinObject::ControlSkinObject(int type)
    : SkinObject(type), font(ResetFont()), controlId(0), controlReserved(0), autoSkinFont(0), fontHandle_(NULL)
{
    std::memset(&controlFrame, 0, sizeof controlFrame);
}

ControlSkinObject::~ControlSkinObject()
{
    if (fontHandle_)
        DeleteObject(fontHandle_);
}

void ControlSkinObject::ReleaseResources()
{
    SkinObject::ReleaseResources();
}

void ControlSkinObject::CreateResources(SkinStore& store)
{
    if (fontHandle_)
        DeleteObject(fontHandle_);
    fontHandle_ = CreateFontIndirectA(&font.logFont);
    SkinObject::CreateResources(store);
}

size_t ControlSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(SkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool ControlSkinObject::Save(MemoryStream& stream)
{
    if (!SkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool ControlSkinObject::LoadControl(MemoryStream& stream)
{
    if (!ReadFields(stream, SKIN_TABLE(kFields)))
        return false;
    if (MinorAtLeast(4) && MinorBelow(8))
        SetRect(&rect, 0, 0, 60, 30);
    if (SkinFormatMajor() > 0 && SkinFormatMinor() == 6)
        controlId = 0;
    return true;
}

bool ControlSkinObject::Load(MemoryStream& stream)
{
    return LoadBase(stream) && LoadControl(stream);
}
