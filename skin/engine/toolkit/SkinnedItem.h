// SkinnedItem: the root of everything bound to a skin object (skinned windows and the frame elements
// drawn on them): the bound object and a tip text for the shared tooltip.
#pragma once
#include <windows.h>

#include <string>

class SkinObject;

class SkinnedItem {
public:
    SkinnedItem();
    // Makes the tooltip forget this item when it was the tooltip's owner.
    virtual ~SkinnedItem();
    SkinnedItem(const SkinnedItem&) = delete;
    SkinnedItem& operator=(const SkinnedItem&) = delete;

    virtual void Paint(HDC dc) = 0;
    // Binds another object (not owned); returns the one bound before.
    virtual SkinObject* SetSkinObject(SkinObject* object);
    // The tip to show for a point of the screen; the base answers its one text wherever the point is.
    virtual std::string GetTipText(POINT screenPoint) const;
    virtual void SetTipText(const char* text);
    // The current skin's Tooltip object, or NULL.
    virtual SkinObject* GetTooltipSkinObject() const;
    // Hides the tooltip only when this item owns it.
    virtual void HideTooltip();
    // Hands the tip text to the tooltip, with this item as its owner; nothing for an empty text.
    virtual void ShowTooltip();

    SkinObject* GetSkinObject() const { return skinObject_; }
    const std::string& TipText() const { return tipText_; }

protected:
    std::string tipText_;
    SkinObject* skinObject_;
};
