// PropertySetSkinObject: an object of type 100 whose named properties live in the file itself.
#pragma once
#include <string>
#include <vector>

#include "skin/engine/objects/ControlSkinObject.h"

struct SkinPropertyRecord {
    uint32_t kind;
    char key[31];
    char defaultText[51];
    std::vector<BYTE> value;
    bool hasText;
    std::string text;
};

class PropertySetSkinObject : public ControlSkinObject {
public:
    PropertySetSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    // The record of that key, compared without regard to case; NULL when none.
    const SkinPropertyRecord* FindRecord(const char* key) const;

    char setName[51];
    std::vector<SkinPropertyRecord> records;
};
