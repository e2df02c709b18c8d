// CaptionStaticSkinObject: the fields after the element part, and the piece cut from the element image.
#include "skin/engine/objects/CaptionStaticSkinObject.h"

#include <cstring>

#include "skin/engine/objects/ApplicationSkinObject.h"
#include "skin/engine/images/ImageRegion.h"
#include "skin/engine/store/MemoryStream.h"
#include "skin/engine/images/SkinImage.h"
#include "skin/engine/store/SkinStore.h"

namespace {

const FieldDef kFields[] = {
    SKIN_FIELD(CaptionStaticSkinObject, textKind, KindInteger, "TEXTKIND"),
    SKIN_FIELD(CaptionStaticSkinObject, hitTest, KindInteger, "HITTEST"),
    SKIN_FIELD(CaptionStaticSkinObject, anchorFlags[0], KindInteger, "ANCHOR.LEFT"),
    SKIN_FIELD(CaptionStaticSkinObject, anchorFlags[1], KindInteger, "ANCHOR.TOP"),
    SKIN_FIELD(CaptionStaticSkinObject, anchorFlags[2], KindInteger, "ANCHOR.RIGHT"),
    SKIN_FIELD(CaptionStaticSkinObject, anchorFlags[3], KindInteger, "ANCHOR.BOTTOM"),
    SKIN_FIELD(CaptionStaticSkinObject, combineMode, KindInteger, "COMBINEMODE"),
    SKIN_FIELD(CaptionStaticSkinObject, font, KindFont, "FONT"),
    SKIN_FIELD(CaptionStaticSkinObject, textEffect, KindTextEffect, "TEXTEFFECT"),
    SKIN_FIELD(CaptionStaticSkinObject, text, KindText, "TEXT"),
    SKIN_FIELD(CaptionStaticSkinObject, alignHorizontal, KindInteger, "ALIGN.HORIZONTAL"),
    SKIN_FIELD(CaptionStaticSkinObject, alignVertical, KindInteger, "ALIGN.VERTICAL"),
    SKIN_ALIAS(CaptionStaticSkinObject, elementImage, KindImagePart, "BACKIMAGE"),
};

} // namespace

CaptionStaticSkinObject::CaptionStaticSkinObject()
    : FrameElementSkinObject(SkinTypeCaptionStatic), textKind(0), hitTest(0), combineMode(2), font(ResetFont()),
      textEffect(ResetTextEffect()), alignHorizontal(0), alignVertical(1), piece_(NULL), mask_(NULL)
{
    std::memset(anchorFlags, 0, sizeof anchorFlags);
    std::memset(text, 0, sizeof text);
}

CaptionStaticSkinObject::~CaptionStaticSkinObject()
{
    ReleaseResources();
}

void CaptionStaticSkinObject::ReleaseResources()
{
    delete piece_;
    piece_ = NULL;
    if (mask_)
        DeleteObject(mask_);
    mask_ = NULL;
    FrameElementSkinObject::ReleaseResources();
}

void CaptionStaticSkinObject::CreateResources(SkinStore& store)
{
    ReleaseResources();
    SkinImage* image = elementImage.image[0] ? store.FindImage(elementImage.image) : NULL;
    if (image) {
        piece_ = new SkinImage;
        const RECT& s = elementImage.source;
        if (!image->Crop(s.left, s.top, s.right, s.bottom, piece_)) {
            delete piece_;
            piece_ = NULL;
        }
    }
    const SkinObject* app = store.FindObjectByType(SkinTypeApplication);
    if (piece_ && app && app->Type() == SkinTypeApplication &&
        static_cast<const ApplicationSkinObject*>(app)->useTransparentColor)
        mask_ = RegionFromImage(*piece_, app->transparentColor);
    FrameElementSkinObject::CreateResources(store);
}

size_t CaptionStaticSkinObject::GetFieldLayers(FieldSpan* out, size_t max) const
{
    return AppendLayer(FrameElementSkinObject::GetFieldLayers(out, max), out, max, SKIN_TABLE(kFields));
}

bool CaptionStaticSkinObject::Save(MemoryStream& stream)
{
    if (!FrameElementSkinObject::Save(stream))
        return false;
    WriteFields(stream, SKIN_TABLE(kFields));
    return true;
}

bool CaptionStaticSkinObject::Load(MemoryStream& stream)
{
    return FrameElementSkinObject::Load(stream) && ReadFields(stream, SKIN_TABLE(kFields));
}
