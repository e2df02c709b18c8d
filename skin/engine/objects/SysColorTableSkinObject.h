// SysColorTableSkinObject: the skin's answers for the system colours (type 44), with a brush for each
// of the indexes 0 to 30.
#pragma once
#include "skin/engine/objects/SkinObject.h"

class SysColorTableSkinObject : public SkinObject {
public:
    SysColorTableSkinObject();
    ~SysColorTableSkinObject() override;
    void ReleaseResources() override;
    void CreateResources(SkinStore& store) override;
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    static const int kBrushes = 31;
    COLORREF Color(int index) const { return index >= 0 && index < 100 ? colors[index] : 0; }
    HBRUSH Brush(int index) const { return index >= 0 && index < kBrushes ? brushes_[index] : NULL; }

    COLORREF colors[100];

private:
    void DeleteBrushes();
    HBRUSH brushes_[kBrushes];
};
