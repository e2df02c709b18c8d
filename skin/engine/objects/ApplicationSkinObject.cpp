// ApplicationSkinObject: e-mail and home page exist from 1.4 on.
#include "skin/engine/objects/ApplicationSkinObject.h"

#include <cstring>

#include "skin/engine/store/MemoryStream.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(ApplicationSkinObject, author, KindText, "AUTHOR"),
    SKIN_FIELD(ApplicationSkinObject, description, KindText, "DESCRIPTION"),
    SKIN_FIELD(ApplicationSkinObject, application, KindText, "APPLICATION"),
    SKIN_FIELD(ApplicationSkinObject, useTransparentColor, KindInteger, "USETRANSPARENTCOLOR"),
    SKIN_FIELD_FROM(ApplicationSkinObject, email, KindText, "EMAIL", 4),
    SKIN_FIELD_FROM(ApplicationSkinObject, homePage, KindText, "HOMEPAGE", 4),
};

} // namespace

ApplicationSkinObject::ApplicationSkinObject() : SkinObject(SkinTypeApplication)
{
    transparentColor = RGB(255, 0, 255);
    tessarine::CopyText(author, sizeof author, "Tessarine Builder");
    tessarine::CopyText(description, sizeof description, "Tessarine Skin File");
    std::memset(application, 0, sizeof application);
    useTransparentColor = 1;
    tessarine::CopyText(email, sizeof email, "skins@warden-suite.example");
    tessarine::CopyText(homePage, sizeof homePage, "http://www.warden-suite.example/skins/");
}

size_t ApplicationSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(SkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool ApplicationSkinObject::Save(MemoryStream& stream)
{
    if (!SkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool ApplicationSkinObject::Load(MemoryStream& stream)
{
    return SkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
