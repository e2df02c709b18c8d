// ProgressSkinObject: no gates; BACKGROUND names the control frame.
#include "skin/engine/objects/ProgressSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(ProgressSkinObject, progressImage, KindSlicedImage, "PROGRESSIMAGE"),
    SKIN_FIELD(ProgressSkinObject, value1, KindInteger, "VALUE1"),
    SKIN_FIELD(ProgressSkinObject, style, KindInteger, "STYLE"),
    SKIN_FIELD(ProgressSkinObject, value2, KindInteger, "VALUE2"),
    SKIN_ALIAS(ProgressSkinObject, controlFrame, KindSlicedImage, "BACKGROUND"),
    SKIN_ALIAS(ProgressSkinObject, color, KindColor, "BACKCOLOR"),
    SKIN_ALIAS(ProgressSkinObject, textColor, KindColor, "PROGRESSCOLOR"),
};

} // namespace

ProgressSkinObject::ProgressSkinObject() : ControlSkinObject(SkinTypeProgressBar)
{
    std::memset(&progressImage, 0, sizeof progressImage);
    value1 = style = value2 = 0;
}

size_t ProgressSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool ProgressSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool ProgressSkinObject::Load(MemoryStream& stream)
{
    return ControlSkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
