// FrameElementSkinObject: the base of the parts of a frame window's non-client area (caption buttons,
// caption texts, areas, the menu bar): a picture, a design rectangle, an anchor, a command and a visibility.
#pragma once
#include "skin/engine/objects/SkinObject.h"

class FrameElementSkinObject : public SkinObject {
public:
    explicit FrameElementSkinObject(int type);
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    ImagePart elementImage;
    uint32_t anchor;     // 2, 8 follow the bottom edge; 4, 6 the right edge; 5 both
    uint32_t commandId;  // posted as WM_COMMAND by a caption button whose action is 0
    uint32_t visibility; // 0 always, 1 iconic ... 9 neither zoomed nor iconic
    char elementText[51];
};
