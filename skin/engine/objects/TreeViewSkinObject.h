// TreeViewSkinObject: tree views (type 29): item images, colours and texts (1.12 on), buttons, check boxes and lines
// (1.15 on).
#pragma once
#include "skin/engine/objects/ScrollControlSkinObject.h"

class TreeViewSkinObject : public ScrollControlSkinObject {
public:
    TreeViewSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    SlicedImage activeItem;
    SlicedImage inactiveItem;
    COLORREF activeColor;
    COLORREF inactiveColor;
    TextEffect activeText;
    TextEffect inactiveText;
    ImagePart openButton;
    ImagePart closedButton;
    ImagePart check;
    ImagePart uncheck;
    COLORREF line;
};
