// MonthCalendarSkinObject: fields in file order, no gates.
#include "skin/engine/objects/MonthCalendarSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(MonthCalendarSkinObject, images[0], KindSlicedImage, "IMAGE1"),
    SKIN_FIELD(MonthCalendarSkinObject, images[1], KindSlicedImage, "IMAGE2"),
    SKIN_FIELD(MonthCalendarSkinObject, images[2], KindSlicedImage, "IMAGE3"),
    SKIN_FIELD(MonthCalendarSkinObject, images[3], KindSlicedImage, "IMAGE4"),
    SKIN_FIELD(MonthCalendarSkinObject, images[4], KindSlicedImage, "IMAGE5"),
    SKIN_FIELD(MonthCalendarSkinObject, images[5], KindSlicedImage, "IMAGE6"),
    SKIN_FIELD(MonthCalendarSkinObject, colors[0], KindColor, "COLOR1"),
    SKIN_FIELD(MonthCalendarSkinObject, colors[1], KindColor, "COLOR2"),
    SKIN_FIELD(MonthCalendarSkinObject, colors[2], KindColor, "COLOR3"),
    SKIN_FIELD(MonthCalendarSkinObject, colors[3], KindColor, "COLOR4"),
};

} // namespace

MonthCalendarSkinObject::MonthCalendarSkinObject() : ControlSkinObject(SkinTypeMonthCalendar)
{
    color = GetSysColor(COLOR_WINDOW);
    textColor = GetSysColor(COLOR_WINDOWTEXT);
    std::memset(images, 0, sizeof images);
    colors[0] = GetSysColor(COLOR_WINDOW);
    colors[1] = GetSysColor(COLOR_ACTIVECAPTION);
    colors[2] = GetSysColor(COLOR_CAPTIONTEXT);
    colors[3] = GetSysColor(COLOR_GRAYTEXT);
}

size_t MonthCalendarSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool MonthCalendarSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool MonthCalendarSkinObject::Load(MemoryStream& stream)
{
    return ControlSkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
