// TreeViewSkinObject: the ScrollControl part, then the gated tree fields.
#include "skin/engine/objects/TreeViewSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD_FROM(TreeViewSkinObject, activeItem, KindSlicedImage, "ACTIVEITEM", 12),
    SKIN_FIELD_FROM(TreeViewSkinObject, inactiveItem, KindSlicedImage, "INACTIVEITEM", 12),
    SKIN_FIELD_FROM(TreeViewSkinObject, activeColor, KindColor, "ACTIVECOLOR", 12),
    SKIN_FIELD_FROM(TreeViewSkinObject, inactiveColor, KindColor, "INACTIVECOLOR", 12),
    SKIN_FIELD_FROM(TreeViewSkinObject, activeText, KindTextEffect, "ACTIVETEXT", 12),
    SKIN_FIELD_FROM(TreeViewSkinObject, inactiveText, KindTextEffect, "INACTIVETEXT", 12),
    SKIN_FIELD_FROM(TreeViewSkinObject, openButton, KindImagePart, "OPENBUTTON", 15),
    SKIN_FIELD_FROM(TreeViewSkinObject, closedButton, KindImagePart, "CLOSEDBUTTON", 15),
    SKIN_FIELD_FROM(TreeViewSkinObject, check, KindImagePart, "CHECK", 15),
    SKIN_FIELD_FROM(TreeViewSkinObject, uncheck, KindImagePart, "UNCHECK", 15),
    SKIN_FIELD_FROM(TreeViewSkinObject, line, KindColor, "LINE", 15),
};

} // namespace

TreeViewSkinObject::TreeViewSkinObject() : ScrollControlSkinObject(SkinTypeTreeView)
{
    std::memset(&activeItem, 0, sizeof activeItem);
    std::memset(&inactiveItem, 0, sizeof inactiveItem);
    activeColor = GetSysColor(COLOR_HIGHLIGHT);
    inactiveColor = GetSysColor(COLOR_INACTIVECAPTION);
    activeText = ResetTextEffect();
    SetTextEffectColor(activeText, GetSysColor(COLOR_HIGHLIGHTTEXT));
    inactiveText = ResetTextEffect();
    std::memset(&openButton, 0, sizeof openButton);
    std::memset(&closedButton, 0, sizeof closedButton);
    std::memset(&check, 0, sizeof check);
    std::memset(&uncheck, 0, sizeof uncheck);
    line = 0;
}

size_t TreeViewSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ScrollControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool TreeViewSkinObject::Save(MemoryStream& stream)
{
    if (!ScrollControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool TreeViewSkinObject::Load(MemoryStream& stream)
{
    return ScrollControlSkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
