// ScrollBarSkinObject: the vertical groups are read from 1.12 on and always written.
#include "skin/engine/objects/ScrollBarSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(ScrollBarSkinObject, groups[0].arrow1, KindImagePart, "NORMAL.ARROW1"),
    SKIN_FIELD(ScrollBarSkinObject, groups[0].arrow2, KindImagePart, "NORMAL.ARROW2"),
    SKIN_FIELD(ScrollBarSkinObject, groups[0].scrollBar, KindSlicedImage, "NORMAL.SCROLLBAR"),
    SKIN_FIELD(ScrollBarSkinObject, groups[0].thumb, KindSlicedImage, "NORMAL.THUMB"),
    SKIN_FIELD(ScrollBarSkinObject, groups[1].arrow1, KindImagePart, "PRESSED.ARROW1"),
    SKIN_FIELD(ScrollBarSkinObject, groups[1].arrow2, KindImagePart, "PRESSED.ARROW2"),
    SKIN_FIELD(ScrollBarSkinObject, groups[1].scrollBar, KindSlicedImage, "PRESSED.SCROLLBAR"),
    SKIN_FIELD(ScrollBarSkinObject, groups[1].thumb, KindSlicedImage, "PRESSED.THUMB"),
    SKIN_FIELD(ScrollBarSkinObject, groups[2].arrow1, KindImagePart, "HIGHLIGHTED.ARROW1"),
    SKIN_FIELD(ScrollBarSkinObject, groups[2].arrow2, KindImagePart, "HIGHLIGHTED.ARROW2"),
    SKIN_FIELD(ScrollBarSkinObject, groups[2].scrollBar, KindSlicedImage, "HIGHLIGHTED.SCROLLBAR"),
    SKIN_FIELD(ScrollBarSkinObject, groups[2].thumb, KindSlicedImage, "HIGHLIGHTED.THUMB"),
    SKIN_FIELD(ScrollBarSkinObject, groups[3].arrow1, KindImagePart, "DISABLED.ARROW1"),
    SKIN_FIELD(ScrollBarSkinObject, groups[3].arrow2, KindImagePart, "DISABLED.ARROW2"),
    SKIN_FIELD(ScrollBarSkinObject, groups[3].scrollBar, KindSlicedImage, "DISABLED.SCROLLBAR"),
    SKIN_FIELD(ScrollBarSkinObject, groups[3].thumb, KindSlicedImage, "DISABLED.THUMB"),
    SKIN_FIELD(ScrollBarSkinObject, gripper, KindImagePart, "GRIPPER"),
    SKIN_FIELD(ScrollBarSkinObject, values[0], KindInteger, "VALUE1"),
    SKIN_FIELD(ScrollBarSkinObject, values[1], KindInteger, "VALUE2"),
    SKIN_FIELD(ScrollBarSkinObject, values[2], KindInteger, "VALUE3"),
    SKIN_FIELD(ScrollBarSkinObject, values[3], KindInteger, "VALUE4"),
    SKIN_FIELD(ScrollBarSkinObject, values[4], KindInteger, "VALUE5"),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[4].arrow1, KindImagePart, "VNORMAL.ARROW1", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[4].arrow2, KindImagePart, "VNORMAL.ARROW2", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[4].scrollBar, KindSlicedImage, "VNORMAL.SCROLLBAR", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[4].thumb, KindSlicedImage, "VNORMAL.THUMB", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[5].arrow1, KindImagePart, "VPRESSED.ARROW1", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[5].arrow2, KindImagePart, "VPRESSED.ARROW2", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[5].scrollBar, KindSlicedImage, "VPRESSED.SCROLLBAR", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[5].thumb, KindSlicedImage, "VPRESSED.THUMB", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[6].arrow1, KindImagePart, "VHIGHLIGHTED.ARROW1", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[6].arrow2, KindImagePart, "VHIGHLIGHTED.ARROW2", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[6].scrollBar, KindSlicedImage, "VHIGHLIGHTED.SCROLLBAR", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[6].thumb, KindSlicedImage, "VHIGHLIGHTED.THUMB", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[7].arrow1, KindImagePart, "VDISABLED.ARROW1", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[7].arrow2, KindImagePart, "VDISABLED.ARROW2", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[7].scrollBar, KindSlicedImage, "VDISABLED.SCROLLBAR", 12),
    SKIN_FIELD_FROM(ScrollBarSkinObject, groups[7].thumb, KindSlicedImage, "VDISABLED.THUMB", 12),
};

} // namespace

ScrollBarSkinObject::ScrollBarSkinObject() : ControlSkinObject(SkinTypeScrollBar)
{
    std::memset(groups, 0, sizeof groups);
    std::memset(&gripper, 0, sizeof gripper);
    const uint32_t defaults[5] = {0, 100, 10, 1, 10};
    std::memcpy(values, defaults, sizeof values);
}

size_t ScrollBarSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(ControlSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool ScrollBarSkinObject::Save(MemoryStream& stream)
{
    if (!ControlSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool ScrollBarSkinObject::Load(MemoryStream& stream)
{
    return ControlSkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
