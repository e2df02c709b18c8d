// TabSkinObject: the state text effects start zero and are never reset.
#include "skin/engine/objects/TabSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(TabSkinObject, states[0].image, KindSlicedImage, "NORMAL.TABIMAGE"),
    SKIN_FIELD(TabSkinObject, states[0].effect, KindTextEffect, "NORMAL.TEXTEFFECT"),
    SKIN_FIELD(TabSkinObject, states[0].reserved, KindBytes, "NORMAL.RESERVED"),
    SKIN_FIELD(TabSkinObject, states[1].image, KindSlicedImage, "PRESSED.TABIMAGE"),
    SKIN_FIELD(TabSkinObject, states[1].effect, KindTextEffect, "PRESSED.TEXTEFFECT"),
    SKIN_FIELD(TabSkinObject, states[1].reserved, KindBytes, "PRESSED.RESERVED"),
    SKIN_FIELD(TabSkinObject, states[2].image, KindSlicedImage, "DISABLED.TABIMAGE"),
    SKIN_FIELD(TabSkinObject, states[2].effect, KindTextEffect, "DISABLED.TEXTEFFECT"),
    SKIN_FIELD(TabSkinObject, states[2].reserved, KindBytes, "DISABLED.RESERVED"),
    SKIN_FIELD(TabSkinObject, states[3].image, KindSlicedImage, "HOVERED.TABIMAGE"),
    SKIN_FIELD(TabSkinObject, states[3].effect, KindTextEffect, "HOVERED.TEXTEFFECT"),
    SKIN_FIELD(TabSkinObject, states[3].reserved, KindBytes, "HOVERED.RESERVED"),
    SKIN_FIELD(TabSkinObject, tabFrame, KindSlicedImage, "FRAME"),
    SKIN_FIELD_FROM(TabSkinObject, transparent, KindInteger, "TRANSPARENT", 9),
    SKIN_ALIAS(TabSkinObject, controlFrame, KindSlicedImage, "BACKGROUND"),
};

} // namespace

TabSkinObject::TabSkinObject() : ControlSkinObject(SkinTypeTab)
{
    std::memset(states, 0, sizeof states);
    std::memset(&tabFrame, 0, sizeof tabFrame);
    transparent = 0;
}

size_t TabSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool TabSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool TabSkinObject::Load(MemoryStream& stream)
{
    return ControlSkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
