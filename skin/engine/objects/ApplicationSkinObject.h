// ApplicationSkinObject: the skin's information object (type 25): author, description, contact and the
// transparent-colour switch.
#pragma once
#include "skin/engine/objects/SkinObject.h"

class ApplicationSkinObject : public SkinObject {
public:
    ApplicationSkinObject();
    bool Save(MemoryStream& stream) override;
    bool Load(MemoryStream& stream) override;
    size_t GetFieldLayers(FieldSpan* out, size_t max) const override;

    char author[51];
    char description[51];
    char application[51];
    uint32_t useTransparentColor;
    char email[51];
    char homePage[51];
};
