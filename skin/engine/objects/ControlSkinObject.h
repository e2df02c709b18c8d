// ControlSkinObject: the base of the objects for dialog controls: font, control frame, control id.
#pragma once
#include "skin/engine/objects/SkinObject.h"

class ControlSkinObject : public SkinObject {
public:
    explicit ControlSkinObject(int type);
    ~ControlSkinObject() override;
    void ReleaseResources() override;
    void CreateResources(SkinStore& store) override;
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;
    int ControlId() const override { return static_cast<int>(controlId); }

    HFONT Font() const { return fontHandle_; }

    SkinFont font;
    SlicedImage controlFrame;
    uint32_t controlId;
    uint32_t controlReserved;
    uint32_t autoSkinFont;

protected:
    // The control part alone, for classes whose old versions lack it.
    bool LoadControl(MemoryStream& stream);

private:
    HFONT fontHandle_;
};
