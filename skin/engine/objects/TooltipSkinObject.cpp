// TooltipSkinObject: the fields after the framed part; the style sheet's length is checked against the file.
#include "skin/engine/objects/TooltipSkinObject.h"

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(TooltipSkinObject, showDelay, KindInteger, "SHOWDELAY"),
    SKIN_FIELD(TooltipSkinObject, hideDelay, KindInteger, "HIDEDELAY"),
    SKIN_FIELD(TooltipSkinObject, placement, KindInteger, "PLACEMENT"),
    SKIN_LONGTEXT(TooltipSkinObject, styleSheet, "STYLESHEET"),
};

} // namespace

TooltipSkinObject::TooltipSkinObject()
    : FramedSkinObject(SkinTypeTooltip), showDelay(1000), hideDelay(8000), placement(0)
{
    // The bottom-middle piece reaches 278, as the design has always had it.
    static const RECT design[9] = {{0, 0, 1, 1},     {1, 0, 277, 1},     {277, 0, 278, 1},
                                   {0, 1, 1, 151},   {1, 1, 277, 151},   {277, 1, 278, 151},
                                   {0, 151, 1, 152}, {1, 151, 278, 152}, {277, 151, 278, 152}};
    SetFrameRects(design);
    firstColor = 0;
    secondColor = 0;
    thirdColor = GetSysColor(COLOR_INFOBK);
}

size_t TooltipSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(FramedSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool TooltipSkinObject::Save(MemoryStream& stream)
{
    if (!FramedSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool TooltipSkinObject::Load(MemoryStream& stream)
{
    return FramedSkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
