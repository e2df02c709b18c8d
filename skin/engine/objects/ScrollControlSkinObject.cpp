// ScrollControlSkinObject: files up to 1.10 get the three colours reset to their defaults after reading.
#include "skin/engine/objects/ScrollControlSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(ScrollControlSkinObject, background, KindImagePart, "BACKGROUND"),
    SKIN_ALIAS(ScrollControlSkinObject, controlFrame, KindSlicedImage, "BORDER"),
    SKIN_ALIAS(ScrollControlSkinObject, color, KindColor, "BACKCOLOR"),
    SKIN_ALIAS(ScrollControlSkinObject, color, KindColor, "DISABLEDCOLOR"),
};

} // namespace

ScrollControlSkinObject::ScrollControlSkinObject(int type) : ControlSkinObject(type)
{
    ResetColors();
    std::memset(&background, 0, sizeof background);
}

size_t ScrollControlSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool ScrollControlSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool ScrollControlSkinObject::Load(MemoryStream& stream)
{
    if (!ControlSkinObject::Load(stream) || !ReadFields(stream, SKIN_TABLE(kFields)))
        return false;
    if (SkinFormatMajor() == 1 && SkinFormatMinor() <= 10)
        ResetColors();
    return true;
}

void ScrollControlSkinObject::ResetColors()
{
    color = GetSysColor(COLOR_WINDOW);
    textColor = GetSysColor(COLOR_WINDOWTEXT);
    transparentColor = GetSysColor(COLOR_BTNFACE);
}
