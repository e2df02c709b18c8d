// ComboBoxSkinObject: files up to 1.10 lack the last three colours, which are then taken from the old object colours.
#include "skin/engine/objects/ComboBoxSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(ComboBoxSkinObject, thumbs[0], KindSlicedImage, "THUMB.NORMAL"),
    SKIN_FIELD(ComboBoxSkinObject, thumbs[1], KindSlicedImage, "THUMB.PRESSED"),
    SKIN_FIELD(ComboBoxSkinObject, thumbs[2], KindSlicedImage, "THUMB.HOVERED"),
    SKIN_FIELD(ComboBoxSkinObject, thumbs[3], KindSlicedImage, "THUMB.DISABLED"),
    SKIN_FIELD(ComboBoxSkinObject, focusColor, KindColor, "COLOR.FOCUS"),
    SKIN_FIELD_FROM(ComboBoxSkinObject, disabledBackground, KindColor, "COLOR.DISABLEDBACKGROUND", 11),
    SKIN_FIELD_FROM(ComboBoxSkinObject, disabledText, KindColor, "COLOR.DISABLEDTEXT", 11),
    SKIN_FIELD_FROM(ComboBoxSkinObject, focusTextColor, KindColor, "COLOR.FOCUSTEXTCOLOR", 11),
    SKIN_ALIAS(ComboBoxSkinObject, color, KindColor, "COLOR.BACKCOLOR"),
    SKIN_ALIAS(ComboBoxSkinObject, textColor, KindColor, "COLOR.TEXTCOLOR"),
};

} // namespace

ComboBoxSkinObject::ComboBoxSkinObject(int type) : ControlSkinObject(type)
{
    color = GetSysColor(COLOR_WINDOW);
    textColor = GetSysColor(COLOR_WINDOWTEXT);
    std::memset(thumbs, 0, sizeof thumbs);
    focusColor = GetSysColor(COLOR_HIGHLIGHT);
    disabledBackground = GetSysColor(COLOR_BTNFACE);
    disabledText = GetSysColor(COLOR_GRAYTEXT);
    focusTextColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
}

size_t ComboBoxSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool ComboBoxSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool ComboBoxSkinObject::Load(MemoryStream& stream)
{
    if (!ControlSkinObject::Load(stream) || !ReadFields(stream, SKIN_TABLE(kFields)))
        return false;
    if (SkinFormatMajor() == 1 && SkinFormatMinor() <= 10) {
        if (SkinFormatMinor() < 9) {
            color = GetSysColor(COLOR_BTNFACE);
            textColor = GetSysColor(COLOR_BTNTEXT);
        }
        disabledBackground = color;
        disabledText = textColor;
        color = GetSysColor(COLOR_WINDOW);
        textColor = GetSysColor(COLOR_WINDOWTEXT);
    }
    return true;
}
