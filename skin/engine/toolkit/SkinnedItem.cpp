// SkinnedItem: binding and the tooltip requests every skinned item shares.
#include "skin/engine/toolkit/SkinnedItem.h"

#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/tooltip/TooltipWindow.h"

SkinnedItem::SkinnedItem() : skinObject_(NULL) {}

SkinnedItem::~SkinnedItem()
{
    // The tooltip asks its owner for text on a timer; it must never ask a deleted one.
    if (TooltipWindow* tip = GetTooltipWindow())
        tip->ForgetOwner(this);
}

SkinObject* SkinnedItem::SetSkinObject(SkinObject* object)
{
    SkinObject* previous = skinObject_;
    skinObject_ = object;
    return previous;
}

std::string SkinnedItem::GetTipText(POINT) const
{
    return tipText_;
}

void SkinnedItem::SetTipText(const char* text)
{
    tipText_ = text ? text : "";
}

SkinObject* SkinnedItem::GetTooltipSkinObject() const
{
    return SkinEngine::Instance().GetCurrentSkin()->FindObjectByType(SkinTypeTooltip);
}

void SkinnedItem::HideTooltip()
{
    TooltipWindow* tip = GetTooltipWindow();
    if (tip && tip->Owner() == this)
        tip->Hide();
}

void SkinnedItem::ShowTooltip()
{
    TooltipWindow* tip = GetTooltipWindow();
    if (!tip || tipText_.empty())
        return;
    tip->SetSkinObject(GetTooltipSkinObject());
    tip->SetOwner(this);
    tip->Request(tipText_.c_str(), NULL);
}
