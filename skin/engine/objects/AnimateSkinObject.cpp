// AnimateSkinObject: its NAME defaults to "AnimateCtrl32"; BORDER names the control frame.
#include "skin/engine/objects/AnimateSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(AnimateSkinObject, background, KindImagePart, "BACKGROUND"),
    SKIN_ALIAS(AnimateSkinObject, controlFrame, KindSlicedImage, "BORDER"),
};

} // namespace

AnimateSkinObject::AnimateSkinObject() : ControlSkinObject(SkinTypeAnimate)
{
    SetName("AnimateCtrl32");
    std::memset(&background, 0, sizeof background);
}

size_t AnimateSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool AnimateSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool AnimateSkinObject::Load(MemoryStream& stream)
{
    return ControlSkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
